// The script run of the command-line driver (see scriptrun.h).
#include "driver/scriptrun.h"

#include "debugger/consoledebugger.h"
#include "driver/commandlinescript.h"
#include "driver/logfile.h"
#include "extensions/win32extension.h"
#include "frontend/parser.h"
#include "interpreter/constcontext.h"
#include "interpreter/evaluate.h"
#include "interpreter/raise.h"
#include "interpreter/userfunctions.h"
#include "selftests/unittestregistry.h"
#include "support/pathtext.h"

#include <iostream>
#include <memory>
#include <sstream>

namespace vornscript {
namespace {

// Records in the profile summary after a run.
constexpr size_t profilerecordlimit = 100;

void definescriptvariable(VornScriptContextBase& context, const std::string& name,
                          const std::string& text) {
    std::string error;
    if (!context.setvariable(name, text, error)) {
        throw VornScriptErrorException(VornScriptSourcePosition(), error);
    }
}

// Every run has a console debugger: the debug mode decides whether it stops.
void attachconsoledebugger(VornScriptContextBase& context, const VornScriptRunRequest& request,
                           std::ostream& out) {
    std::istream& input = request.debuggerinput != nullptr ? *request.debuggerinput : std::cin;
    context.attachdebugger(std::make_unique<VornScriptConsoleDebugger>(input, out));
    context.setdebugmode(request.debug ? debugmode::stepinto : debugmode::off);
    context.profilingenabled = !request.profilesort.empty();
}

// With -profile: the costliest nodes go to the log file, headed by the
// script's file name or text, and standard error says where they went.
void writeprofilesummary(const VornScriptRunRequest& request, VornScriptContextBase& context,
                         const VornScriptExpressionBase& root, std::ostream& err) {
    if (request.profilesort.empty()) {
        return;
    }
    std::string summary;
    context.profilesummary(summary, &root, request.profilesort, profilerecordlimit);
    if (summary.empty()) {
        return;
    }
    VornLogFile& log = VornLogFile::instance();
    log.write(request.textfromcommandline ? "script: " + request.scripttext
                                          : "filename: " + request.scriptname,
              false);
    summary.pop_back(); // the log adds the last line end itself
    log.write(summary, false);
    err << "profile summary written to log file " << log.filename() << "\n";
}

// A script that made unit-test checks must have fetched their results.
void checkunittestsread(const VornScriptContextBase& context) {
    const vornunittest* registry = context.existingunittestregistry();
    if (registry != nullptr && registry->checkcount() > 0 && !registry->resultsread()) {
        throw VornScriptErrorException(
            VornScriptSourcePosition(),
            interpretermessage("unit test used but results were not checked"));
    }
}

std::string runparsed(const VornScriptRunRequest& request, std::ostream& out, std::ostream& err,
                      int32_t& exitcode) {
    const VornScriptSourcePtr source = makescriptsource(request.scriptname, request.scripttext);
    VornCommandlineScript context;
    context.outputstream = &out;
    context.errorstream = &err;
    context.registerextension(makeref<Win32UserExtension>(context));
    attachconsoledebugger(context, request, out);
    context.setbasefolder(scriptfolder(request.scriptname));
    if (!request.librarypaths.empty()) {
        context.librarypaths = request.librarypaths;
    }

    if (request.lines) {
        out << "breakable lines:\n";
    }
    VornScriptParser parser(source, &programconstcontext());
    const VornScriptStatementsPtr root = parser.parse();
    if (request.parse) {
        const std::string dump = root ? root->dump(0) : std::string();
        out << "parser result:\n" << (dump.empty() ? std::string("<nothing>\n") : dump);
    }
    if (!root) {
        return "<error>";
    }
    if (request.check) {
        return {};
    }
    for (const auto& [name, value] : request.optionvalues) {
        definescriptvariable(context, name, value);
    }
    for (size_t index = 0; index < request.parameters.size(); ++index) {
        definescriptvariable(context, "param" + std::to_string(index + 1),
                             request.parameters[index]);
    }
    context.bindscript(root, source);
    if (request.lines) {
        context.listbreakablelines();
    }
    if (request.parse || request.scan || request.lines) {
        return {};
    }
    preparenode(*root, context);
    checkcallsexist(*root, context);
    const VornScriptObjectPtr value = evaluatewrapped(*root, context);
    checkpendinggoto(context);
    writeprofilesummary(request, context, *root, err);
    checkunittestsread(context);
    if (context.control.exitrequested) {
        exitcode = context.control.exitcode;
        return {};
    }
    return value ? value->tostring() : std::string();
}

} // namespace

std::string runscript(const VornScriptRunRequest& request, std::ostream& out, std::ostream& err,
                      int32_t& exitcode) {
    std::string fulltext;
    try {
        return runparsed(request, out, err, exitcode);
    } catch (const VornScriptErrorException& error) {
        fulltext = error.fullerrortext();
    } catch (const std::exception& error) {
        fulltext = interpretermessage("exception occured", error.what());
    }
    if (fulltext.empty()) {
        return {};
    }
    out << fulltext << "\n";
    return "<error> " + fulltext;
}

std::string runscript(const VornScriptRunRequest& request, std::ostream& out, int32_t& exitcode) {
    return runscript(request, out, std::cerr, exitcode);
}

VornScriptRunOutcome runscript(const VornScriptRunRequest& request) {
    std::ostringstream out;
    std::ostringstream err;
    VornScriptRunOutcome outcome;
    outcome.result = runscript(request, out, err, outcome.exitcode);
    outcome.output = out.str();
    outcome.erroroutput = err.str();
    return outcome;
}

} // namespace vornscript
