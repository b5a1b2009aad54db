// String library: backslash escapes, C literal bodies, HTML entities, quoting.
#include "support/stringescape.h"

#include <gtest/gtest.h>

namespace vornscriptunittests {
using namespace vornstdstring;

// The Latin-1 letters ä ö ü ß Ä Ö Ü, which escapestring keeps.
const std::string umlauts = "\xE4\xF6\xFC\xDF\xC4\xD6\xDC";

TEST(StringEscape, EscapeWithExtraSet) {
    const std::string input = std::string("abc\t\r\n \0\xA3\\.'.\".%.012", 20) + umlauts + ".\\.";
    const std::string escaped =
        "abc\\t\\r\\n\\x20\\0\\xA3\\\\.\\'.\\\".\\x25.012" + umlauts + ".\\\\.";
    EXPECT_EQ(escapestring(input, " %"), escaped);
    EXPECT_EQ(unescapestring(escaped), input);
}

TEST(StringEscape, EscapeAndUnescapeRows) {
    struct Row {
        std::string text;
        const char* escaped;
    } rows[] = {
        {"plain text 1+2", "plain text 1+2"},
        {"\x7F\x80\xFF\x01", "\\x7F\\x80\\xFF\\x01"},
        {"\xE9", "\\xE9"}, // Latin-1 letters other than the German ones are escaped
        {"", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(escapestring(row.text), row.escaped);
        EXPECT_EQ(unescapestring(row.escaped), row.text);
    }
    // Every byte survives the round trip, also with every byte in the extra set.
    std::string allbytes;
    for (int byte = 0; byte < 256; ++byte) {
        allbytes.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(unescapestring(escapestring(allbytes)), allbytes);
    EXPECT_EQ(unescapestring(escapestring(allbytes, allbytes)), allbytes);

    struct Lenient {
        const char* escaped;
        const char* text;
    } lenient[] = {
        {"\\x4a\\x4A", "JJ"}, {"\\q", "\\q"},     {"\\xG1", "\\xG1"},
        {"\\x4", "\\x4"},     {"end\\", "end\\"},
    };
    for (const Lenient& row : lenient) {
        EXPECT_EQ(unescapestring(row.escaped), row.text) << row.escaped;
    }
}

TEST(StringEscape, SafeCLiteralBody) {
    struct Row {
        std::string text;
        const char* safe;
    } rows[] = {
        {"say \"hi\"\n", "say \\\"hi\\\"\\n"},
        {"c:\\dir\t'x'", "c:\\\\dir\\t'x'"},
        {std::string("\0"
                     "1",
                     2),
         "\\0001"},
        {"\xC3\xA4"
         "A",
         "\\303\\244A"},
        {"\x7F\x1B", "\\177\\033"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(safestring(row.text), row.safe);
    }
    EXPECT_EQ(safecstr(nullptr), "");
    EXPECT_EQ(safecstr("a\"b"), "a\\\"b");
}

TEST(StringEscape, HtmlEntities) {
    const std::string text = "<a href=\"x\">Tom & Jerry's " + umlauts + "\x7F</a>";
    const std::string escaped = "&lt;a href=&quot;x&quot;&gt;Tom &amp; Jerry&apos;s "
                                "&auml;&ouml;&uuml;&szlig;&Auml;&Ouml;&Uuml;&#127;&lt;/a&gt;";
    EXPECT_EQ(escapehtmlentities(text), escaped);
    EXPECT_EQ(unescapehtmlentities(escaped), text);
    struct Row {
        const char* escaped;
        std::string text;
    } rows[] = {
        {"abc&quot;&#45;&#x20;&", "abc\"- &"},
        {"&#X41;&#65;", "AA"},
        {"&#0;", std::string(1, '\0')},
        {"&#256;&#;&#x;&#12", "&#256;&#;&#x;&#12"},
        {"&#99999999999999999999;", "&#99999999999999999999;"},
        {"&nbsp;&amp", "&nbsp;&amp"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(unescapehtmlentities(row.escaped), row.text) << row.escaped;
    }
}

TEST(StringEscape, QuoteAndUnquote) {
    EXPECT_EQ(quotestring("hello \"world"), "'hello \\\"world'");
    EXPECT_EQ(quotestring("it's a\\b\n"), "'it\\'s a\\\\b\n'");
    struct Row {
        const char* quoted;
        const char* text;
    } rows[] = {
        {"'hello \\\"world'", "hello \"world"},
        {"\"tab\\there\"", "tab\there"},
        {"'mismatched\"", "'mismatched\""},
        {"no quotes\\n", "no quotes\\n"},
        {"'", "'"},
        {"''", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(unquotestring(row.quoted), row.text) << row.quoted;
    }
    EXPECT_EQ(unquotestring(quotestring("a'b\"c\\d")), "a'b\"c\\d");
}

} // namespace vornscriptunittests
