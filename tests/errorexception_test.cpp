// Position and full texts of script errors.
#include "values/errorexception.h"

#include <gtest/gtest.h>

namespace vornscriptunittests {
using vornscript::VornScriptErrorException;

TEST(ErrorException, FullTextJoinsNamePositionAndMessage) {
    struct Row {
        const char* filename;
        int line, column;
        const char* position;
        const char* full;
    } rows[] = {
        {"testcatch4", 4, 6, "testcatch4 Line 4 Col 6", "testcatch4 Line 4 Col 6 msg"},
        {"", 1, 3, "Line 1 Col 3", "Line 1 Col 3 msg"},
        {"name", 0, 0, "name ", "name  msg"},
        {"", 0, 0, "", "msg"},
        {"", 5, 0, "", "msg"},
    };
    for (const Row& row : rows) {
        VornScriptErrorException error(row.filename, row.line, row.column, "msg");
        EXPECT_EQ(error.positiontext(), row.position) << row.filename;
        EXPECT_EQ(error.fullerrortext(), row.full) << row.filename;
        EXPECT_STREQ(error.what(), "msg");
    }
}

TEST(ErrorException, RaiseAtPositionThrowsWithThatPosition) {
    vornscript::VornScriptSourcePosition position{1, 3, 2, "testlongdivby0"};
    try {
        vornscript::raiseerroratposition(position, "division by 0");
        FAIL() << "no exception";
    } catch (const VornScriptErrorException& error) {
        EXPECT_EQ(error.fullerrortext(), "testlongdivby0 Line 1 Col 3 division by 0");
    }
}

} // namespace vornscriptunittests
