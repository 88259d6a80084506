// Registry text lines and section names from arbitrary bytes: parsing never fails, and
// what the export writes parses back to the same value.
#include "profile/registry_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace setup::regtext;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);

    ValueLine line = ParseValueLine(input);
    if (line.type == LineType::Dword) {
        ValueLine again = ParseValueLine(FormatValueName("N"), FormatDwordData(line.number));
        if (again.type != LineType::Dword || again.number != line.number) std::abort();
    }
    SectionTarget target = ParseSection(input);
    if (target.keyPath.size() > input.size()) std::abort();
    (void)HexFromRight(input);

    // A text without quotes or NULs at its ends comes back as written.
    if (!input.empty() && input.front() != '"' && input.back() != '"' && input.front() != ' ' &&
        input.back() != ' ' && input.front() != '\t' && input.back() != '\t') {
        ValueLine text = ParseValueLine(FormatValueName("S"), FormatStringData(input));
        if (text.type != LineType::String || text.text != input) std::abort();
    }
    return 0;
}
