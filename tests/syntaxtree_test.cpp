// Syntax tree: the dump format of every node kind, source records, the
// breakable flag, children, class names and signature texts. Trees are built
// by parsing, so each row reads as script and expected result.
#include "tests/parsertesthelpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vornscriptunittests {
using namespace vornscript;

namespace {

struct DumpRow {
    std::string script;
    std::string dump;
};

void expectdumps(const std::vector<DumpRow>& rows) {
    for (const DumpRow& row : rows) {
        EXPECT_EQ(dumporerror(row.script), row.dump) << row.script;
    }
}

} // namespace

TEST(SyntaxTreeDump, TopLevelShapes) {
    expectdumps({
        {"1+2", "STATEMENTS{\n  BINARY +\n    LEFT:\n      CONSTVALUE 1\n    RIGHT:\n"
                "      CONSTVALUE 2\n}\n"},
        {"{}", "STATEMENTS{\n  ENTERSCOPE\n    STATEMENTS{\n    }\n}\n"},
        {";;", "STATEMENTS{\n}\n"},
        {"", "(no tree)"},
        {"   \n\t ", "(no tree)"},
        {"// only a comment\n/* and a block */", "(no tree)"},
    });
}

TEST(SyntaxTreeDump, Statements) {
    expectdumps({
        {"var a = 1, b =& c, d; undef e",
         "STATEMENTS{\n  VAR a ASSIGNREFERENCE b d\n    CONSTVALUE 1\n    VARIABLE c\n"
         "  UNDEF e\n}\n"},
        {"function f(a,&b,...) { return a; }",
         "STATEMENTS{\n  FUNCTION f(a,&b,...) {\n    STATEMENTS{\n      RETURN\n"
         "        VARIABLE a\n    }\n  }\n}\n"},
        {"if (a) b; else c",
         "STATEMENTS{\n  IF\n    CONDITION:\n      VARIABLE a\n    CONDITION-TRUE:\n"
         "      VARIABLE b\n    CONDITION-FALSE:\n      VARIABLE c\n}\n"},
        {"while (a) break", "STATEMENTS{\n  WHILE\n    CONDITION:\n      VARIABLE a\n"
                            "    LOOP:{\n      BREAK\n    }\n}\n"},
        {"for (;;) continue;", "STATEMENTS{\n  FOR\n    LOOP:{\n      CONTINUE\n    }\n}\n"},
        {"do { a } while (b)",
         "STATEMENTS{\n  DOWHILE\n    LOOP:{\n      STATEMENTS{\n        VARIABLE a\n"
         "      }\n    }\n    CONDITION:\n      VARIABLE b\n}\n"},
        {"repeat { } until (b)", "STATEMENTS{\n  REPEATUNTIL\n    LOOP:{\n      STATEMENTS{\n"
                                 "      }\n    }\n    CONDITION:\n      VARIABLE b\n}\n"},
        {"foreach (x in v) ;", "STATEMENTS{\n  FOREACH x IN\n    VARIABLE v\n}\n"},
        {"foreach (var x in v) y",
         "STATEMENTS{\n  FOREACH VAR x IN\n    VARIABLE v\n    LOOP:{\n      VARIABLE y\n"
         "    }\n}\n"},
        {"goto end; end: return", "STATEMENTS{\n  GOTO end\n  LABEL end\n  RETURN\n}\n"},
        {"switch (x) { case 1: a; case 2..4: default: }",
         "STATEMENTS{\n  SWITCH\n    VARIABLE x\n    CASE\n      CONSTVALUE 1\n"
         "    VARIABLE a\n    CASE\n      RANGEFROM:\n        CONSTVALUE 2\n"
         "      RANGETILL:\n        CONSTVALUE 4\n    DEFAULT\n}\n"},
        {"try { a }", "STATEMENTS{\n  TRY {\n    STATEMENTS{\n      VARIABLE a\n    }\n  }\n}\n"},
        // The catch header follows the try body's "}" unindented, always as "VAR name".
        {"try { } catch (var e) { e }",
         "STATEMENTS{\n  TRY {\n    STATEMENTS{\n    }\n  }\nCATCH(VAR e) {\n"
         "    STATEMENTS{\n      VARIABLE e\n    }\n  }\n}\n"},
        {"if (1) try { } catch (e) { }",
         "STATEMENTS{\n  IF\n    CONDITION:\n      CONSTVALUE 1\n    CONDITION-TRUE:\n"
         "      TRY {\n        STATEMENTS{\n        }\n      }\nCATCH(VAR e) {\n"
         "        STATEMENTS{\n        }\n      }\n}\n"},
    });
}

TEST(SyntaxTreeDump, Expressions) {
    expectdumps({
        {"f(1, g())", "STATEMENTS{\n  CALL f\n    PARAM[0]:\n      CONSTVALUE 1\n"
                      "    PARAM[1]:\n      CALL g\n}\n"},
        {"-! ~a", "STATEMENTS{\n  UNARY -\n    UNARY !\n      UNARY ~\n        VARIABLE a\n}\n"},
        {"(string)null", "STATEMENTS{\n  TYPECAST string\n    null\n}\n"},
        // "^=" has no token name of its own: its code's low byte stands for it.
        {"a ^= 1", "STATEMENTS{\n  ASSIGNMENT \x07\n    L-VALUE:\n      VARIABLE a\n"
                   "    RIGHT:\n      CONSTVALUE 1\n}\n"},
        {"a =& b", "STATEMENTS{\n  ASSIGNMENT =&\n    L-VALUE:\n      VARIABLE a\n"
                   "    RIGHT:\n      VARIABLE b\n}\n"},
        {"a--", "STATEMENTS{\n  POSTEXPRESSION --\n    L-VALUE:\n      VARIABLE a\n}\n"},
        {"s.m", "STATEMENTS{\n  STRUCTUREREF\n    STRUCTURE:\n      VARIABLE s\n"
                "    MEMBER:\n      m\n}\n"},
        {"s{'m'}", "STATEMENTS{\n  STRUCTUREREF\n    STRUCTURE:\n      VARIABLE s\n"
                   "    MEMBER:\n      CONSTVALUE m\n}\n"},
        {"v[0]", "STATEMENTS{\n  VECTORREF\n    VECTOR:\n      VARIABLE v\n    INDEX:\n"
                 "      CONSTVALUE 0\n}\n"},
        {"x = {a: 1, 'b c': true}",
         "STATEMENTS{\n  ASSIGNMENT =\n    L-VALUE:\n      VARIABLE x\n    RIGHT:\n"
         "      STRUCTUREINIT\n        KEY:a\n        VALUE:\n          CONSTVALUE 1\n"
         "        KEY:b c\n        VALUE:\n          CONSTVALUE 1\n}\n"},
        {"x = []", "STATEMENTS{\n  ASSIGNMENT =\n    L-VALUE:\n      VARIABLE x\n    RIGHT:\n"
                   "      VECTORINIT\n}\n"},
    });
}

TEST(SyntaxTreeNodes, SourceRecord) {
    const VornScriptStatementsPtr root = parseroot("var y; x = 3;\n  f(1,\n2) ;", "sample");
    const VornScriptNodePtr& assignment = root->statements.at(1);
    EXPECT_EQ(assignment->sourcetext(), "x = 3");
    EXPECT_EQ(assignment->position().positiontext(), "sample Line 1 Col 8");
    EXPECT_EQ(assignment->charpos, 7);
    const VornScriptNodePtr& call = root->statements.at(2);
    EXPECT_EQ(call->sourcetext(), "f(1,\n2) ");
    EXPECT_EQ(call->line, 2);
    EXPECT_EQ(call->column, 3);
    EXPECT_EQ(call->scriptname(), "sample");
    EXPECT_EQ(call->callcount, 0u);
    EXPECT_EQ(call->sumbrutto, 0);
    // The root covers the whole script from its first token.
    EXPECT_EQ(root->sourcetext(), "var y; x = 3;\n  f(1,\n2) ;");

    VornScriptConstValue unplaced("1", 0);
    EXPECT_EQ(unplaced.sourcetext(), "");
    EXPECT_EQ(unplaced.scriptname(), "");
}

TEST(SyntaxTreeNodes, BreakableFlags) {
    const VornScriptStatementsPtr root =
        parseroot("var a; a = 1 + 2; f(1); if (a) b = 2; {} function g() {} break");
    const VornScriptNodeList& statements = root->statements;
    const std::vector<bool> expected = {true, true, true, true, false, false, true};
    ASSERT_EQ(statements.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(statements[i]->isBreakable(), expected[i]) << statements[i]->classname();
    }
    EXPECT_FALSE(root->isBreakable());
    // Expressions inside a statement keep the flag clear.
    const auto& assignment = static_cast<const VornScriptAssignmentExpression&>(*statements[1]);
    EXPECT_FALSE(assignment.value->isBreakable());
    const auto& ifnode = static_cast<const VornScriptIfThenElse&>(*statements[3]);
    EXPECT_FALSE(ifnode.thenbranch->isBreakable());
    // Calls answer true even when not standing as a statement; blocks never.
    const auto& call = static_cast<const VornScriptFunctionCall&>(*statements[2]);
    EXPECT_FALSE(call.arguments[0]->isBreakable());
    EXPECT_TRUE(parseroot("x = f()")->statements[0]->isBreakable());
    EXPECT_TRUE(assignment.value->setBreakable(true));
    EXPECT_TRUE(assignment.value->isBreakable());
    EXPECT_FALSE(statements[4]->setBreakable(false));
    // Statements inside a switch body are statements too.
    const auto switchnode =
        staticrefcast<VornScriptSwitchStatement>(firststatement("switch (x) { case 1: y }"));
    EXPECT_TRUE(switchnode->entries.at(1)->isBreakable());
}

TEST(SyntaxTreeNodes, ClassNamesAndChildren) {
    struct Row {
        std::string script;
        std::string classname;
        size_t children;
    };
    const std::vector<Row> rows = {
        {"for (i = 0; i < 3; i++) x", "VornScriptForLoop", 4},
        {"for (;;) ;", "VornScriptForLoop", 0},
        {"try { } catch (e) { }", "trycatch", 2},
        {"goto a", "VornScriptGoto", 0},
        {"a: ;", "VornScriptLabel", 0},
        {"f(1, 2, 3)", "VornScriptFunctionCall", 3},
        {"x.f(1)", "VornScriptFunctionCall", 2},
        {"switch (x) { case 1: y; default: }", "VornScriptSwitchStatement", 4},
        {"var a = 1, b, c = 2", "VornScriptDefineVariables", 2},
        {"[1, 2..4]", "VornScriptCollectionInit", 4},
        {"s.m", "VornScriptStructureMemberReference", 1},
        {"null", "VornScriptConstNull", 0},
        {"a, b", "VornScriptStatements", 2},
    };
    for (const Row& row : rows) {
        const VornScriptNodePtr node = firststatement(row.script);
        EXPECT_STREQ(node->classname(), row.classname.c_str()) << row.script;
        VornScriptNodeList list(1); // children are appended after what is there
        EXPECT_EQ(node->children(list), row.children + 1) << row.script;
    }
    // Evaluation order: for runs init, condition, body, then step.
    const VornScriptNodePtr loop = firststatement("for (i = 0; c; s) b");
    VornScriptNodeList children;
    loop->children(children);
    EXPECT_EQ(children.at(2)->sourcetext(), "b");
    EXPECT_EQ(children.at(3)->sourcetext(), "s");
}

TEST(SyntaxTreeNodes, SignatureTexts) {
    const std::vector<std::pair<std::string, std::string>> definitions = {
        {"function mymax(a,b,...) {}", "mymax(a,b,...)"},
        {"function f(&a, b) {}", "f(&a,b)"},
        {"function other::sum() {}", "other::sum()"},
        {"function onlyrest(...) {}", "onlyrest(...)"},
    };
    for (const auto& [script, signature] : definitions) {
        const auto node = staticrefcast<VornScriptFunctionDefinition>(firststatement(script));
        EXPECT_EQ(node->signature(), signature);
    }
    std::string manyarguments = "f(0";
    for (int i = 1; i < 27; ++i) {
        manyarguments += ',';
        manyarguments += std::to_string(i);
    }
    const std::vector<std::pair<std::string, std::string>> calls = {
        {"mymax(1)", "mymax(a)"},
        {"g()", "g()"},
        {"x.h(2, 3)", "h(a,b,c)"},
        {manyarguments + ")", "f(a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r,s,t,u,v,w,x,y,z,...)"},
    };
    for (const auto& [script, signature] : calls) {
        const auto node = staticrefcast<VornScriptFunctionCall>(firststatement(script));
        EXPECT_EQ(node->signature(), signature);
    }
}

TEST(SyntaxTreeNodes, NodesKeepTheSourceAlive) {
    VornScriptNodePtr node;
    {
        VornScriptParser parser(makescriptsource("temporary", "a + b"));
        node = parser.parse()->statements.at(0);
    }
    EXPECT_EQ(node->sourcetext(), "a + b");
    EXPECT_EQ(node->scriptname(), "temporary");
}

} // namespace vornscriptunittests
