// What the interpreter remembers about a literal node, made on its first
// evaluation and kept on the node: its reading as a number and a prepared
// value, so that evaluating a literal again reads no text.
#pragma once

#include "frontend/syntaxtree.h"
#include "interpreter/numberresult.h"
#include "values/datahandler.h"

namespace vornscript {

// What the interpreter remembers about a literal. A literal that is the
// plain decimal text of a whole number is made as a native number value, so
// loops over literals neither copy nor re-read the text. Any other literal
// keeps [prepared], a text handler whose number reading is already made:
// each evaluation copies it instead of reading the text again. [number] is
// the literal as the operators read it, when it reads as a number.
struct LiteralCache final : VornRefCounted {
    bool nativelong = false;
    bool isnumber = false;
    NumberResult number;
    VornScriptDataHandlerPtr prepared;
    // The literal's own value, made on first use, for callees that only read
    // their arguments.
    VornScriptObjectPtr shared;
};

// Makes and keeps the record of a literal evaluated for the first time.
const LiteralCache& makeliteralcache(const VornScriptConstValue& node);

inline const LiteralCache& literalcache(const VornScriptConstValue& node) {
    if (!node.interpretervalue) [[unlikely]] {
        return makeliteralcache(node);
    }
    return static_cast<const LiteralCache&>(*node.interpretervalue);
}

} // namespace vornscript
