// String library: comparison, search, classification and trimming.
#include "support/stringbasics.h"

#include <gtest/gtest.h>

namespace vornscriptunittests {
using namespace vornstdstring;

TEST(StringBasics, ComparisonAndSearch) {
    EXPECT_TRUE(isequalnocase("ABCDE", "abcde"));
    EXPECT_FALSE(isequalnocase("ABCDE", "abcd"));
    EXPECT_FALSE(isequalnocase("\xC4", "\xE4")); // only ASCII letters have a case
    EXPECT_TRUE(containsnocase("abcde", "aBCde"));
    EXPECT_FALSE(containsnocase("abcde", "abcdef"));
    EXPECT_TRUE(contains("abcde", ""));
    EXPECT_FALSE(contains("abcde", "ce"));
    struct Row {
        const char* text;
        const char* subtext;
        size_t start;
        long expected;
    } rows[] = {
        {"Hello World", "WORLD", 0, 6}, {"Hello World", "o", 5, 7}, {"Hello World", "xyz", 0, -1},
        {"abc", "abcd", 0, -1},         {"abc", "", 3, 3},          {"abc", "a", 99, -1},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(indexnocase(row.text, row.subtext, row.start), row.expected)
            << row.text << " / " << row.subtext << " from " << row.start;
    }
    EXPECT_TRUE(startswith("abcdef", "abc"));
    EXPECT_FALSE(startswith("ab", "abc"));
    EXPECT_TRUE(endswith("abcdef", "def"));
    EXPECT_FALSE(endswith("abcdef", "DEF"));
}

TEST(StringBasics, Classification) {
    struct Row {
        const char* text;
        bool number, signednumber, signedwhole, hexnumber, identifier;
    } rows[] = {
        {"13", true, true, true, true, false},         {"13.76", true, true, false, false, false},
        {"-13", false, true, true, false, false},      {"+0.5", false, true, false, false, false},
        {"", false, false, false, false, false},       {"-", false, false, false, false, false},
        {"13.", false, false, false, false, false},    {".5", false, false, false, false, false},
        {"1.2.3", false, false, false, false, false},  {"1e5", false, false, false, true, false},
        {"3abcdef", false, false, false, true, false}, {"x13", false, false, false, false, true},
        {"_a1_", false, false, false, false, true},    {"a-b", false, false, false, false, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(isNumber(row.text), row.number) << row.text;
        EXPECT_EQ(isSignedNumber(row.text), row.signednumber) << row.text;
        EXPECT_EQ(isSignedWholeNumber(row.text), row.signedwhole) << row.text;
        EXPECT_EQ(isHexNumber(row.text), row.hexnumber) << row.text;
        EXPECT_EQ(isIdentifier(row.text), row.identifier) << row.text;
    }
}

TEST(StringBasics, Trimming) {
    const std::string text = " \t\r\n    abc  \t\r\n\r\n";
    EXPECT_EQ(trim(text), "abc");
    EXPECT_EQ(trimleft(text), "abc  \t\r\n\r\n");
    EXPECT_EQ(trimright(text), " \t\r\n    abc");
    EXPECT_EQ(chomp(text), " \t\r\n    abc  \t\r\n");
    EXPECT_EQ(trim(" \t\r\n"), "");
    EXPECT_EQ(trim("."), ".");
    struct Row {
        const char* text;
        const char* chomped;
    } chomps[] = {{"a\n", "a"}, {"a\r", "a"}, {"a\n\r", "a\n"}, {"a", "a"}, {"", ""}};
    for (const Row& row : chomps) {
        EXPECT_EQ(chomp(row.text), row.chomped);
    }
    EXPECT_EQ(removelastmatchtillend("filename.mid", "."), "filename");
    EXPECT_EQ(removelastmatchtillend("a.b.c", "."), "a.b");
    EXPECT_EQ(removelastmatchtillend("filename", "."), "filename");
    EXPECT_EQ(removelastmatchtillend("filename", ""), "filename");
}

} // namespace vornscriptunittests
