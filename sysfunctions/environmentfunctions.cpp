// Environment variables and the clipboard text for scripts; the services
// themselves are support/environment and support/clipboard.
#include "support/clipboard.h"
#include "support/environment.h"
#include "sysfunctions/filecallsupport.h"
#include "sysfunctions/filefunctions.h"

namespace vornscript {

namespace {

bool getenvcall(VornSystemCall& call) {
    return resulttext(call, getenvironmentvariable(argumenttext(call, 0)));
}

bool setenvcall(VornSystemCall& call) {
    return resultbool(call, setenvironmentvariable(argumenttext(call, 0), argumenttext(call, 1)));
}

bool getclipboardtextcall(VornSystemCall& call) {
    return resulttext(call, getclipboardtext());
}

bool setclipboardtextcall(VornSystemCall& call) {
    if (!setclipboardtext(argumenttext(call, 0))) {
        return failcall(call, "cannot set clipboard text");
    }
    return resultbool(call, true);
}

constexpr VornSystemFunctionEntry environmentfunctions[] = {
    {"getenv($)", getenvcall},
    {"setenv($$)", setenvcall},
    {"getclipboardtext()", getclipboardtextcall},
    {"setclipboardtext($)", setclipboardtextcall},
};

} // namespace

VornSystemFunctionTable environmentfunctiontable() {
    return environmentfunctions;
}

} // namespace vornscript
