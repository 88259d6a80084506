// Arbitrary bytes as a profile file: loading, then every reading operation with small,
// empty and ordinary buffers, references and escapes, and a few edits of the model.
#include "common/ansi_text.h"
#include "profile/profile.h"

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

class FuzzProfile : public CProfile {
public:
    void Load(const std::uint8_t* data, std::size_t size) {
        LoadFromMemory(reinterpret_cast<const char*>(data), size, MainList());
    }
    void Convert(const char* text, unsigned long size, bool escapes) {
        std::vector<char> buffer(size + 1, '\0');
        std::string copy(text);
        copy.resize(size, '\0');
        if (size) std::copy(copy.begin(), copy.end(), buffer.begin());
        ConvertDefinedString(size ? buffer.data() : nullptr, size, escapes);
    }
};

constexpr unsigned long kSizes[] = {0, 1, 7, 4096, 40000};

void ReadLine(FuzzProfile& profile, const char* section, LINE_LIST* line, std::vector<char>& buffer) {
    for (unsigned long size : kSizes) profile.GetString(section, line->key, size ? buffer.data() : nullptr, size, size & 1);
    unsigned long number = 0;
    profile.GetDword(section, line->key, &number);
    PROFILE_SIZE size{};
    PROFILE_POINT point{};
    PROFILE_RECT rect{};
    profile.GetControl(section, line->key, &size);
    profile.GetControl(section, line->key, &point);
    profile.GetControl(section, line->key, &number);
    profile.GetControl(section, line->key, &rect);
    CProfile::StringToDword(line->value);
    profile.Convert(line->value, 64, true);
    profile.Convert(line->value, 0, false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    setup::text::UseCodePage(size > 0 && (data[0] & 1) ? 932 : 0);
    FuzzProfile profile;
    profile.Load(data, size);
    CSectionList& list = profile.MainList();
    std::vector<char> buffer(40000);

    for (unsigned long bytes : kSizes) {
        profile.GetSectionName(bytes ? buffer.data() : nullptr, bytes, true);
        profile.GetSectionName(buffer.data(), bytes, false);
    }
    int sections = 0;
    for (SECTION_LIST* s = list.FindSection(nullptr); s && sections < 8; s = s->next, ++sections) {
        for (unsigned long bytes : kSizes) {
            unsigned long inOut = bytes, count = 0;
            list.GetAllKey(s->name, buffer.data(), &inOut, &count);
        }
        // Resolves every line of the section: two sizes keep a run short.
        if (sections < 4) {
            profile.GetAllKey(s->name, buffer.data(), 7, false);
            profile.GetAllKey(s->name, buffer.data(), 40000, true);
        }
        int lines = 0;
        for (LINE_LIST* l = s->lines; l && lines < 8; l = l->next, ++lines) ReadLine(profile, s->name, l, buffer);
    }

    // Edits keep the model and its indexes consistent (checked by reading back).
    if (SECTION_LIST* first = list.FindSection(nullptr)) {
        std::string name = first->name;
        if (first->lines) {
            std::string key = first->lines->key;
            list.AddLine(first, "added = 1", false, key.c_str());
            list.SetValue(name.c_str(), key.c_str(), "changed", 1);
            list.DeleteLine(name.c_str(), key.c_str());
            list.FindKey(first, key.c_str(), 1);
        }
        list.DeleteAllLines(name.c_str());
        list.DeleteSection(name.c_str());
    }
    list.ClearAll();
    return 0;
}
