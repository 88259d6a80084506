#pragma once
// 8-bit text in the system's ANSI code page. Name comparisons everywhere are
// case-insensitive and multibyte-aware: a double-byte character of an East Asian code page
// is one character, and its trail byte is never case-folded or taken for a delimiter.
// No platform header here: the text core builds natively too.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace setup::text {

// Lead-byte table of the active code page. Filled from the system on Windows on first use;
// natively (and in tests) it can be set explicitly, e.g. to code page 932.
bool IsLeadByte(unsigned char c);
void SetLeadByteRanges(const unsigned char* ranges);  // pairs of (first, last), ended by 0,0
void UseCodePage(unsigned codePage);                   // 0 = single-byte; 932, 936, 949, 950 known

inline char FoldAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// True when a and b are equal ignoring case, walking double-byte characters as one unit.
bool EqualsNoCase(std::string_view a, std::string_view b);
// Case-folded copy (upper case, double-byte characters untouched), for hashing.
std::string FoldCase(std::string_view s);
// Hash of FoldCase(s) without building the copy.
std::size_t HashNoCase(std::string_view s);
// Upper-cases in place, skipping double-byte characters.
void UpperInPlace(std::string& s);
// Position of the first occurrence of `needle` (case-sensitive, on character boundaries).
std::size_t Find(std::string_view hay, std::string_view needle, std::size_t from = 0);

}  // namespace setup::text
