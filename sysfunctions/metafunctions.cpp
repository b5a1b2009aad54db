// The meta function table and the introspection functions that only look at
// their arguments or the variables of the context: types, texts, hex dumps,
// variable queries, copies, translation, version checks, and the functions
// that end the script (throwexception, die, abort, exit).
#include "sysfunctions/metafunctions.h"

#include "interpreter/context.h"
#include "interpreter/raise.h"
#include "support/phrasetranslator.h"
#include "values/conversions.h"
#include "values/numbers.h"

#include <cstdio>

namespace vornscript {
namespace {

constexpr const char* programversion = "1.2";
constexpr size_t hexdumpwidth = 16;

std::string argumenttext(const VornScriptObjectPtr& argument) {
    return argument && !argument->isnull() ? argument->tostring() : std::string();
}

bool givenargument(const VornScriptObjectPtr& argument) {
    return argument && !argument->isnull();
}

bool meta_version(VornSystemCall& call) {
    call.result = makestringvalue(programversion);
    return true;
}

bool meta_useversion(VornSystemCall& call) {
    const VornNumberReading required = readnumbertext(argumenttext(call.arguments[0]));
    if (required.kind == VornNumberKind::none) {
        call.error = interpretermessage(
            "function __USEVERSION__ requires a version number argument (e.g. 1.0)");
        return false;
    }
    if (readnumbertext(programversion).doublevalue < required.doublevalue) {
        call.error =
            interpretermessage("vornscript version is older than required version", programversion);
        return false;
    }
    call.result = makeboolvalue(true);
    return true;
}

bool meta_gettype(VornSystemCall& call) {
    call.result = makestringvalue(gettypename(call.arguments[0]));
    return true;
}

// tostring and getdebuginfo: a view of the one value passed.
template <std::string (VornScriptObject::*View)() const> bool valueview(VornSystemCall& call) {
    if (!call.arguments[0]) {
        call.error = interpretermessage("function") + " " + call.name + " " +
                     interpretermessage("expects an object parameter");
        return false;
    }
    call.result = makestringvalue(((*call.arguments[0]).*View)());
    return true;
}

// 16 bytes a line: offset, hex bytes, " | " and the printable characters;
// the last line of a longer dump is padded so the columns align.
std::string hexdump(const std::string& bytes) {
    std::string dump;
    char hex[8];
    for (size_t offset = 0; offset < bytes.size(); offset += hexdumpwidth) {
        const size_t count = std::min(hexdumpwidth, bytes.size() - offset);
        std::snprintf(hex, sizeof hex, "%04zX: ", offset & 0xFFFF);
        dump += hex;
        for (size_t index = 0; index < count; ++index) {
            std::snprintf(hex, sizeof hex, index == 0 ? "%02X" : " %02X",
                          static_cast<unsigned char>(bytes[offset + index]));
            dump += hex;
        }
        if (bytes.size() > hexdumpwidth) {
            dump.append(3 * (hexdumpwidth - count), ' ');
        }
        dump += " | ";
        for (size_t index = 0; index < count; ++index) {
            const auto byte = static_cast<unsigned char>(bytes[offset + index]);
            dump.push_back(byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.');
        }
        dump.push_back('\n');
    }
    return dump;
}

bool meta_hexdump(VornSystemCall& call) {
    const VornScriptObjectPtr& value = call.arguments[0];
    if (!givenargument(value)) {
        call.result = makestringvalue("<null>");
        return true;
    }
    const std::string text = value->tostring();
    call.result = makestringvalue(text.empty() ? std::string("<empty>") : hexdump(text));
    return true;
}

// A value bound to a variable or member is defined when it is not
// undefined; a plain text names a variable that must be declared.
bool meta_isdefined(VornSystemCall& call) {
    const VornScriptObjectPtr& value = call.arguments[0];
    bool defined = false;
    if (value && !value->getname().empty()) {
        defined = !value->isnull();
    } else if (givenargument(value)) {
        defined = bool(call.context.findvariable(value->tostring(), true));
    }
    call.result = makeboolvalue(defined);
    return true;
}

bool meta_isvariabledefined(VornSystemCall& call) {
    const std::string name = argumenttext(call.arguments[0]);
    call.result = makeboolvalue(!name.empty() && call.context.findvariable(name, true));
    return true;
}

bool meta_getarg(VornSystemCall& call) {
    const std::string name = argumenttext(call.arguments[0]);
    if (name.empty()) {
        call.error = interpretermessage("function getarg requires a variable name as argument");
        return false;
    }
    VornScriptObjectPtr value;
    std::string unused;
    if (!call.context.getvariable(name, value, unused) || !givenargument(value)) {
        value = call.arguments[1] ? call.arguments[1] : makeundefinedvalue();
    }
    return makervalue(value, call.result, call.error);
}

bool meta_duplicate(VornSystemCall& call) {
    const VornScriptObjectPtr& value = call.arguments[0];
    if (!value) {
        call.error = interpretermessage("function duplicate(obj) requires an object as parameter");
        return false;
    }
    if (value->isnull()) {
        call.result = makeundefinedvalue();
        return true;
    }
    const VornScriptDataHandlerPtr copy = value->duplicate();
    if (!copy) {
        call.error = interpretermessage("function duplicate(obj) not available");
        return false;
    }
    call.result = makehandlervalue(copy);
    return true;
}

bool meta_translate(VornSystemCall& call) {
    call.result = makestringvalue(
        translate(argumenttext(call.arguments[0]), argumenttext(call.arguments[1])));
    return true;
}

bool meta_throwexception(VornSystemCall& call) {
    call.error = argumenttext(call.arguments[0]);
    return false;
}

// die and abort: an error with the message, "script aborted" without one.
bool meta_die(VornSystemCall& call) {
    call.error = givenargument(call.arguments[0]) ? call.arguments[0]->tostring()
                                                  : interpretermessage("script aborted");
    return false;
}

bool meta_exit(VornSystemCall& call) {
    int64_t code = 0;
    if (givenargument(call.arguments[0]) &&
        !getlong(call.arguments[0], code, INT32_MIN, INT32_MAX, call.error)) {
        return false;
    }
    call.context.control.exitrequested = true;
    call.context.control.exitcode = static_cast<int32_t>(code);
    call.result = makelongvalue(code);
    return true;
}

constexpr VornSystemFunctionEntry metafunctions[] = {
    {"__VERSION__()", meta_version},
    {"__USEVERSION__($)", meta_useversion},
    {"abort($)", meta_die},
    {"abort()", meta_die},
    {"die($)", meta_die},
    {"die()", meta_die},
    {"exit($)", meta_exit},
    {"exit()", meta_exit},
    {"throwexception($)", meta_throwexception},
    {"__LINE__()", meta_line},
    {"__LINE__($)", meta_line},
    {"__POS__()", meta_pos},
    {"__POS__($)", meta_pos},
    {"__FILE__()", meta_file},
    {"__FILE__($)", meta_file},
    {"__FOLDER__()", meta_folder},
    {"__FOLDER__($)", meta_folder},
    {"__CODE__()", meta_code},
    {"__CODE__($)", meta_code},
    {"__CODEPOS__()", meta_codepos},
    {"__CODEPOS__($)", meta_codepos},
    {"getdebuginfo($)", valueview<&VornScriptObject::getdebuginfo>},
    {"gettype($)", meta_gettype},
    {"tostring($)", valueview<&VornScriptObject::tostring>},
    {"hexdump($)", meta_hexdump},
    {"eval($)", meta_eval},
    {"include($)", meta_include},
    {"duplicate($)", meta_duplicate},
    {"translate($$)", meta_translate},
    {"translate($)", meta_translate},
    {"isdefined($)", meta_isdefined},
    {"isvariabledefined($)", meta_isvariabledefined},
    {"getarg($)", meta_getarg},
    {"getarg($$)", meta_getarg},
    {"callfunction($", meta_callfunction},
};

} // namespace

VornSystemFunctionTable metafunctiontable() {
    return metafunctions;
}

} // namespace vornscript
