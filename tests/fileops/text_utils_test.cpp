#include "fileops/text_utils.h"

#include "common/ansi_text.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

TEST(ParseNumber, HexadecimalAndDecimalForms) {
    struct Case {
        const char* text;
        unsigned long expected;
    } cases[] = {
        {"0x1F", 31},
        {"0X1f", 31},
        {"1F", 1},                    // no "0X": decimal reading stops at F
        {"0x123456789", 0x23456789},  // only the last eight hexadecimal digits count
        {"0xFFFFFFFF", 0xFFFFFFFF},
        {"0x", 0},
        {"0x1G", 0x10},               // a non-digit counts as 0
        {"  0x1F", 31},               // blanks are non-digits, worth 0
        {"12", 12},
        {"  -5", 0xFFFFFFFB},
        {"+7x", 7},
        {"4294967295", 0xFFFFFFFF},
        {"", 0},
        {"abc", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.expected, ParseNumber(c.text));
    }
    EXPECT_EQ(0u, ParseNumber(nullptr));
}

TEST(BytesToHex, AppendsUpperCasePairs) {
    const unsigned char bytes[] = {0x00, 0x1A, 0xff, 0x80};
    std::string out = "MAC=";
    EXPECT_TRUE(BytesToHex(bytes, sizeof(bytes), out));
    EXPECT_EQ("MAC=001AFF80", out);

    std::string untouched = "x";
    EXPECT_FALSE(BytesToHex(nullptr, 4, untouched));
    EXPECT_FALSE(BytesToHex(bytes, 0, untouched));
    EXPECT_EQ("x", untouched);
}

TEST(GetToken, PicksTheIndexedPieceSkippingEmptyOnes) {
    struct Case {
        const char* text;
        const char* delimiters;
        int index;
        bool found;
        const char* piece;
    } cases[] = {
        {"a,b,c", ",", 0, true, "a"},
        {"a,b,c", ",", 2, true, "c"},
        {",,a,,b,", ",", 1, true, "b"},    // empty pieces do not count
        {"a b;c", " ;", 2, true, "c"},     // any delimiter character splits
        {"a,b", ",", 2, false, ""},
        {",,,", ",", 0, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " #" + std::to_string(c.index));
        char out[16] = "unchanged";
        EXPECT_EQ(c.found, GetToken(c.text, c.delimiters, c.index, out, sizeof(out)));
        if (c.found) {
            EXPECT_STREQ(c.piece, out);
        }
    }
}

TEST(GetToken, RejectsEmptyArgumentsAndTruncatesToTheBuffer) {
    char out[4];
    EXPECT_FALSE(GetToken(nullptr, ",", 0, out, sizeof(out)));
    EXPECT_FALSE(GetToken("", ",", 0, out, sizeof(out)));
    EXPECT_FALSE(GetToken("a", "", 0, out, sizeof(out)));
    EXPECT_FALSE(GetToken("a", nullptr, 0, out, sizeof(out)));
    EXPECT_FALSE(GetToken("a", ",", -1, out, sizeof(out)));
    EXPECT_FALSE(GetToken("a", ",", 0, nullptr, sizeof(out)));
    EXPECT_FALSE(GetToken("a", ",", 0, out, 0));

    EXPECT_TRUE(GetToken("abcdef,g", ",", 0, out, sizeof(out)));
    EXPECT_STREQ("abc", out);  // at most size bytes, terminator included
}

// In code page 932 the byte 0x5C is the trail byte of some characters ("\x95\x5C"):
// it is not a delimiter, and truncation never splits such a character.
TEST(GetToken, DoubleByteTrailIsNotADelimiter) {
    text::UseCodePage(932);
    char out[16];
    EXPECT_TRUE(GetToken("\x95\x5C" "a\\b", "\\", 0, out, sizeof(out)));
    EXPECT_STREQ("\x95\x5C" "a", out);
    char small[3];
    EXPECT_TRUE(GetToken("a\x95\x5C", "\\", 0, small, sizeof(small)));
    EXPECT_STREQ("a", small);
    text::UseCodePage(0);
}

}  // namespace
}  // namespace setup
