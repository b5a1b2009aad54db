// Wildcard matching with like(): stars, single bytes, digits, sets, case.
#include "support/wildcard.h"

#include <chrono>
#include <gtest/gtest.h>

namespace vornscriptunittests {
using vornstdstring::like;

TEST(StringWildcard, MatchesWholeTextAgainstPattern) {
    struct Row {
        const char* text;
        const char* pattern;
        bool ignorecase;
        bool matches;
    } rows[] = {
        {"hellohello", "*ello*h*", false, true},
        {"hello3hello", "h[ae]llo#h[ae]llo", false, true},
        {"hellohello", "*ello*h*h***", false, false},
        {"", "", false, true},
        {"", "*", false, true},
        {"", "?", false, false},
        {"abc", "ab", false, false},
        {"a5c", "a#c", false, true},
        {"axc", "a#c", false, false},
        {"ABC", "abc", false, false},
        {"ABC", "abc", true, true},
        {"ABC", "a[a-c]c", true, true},
        {"aXc", "a[a-z]c", false, false},
        // "-" is literal first, last, or without a byte before it.
        {"a-c", "a[-x]c", false, true},
        {"a-c", "a[x-]c", false, true},
        {"a*c", "a[*]c", false, true},
        // A set without "]" runs to the end of the pattern.
        {"ab", "a[bc", false, true},
        {"abc", "a[]bc", false, false},
        {"aaab", "*a*b", false, true},
        {"abcabd", "*ab?", false, true},
        {"abcab", "*ab?", false, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(like(row.text, row.pattern, row.ignorecase), row.matches)
            << row.text << " like " << row.pattern;
    }
}

TEST(StringWildcard, ManyStarsOnLongTextStayFast) {
    std::string text(200000, 'a');
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(like(text, "*a*a*a*a*a*a*a*a*a*a*a*a*b", false));
    EXPECT_TRUE(like(text + "b", "*a*a*a*a*a*a*a*a*a*a*a*a*b", false));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

} // namespace vornscriptunittests
