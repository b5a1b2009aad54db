// Scanner: tokens and their texts, positions, the -scan listing and every
// syntax error with its full text. Rows are (script, expected) grouped by topic.
#include "frontend/scanner.h"
#include "support/phrasetranslator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vornscriptunittests {
using namespace vornscript;

namespace {

struct TokenRow {
    std::string script;
    std::vector<std::string> tokens;
};

struct ErrorRow {
    std::string script;
    std::string error;
};

// Each token as its kind name, plus a blank and its text when they differ.
std::vector<std::string> scantokens(const std::string& script) {
    VornScriptScanner scanner(makescriptsource("console", script));
    std::vector<std::string> tokens;
    for (TokenKind kind = scanner.start(); kind != TOKEN_ENDOFFILE; kind = scanner.next()) {
        std::string token = tokenkindname(kind);
        if (scanner.text() != token) {
            token += " " + scanner.text();
        }
        tokens.push_back(token);
    }
    return tokens;
}

// The full text of the first error while scanning the whole script; "" when none.
std::string scanerror(const std::string& script) {
    VornScriptScanner scanner(makescriptsource("console", script));
    try {
        for (TokenKind kind = scanner.start(); kind != TOKEN_ENDOFFILE; kind = scanner.next()) {
        }
    } catch (const VornScriptErrorException& error) {
        return error.fullerrortext();
    }
    return "";
}

void checktokens(const std::vector<TokenRow>& rows) {
    for (const TokenRow& row : rows) {
        EXPECT_EQ(scantokens(row.script), row.tokens) << "script: " << row.script;
    }
}

void checkerrors(const std::vector<ErrorRow>& rows) {
    for (const ErrorRow& row : rows) {
        EXPECT_EQ(scanerror(row.script), row.error) << "script: " << row.script;
    }
}

std::string repeat(const std::string& part, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += part;
    }
    return text;
}

} // namespace

TEST(Scanner, KindNames) {
    struct Row {
        TokenKind kind;
        std::string name;
    } rows[] = {
        {TOKEN_ENDOFFILE, "Endoffile"},
        {TOKEN_LITERAL, "LITERAL"},
        {TOKEN_NUMBER, "NUMBER"},
        {TOKEN_IDENTIFIER, "IDENTIFIER"},
        {TOKEN_UNDEFINE, "UNDEFINE"},
        {TOKEN_VARIABLE, "VARIABLE"},
        // "^=" has no name of its own: the low byte of 263.
        {TOKEN_XORASSIGN, "\x07"},
        {TOKEN_ELLIPSIS, "..."},
        {'}', "}"},
        {1, "\x01"},
        {200, "\xC8"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(tokenkindname(row.kind), row.name) << row.kind;
    }
}

TEST(Scanner, OperatorsTakeTheLongestMatch) {
    const std::string all = "( ) [ ] { } = ? , ; * / % + - ! < > & | ^ ~ . : == =~ =& != && ++ "
                            "-- .. << >> || += -= *= /= %= |= &= ^= <= >= <<= >>= ...";
    const std::vector<TokenKind> kinds = {
        '(', ')', '[', ']', '{', '}', '=', '?', ',', ';', '*', '/', '%', '+', '-', '!',
        '<', '>', '&', '|', '^', '~', '.', ':', 189, 77,  82,  161, 166, 171, 173, 174,
        188, 190, 252, 256, 257, 258, 259, 260, 261, 262, 263, 264, 265, 266, 267, 302};
    VornScriptScanner scanner(makescriptsource("console", all));
    std::vector<TokenKind> scanned;
    for (TokenKind kind = scanner.start(); kind != TOKEN_ENDOFFILE; kind = scanner.next()) {
        scanned.push_back(kind);
    }
    EXPECT_EQ(scanned, kinds);

    checktokens({
        {"a+++b", {"IDENTIFIER a", "++", "+", "IDENTIFIER b"}},
        {"x<<=1>>=2", {"IDENTIFIER x", "<<=", "NUMBER 1", ">>=", "NUMBER 2"}},
        {"....", {"...", "."}},
        {"=&&!~!", {"=&", "&", "!~", "!"}},
        {"a<<<b", {"IDENTIFIER a", "<<", "<", "IDENTIFIER b"}},
        {"x^=y", {"IDENTIFIER x", "\x07 ^=", "IDENTIFIER y"}},
    });
}

TEST(Scanner, KeywordsAreExactAndCaseSensitive) {
    checktokens({
        {"break case catch continue default do else false",
         {"BREAK break", "CASE case", "CATCH catch", "CONTINUE continue", "DEFAULT default",
          "DO do", "ELSE else", "FALSE false"}},
        {"for foreach function goto if in null repeat",
         {"FOR for", "FOREACH foreach", "FUNCTION function", "GOTO goto", "IF if", "IN in",
          "NULL null", "REPEAT repeat"}},
        {"return switch true try undef until var while",
         {"RETURN return", "SWITCH switch", "TRUE true", "TRY try", "UNDEFINE undef", "UNTIL until",
          "VARIABLE var", "WHILE while"}},
        {"True WHILE variable int iff",
         {"IDENTIFIER True", "IDENTIFIER WHILE", "IDENTIFIER variable", "IDENTIFIER int",
          "IDENTIFIER iff"}},
    });
}

TEST(Scanner, Numbers) {
    checktokens({
        {"0xba 0xBA 0X3F", {"NUMBER 186", "NUMBER 186", "NUMBER 63"}},
        {"0x", {"NUMBER 0"}},
        {"0x0000000000000000001", {"NUMBER 1"}},
        {"0xFFFFFFFFFFFFFFFF", {"NUMBER -1"}},
        {"1e3 1e-3 1E+3 10.01e3", {"NUMBER 1e3", "NUMBER 1e-3", "NUMBER 1E+3", "NUMBER 10.01e3"}},
        {"1e", {"NUMBER 1", "IDENTIFIER e"}},
        {"1e+x", {"NUMBER 1", "IDENTIFIER e", "+", "IDENTIFIER x"}},
        {"0..1", {"NUMBER 0", "..", "NUMBER 1"}},
        {"3.", {"NUMBER 3", "."}},
        {".01", {".", "NUMBER 01"}},
        {"1.5.3", {"NUMBER 1.5", ".", "NUMBER 3"}},
        {"-5", {"-", "NUMBER 5"}},
        {"007 00x1", {"NUMBER 007", "NUMBER 00", "IDENTIFIER x1"}},
        {"0x1F.5", {"NUMBER 31", ".", "NUMBER 5"}},
        {"12abc", {"NUMBER 12", "IDENTIFIER abc"}},
    });
}

TEST(Scanner, QuotedTextsAndEscapes) {
    checktokens({
        {"   'hello'   ", {"LITERAL hello"}},
        {"\"hello\"", {"LITERAL hello"}},
        {"''", {"LITERAL "}},
        {"'LITERAL'", {"LITERAL"}},
        {"'say \"hi\"' \"it's\"", {"LITERAL say \"hi\"", "LITERAL it's"}},
        {"'\\x53'", {"LITERAL S"}},
        {"'A\\x{BC}E'",
         {"LITERAL A\xBC"
          "E"}},
        {"'\\xyz'", {"LITERAL \\xyz"}},
        {"'\\X41\\x414\\x4'", {"LITERAL AA4\x04"}},
        {"'\\x{0041}\\x{}\\X{}'", {"LITERAL A\\x{}\\X{}"}},
        {"'a\\tb\\rc\\nd'", {"LITERAL a\tb\rc\nd"}},
        {"'\\b\\f\\\"\\'\\\\\\q'", {"LITERAL \b\f\"'\\q"}},
    });
}

TEST(Scanner, SpecialTextForms) {
    checktokens({
        {"__multiline__('hello\nworld')", {"LITERAL hello\nworld"}},
        {"__noescape__('\\[\\n\\t\\x1a\\)')", {"LITERAL \\[\\n\\t\\x1a\\)"}},
        {"__multiline__(__noescape__('a\\n\nb'))", {"LITERAL a\\n\nb"}},
        {"__noescape__(__escape__('\\n'))", {"LITERAL \n"}},
        {"__singleline__(\"a'b\")", {"LITERAL a'b"}},
        {"__multiline__ /* c */ ( // x\n 'a' \n ) + 1", {"LITERAL a", "+", "NUMBER 1"}},
        {"__escape__( )", {"LITERAL "}},
        {"__other__ _x __escape", {"IDENTIFIER __other__", "IDENTIFIER _x", "IDENTIFIER __escape"}},
    });
}

TEST(Scanner, IdentifiersWithNameSpaces) {
    checktokens({
        {"::x a::b a::b::c x_1",
         {"IDENTIFIER ::x", "IDENTIFIER a::b", "IDENTIFIER a::b::c", "IDENTIFIER x_1"}},
        {"a : b", {"IDENTIFIER a", ":", "IDENTIFIER b"}},
        {"label:x", {"IDENTIFIER label", ":", "IDENTIFIER x"}},
    });
}

TEST(Scanner, Comments) {
    checktokens({
        {"1 // c\n2", {"NUMBER 1", "NUMBER 2"}},
        {"1 /* a\n*/ 2", {"NUMBER 1", "NUMBER 2"}},
        {"/*/ */3 /**/x", {"NUMBER 3", "IDENTIFIER x"}},
        {"1//x", {"NUMBER 1"}},
        {"a/b", {"IDENTIFIER a", "/", "IDENTIFIER b"}},
    });
}

TEST(Scanner, SyntaxErrorsCarryTheTokenStart) {
    const std::string prefix = "console Line 1 Col ";
    checkerrors({
        // quoted texts
        {"   'hello", prefix + "4 invalid syntax: string is not ending before end of line"},
        {"'ab\ncd'", prefix + "1 invalid syntax: string is not ending before end of line"},
        {"x = 'ab\rcd'", prefix + "5 invalid syntax: string is not ending before end of line"},
        {"'abc\\", prefix + "1 invalid syntax: string is not ending before end of line"},
        {"'\\x{41'", prefix + "1 invalid syntax: \\x{ missing closing }"},
        {"'\\x{z}'", prefix + "1 invalid syntax: \\x{ missing closing }"},
        {"'\\x{100}'", prefix + "1 invalid syntax: \\xHH too large"},
        {"'\\x{FFFFFFFFFFFFFFFFFFFFFF}'", prefix + "1 invalid syntax: \\xHH too large"},
        // special text forms
        {"   __multiline__('hello\nworld",
         prefix + "4 invalid syntax: __multiline__ string is not ending before end of code"},
        {"   __multiline__('hello\nworld'",
         prefix + "4 invalid syntax: __multiline__ string missing closing ) before end of code"},
        {"__singleline__('a\nb')",
         prefix + "1 invalid syntax: string is not ending before end of line"},
        {"__multiline__(__singleline__('a\nb'))",
         prefix + "1 invalid syntax: string is not ending before end of line"},
        {"__singleline__('a' x",
         prefix + "1 invalid syntax: __singleline__ string missing closing ) before end of line"},
        {"__noescape__('a'", prefix + "1 invalid syntax: __noescape__ string missing closing )"},
        {"__escape__(x)", prefix + "1 invalid syntax: __escape__ string missing closing )"},
        {"__multiline__ 'a'", prefix + "1 invalid syntax: __multiline__ missing ("},
        {"__singleline__'a'", prefix + "1 invalid syntax: __singleline__ missing ("},
        {"__noescape__", prefix + "1 invalid syntax: __noescape__ missing ("},
        {"a __escape__ x", prefix + "3 invalid syntax: __escape__ missing ("},
        // identifiers
        {"var spaceA::::x;", prefix + "5 invalid syntax: invalid namespace in identifier"},
        {"var spaceA::x:: ;", prefix + "5 invalid syntax: invalid namespace in identifier"},
        {"a:::b", prefix + "1 invalid syntax: invalid namespace in identifier"},
        {"::", prefix + "1 invalid syntax: invalid namespace in identifier"},
        // comments: the position is the token before the comment
        {"/* abc", prefix + "1 invalid syntax: block comment started in line 1 not closed by */"},
        {"a\n  b /* x\n\n",
         "console Line 2 Col 3 invalid syntax: block comment started in line 2 not closed by */"},
        // characters and numbers
        {"a = 3 # 4", prefix + "7 invalid syntax: invalid character found: #"},
        {"0xfg", prefix + "1 invalid syntax: invalid character found: g"},
        {"x 0x1FFFFFFFFFFFFFFFF", prefix + "3 invalid syntax: hexadecimal number too large"},
    });
}

TEST(Scanner, PositionsCountLinesColumnsAndBytes) {
    struct Row {
        std::string script;
        std::vector<std::string> positions; // "line:column:charpos" per token, end included
    } rows[] = {
        {"a\nbc d\r\ne", {"1:1:0", "2:1:2", "2:4:5", "3:1:8", "3:2:9"}},
        {"x\ry", {"1:1:0", "1:1:2", "1:2:3"}},
        {std::string("a\0b", 3), {"1:1:0", "1:2:1"}},
        {"__multiline__('a\nb') c", {"1:1:0", "2:5:21", "2:6:22"}},
        {"1+ ", {"1:1:0", "1:2:1", "1:4:3"}},
    };
    for (const Row& row : rows) {
        VornScriptScanner scanner(makescriptsource("console", row.script));
        std::vector<std::string> positions;
        TokenKind kind = scanner.start();
        for (;; kind = scanner.next()) {
            VornScriptSourcePosition position = scanner.tokenposition();
            EXPECT_EQ(position.filename, "console");
            positions.push_back(std::to_string(position.line) + ":" +
                                std::to_string(position.column) + ":" +
                                std::to_string(position.charpos));
            if (kind == TOKEN_ENDOFFILE) {
                break;
            }
        }
        EXPECT_EQ(positions, row.positions) << "script: " << row.script;
    }
}

TEST(Scanner, ListingLines) {
    struct Row {
        std::string name;
        std::string script;
        std::vector<std::string> lines;
    } rows[] = {
        {"console", "1+2", {"console L1C1 NUMBER 1", "console L1C2 +", "console L1C3 NUMBER 2"}},
        {"console", "while x", {"console L1C1 WHILE while", "console L1C7 IDENTIFIER x"}},
        {"", "'LITERAL' ^=", {"L1C1 LITERAL", "L1C11 \x07 ^="}},
    };
    for (const Row& row : rows) {
        VornScriptScanner scanner(makescriptsource(row.name, row.script));
        std::vector<std::string> lines;
        for (TokenKind kind = scanner.start(); kind != TOKEN_ENDOFFILE; kind = scanner.next()) {
            lines.push_back(scanner.describetoken());
        }
        EXPECT_EQ(lines, row.lines) << "script: " << row.script;
    }
}

TEST(Scanner, ExpectReadsOnOrFailsWithMissing) {
    VornScriptScanner scanner(makescriptsource("console", "( x }"));
    scanner.start();
    scanner.expect('(');
    scanner.expect(TOKEN_IDENTIFIER);
    EXPECT_EQ(scanner.kind(), '}');
    try {
        scanner.expect(')');
        FAIL() << "no error";
    } catch (const VornScriptErrorException& error) {
        EXPECT_EQ(error.fullerrortext(), "console Line 1 Col 5 invalid syntax: missing )");
    }
    scanner.next();
    try {
        scanner.expect(TOKEN_WHILE);
        FAIL() << "no error";
    } catch (const VornScriptErrorException& error) {
        EXPECT_EQ(error.fullerrortext(), "console Line 1 Col 6 invalid syntax: missing WHILE");
    }
}

TEST(Scanner, PreviousTokenAndRestart) {
    VornScriptScanner scanner(makescriptsource("s", "a +\n b"));
    scanner.start();
    scanner.next();
    EXPECT_EQ(scanner.kind(), '+');
    EXPECT_EQ(scanner.previouskind(), TOKEN_IDENTIFIER);
    EXPECT_EQ(scanner.previoustokenposition().column, 1);
    EXPECT_EQ(scanner.tokencolumn(), 3);
    scanner.next();
    EXPECT_EQ(scanner.tokenline(), 2);
    EXPECT_EQ(scanner.tokencharpos(), 5);
    EXPECT_EQ(scanner.next(), TOKEN_ENDOFFILE);
    EXPECT_EQ(scanner.text(), "");

    EXPECT_EQ(scanner.start(), TOKEN_IDENTIFIER);
    EXPECT_EQ(scanner.text(), "a");
    EXPECT_EQ(scanner.previouskind(), TOKEN_ENDOFFILE);
    EXPECT_EQ(scanner.tokenposition().positiontext(), "s Line 1 Col 1");
}

TEST(Scanner, CharacterLookAhead) {
    VornScriptScanner scanner(makescriptsource("console", "lbl \r\n : x"));
    scanner.start();
    EXPECT_EQ(scanner.currentchar(), ' ');
    EXPECT_EQ(scanner.peekchar(4), ':');
    EXPECT_EQ(scanner.peekchar(100), '\0');
    EXPECT_EQ(scanner.nextnonblankchar(), ':');
    EXPECT_TRUE(scanner.startswithword(" \r\n :"));
    EXPECT_FALSE(scanner.startswithword(" \r\n : x y"));
}

TEST(Scanner, CastTypes) {
    for (const char* type : {"long", "double", "float", "int", "string", "structure", "vector"}) {
        EXPECT_TRUE(VornScriptScanner::iscasttype(type)) << type;
    }
    for (const char* other : {"Int", "integer", "", "var", "char"}) {
        EXPECT_FALSE(VornScriptScanner::iscasttype(other)) << other;
    }
}

TEST(Scanner, DeeplyNestedFormsNeedNoDeepStack) {
    const int depth = 100000;
    EXPECT_EQ(scantokens(repeat("__escape__(", depth) + "'x'" + repeat(")", depth)),
              std::vector<std::string>{"LITERAL x"});
    EXPECT_EQ(scanerror(repeat("__noescape__ (", depth) + "'x'" + repeat(")", depth - 1)),
              "console Line 1 Col 1 invalid syntax: __noescape__ string missing closing )");
}

TEST(Scanner, MessagesPassThroughTheTranslator) {
    struct TagTranslator : VornPhraseTranslator {
        std::string translate(const std::string& phrase, const std::string& tag) override {
            return "[" + tag + "]" + phrase;
        }
    } translator;
    setcurrenttranslator(&translator);
    const std::string error = scanerror("x #");
    VornScriptScanner scanner(makescriptsource("console", "1"));
    scanner.start();
    const std::string line = scanner.describetoken();
    setcurrenttranslator(nullptr);
    EXPECT_EQ(error, "console Line 1 Col 3 [scriptscanner]invalid syntax: "
                     "[scriptscanner]invalid character found: #");
    EXPECT_EQ(line, "console [scriptscanner]L1[scriptscanner]C1 NUMBER 1");
}

} // namespace vornscriptunittests
