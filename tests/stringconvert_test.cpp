// Character conversions: Windows-1252, UTF-8 and UTF-16.
#include "support/charconvert.h"

#include <gtest/gtest.h>

namespace vornscriptunittests {
using namespace vornstdstring;

TEST(CharConvert, Windows1252) {
    struct Row {
        std::string ansi;
        std::u16string wide;
    } rows[] = {
        {"abc", u"abc"},
        {"\xC4nderung \xDF", u"\u00C4nderung \u00DF"},
        {"\x80\x8A\x9F\xFF", u"\u20AC\u0160\u0178\u00FF"},
        {"\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"},
        {std::string("\0a", 2), std::u16string(u"\0a", 2)},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ansi2wstring(row.ansi), row.wide) << row.ansi;
        EXPECT_EQ(wstring2ansi(row.wide), row.ansi) << row.ansi;
    }
    // Characters the code page lacks become one "?" each.
    const char16_t unmapped[] = {u'a', 0x100, u'b', 0xD83D, 0xDE00, u'c', 0xD800};
    EXPECT_EQ(wstring2ansi(std::u16string_view(unmapped, 7)), "a?b?c?");
    std::string allbytes;
    for (int byte = 0; byte < 256; ++byte) {
        allbytes.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(wstring2ansi(ansi2wstring(allbytes)), allbytes);
}

TEST(CharConvert, Utf8AndUtf16) {
    struct Row {
        std::string utf8;
        std::u16string wide;
    } rows[] = {
        {"abc", u"abc"},
        {"\xC3\x84nderung", u"\u00C4nderung"},
        {"\xE2\x82\xAC", u"\u20AC"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        {"", u""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(utf82wstring(row.utf8), row.wide) << row.utf8;
        EXPECT_EQ(wstring2utf8(row.wide), row.utf8) << row.utf8;
    }
}

TEST(CharConvert, InvalidInputBecomesReplacementCharacters) {
    struct Row {
        const char* name;
        std::string utf8;
        std::u16string wide;
    } rows[] = {
        {"stray continuation", "a\x80z", u"a\uFFFDz"},
        {"truncated at end", "a\xE2\x82", u"a\uFFFD\uFFFD"},
        {"truncated before ascii", "\xE2\x82z", u"\uFFFD\uFFFDz"},
        {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"overlong three bytes", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"invalid lead", "\xFF", u"\uFFFD"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(utf82wstring(row.utf8), row.wide) << row.name;
    }
    const char16_t unpaired[] = {u'a', 0xD800, u'z', 0xDC00};
    EXPECT_EQ(wstring2utf8(std::u16string_view(unpaired, 4)), "a\xEF\xBF\xBDz\xEF\xBF\xBD");
    EXPECT_EQ(wstring2utf8(std::u16string(1, char16_t(0xDBFF))), "\xEF\xBF\xBD");
}

} // namespace vornscriptunittests
