#include "servicedate/pjl_service_date.h"

#include <gtest/gtest.h>

namespace servicedate {
namespace {

TEST(PjlServiceDate, UelIsEscapeAndEightCharacters) {
    EXPECT_EQ(std::string("\x1B%-12345X", 9), UelSequence());
    EXPECT_EQ(9u, UelSequence().size());
}

TEST(PjlServiceDate, LineIsAlways35BytesWithZeroPaddedDate) {
    struct Case {
        int year, month, day;
        const char* digits;
    } cases[] = {
        {2026, 3, 1, "20260301"},   // first day of a month, month below October
        {2026, 10, 31, "20261031"},
        {2026, 12, 9, "20261209"},
        {999, 1, 1, "09990101"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.digits);
        std::string line = ServiceDateLine(c.year, c.month, c.day);
        EXPECT_EQ(std::string("@PJL DEFAULT SERVICEDATE=") + c.digits + "\r\n", line);
        EXPECT_EQ(35u, line.size());
    }
}

}  // namespace
}  // namespace servicedate
