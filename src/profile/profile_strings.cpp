// String references (%NAME%) and escapes in profile values.
#include "profile/profile.h"

#include "common/ansi_text.h"

#include <cstring>
#include <string>

namespace text = setup::text;

namespace {

constexpr unsigned long kInvalidData = 13;
constexpr unsigned long kOutOfMemory = 14;
constexpr unsigned long kInvalidParameter = 87;

bool IsLead(char c) { return text::IsLeadByte(static_cast<unsigned char>(c)); }

// Next "%" at or after `from`. Trail bytes of the East Asian code pages start at 0x40, so a
// "%" byte is always a character of its own and a byte search is enough.
std::size_t NextPercent(const std::string& s, std::size_t from) { return s.find('%', from); }

// Replaces every occurrence of `name` (a "%...%" reference, so matches never split a
// double-byte character); false when the text would reach `limit`. `work` counts the bytes
// produced.
bool ReplaceAll(std::string& s, const std::string& name, std::string_view value, std::size_t limit,
                std::size_t& work) {
    std::string out;
    out.reserve(s.size() + value.size());
    std::size_t copied = 0;
    for (std::size_t at = NextPercent(s, 0); at != std::string::npos;) {
        if (s.compare(at, name.size(), name) != 0) {
            at = NextPercent(s, at + 1);
            continue;
        }
        out.append(s, copied, at - copied).append(value);
        copied = at + name.size();
        if (out.size() >= limit) return false;
        at = NextPercent(s, copied);
    }
    out.append(s, copied, std::string::npos);
    if (out.size() >= limit) return false;
    work += out.size();
    s.swap(out);
    return true;
}

// Backslash-r and backslash-n become CR and LF; a backslash that is a trail byte stays.
void ApplyEscapes(std::string& s) {
    std::size_t write = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (IsLead(s[i]) && i + 1 < s.size()) {
            s[write++] = s[i++];
            s[write++] = s[i];
        } else if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == 'r' || s[i + 1] == 'n')) {
            s[write++] = s[++i] == 'r' ? '\r' : '\n';
        } else {
            s[write++] = s[i];
        }
    }
    s.resize(write);
}

void CopyCut(const char* from, std::size_t length, char* buffer, unsigned long size) {
    if (length > size - 1) length = size - 1;
    std::memcpy(buffer, from, length);
    std::memset(buffer + length, 0, size - length);
}

}  // namespace

unsigned long CProfile::GetString(const char* section, const char* key, char* buffer, unsigned long size,
                                  bool escapes) {
    if (!buffer || size == 0) return kInvalidParameter;
    const char* raw = RawValue(section, key);
    if (!raw) return kInvalidData;
    std::size_t rawLength = std::strlen(raw);
    CopyCut(raw, rawLength, buffer, size);
    // Resolved from the whole raw value, so a reference cut by a small buffer is not
    // taken for text; when the result does not fit the buffer keeps the raw value.
    try {
        std::string resolved(raw, rawLength);
        if (Resolve(resolved, escapes) != kOutOfMemory && resolved.size() < size)
            CopyCut(resolved.data(), resolved.size(), buffer, size);
    } catch (...) {
    }
    return 0;
}

unsigned long CProfile::ConvertDefinedString(char* buffer, unsigned long size, bool escapes) {
    if (!buffer || size == 0 || !*buffer) return kInvalidParameter;
    try {
        std::string resolved(buffer, strnlen(buffer, size));
        unsigned long rc = Resolve(resolved, escapes);
        if (rc == kOutOfMemory || resolved.size() >= size) return kOutOfMemory;
        CopyCut(resolved.data(), resolved.size(), buffer, size);
        return rc;
    } catch (...) {
        return kOutOfMemory;
    }
}

unsigned long CProfile::GetStringValue(const char* name, char* buffer, unsigned long size) {
    if (!name || !*name || !buffer || size == 0) return kInvalidParameter;
    std::string_view value;
    if (!LookupString(name, value)) return kInvalidData;
    CopyCut(value.data(), value.size(), buffer, size);
    return 0;
}

bool CProfile::LookupString(std::string_view name, std::string_view& value) {
    std::string key(name);
    LINE_LIST* line = nullptr;
    if (stringsLoaded_) line = strings_.FindKey(strings_.FindSection("STRINGS"), key.c_str(), 0);
    if (!line) line = main_.FindKey(main_.FindSection("STRINGS"), key.c_str(), 0);
    if (!line) return false;
    value = line->value;
    while (!value.empty() && value.front() == '"') value.remove_prefix(1);
    while (!value.empty() && value.back() == '"') value.remove_suffix(1);
    return true;
}

unsigned long CProfile::Resolve(std::string& s, bool escapes) {
    bool lastLookupFailed = false;
    int expansions = 0;
    int lookups = 0;
    std::size_t work = 0;
    std::size_t pos = 0;
    for (;;) {
        std::size_t open = NextPercent(s, pos);
        if (open == std::string::npos) break;
        std::size_t close = NextPercent(s, open + 1);
        if (close == std::string::npos) break;
        std::string name = s.substr(open, close - open + 1);
        std::string_view value;
        if (++lookups > kMaxLookups) return kOutOfMemory;
        if (!LookupString(name, value)) {
            lastLookupFailed = true;
            pos = open + 1;
            continue;
        }
        lastLookupFailed = false;
        // The inserted text is scanned again, so a string that refers to itself (directly or
        // through others) would expand forever: its length, the number of lookups and
        // expansions and the bytes produced in all are bounded.
        if (++expansions > kMaxExpansions || work > kMaxWorkBytes || !ReplaceAll(s, name, value, kWorkBytes, work))
            return kOutOfMemory;
        pos = open;
    }
    if (escapes) ApplyEscapes(s);
    return lastLookupFailed ? kInvalidData : 0;
}
