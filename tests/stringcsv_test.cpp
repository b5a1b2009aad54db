// CSV: separator filtering, parsing one line, splitting lines, writing a line.
#include "support/csv.h"

#include <gtest/gtest.h>

namespace vornscriptunittests {

namespace {
std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) {
        text += "<" + part + ">";
    }
    return text;
}
} // namespace

TEST(StringCsv, SeparatorsAreFilteredToPunctuationAndTab) {
    const char* rows[][2] = {
        {",", ","}, {"", ",;:\t"}, {"ab c1\"'", ",;:\t"}, {"a|b\t", "|\t"}, {";\n,", ";,"},
    };
    for (const auto& [requested, expected] : rows) {
        EXPECT_EQ(vornstdstring::csvfieldseparators(requested), expected) << requested;
    }
}

TEST(StringCsv, ParseLine) {
    struct Row {
        const char* line;
        const char* separators;
        const char* quotes;
        const char* fields; // each field in <>, or the error message
    } rows[] = {
        {"\t \"1, \"\"2\"\", 3\", \",;\t:\r\n\"\r\n", ",", "", "<1, \"2\", 3><,;\t:\r\n>"},
        {"a;b;\"c d\"", "", "", "<a><b><c d>"},
        {"a,,b,", ",", "", "<a><><b>"},
        {"a\tb:c", "", "", "<a><b><c>"},
        {"x \"y\"", ",", "", "<x y>"},
        {"'a,b',c", ",", "'", "<a,b><c>"},
        {"\"a'b\",'c\"d'", ",", "\"'", "<a'b><c\"d>"},
        {"a,\"\"", ",", "", "<a><>"},
        {"", ",", "", ""},
        {"a\r\n  \t", ",", "", "<a>"},
        {"a,\"b", ",", "", "missing ending quote"},
        {"a\nb", ",", "", "extra characters before end of line"},
    };
    for (const Row& row : rows) {
        std::vector<std::string> fields{"stale"};
        std::string errortext;
        bool success =
            vornstdstring::parsecsvline(row.line, row.separators, row.quotes, fields, errortext);
        EXPECT_EQ(success ? joined(fields) : errortext, row.fields) << row.line;
        EXPECT_TRUE(success || fields.empty()) << row.line;
    }
}

TEST(StringCsv, SplitLinesOutsideQuotes) {
    struct Row {
        const char* text;
        const char* quotes;
        const char* lines;
    } rows[] = {
        {"a;b;\n\"c\nd\";\"e f\";", "\"", "<a;b;><\"c\nd\";\"e f\";>"},
        {"a\r\nb\rc\n", "\"", "<a><b><c>"},
        {"a\n\nb", "\"", "<a><><b>"},
        {"'x\ny'\nz", "\"", "<'x><y'><z>"},
        {"'x\ny'\nz", "'", "<'x\ny'><z>"},
        {"\"a\"\"\nb\"\nc", "\"", "<\"a\"\"\nb\"><c>"},
        {"", "\"", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(joined(vornstdstring::splitcsvlines(row.text, row.quotes)), row.lines)
            << row.text;
    }
}

TEST(StringCsv, MakeLineQuotesWhereNeeded) {
    struct Row {
        std::vector<std::string> fields;
        const char* separator;
        const char* line;
    } rows[] = {
        {{"a", "b c", "d"}, ",", "a,\"b c\",d\n"},
        {{"a;b", "c,d"}, ";", "\"a;b\";c,d\n"},
        {{"say \"hi\"", "x\ny"}, ",", "\"say \"\"hi\"\"\",\"x\ny\"\n"},
        {{"", "x"}, ",", ",x\n"},
        {{}, ",", "\n"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(vornstdstring::makecsvline(row.fields, row.separator), row.line);
    }
}

} // namespace vornscriptunittests
