// Fuzz target: runs arbitrary text as a script, the way the program does
// (parse, prepare, check the calls, evaluate), in a sandbox fit for a shared
// machine:
// - files: the context grants every kind of file access only inside a
//   private temporary folder made at start-up, which also becomes $TMPDIR,
//   $HOME and $XDG_DATA_HOME (the trash of deletefile); commands are refused
//   as by every base context;
// - system functions that wait, start processes, open windows, play sound,
//   use the clipboard, change the environment, load plug-ins or touch ini
//   profiles (which have no path check) are claimed by an extension that
//   fails them, since extensions are asked before the system functions;
// - no debugger is attached, so nothing reads standard input, and printed
//   output is dropped.
// A script may legitimately run long (nested loops multiply the loop limit),
// so each input gets one second: then a timer signal
// switches the context's statement hook on, and the hook ends the script
// with an error. Until then the interpreter runs its usual fast paths; a
// hang inside one native operation still reaches libFuzzer's -timeout.
#include "frontend/parser.h"
#include "interpreter/constcontext.h"
#include "interpreter/context.h"
#include "interpreter/evaluate.h"
#include "interpreter/pathpermission.h"
#include "interpreter/userfunctions.h"
#include "support/largestack.h"
#include "values/errorexception.h"

#include <time.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <ostream>
#include <set>
#include <streambuf>
#include <string>

using namespace vornscript;

namespace {

std::string sandboxfolder; // with a final "/"
timer_t budgettimer;

class FuzzContext : public VornScriptContextBase {
public:
    bool hasFilePermission(const std::string& path, char) override {
        return pathliesinsidefolder(path, sandboxfolder);
    }
    void onstatement(VornScriptExpressionBase& node, VornScriptContextBase&) override {
        throw VornScriptErrorException(node.position(), "fuzz time budget spent");
    }
    void onstatementdone(VornScriptExpressionBase&, VornScriptContextBase&) override {}
};

// The context being run, for the timer signal.
FuzzContext* volatile runningcontext = nullptr;

void ontimebudgetspent(int) {
    if (FuzzContext* context = runningcontext) {
        context->debuggeractive = true;
    }
}

class RefusingExtension : public VornScriptUserExtension {
public:
    bool finduserfunction(const std::string& name, int32_t) override {
        static const std::set<std::string, std::less<>> refused = {"sleep",
                                                                   "wait",
                                                                   "allowmessageprocessing",
                                                                   "runprocess",
                                                                   "shellexecute",
                                                                   "findapplication",
                                                                   "messagebox",
                                                                   "filechooser",
                                                                   "beep",
                                                                   "saytext",
                                                                   "playmidi",
                                                                   "getclipboardtext",
                                                                   "setclipboardtext",
                                                                   "setenv",
                                                                   "uselibrary",
                                                                   "setlibrarypath",
                                                                   "getlibrarysummary",
                                                                   "getprofilebool",
                                                                   "getprofilestring",
                                                                   "writeprofilebool",
                                                                   "writeprofilestring"};
        const std::string_view plain =
            name.starts_with("::") ? std::string_view(name).substr(2) : std::string_view(name);
        return refused.contains(plain);
    }
    bool calluserfunction(const std::string& name, const std::vector<VornScriptObjectRef>&,
                          VornScriptObjectRef&, std::string& errortext,
                          const VornScriptSourcePosition&) override {
        errortext = name + " is refused by the fuzz harness";
        return false;
    }
};

class DiscardingBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

void runscripttext(const std::string& text) {
    DiscardingBuffer discard;
    std::ostream nowhere(&discard);
    FuzzContext context;
    context.outputstream = &nowhere;
    context.errorstream = &nowhere;
    context.registerextension(makeref<RefusingExtension>());
    context.setbasefolder(sandboxfolder);
    const VornScriptSourcePtr source = makescriptsource(sandboxfolder + "fuzz.vornscript", text);
    try {
        VornScriptParser parser(source, &programconstcontext());
        const VornScriptStatementsPtr root = parser.parse();
        if (!root) {
            return;
        }
        context.bindscript(root, source);
        preparenode(*root, context);
        checkcallsexist(*root, context);
        runningcontext = &context;
        const itimerspec budget{{0, 0}, {1, 0}};
        timer_settime(budgettimer, 0, &budget, nullptr);
        const VornScriptObjectPtr value = evaluatewrapped(*root, context);
        checkpendinggoto(context);
        if (value) {
            value->tostring();
        }
    } catch (const VornScriptErrorException& error) {
        error.fullerrortext();
    } catch (const std::exception&) {
        // The program reports these as "exception occured" too.
    }
    const itimerspec off{};
    timer_settime(budgettimer, 0, &off, nullptr);
    runningcontext = nullptr;
}

// Scripts may leave files in the sandbox; each input starts with it empty.
void emptysandbox() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(sandboxfolder, error)) {
        std::filesystem::remove_all(entry.path(), error);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern = (std::filesystem::temp_directory_path() / "vornfuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::cerr << "cannot make the sandbox folder\n";
        std::abort();
    }
    sandboxfolder = pattern + "/";
    for (const char* variable : {"TMPDIR", "HOME", "XDG_DATA_HOME"}) {
        setenv(variable, pattern.c_str(), 1);
    }
    // Wall-clock time, as libFuzzer's -timeout counts it.
    std::signal(SIGVTALRM, ontimebudgetspent);
    sigevent event{};
    event.sigev_notify = SIGEV_SIGNAL;
    event.sigev_signo = SIGVTALRM;
    if (timer_create(CLOCK_MONOTONIC, &event, &budgettimer) != 0) {
        std::cerr << "cannot make the time budget timer\n";
        std::abort();
    }
    std::atexit([] { std::filesystem::remove_all(sandboxfolder); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    runwithlargestack([&] {
        runscripttext(text);
        return 0;
    });
    emptysandbox();
    return 0;
}
