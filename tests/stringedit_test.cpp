// String library: substrings, filling, padding, shortening and plain replacing.
#include "support/stringedit.h"

#include <gtest/gtest.h>

namespace vornscriptunittests {
using namespace vornstdstring;

TEST(StringEdit, SubstringsClipToTheText) {
    struct Row {
        const char* name;
        std::string result;
        const char* expected;
    } rows[] = {
        {"left", left("abcdef", 3), "abc"},
        {"left longer", left("abcdef", 10), "abcdef"},
        {"left negative", left("abcdef", -1), ""},
        {"right", right("abcdef", 3), "def"},
        {"right longer", right("abcdef", 10), "abcdef"},
        {"mid to end", mid("abcdef", 3), "def"},
        {"mid count", mid("abcdef", 3, 2), "de"},
        {"mid count past end", mid("abcdef", 4, 100), "ef"},
        {"mid start beyond end", mid("abcdef", 7, 2), ""},
        {"mid negative start", mid("abcdef", -2, 2), "ab"},
        {"mid huge count", mid("abcdef", 1, INT64_MAX), "bcdef"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.result, row.expected) << row.name;
    }
}

TEST(StringEdit, FillOverwritesWithoutGrowing) {
    struct Row {
        const char* text;
        int64_t pos, count;
        const char* filltext;
        const char* expected;
    } rows[] = {
        {"abcdefghij", 3, 5, "X", "abcXXXXXij"},
        {"abcdefghij", 3, 5, "XYZ", "abcXYZXYij"},
        {"abcdefghij", 3, 50, "XYZ", "abcXYZXYZX"},
        {"abcdefg", 1, 5, "AB", "aABABAg"},
        {"abc", 5, 2, "X", "abc"},
        {"abc", 0, 2, "", "abc"},
        {"abc", 1, -4, "X", "abc"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(fill(row.text, row.pos, row.count, row.filltext), row.expected)
            << row.text << " " << row.pos << " " << row.count << " " << row.filltext;
    }
}

TEST(StringEdit, PaddingAndShortening) {
    const std::string alphabet = "abcdefghijklmnopqrstuvwxyz";
    EXPECT_EQ(padleft("abcde", 10, '_'), "_____abcde");
    EXPECT_EQ(padright("abcde", 10, '_'), "abcde_____");
    EXPECT_EQ(padleft("abcdef", 3), "abcdef");
    EXPECT_EQ(shortcut(alphabet, 10), "abcdefg...");
    EXPECT_EQ(shortmiddlecut(alphabet, 10), "abc...wxyz");
    EXPECT_EQ(shortcut(alphabet, 26), alphabet);
    EXPECT_EQ(shortcut(alphabet, 2), "ab");
    EXPECT_EQ(shortmiddlecut(alphabet, 0), "");
    EXPECT_EQ(shortmiddlecut(alphabet, 4), "...z");
}

TEST(StringEdit, Replacing) {
    struct Row {
        std::string result;
        const char* expected;
    } rows[] = {
        {replaceall("through the never", "e", "E"), "through thE nEvEr"},
        {replaceall("aaa", "a", "aa"), "aaaaaa"}, // inserted text is not rescanned
        {replaceall("aaaa", "aa", "b"), "bb"},
        {replaceall("abc", "", "x"), "abc"},
        {replaceall("abc", "abc", ""), ""},
        {replacecharacters("abcbcd", "bc", "REPL"), "aREPLREPLREPLREPLd"},
        {replacecharacters("abc", "", "X"), "abc"},
        {replacecharacters(std::string("a\0b", 3), std::string("\0", 1), "0"), "a0b"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.result, row.expected);
    }
}

TEST(StringEdit, ConvertNewlines) {
    EXPECT_EQ(convertnewlines("this line not contains linefeed \r newline \n and both\r\n "
                              "and reverse \n\r",
                              "\r\n"),
              "this line not contains linefeed \r\n newline \r\n and both\r\n and reverse "
              "\r\n\r\n");
    EXPECT_EQ(convertnewlines("this line does not contain newlines", "\r\n"),
              "this line does not contain newlines");
    EXPECT_EQ(convertnewlines("a\r\n\r\nb\r", "\n"), "a\n\nb\n");
    EXPECT_EQ(convertnewlines("a\nb", ""), "ab");
}

} // namespace vornscriptunittests
