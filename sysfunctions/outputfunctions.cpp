// print, println, printf and their error-stream twins (see outputfunctions.h).
#include "sysfunctions/outputfunctions.h"

#include "interpreter/context.h"
#include "sysfunctions/formatting.h"

#include <ostream>

namespace vornscript {
namespace {

// The arguments' text forms without separators; undefined ones add nothing.
// A line end also flushes the stream, so a finished line shows at once even
// when the output goes to a pipe or a file.
void writearguments(std::ostream& out, VornSystemCall& call, bool endline) {
    std::string text;
    for (const VornScriptObjectPtr& argument : call.arguments) {
        if (argument && !argument->isnull()) {
            argument->appendstring(text);
        }
    }
    if (endline) {
        text += '\n';
    }
    out << text;
    if (endline) {
        out.flush();
    }
    call.result = makelongvalue(1);
}

// Formats like sprintf and writes the text; fails as sprintf does.
bool writeformatted(std::ostream& out, VornSystemCall& call) {
    std::string text;
    if (!formatscriptvalues(call.name, call.arguments, text, call.error)) {
        return false;
    }
    out << text;
    call.result = makelongvalue(1);
    return true;
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

bool output_printf(VornSystemCall& call) {
    return writeformatted(*call.context.outputstream, call);
}

bool output_printerrorf(VornSystemCall& call) {
    return writeformatted(*call.context.errorstream, call);
}

constexpr VornSystemFunctionEntry outputfunctions[] = {
    {"print(", output_print},           {"println(", output_println},
    {"printerror(", output_printerror}, {"printerrorln(", output_printerrorln},
    {"printf(", output_printf},         {"printerrorf(", output_printerrorf},
};

} // namespace

VornSystemFunctionTable outputfunctiontable() {
    return outputfunctions;
}

} // namespace vornscript
