// Ini profile functions. Each call reads (and a write rewrites) the file, so
// scripts always see its current contents; the profile rules (sections and
// keys without regard to case, other lines kept as they were) live in
// support/iniprofile. A relative ini path is relative to the current folder.
#include "support/iniprofile.h"
#include "sysfunctions/filecallsupport.h"
#include "sysfunctions/filefunctions.h"
#include "values/scriptobject.h"

namespace vornscript {

namespace {

bool profilestring(VornSystemCall& call) {
    return resulttext(call, getprofilestring(argumenttext(call, 0), argumenttext(call, 1),
                                             argumenttext(call, 2), argumenttext(call, 3)));
}

// The default is the truth of the fourth argument (false without one).
bool profilebool(VornSystemCall& call) {
    const VornScriptObjectPtr& fallback = call.arguments[3];
    const bool defaultvalue = fallback && !fallback->isnull() && fallback->istrue();
    return resultbool(call, getprofilebool(argumenttext(call, 0), argumenttext(call, 1),
                                           argumenttext(call, 2), defaultvalue));
}

bool writestring(VornSystemCall& call) {
    return resultbool(call, writeprofilestring(argumenttext(call, 0), argumenttext(call, 1),
                                               argumenttext(call, 2), argumenttext(call, 3)));
}

bool writebool(VornSystemCall& call) {
    const VornScriptObjectPtr& value = call.arguments[3];
    return resultbool(call, writeprofilebool(argumenttext(call, 0), argumenttext(call, 1),
                                             argumenttext(call, 2), value && value->istrue()));
}

constexpr VornSystemFunctionEntry profilefunctions[] = {
    {"getprofilestring($$$)", profilestring},  {"getprofilestring($$$$)", profilestring},
    {"getprofilebool($$$)", profilebool},      {"getprofilebool($$$$)", profilebool},
    {"writeprofilestring($$$$)", writestring}, {"writeprofilebool($$$$)", writebool},
};

} // namespace

VornSystemFunctionTable profilefunctiontable() {
    return profilefunctions;
}

} // namespace vornscript
