// Replace with options: plain and regular-expression modes, word and whole
// rules, first or all, and the non-ASCII encoding.
#include "support/regularexpression.h"
#include "support/replaceoptions.h"

#include <gtest/gtest.h>

namespace vornscriptunittests {
using vornstdstring::VornReplaceOptions;

namespace {

// Options written as letters: i ignorecase, r regularexpressions, w wordsonly,
// h wholeonly, 1 first only (replaceall off), e encodenotascii.
VornReplaceOptions optionsfrom(std::string_view letters) {
    VornReplaceOptions options;
    options.ignorecase = letters.find('i') != std::string_view::npos;
    options.regularexpressions = letters.find('r') != std::string_view::npos;
    options.wordsonly = letters.find('w') != std::string_view::npos;
    options.wholeonly = letters.find('h') != std::string_view::npos;
    options.replaceall = letters.find('1') == std::string_view::npos;
    options.encodenotascii = letters.find('e') != std::string_view::npos;
    return options;
}

struct Row {
    const char* text;
    const char* pattern;
    const char* replacement;
    const char* options;
    const char* expected;
};

void checkrows(std::span<const Row> rows) {
    for (const Row& row : rows) {
        EXPECT_EQ(vornstdstring::replace(row.text, row.pattern, row.replacement,
                                         optionsfrom(row.options)),
                  row.expected)
            << row.text << " / " << row.pattern << " / " << row.options;
    }
}

} // namespace

TEST(StringReplace, PlainCaseAndCount) {
    const Row rows[] = {
        {"sounds like a melody", "O", "-o-", "", "sounds like a melody"},
        {"sounds like a melody", "O", "-o-", "i", "s-o-unds like a mel-o-dy"},
        {"sounds like a melody", "O", "-o-", "i1", "s-o-unds like a melody"},
        {"through the never", "e", "E", "", "through thE nEvEr"},
        // Inserted text is never searched again.
        {"aaa", "a", "aa", "", "aaaaaa"},
        {"abab", "ab", "", "", ""},
        {"abc", "", "x", "", "abc"},
        {"", "a", "b", "", ""},
    };
    checkrows(rows);
}

TEST(StringReplace, PlainWordsAndWhole) {
    const Row rows[] = {
        {"we have the thesis", "THE", "a", "iw", "we have a thesis"},
        {"the thesis the", "the", "a", "w", "a thesis a"},
        {"bathe the", "the", "a", "w", "bathe a"},
        // Latin-1 letters are word characters.
        {"\xE4the the", "the", "a", "w", "\xE4the a"},
        // The byte before an occurrence is read from the text as replaced so
        // far: after "-" became "x" the second "-" no longer starts a word.
        {"--b", "-", "x", "w", "x-b"},
        {"abc", "abc", "x", "h", "x"},
        {"abcd", "abc", "x", "h", "abcd"},
        {"ABC", "abc", "x", "ih", "x"},
    };
    checkrows(rows);
}

TEST(StringReplace, RegularExpressions) {
    const Row rows[] = {
        {"sounds like a melody", "[AEIOU]", "_", "r", "sounds like a melody"},
        {"sounds like a melody", "[AEIOU]", "_", "ri", "s__nds l_k_ _ m_l_dy"},
        {"sounds like a melody", "[aeiou]", "_", "r1", "s_unds like a melody"},
        {"the thesis", "the", "a", "rw", "a thesis"},
        {"the thesis", "^the", "a", "rw", "a thesis"},
        {"the thesis", "\\bthe\\b", "a", "rw", "a thesis"},
        {"abc", "b", "x", "rh", "abc"},
        {"abc", "a.c", "x", "rh", "x"},
        {"abc", "^a.c$", "x", "rh", "x"},
        {"abc abc", "abc", "x", "rhw", "abc abc"},
        {"ab", "(a)(b)", "$2$1", "r", "ba"},
    };
    checkrows(rows);
}

TEST(StringReplace, EncodeNotAscii) {
    const Row rows[] = {
        {"\xC3\x84nderung", "Q_xC3_EQ_x84_E", "Q_xC3_EQ_xA4_E", "e", "\xC3\xA4nderung"},
        {"\xC3\x84nderung", "Q_xC3_EQ_x84_E", "Q_xC3_EQ_xA4_E", "er", "\xC3\xA4nderung"},
        {"a\xFF", "Q_xFF_E", "b", "e", "ab"},
    };
    checkrows(rows);
    VornReplaceOptions options;
    EXPECT_EQ(options.encodenotasciitext("a\x80\xFFz"), "aQ_x80_EQ_xFF_Ez");
    const char* decoded[][2] = {
        {"aQ_x80_EQ_xff_Ez", "a\x80\xFFz"},
        {"Q_xG0_E Q_x80_ Q_x8", "Q_xG0_E Q_x80_ Q_x8"},
    };
    for (const auto& [text, expected] : decoded) {
        EXPECT_EQ(options.decodenotasciitext(text), expected) << text;
    }
}

TEST(StringReplace, WordCharacterCanBeRedefined) {
    struct HyphenWords : VornReplaceOptions {
        bool iswordcharacter(unsigned char byte) const override {
            return byte == '-' || VornReplaceOptions::iswordcharacter(byte);
        }
    } options;
    options.wordsonly = true;
    EXPECT_EQ(vornstdstring::replace("x-the the", "the", "a", options), "x-the a");
}

TEST(StringReplace, BadPatternPropagatesRegularExpressionError) {
    VornReplaceOptions options;
    options.regularexpressions = true;
    EXPECT_THROW(vornstdstring::replace("abc", "([a", "x", options),
                 vornstdstring::VornRegularExpressionError);
}

TEST(StringReplace, OptionFieldsListDefaultsInScriptOrder) {
    VornReplaceOptions defaults;
    std::string text;
    for (const auto& field : vornstdstring::replaceoptionfields()) {
        text += text.empty() ? "{" : ", ";
        text += field.name;
        text += defaults.*field.member ? ": 1" : ": 0";
    }
    text += "}";
    EXPECT_EQ(text, "{encodenotascii: 0, ignorecase: 0, regularexpressions: 0, replaceall: 1, "
                    "wholeonly: 0, wordsonly: 0}");
}

} // namespace vornscriptunittests
