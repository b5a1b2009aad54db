// Shared helpers of the file function families (see filecallsupport.h).
#include "sysfunctions/filecallsupport.h"

#include "interpreter/context.h"
#include "support/phrasetranslator.h"
#include "values/scriptobject.h"
#include "values/vectorhandler.h"

namespace vornscript {

std::string argumenttext(const VornSystemCall& call, size_t index) {
    const VornScriptObjectPtr& argument = call.arguments[index];
    return argument ? argument->tostring() : std::string();
}

bool failcall(VornSystemCall& call, const char* phrase, std::string_view detail) {
    call.error = translate(phrase, "interpreter");
    call.error += detail;
    return false;
}

bool permitted(VornSystemCall& call, const std::string& path, char mode, const char* phrase,
               bool namepath) {
    if (call.context.hasFilePermission(path, mode)) {
        return true;
    }
    return failcall(call, phrase, namepath ? std::string_view(path) : std::string_view());
}

bool resultbool(VornSystemCall& call, bool value) {
    call.result = makeboolvalue(value);
    return true;
}

bool resultlong(VornSystemCall& call, int64_t value) {
    call.result = makelongvalue(value);
    return true;
}

bool resulttext(VornSystemCall& call, std::string text) {
    call.result = makestringvalue(std::move(text));
    return true;
}

bool resulttexts(VornSystemCall& call, const std::vector<std::string>& texts) {
    VornScriptObjectList elements;
    elements.reserve(texts.size());
    for (const std::string& text : texts) {
        elements.push_back(makestringvalue(text));
    }
    call.result = makehandlervalue(makeref<VornScriptObjectVectorHandler>(std::move(elements)));
    return true;
}

} // namespace vornscript
