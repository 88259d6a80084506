#include "fileops/text_utils.h"

#include "common/ansi_text.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace setup {
namespace {

std::uint32_t HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<std::uint32_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<std::uint32_t>(c - 'a' + 10);
    return 0;
}

// Every "0X" (any case) removed; the last eight characters are the digits.
std::uint32_t ParseHexTail(std::string text) {
    for (std::size_t pos; (pos = text.find("0X")) != std::string::npos;) text.erase(pos, 2);
    std::size_t start = text.size() > 8 ? text.size() - 8 : 0;
    std::uint32_t value = 0;
    for (std::size_t i = start; i < text.size(); ++i) value = value * 16 + HexDigitValue(text[i]);
    return value;
}

// atol-like reading; wraps modulo 2^32 instead of overflowing, so "4294967295" is 0xFFFFFFFF.
std::uint32_t ParseDecimal(const char* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = (*text++ == '-');
    std::uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) value = value * 10 + static_cast<std::uint32_t>(*text - '0');
    return negative ? 0u - value : value;
}

bool IsDelimiter(char c, const char* delimiters) {
    return c != '\0' && std::strchr(delimiters, c) != nullptr;
}

// Byte length of the character starting at text[i] (a double-byte character is one unit).
std::size_t CharLength(const char* text, std::size_t i) {
    return (text::IsLeadByte(static_cast<unsigned char>(text[i])) && text[i + 1] != '\0') ? 2 : 1;
}

}  // namespace

unsigned long ParseNumber(const char* text) {
    if (text == nullptr) return 0;
    std::string upper(text);
    text::UpperInPlace(upper);
    if (upper.find("0X") != std::string::npos) {
        // The upper-cased copy is read: a to f count the same in either case.
        return ParseHexTail(std::move(upper));
    }
    return ParseDecimal(text);
}

bool BytesToHex(const unsigned char* bytes, std::size_t count, std::string& out) {
    if (bytes == nullptr || count == 0) return false;
    char pair[3];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(pair, sizeof(pair), "%02X", bytes[i]);
        out += pair;
    }
    return true;
}

bool GetToken(const char* text, const char* delimiters, int index, char* out, std::size_t size) {
    if (text == nullptr || *text == '\0' || delimiters == nullptr || *delimiters == '\0' || index < 0 ||
        out == nullptr || size == 0) {
        return false;
    }
    int piece = 0;
    std::size_t i = 0;
    while (text[i] != '\0') {
        if (IsDelimiter(text[i], delimiters)) {
            ++i;
            continue;
        }
        std::size_t start = i;
        while (text[i] != '\0' && !IsDelimiter(text[i], delimiters)) i += CharLength(text, i);
        if (piece++ == index) {
            // Truncated to the buffer, never through the middle of a double-byte character.
            std::size_t length = 0;
            for (std::size_t n = start; n < i;) {
                std::size_t step = CharLength(text, n);
                if (length + step > size - 1) break;
                length += step;
                n += step;
            }
            std::memcpy(out, text + start, length);
            out[length] = '\0';
            return true;
        }
    }
    return false;
}

}  // namespace setup
