// Numbers and number tuples (sizes, points, colours, rectangles) in profile values.
#include "profile/profile.h"

#include "common/ansi_text.h"

#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr unsigned long kInvalidData = 13;
constexpr unsigned long kInvalidParameter = 87;

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::uint32_t ParseDecimal(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsSpace(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    std::uint32_t value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) value = value * 10u + static_cast<std::uint32_t>(s[i] - '0');
    return negative ? 0u - value : value;
}

// Read from the last byte backwards, four bits per byte, at most eight bytes; bytes that
// are no hexadecimal digit count 0.
std::uint32_t ParseHexTail(std::string_view s) {
    std::uint32_t value = 0;
    int shift = 0;
    for (std::size_t i = s.size(); i > 0 && shift < 32; --i, shift += 4) {
        char c = s[i - 1];
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') digit = static_cast<std::uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F') digit = static_cast<std::uint32_t>(c - 'A' + 10);
        value |= digit << shift;
    }
    return value;
}

}  // namespace

unsigned long CProfile::StringToDword(const char* textIn) {
    if (!textIn) return 0;
    try {
        std::string s = textIn;
        setup::text::UpperInPlace(s);
        if (s.find("0X") == std::string::npos) return ParseDecimal(s);
        std::string digits;
        for (std::size_t i = 0; i < s.size();) {
            if (s.compare(i, 2, "0X") == 0) {
                i += 2;
            } else {
                digits += s[i++];
            }
        }
        // Trailing blanks would otherwise count as zero digits: "0x20 " is 0x20, not 0x200.
        while (!digits.empty() && (digits.back() == ' ' || digits.back() == '\t')) digits.pop_back();
        return ParseHexTail(digits);
    } catch (...) {
        return 0;
    }
}

unsigned long CProfile::GetDword(const char* section, const char* key, unsigned long* out) {
    if (!out) return kInvalidParameter;
    const char* raw = RawValue(section, key);
    if (!raw) return kInvalidData;
    *out = StringToDword(raw);
    return 0;
}

unsigned long CProfile::ReadNumbers(const char* section, const char* key, std::uint32_t* numbers, int wanted,
                                    int& found) {
    found = 0;
    if (!section || !*section || !key || !*key) return kInvalidParameter;
    const char* raw = RawValue(section, key);
    if (!raw) return kInvalidData;
    std::string_view rest = raw;
    while (!rest.empty() && found < wanted) {
        std::size_t comma = rest.find(',');
        std::string token(rest.substr(0, comma));
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        if (!token.empty()) numbers[found++] = static_cast<std::uint32_t>(StringToDword(token.c_str()));
    }
    return 0;
}

unsigned long CProfile::GetControl(const char* section, const char* key, PROFILE_SIZE* size) {
    if (!size) return kInvalidParameter;
    std::uint32_t n[2];
    int found = 0;
    if (unsigned long rc = ReadNumbers(section, key, n, 2, found)) return rc;
    if (found < 2) return kInvalidParameter;
    size->cx = static_cast<std::int32_t>(n[0]);
    size->cy = static_cast<std::int32_t>(n[1]);
    return 0;
}

unsigned long CProfile::GetControl(const char* section, const char* key, PROFILE_POINT* point) {
    std::uint32_t n[2];
    int found = 0;
    if (!point || ReadNumbers(section, key, n, 2, found) != 0 || found < 2) return kInvalidParameter;
    point->x = static_cast<std::int32_t>(n[0]);
    point->y = static_cast<std::int32_t>(n[1]);
    return 0;
}

unsigned long CProfile::GetControl(const char* section, const char* key, unsigned long* color) {
    if (!color) return kInvalidParameter;
    std::uint32_t n[3];
    int found = 0;
    if (unsigned long rc = ReadNumbers(section, key, n, 3, found)) return rc;
    if (found < 3) return kInvalidParameter;
    *color = (n[0] % 256) + (n[1] % 256) * 256 + (n[2] % 256) * 65536;
    return 0;
}

unsigned long CProfile::GetControl(const char* section, const char* key, PROFILE_RECT* rect) {
    std::uint32_t n[4];
    int found = 0;
    if (!rect || ReadNumbers(section, key, n, 4, found) != 0 || found < 4) return kInvalidParameter;
    rect->left = static_cast<std::int32_t>(n[0]);
    rect->top = static_cast<std::int32_t>(n[1]);
    rect->right = static_cast<std::int32_t>(n[2]);
    rect->bottom = static_cast<std::int32_t>(n[3]);
    return 0;
}
