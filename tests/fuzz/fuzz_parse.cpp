// Fuzz target: the scanner's token listing, the parser and the tree dump of
// arbitrary text, as -scan and -parse show them. A syntax error is the
// expected answer to most inputs; anything else escaping, or a sanitizer
// report, is a finding.
#include "frontend/parser.h"
#include "frontend/scanner.h"
#include "interpreter/constcontext.h"
#include "support/largestack.h"
#include "values/errorexception.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace vornscript;

namespace {

void scanandparse(const std::string& text) {
    const VornScriptSourcePtr source = makescriptsource("fuzz", text);
    try {
        VornScriptScanner scanner(source);
        for (TokenKind kind = scanner.start(); kind != TOKEN_ENDOFFILE; kind = scanner.next()) {
            scanner.describetoken();
        }
    } catch (const VornScriptErrorException& error) {
        error.fullerrortext();
    }
    try {
        // Range bounds are evaluated with the program's constants, as in a run.
        VornScriptParser parser(source, &programconstcontext());
        if (const VornScriptStatementsPtr root = parser.parse()) {
            root->dump(0);
        }
    } catch (const VornScriptErrorException& error) {
        error.fullerrortext();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    // The parser's nesting limit is sized for the interpreter's stack.
    runwithlargestack([&] {
        scanandparse(text);
        return 0;
    });
    return 0;
}
