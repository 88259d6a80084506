// Message references and macro expansion over arbitrary text: the expansion always ends and
// never grows beyond the work buffer, whatever messages refer to.
#include "environment/macro_expansion.h"
#include "environment/path_rules.h"
#include "environment/profile_set_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    // The first part is the text, the rest the message every key stands for.
    std::size_t split = input.find('\n');
    std::string text = input.substr(0, split);
    std::string message = split == std::string::npos ? "@A@" : input.substr(split + 1);

    constexpr std::size_t kLimit = 4096;
    auto lookup = [&](const std::string& key, std::string& out) {
        if (key.size() % 3 == 2) return false;  // some keys are unknown
        out = message;
        return true;
    };
    std::string expanded = setup::ExpandMessageReferences(text, lookup, kLimit);
    if (expanded.size() > std::max(kLimit, text.size())) std::abort();

    setup::MACRO_VALUES values;
    values.destDir = message;
    values.port = "$PORT$" + message;
    values.langAbbr = text;
    std::string macros = setup::ExpandMacroText(expanded, values, kLimit);
    if (macros.size() > std::max(kLimit, expanded.size())) std::abort();

    (void)setup::ResolveProfilePathText(text, "C:\\medium");
    (void)setup::ApplyStringFileFormat(text, message);
    (void)setup::SectionCandidates(text, message, "EN", true, true);
    return 0;
}
