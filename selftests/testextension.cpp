// The self-test user extension (see testextension.h). Its summary lists the
// persons variable as "people", the name the summary has always shown.
#include "selftests/testextension.h"

#include "support/phrasetranslator.h"
#include "values/scriptobject.h"

namespace vornscriptunittests {

using vornscript::makeref;
using vornscript::VornScriptObjectRef;

namespace {

constexpr const char* summarylines[] = {
    "\n",       "constants:\n", "MYUSERCONSTANT\n", "\n",        "live variables:\n", "tickcount\n",
    "people\n", "\n",           "functions:\n",     "cube(x)\n", "newperson()\n",
};

bool cube(const VornScriptObjectRef& argument, VornScriptObjectRef& result,
          std::string& errortext) {
    int64_t whole = 0;
    double floating = 0;
    if (argument && argument->isdouble() && argument->readdouble(floating)) {
        result = vornscript::makedoublevalue(floating * floating * floating);
        return true;
    }
    if (argument && argument->islong() && argument->readlong(whole)) {
        // Wraps like the 64-bit multiplication of the original C++ function.
        const auto value = static_cast<uint64_t>(whole);
        result = vornscript::makelongvalue(static_cast<int64_t>(value * value * value));
        return true;
    }
    errortext = vornscript::translate("function cube requires a number as argument", "selftests");
    return false;
}

} // namespace

TestUserExtension::TestUserExtension(std::string name)
    : VornScriptUserExtension(std::move(name)), persons_(makesamplepersons()) {}

bool TestUserExtension::existslivevariable(const std::string& name) {
    return name == "tickcount" || name == "persons";
}

// The value carries the variable's name, as a script variable does.
VornScriptObjectRef TestUserExtension::livevariable_create(const std::string& name) {
    vornscript::VornScriptDataHandlerPtr handler;
    if (name == "tickcount") {
        handler = makeref<SystemTimeVar>();
    } else if (name == "persons") {
        handler = makeref<LivePersonList>(persons_);
    } else {
        return {};
    }
    VornScriptObjectRef value = makeref<vornscript::VornScriptObject>(std::move(handler));
    value->setname(name);
    return value;
}

bool TestUserExtension::getconstantvalue(const std::string& name, VornScriptObjectRef& value) {
    if (name != "MYUSERCONSTANT") {
        value = nullptr;
        return false;
    }
    value = vornscript::makestringvalue("my user value");
    return true;
}

bool TestUserExtension::finduserfunction(const std::string& name, int32_t argumentcount) {
    return (name == "cube" && argumentcount == 1) || (name == "newperson" && argumentcount == 0);
}

bool TestUserExtension::calluserfunction(const std::string& name,
                                         const std::vector<VornScriptObjectRef>& arguments,
                                         VornScriptObjectRef& result, std::string& errortext,
                                         const vornscript::VornScriptSourcePosition&) {
    if (name == "cube" && arguments.size() == 1) {
        return cube(arguments[0], result, errortext);
    }
    if (name == "newperson" && arguments.empty()) {
        result = makelivepersonvalue(makeref<LivePersonRecord>());
        return true;
    }
    return false;
}

std::string TestUserExtension::getsummary() {
    std::string summary = VornScriptUserExtension::getsummary();
    for (const char* line : summarylines) {
        summary += line;
    }
    return summary;
}

} // namespace vornscriptunittests
