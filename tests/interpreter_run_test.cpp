// The script run and the context services around it: -check and -parse,
// options and parameters as variables, evaluation counters, nesting limits,
// permission checks and the constant context of the parser.
#include "scripttesthelper.h"

#include "driver/commandlinescript.h"
#include "frontend/parser.h"
#include "interpreter/constcontext.h"
#include "interpreter/evaluationwrapper.h"

#include <string>
#include <vector>

namespace vornscriptunittests {
namespace {

using vornscript::VornScriptRunRequest;

// Parses, prepares and runs [text] in [context], as a script run does;
// the tree stays for counting its nodes.
vornscript::VornScriptStatementsPtr runtree(const std::string& text,
                                            vornscript::VornCommandlineScript& context) {
    vornscript::VornScriptParser parser(vornscript::makescriptsource("counts", text));
    vornscript::VornScriptStatementsPtr root = parser.parse();
    vornscript::preparenode(*root, context);
    vornscript::evaluatewrapped(*root, context);
    return root;
}

// The statements of a for loop's braced body.
vornscript::VornScriptStatements& loopbody(const vornscript::VornScriptNodePtr& loopnode) {
    auto& loop = static_cast<vornscript::VornScriptForLoop&>(*loopnode);
    auto& block = static_cast<vornscript::VornScriptEnterScope&>(*loop.body);
    return static_cast<vornscript::VornScriptStatements&>(*block.statements);
}

TEST(InterpreterRun, ViewsAndResults) {
    VornScriptRunRequest request;
    request.scriptname = "console";
    request.scripttext = "1+2";
    EXPECT_EQ(vornscript::runscript(request).result, "3");

    request.check = true;
    auto outcome = vornscript::runscript(request);
    EXPECT_EQ(outcome.result, "");
    EXPECT_EQ(outcome.output, "");

    request.scripttext = "var x = ;";
    outcome = vornscript::runscript(request);
    EXPECT_EQ(outcome.result.rfind("<error> console Line 1 Col 9 invalid syntax:", 0), 0u);
    EXPECT_EQ(outcome.output, outcome.result.substr(8) + "\n");

    request.check = false;
    request.parse = true;
    request.scripttext = "  ";
    outcome = vornscript::runscript(request);
    EXPECT_EQ(outcome.output, "parser result:\n<nothing>\n");
    EXPECT_EQ(outcome.result, "<error>");

    request.scripttext = "1+2";
    outcome = vornscript::runscript(request);
    EXPECT_EQ(outcome.output,
              "parser result:\nSTATEMENTS{\n  BINARY +\n    LEFT:\n      CONSTVALUE "
              "1\n    RIGHT:\n      CONSTVALUE 2\n}\n");
    EXPECT_EQ(outcome.result, "");

    request.parse = false;
    request.scripttext = "3/0";
    outcome = vornscript::runscript(request);
    EXPECT_EQ(outcome.output, "console Line 1 Col 3 division by 0\n");
    EXPECT_EQ(outcome.result, "<error> console Line 1 Col 3 division by 0");
}

TEST(InterpreterRun, OptionsAndParametersBecomeVariables) {
    VornScriptRunRequest request;
    request.scriptname = "/some/folder/file.vs";
    request.scripttext = "x + '|' + debug + '|' + param1 + '|' + param2";
    request.optionvalues = {{"x", "5"}, {"debug", "1"}};
    request.parameters = {"/some/folder/file.vs", "script"};
    EXPECT_EQ(vornscript::runscript(request).result, "5|1|/some/folder/file.vs|script");
}

TEST(InterpreterRun, DeepNestingFailsCleanly) {
    // Within the parser's nesting limit, but deep: evaluates.
    std::string script(400, '(');
    script += "1";
    script += std::string(400, ')');
    EXPECT_EQ(runtestscript(script), "1");
    // Nested blocks up to the parser's limit evaluate as well.
    std::string blocks(990, '{');
    blocks += "1";
    blocks += std::string(990, '}');
    EXPECT_EQ(runtestscript(blocks), "1");
    // Beyond the evaluation depth limit the run fails instead of exhausting the stack.
    vornscript::VornScriptParser parser(vornscript::makescriptsource("deep", "1+2"));
    auto root = parser.parse();
    vornscript::VornCommandlineScript context;
    context.evaluationdepth = vornscript::VornScriptContextBase::maxevaluationdepth;
    try {
        vornscript::evaluatewrapped(*root, context);
        ADD_FAILURE() << "no error beyond the depth limit";
    } catch (const vornscript::VornScriptErrorException& error) {
        EXPECT_EQ(error.fullerrortext(), "deep Line 1 Col 1 evaluation nested too deeply");
    }
    EXPECT_EQ(context.evaluationdepth, vornscript::VornScriptContextBase::maxevaluationdepth);
}

TEST(InterpreterRun, CallCountsAndHooks) {
    vornscript::VornCommandlineScript context;
    auto root = runtree("var s = 0; for (var i = 0; i < 3; i++) s += i;", context);
    auto& loop = static_cast<vornscript::VornScriptForLoop&>(*root->statements[1]);
    EXPECT_EQ(loop.body->callcount, 3u);
    EXPECT_EQ(loop.condition->callcount, 4u);
    EXPECT_EQ(context.evaluationdepth, 0);
    EXPECT_FALSE(context.findvariable("nothere", true));
}

// An operator expression computed natively counts each node once per
// evaluation, also when it gives up for a text and is evaluated again.
TEST(InterpreterRun, CallCountsOfNativeOperators) {
    vornscript::VornCommandlineScript context;
    auto root = runtree("var x = 'a'; var r; for (var i = 0; i < 3; i++) { r = i * 2 + x; x = i; }",
                        context);
    auto& loop = static_cast<vornscript::VornScriptForLoop&>(*root->statements[2]);
    auto& body = loopbody(root->statements[2]);
    auto& assignment =
        static_cast<vornscript::VornScriptAssignmentExpression&>(*body.statements[0]);
    auto& sum = static_cast<vornscript::VornScriptBinaryExpression&>(*assignment.value);
    auto& product = static_cast<vornscript::VornScriptBinaryExpression&>(*sum.left);
    const std::vector<const vornscript::VornScriptExpressionBase*> nodes = {
        &sum, &product, product.left.get(), product.right.get(), sum.right.get()};
    for (const vornscript::VornScriptExpressionBase* node : nodes) {
        EXPECT_EQ(node->callcount, 3u);
    }
    EXPECT_EQ(loop.condition->callcount, 4u);
    EXPECT_EQ(context.evaluationdepth, 0);
}

// An operator over variables and whole literals counts its nodes once per
// evaluation, read directly or, once a variable holds a text, by the general path.
TEST(InterpreterRun, CallCountsOfWholeLeafOperators) {
    vornscript::VornCommandlineScript context;
    auto root =
        runtree("var x = 1; var r; for (var i = 0; i < 4; i++) { r = x - 1; x = '7'; }", context);
    auto& body = loopbody(root->statements[2]);
    auto& assignment =
        static_cast<vornscript::VornScriptAssignmentExpression&>(*body.statements[0]);
    auto& difference = static_cast<vornscript::VornScriptBinaryExpression&>(*assignment.value);
    const std::vector<const vornscript::VornScriptExpressionBase*> nodes = {
        &difference, difference.left.get(), difference.right.get()};
    for (const vornscript::VornScriptExpressionBase* node : nodes) {
        EXPECT_EQ(node->callcount, 4u);
    }
    EXPECT_EQ(context.evaluationdepth, 0);
}

// Member and element accesses and operators evaluated as collections,
// targets and initial values count each node once per evaluation, and the
// nesting depth comes back balanced.
TEST(InterpreterRun, CallCountsOfAccesses) {
    vornscript::VornCommandlineScript context;
    auto root = runtree("var v = [{n: 'a'}]; for (var i = 0; i < 3; i++) { var k = v[0].n + i + "
                        "'_'; v[0].n += 'b'; }",
                        context);
    auto& body = loopbody(root->statements[1]);
    auto& definition = static_cast<vornscript::VornScriptDefineVariables&>(*body.statements[0]);
    auto& join =
        static_cast<vornscript::VornScriptBinaryExpression&>(*definition.variables[0].initialvalue);
    auto& inner = static_cast<vornscript::VornScriptBinaryExpression&>(*join.left);
    auto& member = static_cast<vornscript::VornScriptStructureMemberReference&>(*inner.left);
    auto& assignment =
        static_cast<vornscript::VornScriptAssignmentExpression&>(*body.statements[1]);
    auto& target = static_cast<vornscript::VornScriptStructureMemberReference&>(*assignment.target);
    const std::vector<const vornscript::VornScriptExpressionBase*> nodes = {
        &definition,           &join, &inner, &member, member.structure.get(), &assignment, &target,
        target.structure.get()};
    for (const vornscript::VornScriptExpressionBase* node : nodes) {
        EXPECT_EQ(node->callcount, 3u);
    }
    EXPECT_EQ(context.evaluationdepth, 0);
    vornscript::VornScriptObjectPtr v = context.findvariable("v", true);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->tostring(), "[{n: 'abbb'}]");
}

TEST(InterpreterRun, PermissionChecks) {
    vornscript::VornScriptConstContext base;
    std::string error;
    EXPECT_TRUE(base.hasFilePermission("/etc/passwd", 'r'));
    EXPECT_TRUE(base.hasFilePermission("/etc", 'i'));
    EXPECT_FALSE(base.hasFilePermission("/etc/passwd", 'w'));
    EXPECT_TRUE(base.hasFilePermission("/tmp/newfile", 'w'));
    EXPECT_FALSE(base.hasFilePermission("/tmp/../etc/x", 'w'));
    EXPECT_FALSE(base.hasFilePermission("/tmpx/file", 'w'));
    EXPECT_FALSE(base.hasCommandPermission("ls", error));
    EXPECT_EQ(error, "no permission to execute command");

    vornscript::VornCommandlineScript commandline;
    error = "old";
    EXPECT_TRUE(commandline.hasFilePermission("/etc/passwd", 'w'));
    EXPECT_TRUE(commandline.hasCommandPermission("ls", error));
    EXPECT_EQ(error, "");
}

TEST(InterpreterRun, ConstantContextEvaluatesRangeBounds) {
    auto& constants = vornscript::programconstcontext();
    auto evaluate = [&](const std::string& text) {
        vornscript::VornScriptParser parser(vornscript::makescriptsource("c", text));
        auto root = parser.parse();
        return constants.evaluateconstant(*root->statements[0]);
    };
    auto value = evaluate("[1,2,3,4][1] * 3");
    ASSERT_TRUE(value);
    EXPECT_TRUE(value->iswhole);
    EXPECT_EQ(value->whole, 6);
    value = evaluate("'a'");
    ASSERT_TRUE(value);
    EXPECT_FALSE(value->iswhole);
    EXPECT_EQ(value->text, "a");
    EXPECT_FALSE(evaluate("somevariable"));
    EXPECT_FALSE(evaluate("1/0"));
}

} // namespace
} // namespace vornscriptunittests
