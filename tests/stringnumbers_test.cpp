// String library: numbers, hex, buffers and durations as text.
#include "support/stringnumbers.h"

#include <gtest/gtest.h>
#include <limits>

namespace vornscriptunittests {
using namespace vornstdstring;

TEST(StringNumbers, DecimalAndDoubleTexts) {
    EXPECT_EQ(val2str(0), "0");
    EXPECT_EQ(val2str(-1234567890123), "-1234567890123");
    EXPECT_EQ(val2str(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(char2str('x'), "x");
    EXPECT_EQ(char2str('\0'), std::string(1, '\0'));
    struct Row {
        double value;
        const char* expected;
    } rows[] = {
        {3.14, "3.14"},
        {1.000001, "1.000001"},
        {2.0, "2"},
        {-0.5, "-0.5"},
        {-0.0, "0"},
        {0.1 + 0.2, "0.3"},
        {1.0000001, "1"},
        {-0.0000001, "0"},
        {1e20, "100000000000000000000"},
        {std::numeric_limits<double>::infinity(), "inf"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(doubleval2str(row.value), row.expected);
    }
    EXPECT_EQ(doubleval2str(std::numeric_limits<double>::denorm_min()), "0");
    EXPECT_EQ(doubleval2str(-std::numeric_limits<double>::max()).size(), 310u);
}

TEST(StringNumbers, HexTexts) {
    struct Row {
        std::string result;
        const char* expected;
    } rows[] = {
        {val2hexstr(0x7FE, 4), "07FE"},
        {val2hexstr(0xA0, 6), "0000A0"},
        {val2hexstr(0x7FE), "7FE"},
        {val2hexstr(0), "0"},
        {val2hexstr(0x12345, 2), "12345"},
        {val2hexstr(0xFFFFFFFF), "FFFFFFFF"},
        {hugeval2hexstr(0xA00000000ULL, 10), "0A00000000"},
        {hugeval2hexstr(UINT64_MAX), "FFFFFFFFFFFFFFFF"},
        {buf2hexstr("\x0A\x0B\x0C\x0D\x0E"), "0A 0B 0C 0D 0E"},
        {buf2hexstr(std::string("\0\xFF", 2)), "00 FF"},
        {buf2hexstr(""), ""},
        {buf2previewstr("hello\tworld\x80", 100), "hello.world."},
        {buf2previewstr("hello world", 5), "hello..."},
        {buf2previewstr("hello", 5), "hello"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.result, row.expected);
    }
}

TEST(StringNumbers, TimeTexts) {
    struct Row {
        std::string result;
        const char* expected;
    } rows[] = {
        {second2time(0), "0:00:00"},
        {second2time(9769), "2:42:49"},
        {second2time(360000), "100:00:00"},
        {second2time(-61), "-0:01:01"},
        {millisecond2time(0), "0:00:00.000"},
        {millisecond2time(9769499), "2:42:49.499"},
        {millisecond2shorttime(0), "0:00.000"},
        {millisecond2shorttime(9769499), "162:49.499"},
        {millisecond2shorttime(INT64_MIN), "-153722867280912:55.808"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.result, row.expected);
    }
}

} // namespace vornscriptunittests
