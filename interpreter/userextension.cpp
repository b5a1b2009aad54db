// Base behaviour of the extension interface: no live variables, no
// constants, nothing to initialise or test.
#include "interpreter/userextension.h"

#include "values/scriptobject.h"

namespace vornscript {

bool VornScriptUserExtension::module_init() {
    return true;
}

void VornScriptUserExtension::module_exit() {}

bool VornScriptUserExtension::existslivevariable(const std::string&) {
    return false;
}

VornScriptObjectRef VornScriptUserExtension::livevariable_create(const std::string&) {
    return {};
}

bool VornScriptUserExtension::existsconstant(const std::string& name) {
    VornScriptObjectRef value;
    return getconstantvalue(name, value);
}

bool VornScriptUserExtension::getconstantvalue(const std::string&, VornScriptObjectRef& value) {
    value = nullptr;
    return false;
}

std::string VornScriptUserExtension::getsummary() {
    return "UserExtension " + name_ + "\n";
}

bool VornScriptUserExtension::unittests(std::string&) {
    return true;
}

} // namespace vornscript
