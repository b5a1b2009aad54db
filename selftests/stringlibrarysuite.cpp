// Suite 1: the string library called directly. Each row turns one function
// result into a text (flags as "true"/"false", lists as "[part]" per part so
// empty parts show) and compares it with the expected text.
#include "selftests/selftestsuites.h"

#include "support/charconvert.h"
#include "support/csv.h"
#include "support/stringbasics.h"
#include "support/stringedit.h"
#include "support/stringescape.h"
#include "support/stringnumbers.h"
#include "support/stringsplit.h"
#include "support/xmltag.h"

namespace vornscriptunittests {

namespace {

using namespace vornstdstring;
using namespace std::string_view_literals;

std::string flag(bool value) {
    return value ? "true" : "false";
}

std::string parts(const std::vector<std::string>& list) {
    std::string text;
    for (const std::string& part : list) {
        text += "[" + part + "]";
    }
    return text;
}

// The tag written back, or the parse error.
std::string parsedtag(std::string_view text) {
    VornXMLTag tag;
    std::string error;
    if (!tag.parse(text, error)) {
        return error;
    }
    return tag.writetag();
}

std::string csvfields(std::string_view line, std::string_view separators) {
    std::vector<std::string> fields;
    std::string error;
    return parsecsvline(line, separators, defaultcsvquotes, fields, error) ? parts(fields) : error;
}

constexpr std::string_view alphabet = "abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view trimsample = " \t\r\n    abc  \t\r\n\r\n";
constexpr std::string_view newlinesample =
    "this line not contains linefeed \r newline \n and both\r\n and reverse \n\r";
// "abc", tab, CR, LF, blank, NUL, 0xA3, backslash, ".", quote, ".", double
// quote, ".", "%", ".012", the Latin-1 letters of äöüßÄÖÜ, ".", backslash, ".".
constexpr std::string_view escapesample =
    "abc\t\r\n \0\xA3\\.'.\".%.012\xE4\xF6\xFC\xDF\xC4\xD6\xDC.\\."sv;
constexpr std::string_view escapedsample =
    "abc\\t\\r\\n\\x20\\0\\xA3\\\\.\\'.\\\".\\x25.012\xE4\xF6\xFC\xDF\xC4\xD6\xDC.\\\\.";

const DirectCallRow stringlibraryrows[] = {
    {"isequal1", "true", [] { return flag(isequal("abc", "abc")); }},
    {"isequal2", "false", [] { return flag(isequal("abc", "abd")); }},
    {"isequal3", "false", [] { return flag(isequal("abc", "ABC")); }},
    {"isequalnocase1", "true", [] { return flag(isequalnocase("ABCDE", "abcde")); }},
    {"isequalnocase2", "false", [] { return flag(isequalnocase("ABCDE", "abcdf")); }},
    {"isequalnocase3", "false", [] { return flag(isequalnocase("abc", "abcd")); }},
    {"contains1", "true", [] { return flag(contains("abcde", "bcd")); }},
    {"contains2", "false", [] { return flag(contains("abcde", "bce")); }},
    {"contains3", "true", [] { return flag(contains("abcde", "abcde")); }},
    {"contains4", "false", [] { return flag(contains("abc", "abcd")); }},
    {"contains5", "true", [] { return flag(contains("abcde", "e")); }},
    {"contains5", "false", [] { return flag(contains("abcde", "E")); }},
    {"containsnocase1", "true", [] { return flag(containsnocase("abcde", "aBCde")); }},
    {"containsnocase2", "true", [] { return flag(containsnocase("abcde", "BCD")); }},
    {"containsnocase3", "false", [] { return flag(containsnocase("abcde", "xyz")); }},
    {"containsnocase4", "true", [] { return flag(containsnocase("ABCDE", "cde")); }},
    {"containsnocase5", "false", [] { return flag(containsnocase("abc", "ABCD")); }},
    {"containsnocase6", "true", [] { return flag(containsnocase("Hello World", "o w")); }},
    {"indexnocase1", "2", [] { return val2str(indexnocase("abcde", "CD")); }},
    {"indexnocase2", "-1", [] { return val2str(indexnocase("abcde", "x")); }},
    {"indexnocase3", "0", [] { return val2str(indexnocase("abcde", "ABCDE")); }},
    {"indexnocase4", "4", [] { return val2str(indexnocase("abcabc", "BC", 2)); }},
    {"indexnocase5", "-1", [] { return val2str(indexnocase("abc", "abcd")); }},
    {"indexnocase6", "6", [] { return val2str(indexnocase("Hello World", "WORLD")); }},
    {"isSignedNumber1", "true", [] { return flag(isSignedNumber("-13")); }},
    {"isSignedNumber2", "true", [] { return flag(isSignedNumber("+13.76")); }},
    {"isSignedNumber3", "true", [] { return flag(isSignedNumber("13")); }},
    {"isSignedNumber4", "false", [] { return flag(isSignedNumber("-")); }},
    {"isSignedNumber5", "false", [] { return flag(isSignedNumber("1-3")); }},
    {"isNumber1", "true", [] { return flag(isNumber("13")); }},
    {"isNumber2", "true", [] { return flag(isNumber("13.76")); }},
    {"isNumber3", "false", [] { return flag(isNumber("-13")); }},
    {"isNumber4", "false", [] { return flag(isNumber("13.")); }},
    {"isNumber5", "false", [] { return flag(isNumber("")); }},
    {"isIdentifier1", "true", [] { return flag(isIdentifier("abc")); }},
    {"isIdentifier2", "true", [] { return flag(isIdentifier("_a1")); }},
    {"isIdentifier3", "false", [] { return flag(isIdentifier("1abc")); }},
    {"isIdentifier4", "false", [] { return flag(isIdentifier("a-b")); }},
    {"val2str1", "0", [] { return val2str(0); }},
    {"val2str2", "-123", [] { return val2str(-123); }},
    {"val2str3", "9223372036854775807", [] { return val2str(9223372036854775807); }},
    {"char2str1", "a", [] { return char2str('a'); }},
    {"char2str2", " ", [] { return char2str(' '); }},
    {"doubleval2str1", "3.14", [] { return doubleval2str(3.14); }},
    {"doubleval2str2", "1.000001", [] { return doubleval2str(1.000001); }},
    {"val2hexstr1", "07FE", [] { return val2hexstr(0x7FE, 4); }},
    {"val2hexstr2", "0000A0", [] { return val2hexstr(0xA0, 6); }},
    {"val2hexstr3", "7FE", [] { return val2hexstr(0x7FE); }},
    {"hugeval2hexstr1", "0A00000000", [] { return hugeval2hexstr(0xA00000000, 10); }},
    {"hugeval2hexstr2", "A00000000", [] { return hugeval2hexstr(0xA00000000); }},
    {"hugeval2hexstr3", "FFFFFFFFFFFFFFFF", [] { return hugeval2hexstr(~uint64_t{0}); }},
    {"buf2hexstr1", "0A 0B 0C 0D 0E", [] { return buf2hexstr("\x0A\x0B\x0C\x0D\x0E"); }},
    {"buf2hexstr2", "", [] { return buf2hexstr(""); }},
    {"buf2previewstr1", "ab.cd",
     [] {
         return buf2previewstr("ab\x01"
                               "cd",
                               10);
     }},
    {"second2time1", "0:00:00", [] { return second2time(0); }},
    {"second2time2", "2:42:49", [] { return second2time(9769); }},
    {"millisecond2shorttime1", "0:00.000", [] { return millisecond2shorttime(0); }},
    {"millisecond2shorttime2", "162:49.499", [] { return millisecond2shorttime(9769499); }},
    {"millisecond2time1", "0:00:00.000", [] { return millisecond2time(0); }},
    {"millisecond2time2", "2:42:49.499", [] { return millisecond2time(9769499); }},
    {"splitPair1", "[  \t  3  ][ \n 4    ]",
     [] {
         std::string first;
         std::string second;
         return splitPair("  \t  3  / \n 4    ", "/", first, second) ? parts({first, second})
                                                                     : std::string();
     }},
    {"parseIntPair1", "3 4",
     [] {
         int64_t first = 0;
         int64_t second = 0;
         return parseIntPair("  \t  3  / \n 4    ", "/", first, second)
                    ? val2str(first) + " " + val2str(second)
                    : std::string();
     }},
    {"join1", "a,b,c",
     [] {
         return join({"a", "b", "c"}, ",");
     }},
    {"join2", "", [] { return join({}, ","); }},
    {"join3", "a", [] { return join({"a"}, ", "); }},
    {"safecstr1", "abc", [] { return safecstr("abc"); }},
    {"safecstr2", "a\\\"b\\\\c", [] { return safecstr("a\"b\\c"); }},
    {"safecstr3", "a\\tb\\r\\n", [] { return safecstr("a\tb\r\n"); }},
    {"safecstr4", "", [] { return safecstr(nullptr); }},
    {"safestring1", "\\001\\303", [] { return safestring("\x01\xC3"); }},
    {"safestring2", "say \\\"hi\\\"", [] { return safestring("say \"hi\""); }},
    {"escapestring1", escapedsample, [] { return escapestring(escapesample, " %"); }},
    {"unescapestring1", escapesample, [] { return unescapestring(escapedsample); }},
    {"unescapehtmlentities1", "abc\"- &",
     [] { return unescapehtmlentities("abc&quot;&#45;&#x20;&"); }},
    {"escapehtmlentities1", "&lt;a href=&quot;x&quot;&gt;Tom &amp; Jerry&apos;s&lt;/a&gt;",
     [] { return escapehtmlentities("<a href=\"x\">Tom & Jerry's</a>"); }},
    {"trim1", "abc", [] { return trim(trimsample); }},
    {"trimleft1", "abc  \t\r\n\r\n", [] { return trimleft(trimsample); }},
    {"trimright1", " \t\r\n    abc", [] { return trimright(trimsample); }},
    {"chomp1", " \t\r\n    abc  \t\r\n", [] { return chomp(trimsample); }},
    {"removelastmatchtillend1", "filename",
     [] { return removelastmatchtillend("filename.mid", "."); }},
    {"left1", "abc", [] { return left("abcdef", 3); }},
    {"left2", "abc", [] { return left("abc", 10); }},
    {"left3", "", [] { return left("abc", 0); }},
    {"mid1", "cdef", [] { return mid("abcdef", 2); }},
    {"mid2", "cd", [] { return mid("abcdef", 2, 2); }},
    {"mid3", "", [] { return mid("abcdef", 10); }},
    {"mid4", "ef", [] { return mid("abcdef", 4, 10); }},
    {"mid5", "", [] { return mid("abcdef", 0, 0); }},
    {"mid6", "", [] { return mid("abcdef", 6); }},
    {"right1", "ef", [] { return right("abcdef", 2); }},
    {"right2", "abc", [] { return right("abc", 10); }},
    {"right3", "", [] { return right("abc", 0); }},
    {"fill1", "abcXXXXXij", [] { return fill("abcdefghij", 3, 5, "X"); }},
    {"fill2", "abcXYZXYij", [] { return fill("abcdefghij", 3, 5, "XYZ"); }},
    {"fill3", "abcXYZXYZX", [] { return fill("abcdefghij", 3, 20, "XYZ"); }},
    {"right2", "abcdef", [] { return right("abcdef", 6); }},
    {"right3", "", [] { return right("", 3); }},
    {"replaceall1", "aXXcaXXc", [] { return replaceall("abcabc", "b", "XX"); }},
    {"replaceall2", "aaaaaa", [] { return replaceall("aaa", "a", "aa"); }},
    {"replaceall3", "abc", [] { return replaceall("abc", "x", "y"); }},
    {"replacecharacters1", "aREPLREPLREPLREPLd",
     [] { return replacecharacters("abcbcd", "bc", "REPL"); }},
    {"replacecharacters2", "abc", [] { return replacecharacters("abc", "", "X"); }},
    {"replacecharacters3", "abc", [] { return replacecharacters("a.b,c", ".,", ""); }},
    {"split1", "[a][b][c]", [] { return parts(split("a,b,c", ",")); }},
    {"split2", "[a][][b][]", [] { return parts(split("a,,b,", ",")); }},
    {"split3", "", [] { return parts(split("", ",")); }},
    {"split4", "[abc]", [] { return parts(split("abc", ",")); }},
    {"split5", "[a][b][c]", [] { return parts(split("a--b--c", "--")); }},
    {"shortcut1", "abcdefg...", [] { return shortcut(alphabet, 10); }},
    {"shortcut2", "abc", [] { return shortcut("abc", 10); }},
    {"shortcut3", "abcdefghij", [] { return shortcut("abcdefghij", 10); }},
    {"shortmiddlecut1", "abc...wxyz", [] { return shortmiddlecut(alphabet, 10); }},
    {"shortmiddlecut2", "abc", [] { return shortmiddlecut("abc", 10); }},
    {"shortmiddlecut3", "abcdefghij", [] { return shortmiddlecut("abcdefghij", 10); }},
    {"padleft1", "_____abcde", [] { return padleft("abcde", 10, '_'); }},
    {"padleft2", "abcde", [] { return padleft("abcde", 3, '_'); }},
    {"padleft3", "  abc", [] { return padleft("abc", 5); }},
    {"padright1", "abcde_____", [] { return padright("abcde", 10, '_'); }},
    {"padright2", "abcde", [] { return padright("abcde", 3, '_'); }},
    {"padright3", "abc  ", [] { return padright("abc", 5); }},
    {"startswith1", "true", [] { return flag(startswith("abcdef", "abc")); }},
    {"startswith2", "false", [] { return flag(startswith("abcdef", "bc")); }},
    {"startswith3", "false", [] { return flag(startswith("ab", "abc")); }},
    {"endswith1", "true", [] { return flag(endswith("abcdef", "def")); }},
    {"endswith2", "false", [] { return flag(endswith("abcdef", "de")); }},
    {"endswith3", "false", [] { return flag(endswith("ef", "def")); }},
    {"convertnewlines1",
     "this line not contains linefeed \r\n newline \r\n and both\r\n and reverse \r\n\r\n",
     [] { return convertnewlines(newlinesample, "\r\n"); }},
    {"convertnewlines2", "this line does not contain newlines",
     [] { return convertnewlines("this line does not contain newlines", "\r\n"); }},
    {"convertnewlines3", "a\nb\nc\nd", [] { return convertnewlines("a\r\nb\nc\rd", "\n"); }},
    {"splitcsvlines1", "[a;b;][\"c\nd\";\"e f\";]",
     [] { return parts(splitcsvlines("a;b;\n\"c\nd\";\"e f\";")); }},
    {"parsecsvline1", "[1, \"2\", 3][,;\t:\r\n]",
     [] { return csvfields("\t \"1, \"\"2\"\", 3\", \",;\t:\r\n\"\r\n", ","); }},
    {"converttobstring", "0068 00E4 20AC",
     [] { return widecodeunits(utf82wstring("h\xC3\xA4\xE2\x82\xAC")); }},
    {"xmltagparsertest1", "<ein_tag234 attr1=xy attr2=0 attr3='' attr4='hello friend' attr5=''>",
     [] {
         return parsedtag("<ein_tag234 attr1=xy attr2=0 attr3 attr4='hello friend'\tattr5=\"\" >");
     }},
    {"xmltagparsertest2", "<br>", [] { return parsedtag("<br>"); }},
    {"xmltagparsertest3", "<br />", [] { return parsedtag("<br />"); }},
    {"xmltagparsertest4", "error: attribute value missing ending ' or \"",
     [] { return parsedtag("<wrongattr attr=\">"); }},
    {"xmltagparsertest5", "error: tag missing closing >", [] { return parsedtag("<tag attr=1"); }},
    {"xmltagparsertest6", "error: < expected", [] { return parsedtag("tag>"); }},
};

} // namespace

bool stringlibrarysuite(vornscript::vornunittest& registry, const std::string& filter) {
    rundirectcallrows(registry, filter, stringlibraryrows);
    return true;
}

std::string widecodeunits(const std::u16string& text) {
    std::string hex;
    for (char16_t unit : text) {
        if (!hex.empty()) {
            hex += ' ';
        }
        hex += vornstdstring::val2hexstr(unit, 4);
    }
    return hex;
}

void rundirectcallrows(vornscript::vornunittest& registry, const std::string& filter,
                       std::span<const DirectCallRow> rows) {
    for (const DirectCallRow& row : rows) {
        if (vornscript::vornunittest::isselected(filter, row.name)) {
            registry.areequal(row.name, row.actual(), row.expected);
        }
    }
}

} // namespace vornscriptunittests
