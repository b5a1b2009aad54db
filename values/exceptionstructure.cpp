// The structure view of a caught script error.
#include "values/exceptionstructure.h"

#include "values/scriptobject.h"

#include <utility>

namespace vornscript {

namespace {

// Member names in the order getstructurefields returns them.
constexpr const char* membernames[] = {"filename", "what", "linenr", "columnnr", "pos", "info"};

} // namespace

VornScriptExceptionStructure::VornScriptExceptionStructure(VornScriptErrorException error)
    : error_(std::move(error)) {}

VornScriptDataHandlerPtr VornScriptExceptionStructure::duplicate() {
    return makeref<VornScriptExceptionStructure>(error_);
}

bool VornScriptExceptionStructure::accessstructuremember(const std::string& name,
                                                         VornScriptObjectPtr& member,
                                                         std::string& error) {
    return getstructuremember(name, member, error);
}

bool VornScriptExceptionStructure::getstructuremember(const std::string& name,
                                                      VornScriptObjectPtr& member,
                                                      std::string& error) {
    if (name == "filename") {
        member = makestringvalue(error_.filename());
    } else if (name == "what") {
        member = makestringvalue(error_.message());
    } else if (name == "linenr") {
        member = makelongvalue(error_.line());
    } else if (name == "columnnr") {
        member = makelongvalue(error_.column());
    } else if (name == "pos") {
        member = makestringvalue(error_.positiontext());
    } else if (name == "info") {
        member = makestringvalue(error_.fullerrortext());
    } else {
        error = "exception has no structure member " + name;
        return false;
    }
    return true;
}

bool VornScriptExceptionStructure::getstructurefields(std::vector<std::string>& names,
                                                      std::string&) {
    names.assign(std::begin(membernames), std::end(membernames));
    return true;
}

bool VornScriptExceptionStructure::removestructuremember(const std::string&, std::string& error) {
    error = "not allowed to remove structure members";
    return false;
}

std::string VornScriptExceptionStructure::debuginfo() {
    return error_.fullerrortext();
}

std::string VornScriptExceptionStructure::tostring() {
    return error_.fullerrortext();
}

} // namespace vornscript
