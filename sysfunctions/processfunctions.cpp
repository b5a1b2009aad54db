// Pauses, window-message processing and program starts for scripts. Window
// messages come through support/messagepump, whose quit mark ends waits.
#include "interpreter/context.h"
#include "support/messagepump.h"
#include "support/process.h"
#include "support/shellexecute.h"
#include "sysfunctions/collectionsupport.h"
#include "sysfunctions/filecallsupport.h"
#include "sysfunctions/osfunctions.h"
#include "values/conversions.h"

#include <chrono>
#include <ostream>
#include <thread>

namespace vornscript {

namespace {

constexpr int64_t sleepslice = 10000;
constexpr int64_t waitslice = 250;
constexpr int messagesperslice = 5;

void sleepfor(int64_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool pausecall(VornSystemCall& call, int64_t slice, const std::function<bool()>& afterslice) {
    int64_t milliseconds = 0;
    if (!getlong(call.arguments[0], milliseconds, call.error)) {
        return false;
    }
    return resultbool(call, pauseinslices(milliseconds, slice, sleepfor, afterslice));
}

bool sleepcall(VornSystemCall& call) {
    return pausecall(call, sleepslice, [] { return true; });
}

bool waitcall(VornSystemCall& call) {
    return pausecall(call, waitslice, [] { return processpendingmessages(messagesperslice); });
}

bool allowmessageprocessingcall(VornSystemCall& call) {
    return resultbool(call, processpendingmessages(messagesperslice));
}

// Runs the command of argument 0; [output] receives what it printed.
bool runcommand(VornSystemCall& call, std::string& output) {
    const std::string commandline = argumenttext(call, 0);
    std::string refusal;
    if (!call.context.hasCommandPermission(commandline, refusal)) {
        call.error = std::move(refusal);
        return false;
    }
    flushscriptoutput(call);
    int status = 0;
    if (!runshellcommand(commandline, output, status)) {
        return failcall(call, "starting command failed");
    }
    return resultlong(call, status);
}

bool runprocesscall(VornSystemCall& call) {
    std::string output;
    return runcommand(call, output);
}

bool runprocessoutputcall(VornSystemCall& call) {
    std::string output;
    return runcommand(call, output) &&
           call.arguments[1]->assign(makestringvalue(std::move(output)), call.error);
}

bool shellexecutecall(VornSystemCall& call) {
    const std::string target = argumenttext(call, 0);
    flushscriptoutput(call);
    const int result = shellexecute(target, argumenttext(call, 1));
    if (result <= 32) {
        call.error = shellexecutemessage(result, target);
        return false;
    }
    return resultbool(call, true);
}

bool findapplicationcall(VornSystemCall& call) {
    const std::string name = argumenttext(call, 0);
    if (name.empty()) {
        call.error = functionrequiresmessage("findapplication", "requires argument appname");
        return false;
    }
    return resulttext(call, findfileonpath(name));
}

constexpr VornSystemFunctionEntry processfunctions[] = {
    {"sleep($)", sleepcall},
    {"wait($)", waitcall},
    {"allowmessageprocessing()", allowmessageprocessingcall},
    {"runprocess($)", runprocesscall},
    {"runprocess($$)", runprocessoutputcall},
    {"shellexecute($)", shellexecutecall},
    {"shellexecute($$)", shellexecutecall},
    {"findapplication($)", findapplicationcall},
};

} // namespace

void flushscriptoutput(const VornSystemCall& call) {
    for (std::ostream* stream : {call.context.outputstream, call.context.errorstream}) {
        if (stream != nullptr) {
            stream->flush();
        }
    }
}

bool pauseinslices(int64_t milliseconds, int64_t slice, const std::function<void(int64_t)>& sleep,
                   const std::function<bool()>& afterslice) {
    for (int64_t left = milliseconds; left > 0; left -= slice) {
        sleep(std::min(left, slice));
        if (!afterslice()) {
            return false;
        }
    }
    return true;
}

VornSystemFunctionTable processfunctiontable() {
    return processfunctions;
}

} // namespace vornscript
