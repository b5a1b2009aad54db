// Number-range lists: items, ranges in both directions, separators, errors.
#include "support/intrangelist.h"

#include <gtest/gtest.h>

namespace vornscriptunittests {

TEST(StringIntRangeList, ExpandsItemsInWrittenOrder) {
    struct Row {
        const char* text;
        std::vector<std::int64_t> numbers;
    } rows[] = {
        {"1,2 3;5-7 9", {1, 2, 3, 5, 6, 7, 9}},
        {" 5 - 1 ", {5, 4, 3, 2, 1}},
        {"  10  ", {10}},
        {"2-4", {2, 3, 4}},
        {"3;3;3", {3, 3, 3}},
        {"7-7,\t1", {7, 1}},
        {",,1,;2", {1, 2}},
        {"", {}},
        {"999999999999999999", {999999999999999999}},
    };
    for (const Row& row : rows) {
        std::vector<std::int64_t> numbers{42};
        std::string errortext;
        EXPECT_TRUE(vornstdstring::parseintrangelist(row.text, numbers, errortext)) << row.text;
        EXPECT_EQ(numbers, row.numbers) << row.text;
    }
}

TEST(StringIntRangeList, RejectsAnythingElse) {
    for (const char* text : {"a", "1a", "1-", "-1", "1-2-3", "1.5", "1 - x", "1--2",
                             "9999999999999999999", "0-99999999999"}) {
        std::vector<std::int64_t> numbers;
        std::string errortext;
        EXPECT_FALSE(vornstdstring::parseintrangelist(text, numbers, errortext)) << text;
        EXPECT_EQ(errortext, "parseintrangelist invalid range list syntax") << text;
        EXPECT_TRUE(numbers.empty()) << text;
    }
}

} // namespace vornscriptunittests
