// The regular-expression wrapper: ECMAScript semantics, groups, the replace
// format, errors, and subjects too large for a recursive engine.
#include "support/regularexpression.h"

#include <gtest/gtest.h>

namespace vornscriptunittests {
using vornstdstring::regexreplace;
using vornstdstring::VornRegexMatch;
using vornstdstring::VornRegularExpression;
using vornstdstring::VornRegularExpressionError;

TEST(StringRegex, SearchFollowsEcmaScriptRules) {
    struct Row {
        const char* text;
        const char* pattern;
        bool ignorecase;
        bool found;
    } rows[] = {
        {"hello", "^h[el]+o$", false, true},
        {"hello", "E", false, false},
        {"hello", "E", true, true},
        {"hello", "h.*llo", false, true},
        {"hello", "h[aEiou]llo", false, false},
        // "$" and "^" only at the ends of the text, "." never a line end.
        {"abc\n", "abc$", false, false},
        {"a\nb", "^b", false, false},
        {"a\nb", "a.b", false, false},
        {"a\rb", "a.b", false, false},
        {"", "^$", false, true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(VornRegularExpression(row.pattern, row.ignorecase).search(row.text), row.found)
            << row.text << " =~ " << row.pattern;
    }
    EXPECT_TRUE(VornRegularExpression("b", false).search(std::string_view("a\0b", 3)));
    EXPECT_TRUE(VornRegularExpression("h.l+o", false).matchwhole("hello"));
    EXPECT_FALSE(VornRegularExpression("ell", false).matchwhole("hello"));
}

TEST(StringRegex, SearchReportsWholeMatchAndGroups) {
    VornRegexMatch match;
    ASSERT_TRUE(VornRegularExpression("^h([el]*)(x)?(o+)$", false).search("hello", match));
    ASSERT_EQ(match.groupcount(), 4u);
    EXPECT_EQ(match.group(0), "hello");
    EXPECT_EQ(match.group(1), "ell");
    EXPECT_FALSE(match.matched(2));
    EXPECT_EQ(match.group(2), "");
    EXPECT_EQ(match.group(3), "o");
    EXPECT_EQ(match.group(9), "");

    std::vector<std::string> found;
    VornRegularExpression("[0-9]+", false).foreachmatch("a1b22c333d", [&](const VornRegexMatch& m) {
        found.emplace_back(m.group(0));
        return found.size() < 2;
    });
    EXPECT_EQ(found, (std::vector<std::string>{"1", "22"}));
}

// A visitor may search again (script code run from it can), even with the
// same expression, without disturbing the walk it is called from.
TEST(StringRegex, NestedWalksKeepTheirOwnPlace) {
    const VornRegularExpression digits("[0-9]+", false);
    std::vector<std::string> seen;
    digits.foreachmatch("a1b22c333", [&](const VornRegexMatch& outer) {
        std::string inner = digits.replace("x9y88", "<$&>", true);
        digits.foreachmatch("7", [&](const VornRegexMatch& deepest) {
            inner.append(deepest.group(0));
            return true;
        });
        seen.push_back(std::string(outer.group(0)).append("/").append(inner));
        return true;
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"1/x<9>y<88>7", "22/x<9>y<88>7", "333/x<9>y<88>7"}));
}

TEST(StringRegex, ReplaceWithFlagsAndFormat) {
    struct Row {
        const char* text;
        const char* pattern;
        const char* format;
        const char* flags;
        const char* expected;
    } rows[] = {
        {"hello", "e", "a", "", "hallo"},
        {"hello Lord", "l", "L", "gi", "heLLo Lord"},
        {"hello Lord", "l", "L", "i", "heLlo Lord"},
        {"its all about geeksforgeeks", "(geeks)(.*)", "$2", "", "its all about forgeeks"},
        {"hello", "h([el]+)(o+)", "h$1...$2", "", "hell...o"},
        {"abc", "x", "y", "g", "abc"},
        {"abc", "b", "[$&|$`|$'|$$]", "", "a[b|a|c|$]c"},
        // Unknown "$" forms and a final "$" stay literal; an absent group is empty.
        {"abc", "b", "$x$", "", "a$x$c"},
        {"abc", "(b)(z)?", "<$2>", "", "a<>c"},
        // "$10" with one group is group 1 followed by "0".
        {"abc", "(b)", "$10", "", "ab0c"},
        // Empty matches advance one byte at a time.
        {"abc", "x*", "-", "g", "-a-b-c-"},
        // After a non-empty match an empty one may follow at the same place,
        // after an empty one only a non-empty one.
        {"aab", "a*", "-", "g", "--b-"},
        {"aaa", "a|", "<$&>", "g", "<a><a><a><>"},
        {"ab", "(?=b)|b", "[$&]", "g", "a[][b]"},
        {"abc def", "\\b", "|", "g", "|abc| |def|"},
        {"", "x*", "-", "g", "-"},
        {"aaa", "a", "b", "sxyz", "baa"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(regexreplace(row.text, row.pattern, row.format, row.flags), row.expected)
            << row.text << " / " << row.pattern << " / " << row.format;
    }
}

TEST(StringRegex, CommentsAfterPossessiveQuantifiersMatchNothing) {
    // The engine used to loop forever compiling these.
    struct Row {
        const char* pattern;
        std::string_view text;
    } rows[] = {
        {"a++(?#c)b", "aab"},
        {"a*+(?#c)(?#d)b", "aab"},
        {"\\x00++(?#)\\x81", std::string_view("\x00\x81", 2)},
        {"a++ (?#c)b", "a b"},
        {"(?x)a{2}+ (?#c) b", "aab"},
        // Not a comment after a possessive quantifier: unchanged.
        {"[+(?#)]++x", "(?#x"},
        {"\\++(?#c)b", "++b"},
    };
    for (const Row& row : rows) {
        EXPECT_TRUE(VornRegularExpression(row.pattern, false).matchwhole(row.text)) << row.pattern;
    }
}

TEST(StringRegex, BadPatternRaisesRegularExpressionError) {
    for (const char* pattern : {"(a", "[a", "a{2,1}", "*", "a++(?#c)*"}) {
        try {
            VornRegularExpression expression(pattern, false);
            FAIL() << pattern << " compiled";
        } catch (const VornRegularExpressionError& error) {
            EXPECT_STREQ(error.what(), "regular expression error");
            EXPECT_FALSE(error.enginemessage().empty());
        }
    }
}

TEST(StringRegex, HugeSubjectFailsCleanlyInsteadOfCrashing) {
    std::string subject(1000000, 'a');
    for (size_t i = 0; i < subject.size(); i += 3) {
        subject[i] = 'b';
    }
    VornRegularExpression expression("(a|b)*c", false);
    try {
        EXPECT_FALSE(expression.search(subject));
    } catch (const VornRegularExpressionError& error) {
        EXPECT_STREQ(error.what(), "regular expression error");
    }
}

TEST(StringRegex, CacheKeepsPatternsAndCaseFlagApart) {
    // More patterns than the cache holds, each used twice, with both case flags.
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 100; ++i) {
            std::string number = std::to_string(i);
            std::string pattern = std::string("X").append(number).append("$");
            std::string text = std::string("x").append(number);
            EXPECT_FALSE(VornRegularExpression(pattern, false).search(text)) << pattern;
            EXPECT_TRUE(VornRegularExpression(pattern, true).search(text)) << pattern;
        }
    }
}

} // namespace vornscriptunittests
