// The unittest_ system functions (see unittestfunctions.h). Every check
// yields whether it passed; the registry keeps the failure lines until
// unittest_results() fetches them.
#include "sysfunctions/unittestfunctions.h"

#include "interpreter/context.h"
#include "interpreter/raise.h"
#include "selftests/unittestregistry.h"
#include "support/wholefile.h"
#include "values/conversions.h"
#include "values/scriptobject.h"

#include <filesystem>
#include <system_error>

namespace vornscript {

namespace {

// The text form of an argument; an undefined argument is the empty text.
std::string textof(const VornScriptObjectPtr& value) {
    return value ? value->tostring() : std::string();
}

vornunittest& registryof(VornSystemCall& call) {
    return call.context.unittestregistry();
}

bool checkresult(VornSystemCall& call, bool passed) {
    call.result = makeboolvalue(passed);
    return true;
}

bool areequalfunction(VornSystemCall& call) {
    const std::string actual = textof(call.arguments[0]);
    const std::string expected = textof(call.arguments[1]);
    return checkresult(call,
                       registryof(call).areequal(textof(call.arguments[2]), actual, expected));
}

bool areequalvaluesfunction(VornSystemCall& call) {
    int64_t actual = 0;
    int64_t expected = 0;
    if (!getlong(call.arguments[0], actual, call.error) ||
        !getlong(call.arguments[1], expected, call.error)) {
        return false;
    }
    return checkresult(
        call, registryof(call).areequalvalues(textof(call.arguments[2]), actual, expected));
}

bool areequalboolfunction(VornSystemCall& call) {
    bool actual = false;
    bool expected = false;
    if (!getbool(call.arguments[0], actual, call.error) ||
        !getbool(call.arguments[1], expected, call.error)) {
        return false;
    }
    return checkresult(call,
                       registryof(call).areequalbool(textof(call.arguments[2]), actual, expected));
}

bool arenearvaluesfunction(VornSystemCall& call) {
    double actual = 0;
    double expected = 0;
    double maxdistance = 0;
    if (!getdouble(call.arguments[0], actual, call.error) ||
        !getdouble(call.arguments[1], expected, call.error) ||
        !getdouble(call.arguments[2], maxdistance, call.error)) {
        return false;
    }
    return checkresult(call, registryof(call).arenearvalues(textof(call.arguments[3]), actual,
                                                            expected, maxdistance));
}

// A check that passes when [passed] holds and otherwise fails with [message].
bool conditioncheck(VornSystemCall& call, bool passed, const std::string& testname,
                    const char* message) {
    vornunittest& registry = registryof(call);
    if (passed) {
        registry.areequalbool(testname, true, true);
    } else {
        registry.fail(testname, interpretermessage(message));
    }
    return checkresult(call, passed);
}

bool isexistingfile(VornScriptContextBase& context, const std::string& path) {
    std::error_code error;
    return context.hasFilePermission(path, 'i') && std::filesystem::is_regular_file(path, error);
}

bool fileexistsfunction(VornSystemCall& call) {
    const bool exists = isexistingfile(call.context, textof(call.arguments[0]));
    return conditioncheck(call, exists, textof(call.arguments[1]), "file does not exist");
}

bool readablecontent(VornScriptContextBase& context, const std::string& path,
                     std::string& content) {
    return context.hasFilePermission(path, 'r') && readwholefile(path, content);
}

bool arefilecontentsequalfunction(VornSystemCall& call) {
    std::string first;
    std::string second;
    const bool equal = readablecontent(call.context, textof(call.arguments[0]), first) &&
                       readablecontent(call.context, textof(call.arguments[1]), second) &&
                       first == second;
    return conditioncheck(call, equal, textof(call.arguments[2]), "file contents are not equal");
}

bool flagcheck(VornSystemCall& call, bool expected) {
    bool actual = false;
    if (!getbool(call.arguments[0], actual, call.error)) {
        return false;
    }
    return checkresult(call,
                       registryof(call).areequalbool(textof(call.arguments[1]), actual, expected));
}

bool istruefunction(VornSystemCall& call) {
    return flagcheck(call, true);
}

bool isfalsefunction(VornSystemCall& call) {
    return flagcheck(call, false);
}

bool failfunction(VornSystemCall& call) {
    registryof(call).fail(textof(call.arguments[1]), textof(call.arguments[0]));
    return checkresult(call, false);
}

bool resultsfunction(VornSystemCall& call) {
    call.result = makestringvalue(registryof(call).fetchresults());
    return true;
}

bool countfunction(VornSystemCall& call) {
    call.result = makelongvalue(registryof(call).checkcount());
    return true;
}

bool clearfunction(VornSystemCall& call) {
    registryof(call).clear();
    call.result = makeundefinedvalue();
    return true;
}

constexpr VornSystemFunctionEntry unittestfunctions[] = {
    {"unittest_areequal($$$)", areequalfunction},
    {"unittest_areequalvalues($$$)", areequalvaluesfunction},
    {"unittest_areequalbool($$$)", areequalboolfunction},
    {"unittest_arenearvalues($$$$)", arenearvaluesfunction},
    {"unittest_fileexists($$)", fileexistsfunction},
    {"unittest_arefilecontentsequal($$$)", arefilecontentsequalfunction},
    {"unittest_istrue($$)", istruefunction},
    {"unittest_isfalse($$)", isfalsefunction},
    {"unittest_fail($$)", failfunction},
    {"unittest_results()", resultsfunction},
    {"unittest_count()", countfunction},
    {"unittest_clear()", clearfunction},
};

} // namespace

VornSystemFunctionTable unittestfunctiontable() {
    return unittestfunctions;
}

} // namespace vornscript
