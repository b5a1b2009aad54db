// Default operations of VornScriptDataHandler and the generic text forms of
// vectors, structures and their elements.
#include "values/datahandler.h"

#include "values/numbers.h"
#include "values/scriptobject.h"

#include "support/stringescape.h"

#include <algorithm>

namespace vornscript {

namespace {

bool notimplemented(const char* operation, std::string& error) {
    error = std::string(operation) + " not implemented";
    return false;
}

void appendquoted(std::string& out, const std::string& text) {
    out += '\'';
    out += vornstdstring::escapestring(text);
    out += '\'';
}

bool isbarename(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    for (const char c : name) {
        const bool letterordigit =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letterordigit && c != '_') {
            return false;
        }
    }
    return true;
}

void appendelementof(std::string& out, const VornScriptObjectPtr& element) {
    if (element) {
        element->appendelementstring(out);
    }
}

// Objects parked by collections released beyond VornReleaseDepth's limit.
std::vector<VornScriptObjectPtr>& parkedobjects() {
    static std::vector<VornScriptObjectPtr> parked;
    return parked;
}

} // namespace

void VornReleaseDepth::park(VornScriptObject* object) {
    parkedobjects().emplace_back(object);
    anyparked_ = true;
}

void VornReleaseDepth::releaseparked() {
    std::vector<VornScriptObjectPtr>& parked = parkedobjects();
    // Counted as one level, so what these releases reach parks again deep
    // down instead of recursing, and nothing drains twice.
    ++depth_;
    while (!parked.empty()) {
        const VornScriptObjectPtr object = std::move(parked.back());
        parked.pop_back();
    }
    anyparked_ = false;
    --depth_;
}

void appendelementtext(std::string& out, const std::string& text) {
    if (isplaindecimaltext(text)) {
        out += text;
    } else {
        appendquoted(out, text);
    }
}

void appendmembername(std::string& out, const std::string& name) {
    if (isbarename(name)) {
        out += name;
    } else {
        appendquoted(out, name);
    }
}

bool VornScriptDataHandler::accessstructuremember(const std::string&, VornScriptObjectPtr&,
                                                  std::string& error) {
    return notimplemented("accessstructuremember", error);
}

bool VornScriptDataHandler::getstructuremember(const std::string&, VornScriptObjectPtr&,
                                               std::string& error) {
    return notimplemented("getstructuremember", error);
}

bool VornScriptDataHandler::getstructurefields(std::vector<std::string>&, std::string& error) {
    return notimplemented("getstructurefields", error);
}

bool VornScriptDataHandler::insertstructuremember(const std::string&, const VornScriptObjectPtr&,
                                                  std::string& error) {
    return notimplemented("insertstructuremember", error);
}

bool VornScriptDataHandler::removestructuremember(const std::string&, std::string& error) {
    return notimplemented("removestructuremember", error);
}

void VornScriptDataHandler::settypecode(int32_t) {}

bool VornScriptDataHandler::gettypecode(int32_t& code) {
    code = VornTypeCode::notset;
    return true;
}

bool VornScriptDataHandler::vectorsize(int64_t&, std::string& error) {
    return notimplemented("vectorsize", error);
}

bool VornScriptDataHandler::accessvectorelement(int64_t, VornScriptObjectPtr&, std::string& error) {
    return notimplemented("accessvectorelement", error);
}

bool VornScriptDataHandler::pushvectorelement(const VornScriptObjectPtr&, bool,
                                              std::string& error) {
    return notimplemented("pushvectorelement", error);
}

bool VornScriptDataHandler::getvectorelement(int64_t, VornScriptObjectPtr&, std::string& error) {
    return notimplemented("getvectorelement", error);
}

bool VornScriptDataHandler::getvectorelements(VornScriptObjectList& elements, std::string& error) {
    int64_t size = 0;
    if (!vectorsize(size, error)) {
        return false;
    }
    elements.clear();
    elements.reserve(static_cast<size_t>(size));
    for (int64_t index = 0; index < size; ++index) {
        VornScriptObjectPtr element;
        if (!getvectorelement(index, element, error)) {
            return false;
        }
        elements.push_back(std::move(element));
    }
    return true;
}

bool VornScriptDataHandler::popvectorelement(VornScriptObjectPtr& element, std::string& error) {
    if (!isvector()) {
        error = "pop() requires a vector";
        return false;
    }
    int64_t size = 0;
    if (!vectorsize(size, error)) {
        return false;
    }
    if (size == 0) {
        error = "cannot pop() from empty vector";
        return false;
    }
    return accessvectorelement(size - 1, element, error) &&
           removevectorelement(size - 1, size - 1, error);
}

bool VornScriptDataHandler::insertvectorelement(int64_t, const VornScriptObjectPtr&,
                                                std::string& error) {
    return notimplemented("insertvectorelement", error);
}

bool VornScriptDataHandler::removevectorelement(int64_t, int64_t, std::string& error) {
    return notimplemented("removevectorelement", error);
}

bool VornScriptDataHandler::getstring(std::string&, std::string& error) {
    return notimplemented("getstring", error);
}

bool VornScriptDataHandler::setstring(const std::string&, std::string& error) {
    return notimplemented("setstring", error);
}

std::string VornScriptDataHandler::debuginfo() {
    return "DATA: " + tostring();
}

std::string VornScriptDataHandler::tostring() {
    if (isstructure()) {
        return structuretext();
    }
    if (isvector()) {
        return vectortext();
    }
    std::string text;
    std::string error;
    if (isstring() && getstring(text, error)) {
        return text;
    }
    return std::string();
}

void VornScriptDataHandler::appendstring(std::string& out) {
    out += tostring();
}

std::string VornScriptDataHandler::toelementstring() {
    std::string text;
    appendelementstring(text);
    return text;
}

void VornScriptDataHandler::appendelementstring(std::string& out) {
    if (isstring()) {
        std::string text;
        std::string error;
        getstring(text, error);
        appendelementtext(out, text);
    } else {
        appendstring(out);
    }
}

std::string VornScriptDataHandler::structuretext() {
    VornNestingGuard guard;
    if (guard.toodeep()) {
        return nestedtoodeeptext;
    }
    std::string text = "{";
    std::vector<std::string> names;
    std::string error;
    if (getstructurefields(names, error)) {
        // Live structures list their fields in their own order; the text
        // form always shows members sorted by name, like a plain structure.
        std::sort(names.begin(), names.end());
        bool first = true;
        for (const std::string& name : names) {
            if (!first) {
                text += ", ";
            }
            first = false;
            appendmembername(text, name);
            text += ": ";
            VornScriptObjectPtr member;
            if (getstructuremember(name, member, error)) {
                appendelementof(text, member);
            }
        }
    }
    text += '}';
    return text;
}

std::string VornScriptDataHandler::vectortext() {
    VornNestingGuard guard;
    if (guard.toodeep()) {
        return nestedtoodeeptext;
    }
    std::string text = "[";
    int64_t size = 0;
    std::string error;
    if (vectorsize(size, error)) {
        for (int64_t index = 0; index < size; ++index) {
            if (index > 0) {
                text += ',';
            }
            VornScriptObjectPtr element;
            if (getvectorelement(index, element, error)) {
                appendelementof(text, element);
            }
        }
    }
    text += ']';
    return text;
}

} // namespace vornscript
