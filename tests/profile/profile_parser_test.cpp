// The comment pre-pass scans words of eight bytes: every special byte must be found at every
// offset within a word and across word ends, also next to high (double-byte) bytes.
#include "profile/profile_parser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Strip(std::string text) {
    text.resize(setup::profile::StripComments(text.data(), text.size()));
    return text;
}

TEST(ProfileCommentPass, SpecialBytesAtEveryOffset) {
    for (char filler : {'x', '\x83', '\x7F'}) {
        for (std::size_t at = 0; at < 40; ++at) {
            SCOPED_TRACE(testing::Message() << "offset " << at << " filler " << int(filler));
            const std::string head(at, filler), tail(23, filler);
            EXPECT_EQ(Strip(head + "/" + tail), head + "/" + tail);
            EXPECT_EQ(Strip(head + "\"" + tail), head + "\"" + tail);
            EXPECT_EQ(Strip(head + "\r" + tail), head + "\n" + tail);
            EXPECT_EQ(Strip(head + "\r\n\n" + tail), head + "\n" + tail);
            EXPECT_EQ(Strip(head + "//" + tail + "\n" + tail), head + (at ? "\n" : "") + tail);
            EXPECT_EQ(Strip(head + "/*" + tail + "*/" + tail), head + tail);
            EXPECT_EQ(Strip(head + "\"//\"" + tail), head + "\"//\"" + tail);
        }
    }
}

}  // namespace
