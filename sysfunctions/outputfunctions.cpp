// print, println, printerror and printerrorln (see outputfunctions.h).
#include "sysfunctions/outputfunctions.h"

#include "interpreter/context.h"

#include <ostream>

namespace vornscript {
namespace {

// The arguments' text forms without separators; undefined ones add nothing.
void writearguments(std::ostream& out, VornSystemCall& call, bool endline) {
    std::string text;
    for (const VornScriptObjectPtr& argument : call.arguments) {
        if (argument && !argument->isnull()) {
            argument->appendstring(text);
        }
    }
    out << text;
    if (endline) {
        out << std::endl;
    }
    call.result = makelongvalue(1);
}

bool output_print(VornSystemCall& call) {
    writearguments(*call.context.outputstream, call, false);
    return true;
}

bool output_println(VornSystemCall& call) {
    writearguments(*call.context.outputstream, call, true);
    return true;
}

bool output_printerror(VornSystemCall& call) {
    writearguments(*call.context.errorstream, call, false);
    return true;
}

bool output_printerrorln(VornSystemCall& call) {
    writearguments(*call.context.errorstream, call, true);
    return true;
}

constexpr VornSystemFunctionEntry outputfunctions[] = {
    {"print(", output_print},
    {"println(", output_println},
    {"printerror(", output_printerror},
    {"printerrorln(", output_printerrorln},
};

} // namespace

VornSystemFunctionTable outputfunctiontable() {
    return outputfunctions;
}

} // namespace vornscript
