// String library: splitting at separators, word sets and line ends; joining.
#include "support/stringsplit.h"

#include <gtest/gtest.h>

namespace vornscriptunittests {
using namespace vornstdstring;
using Parts = std::vector<std::string>;

TEST(StringSplit, SplitAtSeparatorText) {
    struct Row {
        const char* text;
        const char* separator;
        Parts expected;
    } rows[] = {
        {"a,b,c,d,e", ",", {"a", "b", "c", "d", "e"}},
        {"a,,b,", ",", {"a", "", "b", ""}},
        {",", ",", {"", ""}},
        {"", ",", {}},
        {"a--b-c", "--", {"a", "b-c"}},
        {"abc", "", {"abc"}},
        {"abc", ";", {"abc"}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(split(row.text, row.separator), row.expected) << row.text;
    }
}

TEST(StringSplit, SplitWordsAndLines) {
    EXPECT_EQ(splitwords("a \r\n b\n c,d\r\n\r\nd?e"), (Parts{"a", "b", "c", "d", "d?e"}));
    EXPECT_EQ(splitwords("a b\n c\r\n\r\nd, e", "\t\r\n?,;!"), (Parts{"a b", " c", "d", " e"}));
    EXPECT_EQ(splitwords(" ,; "), Parts{});
    // Bytes from 0x80 on never separate, even when listed.
    EXPECT_EQ(splitwords("a\xA0"
                         "b c",
                         "\xA0 "),
              (Parts{"a\xA0"
                     "b",
                     "c"}));

    const char* text = "a \r\n b\n c\r\n\r\nd e";
    EXPECT_EQ(splitlines(text, false), (Parts{"a \r\n", " b\n", " c\r\n", "\r\n", "d e"}));
    EXPECT_EQ(splitlines(text, true), (Parts{"a", " b", " c", "", "d e"}));
    EXPECT_EQ(splitlines("x\ry\n\r", false), (Parts{"x\r", "y\n", "\r"}));
    EXPECT_EQ(splitlines("x \t", true), Parts{"x"});
    EXPECT_EQ(splitlines("", true), Parts{});
}

TEST(StringSplit, PairsAndJoin) {
    std::string first = "old", second = "old";
    EXPECT_TRUE(splitPair("  \t  3  / \n 4    ", "/", first, second));
    EXPECT_EQ(first, "  \t  3  ");
    EXPECT_EQ(second, " \n 4    ");
    EXPECT_TRUE(splitPair("a=b=c", "=", first, second));
    EXPECT_EQ(second, "b=c");
    EXPECT_FALSE(splitPair("abc", "/", first, second));
    EXPECT_EQ(first + second, "");

    struct Row {
        const char* text;
        bool ok;
        int64_t first, second;
    } rows[] = {
        {"  \t  3  / \n 4    ", true, 3, 4},
        {"-9223372036854775808/+4", true, INT64_MIN, 4},
        {"9223372036854775808/4", false, 0, 0},
        {"3/", false, 0, 0},
        {"3/x", false, 0, 0},
        {"3.0/4", false, 0, 0},
        {"34", false, 0, 0},
    };
    for (const Row& row : rows) {
        int64_t a = -1, b = -1;
        EXPECT_EQ(parseIntPair(row.text, "/", a, b), row.ok) << row.text;
        EXPECT_EQ(a, row.first) << row.text;
        EXPECT_EQ(b, row.second) << row.text;
    }

    EXPECT_EQ(join({"hello", "world", "!"}, " "), "hello world !");
    EXPECT_EQ(join({"a"}, ", "), "a");
    EXPECT_EQ(join({}, ", "), "");
    EXPECT_EQ(join({"", ""}, "|"), "|");
}

} // namespace vornscriptunittests
