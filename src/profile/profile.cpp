#include "profile/profile.h"

#include "profile/profile_file.h"
#include "profile/profile_parser.h"

#include <cstring>
#include <new>

using setup::profile::LineReader;
using setup::profile::TextLine;

namespace {

constexpr unsigned long kInvalidParameter = 87;
constexpr unsigned long kOutOfMemory = 14;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

CProfile::CProfile() = default;

CProfile::CProfile(const char* path, const char* stringPath) { Create(path, stringPath, false); }

CProfile::~CProfile() = default;

unsigned long CProfile::Create(const char* path, const char* stringPath, bool /*unused*/) {
    // A file that cannot be read leaves its list as it was and its flag off; Create itself
    // always succeeds.
    if (LoadFile(path, main_) != 0) return 0;
    try {
        path_ = path;
    } catch (...) {
        return 0;
    }
    mainLoaded_ = true;
    if (stringPath && *stringPath && LoadFile(stringPath, strings_) == 0) stringsLoaded_ = true;
    return 0;
}

unsigned long CProfile::Reload(const char* path, const char* stringPath) {
    // Callers may pass Path() itself, which the clearing below would empty.
    std::string mainPath, stringsPath;
    try {
        mainPath = path ? path : "";
        stringsPath = stringPath ? stringPath : "";
    } catch (...) {
        return 0;
    }
    mainLoaded_ = stringsLoaded_ = false;
    main_.ClearAll();
    strings_.ClearAll();
    path_.clear();  // a failed reload must not leave the writers aimed at the old file
    return Create(mainPath.c_str(), stringsPath.c_str(), false);
}

unsigned long CProfile::LoadFile(const char* path, CSectionList& target) {
    if (!path || !*path) return kInvalidParameter;
    std::unique_ptr<char[]> data;
    std::size_t length = 0;
    if (unsigned long rc = setup::profile::ReadWholeFile(path, 2, data, length)) return rc;
    return LoadText(std::move(data), length, target);
}

unsigned long CProfile::LoadFromMemory(const char* data, std::size_t length, CSectionList& target) {
    if (!data && length) return kInvalidParameter;
    std::unique_ptr<char[]> copy(new (std::nothrow) char[length + 2]);
    if (!copy) return kOutOfMemory;
    if (length) std::memcpy(copy.get(), data, length);
    return LoadText(std::move(copy), length, target);
}

// `data` has two spare bytes after `length` for the line break the reader appends.
unsigned long CProfile::LoadText(std::unique_ptr<char[]> data, std::size_t length, CSectionList& target) {
    char* text = data.get();
    text[length++] = '\r';
    text[length++] = '\n';
    length = ProcessData(text, length);
    // The list must own the text before any record points into it.
    if (!target.AdoptText(std::move(data))) return kOutOfMemory;
    Parsing(text, length, target);
    return 0;
}

std::size_t CProfile::ProcessData(char* data, std::size_t length) {
    return data ? setup::profile::StripComments(data, length) : 0;
}

bool CProfile::IsSection(const char* line) {
    if (!line) return false;
    return setup::profile::IsSectionHeader(TextLine{const_cast<char*>(line), std::strlen(line)});
}

void CProfile::Parsing(char* data, std::size_t length, CSectionList& target) {
    if (!data) return;
    LineReader reader(data, length);
    TextLine line;
    SECTION_LIST* current = nullptr;  // lines before the first header belong nowhere
    while (reader.Next(line)) {
        if (setup::profile::IsSectionHeader(line)) {
            current = target.AddParsedSection(line.text, line.length);
            continue;
        }
        if (!current) continue;
        char* end = line.text + line.length;
        char* eq = static_cast<char*>(std::memchr(line.text, '=', line.length));
        if (!eq) {
            target.AddParsedLine(current, line.text, line.length, end, 0);
            continue;
        }
        char* keyEnd = eq;
        while (keyEnd > line.text && IsBlank(keyEnd[-1])) --keyEnd;
        char* value = eq + 1;
        while (value < end && IsBlank(*value)) ++value;
        target.AddParsedLine(current, line.text, static_cast<std::size_t>(keyEnd - line.text), value,
                             static_cast<std::size_t>(end - value));
    }
}

const char* CProfile::RawValue(const char* section, const char* key) {
    if (!section || !key) return nullptr;
    LINE_LIST* line = main_.FindKey(main_.FindSection(section), key, 0);
    return line ? line->value : nullptr;
}
