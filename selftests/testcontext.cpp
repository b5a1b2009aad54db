// The self-test context and the catalogue script runner (see testcontext.h).
#include "selftests/testcontext.h"

#include "frontend/parser.h"
#include "frontend/scanner.h"
#include "interpreter/constcontext.h"
#include "interpreter/evaluate.h"
#include "interpreter/raise.h"
#include "interpreter/userfunctions.h"
#include "selftests/testextension.h"

#include <iostream>

namespace vornscriptunittests {

using namespace vornscript;

TestContext::TestContext() {
    outputstream = &output_;
    errorstream = &erroroutput_;
    registerextension(makeref<TestUserExtension>("usertest"));
}

bool TestContext::loadincludefile(const std::string& name, std::string& sourcename,
                                  std::string& text, std::string& error) {
    if (name != virtualincludename) {
        return VornScriptContextBase::loadincludefile(name, sourcename, text, error);
    }
    sourcename = name;
    text = virtualincludetext;
    return true;
}

void TestScriptRunner::printscannerview() const {
    std::cout << "scanner result:\n";
    VornScriptScanner scanner(makescriptsource(sourcename, script));
    for (TokenKind kind = scanner.start(); kind != TOKEN_ENDOFFILE; kind = scanner.next()) {
        std::cout << scanner.describetoken() << "\n";
    }
}

std::string TestScriptRunner::runincontext(TestContext& context) {
    if (showsource) {
        std::cout << "source code: " << sourcename << "\n" << script << "\n";
    }
    if (showscanner) {
        printscannerview();
    }
    const VornScriptSourcePtr source = makescriptsource(sourcename, script);
    VornScriptParser parser(source, &programconstcontext());
    const VornScriptStatementsPtr root = parser.parse();
    if (showparser) {
        std::cout << "parser result:\n" << (root ? root->dump(0) : std::string());
    }
    if (!root) {
        return "<error>";
    }
    context.bindscript(root, source);
    preparenode(*root, context);
    checkcallsexist(*root, context);
    const VornScriptObjectPtr value = evaluatewrapped(*root, context);
    checkpendinggoto(context);
    // A script that asked to end has no result, as in a run by the driver.
    if (context.control.exitrequested) {
        return {};
    }
    return value ? value->tostring() : std::string();
}

std::string TestScriptRunner::runscript(const std::string& testname,
                                        const std::string& scripttext) {
    sourcename = testname;
    script = scripttext;
    output.clear();
    erroroutput.clear();
    logmessage.clear();
    exitcode = 0;
    std::string result;
    {
        TestContext context;
        try {
            result = runincontext(context);
        } catch (const VornScriptErrorException& error) {
            const std::string errortext = error.fullerrortext();
            result = errortext.empty() ? std::string() : "<error> " + errortext;
        } catch (const std::exception& error) {
            result = "<error> " + interpretermessage("exception occured", error.what());
        }
        output = context.output();
        erroroutput = context.erroroutput();
        logmessage = context.lastlogmessage();
        exitcode = context.control.exitrequested ? context.control.exitcode : -1;
    }
    return result;
}

} // namespace vornscriptunittests
