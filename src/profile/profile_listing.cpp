// Listing the lines of a section and the names of all sections.
#include "profile/profile.h"

#include <cstring>
#include <string>

namespace {

constexpr unsigned long kInvalidData = 13;
constexpr unsigned long kOutOfMemory = 14;
constexpr unsigned long kInvalidParameter = 87;

}  // namespace

unsigned long CProfile::GetAllKey(const char* section, char* buffer, unsigned long size, bool skipBare) {
    if (!section || !buffer || size == 0) return kInvalidParameter;
    std::memset(buffer, 0, size);
    SECTION_LIST* target = main_.FindSection(section);
    if (!target) return kInvalidData;
    try {
        std::size_t pos = 0;
        std::string entry;
        for (LINE_LIST* line = target->lines; line; line = line->next) {
            if (*line->value) {
                entry.assign(line->key).append(" = ").append(line->value);
                std::string resolved = entry;
                if (Resolve(resolved, true) != kOutOfMemory) entry.swap(resolved);
            } else if (skipBare) {
                continue;
            } else {
                entry.assign(line->key);
            }
            if (entry.empty()) continue;
            // Room for the entry, its NUL and the list's final NUL.
            if (pos + entry.size() + 2 > size) return kOutOfMemory;
            std::memcpy(buffer + pos, entry.c_str(), entry.size() + 1);
            pos += entry.size() + 1;
        }
    } catch (...) {
        return kOutOfMemory;
    }
    return 0;
}

unsigned long CProfile::GetSectionName(char* buffer, unsigned long size, bool multiString) {
    if (!buffer || size == 0) return kInvalidParameter;
    if (multiString) {
        std::memset(buffer, 0, size);
    } else {
        std::memset(buffer, ' ', size);
        buffer[size - 1] = '\0';
    }
    SECTION_LIST* section = main_.FindSection(nullptr);
    if (!section) return kInvalidData;
    // Each name takes its length plus a separator; the last byte stays the list's end.
    std::size_t pos = 0;
    for (; section; section = section->next) {
        std::size_t length = std::strlen(section->name);
        if (length == 0) continue;
        if (pos + length + 1 > size - 1) return kOutOfMemory;
        std::memcpy(buffer + pos, section->name, length);
        buffer[pos + length] = multiString ? '\0' : ' ';
        pos += length + 1;
    }
    return 0;
}
