// sprintf, logmessage and the clock functions. Local date and time come from
// localtime_r; the millisecond clock is the context's tick counter (the
// monotonic clock) cut to 32 bits, so it wraps like a 32-bit tick count.
#include "sysfunctions/formatfunctions.h"

#include "interpreter/context.h"
#include "support/logsink.h"
#include "support/stringnumbers.h"
#include "sysfunctions/formatting.h"
#include "values/conversions.h"
#include "values/scriptobject.h"

#include <ctime>

namespace vornscript {

namespace {

bool sprintffunction(VornSystemCall& call) {
    std::string text;
    if (!formatscriptvalues(call.name, call.arguments, text, call.error)) {
        return false;
    }
    call.result = makestringvalue(std::move(text));
    return true;
}

// One log entry with the time stamp, also handed to the context's hook; the
// result is the logged text.
bool logmessagefunction(VornSystemCall& call) {
    std::string text;
    for (const VornScriptObjectPtr& argument : call.arguments) {
        if (argument) {
            argument->appendstring(text);
        }
    }
    writelogline(text, true);
    call.context.onlogmessage(text);
    call.result = makestringvalue(std::move(text));
    return true;
}

bool timemillisecondsfunction(VornSystemCall& call) {
    const auto ticks = static_cast<uint32_t>(call.context.gettickcount());
    call.result = makelongvalue(ticks);
    return true;
}

bool timesecondsfunction(VornSystemCall& call) {
    call.result = makelongvalue(static_cast<int64_t>(std::time(nullptr)));
    return true;
}

std::tm localnow() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return parts;
}

// Day, month and year without leading zeros: "4.12.2026".
bool getdatestringfunction(VornSystemCall& call) {
    const std::tm now = localnow();
    char text[48];
    std::snprintf(text, sizeof(text), "%d.%d.%d", now.tm_mday, now.tm_mon + 1, now.tm_year + 1900);
    call.result = makestringvalue(text);
    return true;
}

// The time of day has the form of a duration since midnight: "9:05:07".
bool gettimestringfunction(VornSystemCall& call) {
    const std::tm now = localnow();
    call.result = makestringvalue(
        vornstdstring::second2time(now.tm_hour * 3600 + now.tm_min * 60 + now.tm_sec));
    return true;
}

bool getdurationstringfunction(VornSystemCall& call) {
    int64_t seconds = 0;
    std::string ignored;
    // A duration that is no number shows as no time at all.
    if (!getlong(call.arguments[0], seconds, ignored)) {
        seconds = 0;
    }
    call.result = makestringvalue(vornstdstring::second2time(seconds));
    return true;
}

bool getdatetimefunction(VornSystemCall& call) {
    const std::tm now = localnow();
    const struct {
        const char* name;
        int value;
    } members[] = {
        {"day", now.tm_mday},  {"month", now.tm_mon + 1}, {"year", now.tm_year + 1900},
        {"hour", now.tm_hour}, {"minute", now.tm_min},    {"second", now.tm_sec},
    };
    VornScriptObjectPtr result = makevalueoftype(VornObjectType::structure);
    for (const auto& member : members) {
        if (!result->insertstructuremember(member.name, makelongvalue(member.value), call.error)) {
            return false;
        }
    }
    call.result = std::move(result);
    return true;
}

// Keys ending in "$" take any further arguments.
constexpr VornSystemFunctionEntry formatfunctions[] = {
    {"sprintf($", sprintffunction},
    {"logmessage($", logmessagefunction},
    {"timemilliseconds()", timemillisecondsfunction},
    {"timeseconds()", timesecondsfunction},
    {"getdatestring()", getdatestringfunction},
    {"gettimestring()", gettimestringfunction},
    {"gettimestring($)", getdurationstringfunction},
    {"getdatetime()", getdatetimefunction},
};

} // namespace

VornSystemFunctionTable formatfunctiontable() {
    return formatfunctions;
}

} // namespace vornscript
