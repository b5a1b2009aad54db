// Helpers shared by the parser and syntax-tree tests: parse a script and
// return its dump or its error text, so test rows read as (script, expected).
#pragma once

#include "frontend/parser.h"

#include <string>

namespace vornscriptunittests {

// Root of [script]; null when it holds no token. Throws on a syntax error.
inline vornscript::VornScriptStatementsPtr parseroot(const std::string& script,
                                                     const std::string& name = "console") {
    vornscript::VornScriptParser parser(vornscript::makescriptsource(name, script));
    return parser.parse();
}

// The -parse dump of [script], "(no tree)", or the full text of its error.
inline std::string dumporerror(const std::string& script, const std::string& name = "console") {
    try {
        const vornscript::VornScriptStatementsPtr root = parseroot(script, name);
        return root ? root->dump(0) : "(no tree)";
    } catch (const vornscript::VornScriptErrorException& error) {
        return error.fullerrortext();
    }
}

// The first statement of [script] (which must parse).
inline vornscript::VornScriptNodePtr firststatement(const std::string& script) {
    return parseroot(script)->statements.at(0);
}

} // namespace vornscriptunittests
