// The JSON tree: parsing into a tree and writing it back, parse failures with
// their messages and positions, and the writer's quoting and layout.
#include "support/jsontree.h"

#include <gtest/gtest.h>

namespace vornscriptunittests {
using vornjson::vornjsontree;

namespace {
struct Row {
    std::string input;
    std::string expected; // the written tree, or the failure message
};

vornjsontree object(std::initializer_list<std::pair<std::string, vornjsontree>> members) {
    vornjsontree tree = vornjsontree::makeobject();
    for (const auto& [key, value] : members) {
        tree.setmember(key, value);
    }
    return tree;
}
} // namespace

TEST(JsonTree, ParseAndWriteBack) {
    const Row rows[] = {
        // Members come out in key order; a nested container's "," stands alone.
        {R"({"b": 1, "a": [1, 2]})",
         "{\n    \"a\": [\n        1,\n        2\n    ]\n,\n    \"b\": 1\n}\n"},
        {"[[1],[2]]", "[\n    [\n        1\n    ]\n,\n    [\n        2\n    ]\n\n]\n"},
        {"{}", "{\n}\n"},
        {"[]", "[\n]\n"},
        {"\t\r\n 42 ", "42"},
        // Scalars keep their text; only decimal digits are written bare.
        {"[true, false, null, -5, +3, 2.5E-7, 1e5]",
         "[\n    \"true\",\n    \"false\",\n    \"null\",\n    \"-5\",\n    \"+3\",\n"
         "    \"2.5E-7\",\n    \"1e5\"\n]\n"},
        // No escapes inside strings: a backslash is an ordinary character.
        {R"(["a\b", ""])", "[\n    \"a\\\\b\",\n    \"\"\n]\n"},
        // Commas are optional, a repeated key replaces, any scalar is a key.
        {R"({"k": 1 "k": 2 3: true})", "{\n    \"3\": \"true\",\n    \"k\": 2\n}\n"},
        {"[1 2,]", "[\n    1,\n    2\n]\n"},
        // Text after the value is ignored when it tokenizes.
        {"[1] ] } 7", "[\n    1\n]\n"},
        // Exponents take only "-": "1e+5" is 1e then +5.
        {"[1e+5]", "[\n    \"1e\",\n    \"+5\"\n]\n"},
    };
    for (const Row& row : rows) {
        vornjsontree tree;
        std::string error;
        ASSERT_TRUE(tree.parse(row.input, error)) << row.input << ": " << error;
        EXPECT_EQ(tree.write(), row.expected) << row.input;
    }
}

TEST(JsonTree, ParsedStructure) {
    vornjsontree tree;
    std::string error;
    ASSERT_TRUE(tree.parse(R"({"b": "x", "a": [1, [2]]})", error));
    ASSERT_EQ(tree.kind(), vornjson::jsonobject);
    ASSERT_EQ(tree.members().size(), 2u);
    EXPECT_EQ(tree.members().begin()->first, "a");
    const vornjsontree& a = tree.members().at("a");
    ASSERT_EQ(a.kind(), vornjson::jsonarray);
    ASSERT_EQ(a.elements().size(), 2u);
    EXPECT_EQ(a.elements()[0].text(), "1");
    EXPECT_EQ(a.elements()[1].kind(), vornjson::jsonarray);
    EXPECT_EQ(tree.members().at("b").kind(), vornjson::jsonscalar);
    EXPECT_EQ(tree.members().at("b").text(), "x");
}

TEST(JsonTree, ParseFailures) {
    const Row rows[] = {
        {R"({"a" 1})", "expected : "},
        {R"({"a"})", "expected : "},
        {"[1, 2", "expected ]"},
        {R"({"a": 1)", "expected }"},
        {R"({"a": 1;})", "expected }"},
        {"tru", "invalid identifier tru"},
        {"[1, nul1]", "invalid identifier nul1"},
        {"[1;2]", "unknown character found: ;"},
        {"'a'", "unknown character found: '"},
        {R"(["abc)", "literal missing \""},
        {"", "expected json data"},
        {"  \n ", "expected json data"},
        {":", "expected json data"},
        {"[1, }", "expected json data"},
        {R"({"a": })", "expected json data"},
        {"[1] ;", "unknown character found: ;"},
        {"{} xyz", "invalid identifier xyz"},
    };
    for (const Row& row : rows) {
        vornjsontree tree;
        std::string error;
        EXPECT_FALSE(tree.parse(row.input, error)) << row.input;
        EXPECT_EQ(error, row.expected) << row.input;
    }
}

TEST(JsonTree, FailureDiscardsTreeAndTellsPosition) {
    vornjsontree tree;
    std::string error;
    ASSERT_TRUE(tree.parse("[1, 2]", error));
    vornjson::vornjsonposition position;
    EXPECT_FALSE(tree.parse("[1,\n\t\"x\" ;]", error, &position));
    EXPECT_EQ(tree.kind(), vornjson::jsonscalar);
    EXPECT_TRUE(tree.elements().empty());
    EXPECT_EQ(tree.text(), "");
    EXPECT_EQ(position.line, 2);
    EXPECT_EQ(position.column, 13); // tab to 9, "x" is three wide, then a blank
}

TEST(JsonTree, NestingDepthIsLimited) {
    auto nested = [](int depth) { return std::string(depth, '[') + std::string(depth, ']'); };
    vornjsontree tree;
    std::string error;
    EXPECT_TRUE(tree.parse(nested(vornjson::maximumjsondepth), error)) << error;
    EXPECT_FALSE(tree.parse(nested(vornjson::maximumjsondepth + 1), error));
    EXPECT_EQ(error, "json data nested too deeply");
    EXPECT_FALSE(tree.parse(std::string(1000000, '{'), error));
    EXPECT_EQ(error, "expected }");
    EXPECT_FALSE(tree.parse(std::string(1000000, '['), error));
    EXPECT_EQ(error, "json data nested too deeply");
}

TEST(JsonTree, WriterQuotesAndEscapesScalars) {
    const Row rows[] = {
        {"12", "12"},
        {" 12 ", " 12 "},
        {"-5", "\"-5\""},
        {"3.5", "\"3.5\""},
        {"abc", "\"abc\""},
        {"1 2", "\"1 2\""},
        {"", "\"\""},
        {"   ", "\"   \""},
        {"a\nb", "\"a\\nb\""},
        {std::string("q\"'\\\t\r\0z", 8), "\"q\\\"\\'\\\\\\t\\r\\0z\""},
        {"\xA3\x7F\x01", "\"\\xA3\\x7F\\x01\""},
        {"\xE4\xF6\xFC\xDF\xC4\xD6\xDC", "\"\xE4\xF6\xFC\xDF\xC4\xD6\xDC\""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(vornjsontree(row.input).write(), row.expected) << row.input;
    }
}

TEST(JsonTree, WriterLayoutAtDepth) {
    vornjsontree list = vornjsontree::makearray();
    list.appendelement(vornjsontree("1"));
    vornjsontree tree = object({{"z", vornjsontree("abc")},
                                {"n", object({{"x", vornjsontree("12")}})},
                                {"l", list},
                                {"key \"raw\"", vornjsontree("-5")}});
    EXPECT_EQ(tree.write(), "{\n"
                            "    \"key \"raw\"\": \"-5\",\n"
                            "    \"l\": [\n"
                            "        1\n"
                            "    ]\n"
                            ",\n"
                            "    \"n\": {\n"
                            "        \"x\": 12\n"
                            "    }\n"
                            ",\n"
                            "    \"z\": \"abc\"\n"
                            "}\n");
    EXPECT_EQ(list.write(2), "[\n            1\n        ]\n");
    EXPECT_EQ(vornjsontree::makeobject().write(1), "{\n    }\n");
}

} // namespace vornscriptunittests
