// Parser: precedence and associativity (shown as fully parenthesised
// expressions), statement forms, every syntax error with its full text, the
// expansion of ranges in vector literals, literal type codes and the nesting
// limit that keeps deep input off the native stack.
#include "tests/parsertesthelpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vornscriptunittests {
using namespace vornscript;

namespace {

struct Row {
    std::string script;
    std::string expected;
};

// "(first second ...)": the parts joined by blanks, in parentheses.
std::string form(const std::vector<std::string>& parts) {
    std::string text = "(";
    for (const std::string& part : parts) {
        if (text.size() > 1) {
            text += ' ';
        }
        text += part;
    }
    return text + ")";
}

// An expression as a parenthesised prefix form: "(+ 3 (* 4 5))".
std::string shape(const VornScriptNodePtr& node) {
    switch (node->nodekind) {
    case VornScriptNodeKind::constvalue:
        return static_cast<const VornScriptConstValue&>(*node).text;
    case VornScriptNodeKind::variablereference:
        return static_cast<const VornScriptVariableReference&>(*node).name.text;
    case VornScriptNodeKind::binaryexpression: {
        const auto& binary = static_cast<const VornScriptBinaryExpression&>(*node);
        return form({tokenkindname(binary.op), shape(binary.left), shape(binary.right)});
    }
    case VornScriptNodeKind::assignment: {
        const auto& assignment = static_cast<const VornScriptAssignmentExpression&>(*node);
        return form(
            {tokenkindname(assignment.op), shape(assignment.target), shape(assignment.value)});
    }
    case VornScriptNodeKind::unaryexpression: {
        const auto& unary = static_cast<const VornScriptUnaryExpression&>(*node);
        return form({tokenkindname(unary.op), shape(unary.operand)});
    }
    case VornScriptNodeKind::postexpression: {
        const auto& post = static_cast<const VornScriptPostExpression&>(*node);
        return form({"post", tokenkindname(post.op), shape(post.operand)});
    }
    case VornScriptNodeKind::typecast: {
        const auto& cast = static_cast<const VornScriptTypeCastExpression&>(*node);
        return form({cast.type, shape(cast.operand)});
    }
    case VornScriptNodeKind::ifthenelse: {
        const auto& conditional = static_cast<const VornScriptIfThenElse&>(*node);
        return form({"?", shape(conditional.condition), shape(conditional.thenbranch),
                     shape(conditional.elsebranch)});
    }
    case VornScriptNodeKind::structuremember: {
        const auto& member = static_cast<const VornScriptStructureMemberReference&>(*node);
        return form({".", shape(member.structure),
                     member.memberkey ? shape(member.memberkey) : member.membername});
    }
    case VornScriptNodeKind::vectorreference: {
        const auto& element = static_cast<const VornScriptVectorReference&>(*node);
        return form({"[]", shape(element.vector), shape(element.index)});
    }
    case VornScriptNodeKind::functioncall: {
        const auto& call = static_cast<const VornScriptFunctionCall&>(*node);
        std::vector<std::string> parts = {"call", call.name.text};
        for (const VornScriptNodePtr& argument : call.arguments) {
            parts.push_back(shape(argument));
        }
        return form(parts);
    }
    case VornScriptNodeKind::statements: {
        std::vector<std::string> parts = {"list"};
        for (const VornScriptNodePtr& item :
             static_cast<const VornScriptStatements&>(*node).statements) {
            parts.push_back(shape(item));
        }
        return form(parts);
    }
    default:
        return node->classname();
    }
}

// The elements of the vector literal [script] as "key=text:typecode" items.
std::string elements(const std::string& script) {
    const auto literal = staticrefcast<VornScriptCollectionInit>(firststatement(script));
    std::string text;
    for (const VornScriptItemInit& item : literal->items) {
        const auto& value = static_cast<const VornScriptConstValue&>(*item.value);
        if (!text.empty()) {
            text += ' ';
        }
        text += item.key;
        text += '=';
        text += value.text;
        text += ':';
        text += std::to_string(value.typecode);
    }
    return text;
}

std::string nestedtext(const std::string& open, int depth, const std::string& middle,
                       const std::string& close) {
    std::string text;
    for (int i = 0; i < depth; ++i) {
        text += open;
    }
    text += middle;
    for (int i = 0; i < depth; ++i) {
        text += close;
    }
    return text;
}

} // namespace

TEST(Parser, PrecedenceAndAssociativity) {
    const std::vector<Row> rows = {
        {"3+4*5", "(+ 3 (* 4 5))"},
        {"(3+4)*5", "(* (+ 3 4) 5)"},
        {"30/3/2/1", "(/ (/ (/ 30 3) 2) 1)"},
        {"1-2+3", "(+ (- 1 2) 3)"},
        {"a = b = c", "(= a (= b c))"},
        {"a += b -= c", "(+= a (-= b c))"},
        {"true ? false ? 1 : 2 : 3", "(? 1 (? 0 1 2) 3)"},
        {"a ? b : c ? d : e", "(? a b (? c d e))"},
        {"true ? 1+2+3 : 1-2-3", "(? 1 (+ (+ 1 2) 3) (- (- 1 2) 3))"},
        {"a = b ? c : d", "(= a (? b c d))"},
        {"a || b && c | d ^ e & f", "(|| a (&& b (| c (^ d (& e f)))))"},
        {"a == b < c << d + e * f", "(== a (< b (<< c (+ d (* e f)))))"},
        {"a in b == c =~ d != e !~ f", "(!~ (!= (=~ (== (IN a b) c) d) e) f)"},
        {"a <= b >= c > d", "(> (>= (<= a b) c) d)"},
        {"a >> 1 % 2", "(>> a (% 1 2))"},
        {"-a * !b", "(* (- a) (! b))"},
        {"-x.y[1]", "(- ([] (. x y) 1))"},
        {"+x", "x"},
        {"++x", "(+= x 1)"},
        {"--x * 2", "(* (-= x 1) 2)"},
        {"x++ + 1", "(+ (post ++ x) 1)"},
        {"(int)3.1415", "(int 3.1415)"},
        {"(int)x + 1", "(+ (int x) 1)"},
        {"(string)(double)x.y", "(string (double (. x y)))"},
        {"(x)", "x"},
        {"(a, b)[0]", "([] (list a b) 0)"},
        {"x.f(1).g()", "(call g (call f x 1))"},
        {"x.other::getage('b')", "(call other::getage x b)"},
        {"s{k + 1}", "(. s (+ k 1))"},
        {"::x + ns::y", "(+ ::x ns::y)"},
        {"a, b = 1", "(list a (= b 1))"},
        {"f(a = 1, b)", "(call f (= a 1) b)"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(shape(firststatement(row.script)), row.expected) << row.script;
    }
}

TEST(Parser, StatementForms) {
    const std::vector<Row> rows = {
        // Without ";" after a block, a label or an empty statement.
        {"goto b;a:x += 1;goto end;b:x += 2;goto a;end:x;",
         "VornScriptGoto VornScriptLabel VornScriptAssignmentExpression VornScriptGoto "
         "VornScriptLabel VornScriptAssignmentExpression VornScriptGoto VornScriptLabel "
         "VornScriptVariableReference"},
        {"{ a } b; ;; c", "VornScriptEnterScope VornScriptVariableReference "
                          "VornScriptVariableReference"},
        {"label :x", "VornScriptLabel VornScriptVariableReference"},
        {"a ? b : c", "VornScriptIfThenElse"},
        {"var x = { name: 'n'; age:51;}", "VornScriptDefineVariables"},
        {"if (a) b;\nelse c; d", "VornScriptIfThenElse VornScriptVariableReference"},
        {"for (var i = 0; i < 3; i++) ;", "VornScriptForLoop"},
        {"function f() { } f()", "VornScriptFunctionDefinition VornScriptFunctionCall"},
        {"return", "VornScriptFunctionReturn"},
    };
    for (const Row& row : rows) {
        std::string classes;
        const VornScriptStatementsPtr root = parseroot(row.script);
        for (const VornScriptNodePtr& statement : root->statements) {
            if (!classes.empty()) {
                classes += ' ';
            }
            classes += statement->classname();
        }
        EXPECT_EQ(classes, row.expected) << row.script;
    }
    // The else on the next line belongs to the if.
    const auto ifnode = staticrefcast<VornScriptIfThenElse>(firststatement("if (a) b;\nelse c"));
    EXPECT_TRUE(ifnode->elsebranch);
    const auto foreach =
        staticrefcast<VornScriptForeachLoop>(firststatement("foreach (var item in list) x"));
    EXPECT_TRUE(foreach->localvariable);
    EXPECT_EQ(foreach->variable.text, "item");
    EXPECT_EQ(foreach->variableposition.column, 14);
    const auto definition =
        staticrefcast<VornScriptDefineVariables>(firststatement("var a =& b, c = 1, d"));
    ASSERT_EQ(definition->variables.size(), 3u);
    EXPECT_EQ(definition->variables[0].assignkind, TOKEN_ASSIGNREFERENCE);
    EXPECT_EQ(definition->variables[1].assignkind, '=');
    EXPECT_FALSE(definition->variables[2].initialvalue);
    EXPECT_EQ(definition->variables[2].position.column, 20);
    const auto trynode = staticrefcast<VornScriptTryCatch>(firststatement("try { } catch (e) { }"));
    EXPECT_FALSE(trynode->localvariable);
    EXPECT_TRUE(trynode->hascatch());
}

TEST(Parser, SyntaxErrors) {
    const std::string prefix = "console Line 1 Col ";
    const std::vector<Row> rows = {
        // statement lists and tokens
        {"'a' 3 'b'", "5 invalid syntax: operator or semicolon expected"},
        {"a b", "3 invalid syntax: operator or semicolon expected"},
        {"var x = 13; x += 15; }; 29;", "22 invalid syntax: unexpected token }"},
        {"function funcname(x) { return x+13; funcname(20);", "50 invalid syntax: missing }"},
        // The token after "(unknowntype)" is the number at column 14.
        {"(unknowntype)3.1415", "14 invalid syntax: operator or semicolon expected"},
        {"3.", "3 invalid syntax: expected function call or structure key name"},
        {".01", "1 invalid syntax: unexpected token ."},
        {"0..1", "2 invalid syntax: unexpected token .."},
        {"1 +", "4 invalid syntax: unexpected token "},
        {"(1 + 2", "7 invalid syntax: missing closing )"},
        {"true ? 1", "9 invalid syntax: operator ? requires colon"},
        {"f(1;", "4 invalid syntax: missing )"},
        {"a[1", "4 invalid syntax: missing ]"},
        {"s{1", "4 invalid syntax: missing }"},
        {"x.a::b", "7 invalid syntax: structure member name may not contain name space operator"},
        {"var s = {a::b: 1}", "10 invalid syntax: structure field name does not allow ::"},
        {"var s = {(: 1}", "10 invalid syntax: unexpected token ("},
        {"var s = {a 1}", "12 invalid syntax: missing :"},
        {"var s = {a: 1) ", "14 invalid syntax: missing }"},
        // statements
        {"if x", "4 invalid syntax: missing ("},
        {"while (;) x", "8 invalid syntax: missing )"},
        {"do x while (1)", "4 invalid syntax: missing {"},
        {"repeat { } while (1)", "12 invalid syntax: missing UNTIL"},
        {"for (a; b) c", "10 invalid syntax: missing ;"},
        {"foreach (1 in v) x", "10 invalid syntax: foreach missing variable name"},
        {"foreach (var a::b in v) x",
         "14 invalid syntax: foreach loop variable name does not allow ::"},
        {"foreach (a of v) x", "12 invalid syntax: foreach missing keyword in"},
        {"switch (x) { case 1; }", "20 invalid syntax: missing :"},
        {"switch (x) { default }", "22 invalid syntax: missing :"},
        {"switch (x) { case 1: y", "23 invalid syntax: missing }"},
        {"goto 1",
         "6 invalid syntax: goto statement requires a destination label name as argument"},
        {"goto a::b", "6 invalid syntax: goto label name does not allow ::"},
        {"a::b: x", "1 invalid syntax: goto label does not accept ::"},
        {"var 1", "5 invalid syntax: var requires an identifier"},
        {"undef ;", "7 invalid syntax: undef requires an identifier"},
        {"var a, = 2", "8 invalid syntax: var requires an identifier"},
        {"undef a = 2", "9 invalid syntax: unexpected token ="},
        {"try { } catch (1) { }",
         "16 invalid syntax: catch statement requires a variable name as argument"},
        {"try { } catch (var a::b) { }",
         "20 invalid syntax: catch parameter name does not allow ::"},
        {"try { } catch { }", "15 invalid syntax: missing ("},
        {"try x", "5 invalid syntax: missing {"},
        // function definitions
        {"function (a) { }", "10 invalid syntax: function identifier missing: ("},
        {"function", "9 invalid syntax: function identifier missing: "},
        {"function f(&1) { }", "13 invalid syntax: function expects parameter name"},
        {"function f(a, &) { }", "16 invalid syntax: function expects parameter name"},
        {"function f(a::b) { }", "12 invalid syntax: function parameter name does not allow ::"},
        {"function f(a, &a) { }", "16 invalid syntax: function parameter name duplicate used: a"},
        {"function f(a, 1) { }",
         "15 invalid syntax: function parameter requires parameter name: 1"},
        {"function f(a,) { }", "14 invalid syntax: function parameter requires parameter name: )"},
        {"function f(..., a) { }", "15 invalid syntax: missing )"},
        {"function f(1) { }", "12 invalid syntax: missing )"},
        {"function f(a) x", "15 invalid syntax: missing {"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(dumporerror(row.script), prefix + row.expected) << row.script;
    }
    EXPECT_EQ(dumporerror("x = 1;\n  y = ;", "mytest"),
              "mytest Line 2 Col 7 invalid syntax: unexpected token ;");
    EXPECT_EQ(dumporerror("{\n  a\n", "mytest"), "mytest Line 3 Col 1 invalid syntax: missing }");
}

TEST(Parser, RangesInVectorLiterals) {
    const std::vector<Row> rows = {
        {"[0..3]", "0=0:0 1=1:0 2=2:0 3=3:0"},
        {"[5..5]", "0=5:0"},
        {"['a'..'h']", "0=a:1 1=b:1 2=c:1 3=d:1 4=e:1 5=f:1 6=g:1 7=h:1"},
        // Digits as texts read as whole numbers.
        {"['0'..'2']", "0=0:0 1=1:0 2=2:0"},
        {"['8'..'9', '!'..'#']", "0=8:0 1=9:0 2=!:1 3=\":1 4=#:1"},
        {"['a', 'b', 'c', -3 .. 1, 'd']",
         "0=a:1 1=b:1 2=c:1 3=-3:0 4=-2:0 5=-1:0 6=0:0 7=1:0 8=d:1"},
        {"[-2..-1, 7, true..2]", "0=-2:0 1=-1:0 2=7:0 3=1:0 4=2:0"},
        {"[1, 2, ]", "0=1:0 1=2:0"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(elements(row.script), row.expected) << row.script;
    }
    const std::string prefix = "console Line 1 Col ";
    const std::vector<Row> errors = {
        {"[from..to]", "10 invalid syntax: constant number expression expected in number range"},
        {"[1..x, 2]", "6 invalid syntax: constant number expression expected in number range"},
        // With the full constant evaluator of the interpreter this literal has
        // eleven elements (-3 .. 1+2); the literal evaluator knows no "+".
        {"['a', 'b', 'c', -3 .. 1+2, 'd']",
         "26 invalid syntax: constant number expression expected in number range"},
        {"[3..1]", "6 invalid syntax: invalid number range"},
        {"['b'..'a']", "10 invalid syntax: invalid character range"},
        {"['ab'..'c']", "11 invalid syntax: invalid character range"},
        {"['a'..3]", "8 invalid syntax: invalid character range"},
        {"[1.5..3]", "8 invalid syntax: invalid character range"},
        {"[0..1000000]", "12 invalid syntax: number range too large"},
        {"[0..600000, 0..600000]", "22 invalid syntax: number range too large"},
        {"[-9223372036854775807..9223372036854775807]",
         "43 invalid syntax: number range too large"},
    };
    for (const Row& row : errors) {
        EXPECT_EQ(dumporerror(row.script), prefix + row.expected) << row.script;
    }
    // Case labels keep both bounds unexpanded.
    const auto switchnode =
        staticrefcast<VornScriptSwitchStatement>(firststatement("switch (x) { case from..to: }"));
    const auto& label = static_cast<const VornScriptCaseStatement&>(*switchnode->entries.at(0));
    EXPECT_EQ(shape(label.value), "from");
    EXPECT_EQ(shape(label.rangeend), "to");
}

TEST(Parser, LiteralTypeCodes) {
    const int32_t text = VornScriptConstValue::typecodestring;
    const std::vector<std::pair<std::string, int32_t>> rows = {
        {"'a'", text}, {"'3'", 0},  {"''", 0},       {"' 1.2 '", 0},
        {"'-5'", 0},   {"'+7'", 0}, {"'1e3'", text}, {"'1.5e3'", 0},
        {"'.5'", 0},   {"'1.'", 0}, {"'.'", text},   {"'1 2'", text},
        {"3", 0},      {"1e3", 0},  {"true", 0},     {"'99999999999999999999'", text},
    };
    for (const auto& [script, typecode] : rows) {
        const auto node = staticrefcast<VornScriptConstValue>(firststatement(script));
        EXPECT_EQ(node->typecode, typecode) << script;
    }
}

TEST(Parser, NestingLimit) {
    const std::string toodeep = "console Line 1 Col ";
    struct Deep {
        std::string script;
        bool accepted;
    };
    const int limit = VornScriptParser::maxnestingdepth;
    const std::vector<Deep> rows = {
        {nestedtext("(", 100000, "1", ")"), false},
        {nestedtext("[", 100000, "1", "]"), false},
        {nestedtext("{", 100000, "", "}"), false},
        {nestedtext("if (1) ", 100000, "x", ""), false},
        {nestedtext("-", 100000, "1", ""), false},
        {nestedtext("(int)", 100000, "1", ""), false},
        {nestedtext("a = ", 100000, "1", ""), false},
        {nestedtext("f(", 100000, "", ")"), false},
        {nestedtext("1 ? ", 100000, "1", " : 1"), false},
        // Chains grow the tree without recursing; they are limited as well.
        {std::string("1").append(nestedtext("+1", 100000, "", "")), false},
        {std::string("x").append(nestedtext(".f()", 100000, "", "")), false},
        {std::string("x").append(nestedtext("[0]", 100000, "", "")), false},
        {nestedtext("(", limit - 10, "1", ")"), true},
        {nestedtext("{", limit / 2, "", "}"), true},
        {std::string("1").append(nestedtext("+1", limit - 10, "", "")), true},
    };
    for (const Deep& row : rows) {
        const std::string result = dumporerror(row.script);
        const bool failed = result.find("invalid syntax: nesting too deep") != std::string::npos;
        EXPECT_EQ(failed, !row.accepted)
            << row.script.substr(0, 20) << ": " << result.substr(0, 80);
    }
    EXPECT_EQ(dumporerror(nestedtext("(", 2000, "1", ")")),
              "console Line 1 Col 1000 invalid syntax: nesting too deep");
}

} // namespace vornscriptunittests
