// Message translation and error raising for the interpreter (see raise.h).
#include "interpreter/raise.h"

#include "interpreter/context.h"
#include "support/phrasetranslator.h"

namespace vornscript {

std::string interpretermessage(const char* phrase) {
    return translate(phrase, "interpreter");
}

std::string interpretermessage(const char* phrase, const std::string& detail) {
    return translate(phrase, "interpreter") + ": " + detail;
}

void raiseatposition(const VornScriptSourcePosition& position, const std::string& message,
                     VornScriptContextBase* context) {
    VornScriptErrorException error(position, message);
    if (context != nullptr) {
        context->reporterror(error.fullerrortext());
    }
    throw error;
}

void raiseatnode(const VornScriptExpressionBase& node, const std::string& message,
                 VornScriptContextBase* context) {
    raiseatposition(node.position(), message, context);
}

} // namespace vornscript
