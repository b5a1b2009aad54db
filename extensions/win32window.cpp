// The live window structure and its attributes (see win32window.h).
#include "extensions/win32window.h"

#include "support/phrasetranslator.h"
#include "values/scriptobject.h"

namespace vornscript {

namespace {

// Members in the order iteration yields them; "name" is a plain member.
constexpr const char* longmembers[] = {"width", "height", "handle", "style"};
constexpr const char* fieldorder[] = {"caption", "width", "height", "handle", "style"};

bool iscaption(const std::string& attribute) {
    return attribute == "caption" || attribute == "windowtext";
}

bool islongmember(const std::string& name) {
    for (const char* member : longmembers) {
        if (name == member) {
            return true;
        }
    }
    return false;
}

// "<class>::<operation>   window does not exist", when it does not.
bool checkexists(const Win32WindowSystemPtr& system, uint64_t handle, const char* classname,
                 const char* operation, std::string& error) {
    if (system->iswindow(handle)) {
        return true;
    }
    error =
        std::string(classname) + "::" + operation + "   " + win32message("window does not exist");
    return false;
}

bool unknownattribute(const char* classname, const std::string& attribute, std::string& error) {
    error = std::string(classname) + "::" + win32message("unknown attribute") + " " + attribute;
    return false;
}

constexpr const char* longclass = "Win32WindowAttributeLong";
constexpr const char* stringclass = "Win32WindowAttributeString";

} // namespace

std::string win32message(const char* phrase) {
    return translate(phrase, "win32");
}

// ---- Win32Window ----

Win32Window::Win32Window(Win32WindowSystemPtr system, uint64_t handle, std::string name)
    : system_(std::move(system)), handle_(handle), name_(std::move(name)) {}

// A window exists once: a copy would be a second value claiming it.
VornScriptDataHandlerPtr Win32Window::duplicate() {
    return {};
}

bool Win32Window::castrvalue(VornScriptDataHandlerPtr&, std::string& error) {
    error = win32message("cannot duplicate Window");
    return false;
}

bool Win32Window::accessstructuremember(const std::string& name, VornScriptObjectPtr& member,
                                        std::string& error) {
    return getstructuremember(name, member, error);
}

bool Win32Window::getstructuremember(const std::string& name, VornScriptObjectPtr& member,
                                     std::string& error) {
    VornScriptDataHandlerPtr handler;
    if (name == "name") {
        member = makestringvalue(name_);
        return true;
    }
    if (iscaption(name)) {
        handler = makeref<Win32WindowAttributeString>(system_, handle_, name);
    } else if (islongmember(name)) {
        handler = makeref<Win32WindowAttributeLong>(system_, handle_, name);
    } else {
        error = win32message("structure field not found") + ": " + name;
        return false;
    }
    member = makehandlervalue(handler);
    member->setname(name);
    return true;
}

bool Win32Window::getstructurefields(std::vector<std::string>& names, std::string&) {
    names.assign(std::begin(fieldorder), std::end(fieldorder));
    return true;
}

// ---- Win32WindowAttributeLong ----

Win32WindowAttributeLong::Win32WindowAttributeLong(Win32WindowSystemPtr system, uint64_t handle,
                                                   std::string attribute)
    : system_(std::move(system)), handle_(handle), attribute_(std::move(attribute)) {}

VornScriptDataHandlerPtr Win32WindowAttributeLong::duplicate() {
    return makeref<Win32WindowAttributeLong>(system_, handle_, attribute_);
}

bool Win32WindowAttributeLong::getlongvalue(int64_t& value, std::string& error) {
    if (!checkexists(system_, handle_, longclass, "getstring()", error)) {
        return false;
    }
    if (attribute_ == "handle") {
        value = static_cast<int64_t>(handle_);
        return true;
    }
    if (attribute_ == "style") {
        value = system_->getstyle(handle_);
        return true;
    }
    int64_t width = 0;
    int64_t height = 0;
    if (attribute_ != "width" && attribute_ != "height") {
        return unknownattribute(longclass, attribute_, error);
    }
    if (!system_->getsize(handle_, width, height)) {
        return checkexists(system_, 0, longclass, "getstring()", error);
    }
    value = attribute_ == "width" ? width : height;
    return true;
}

bool Win32WindowAttributeLong::setlongvalue(int64_t value, std::string& error) {
    if (!checkexists(system_, handle_, longclass, "setstring()", error)) {
        return false;
    }
    if (attribute_ != "style") {
        return unknownattribute(longclass, attribute_, error);
    }
    system_->setstyle(handle_, static_cast<uint32_t>(value));
    return true;
}

// ---- Win32WindowAttributeString ----

Win32WindowAttributeString::Win32WindowAttributeString(Win32WindowSystemPtr system, uint64_t handle,
                                                       std::string attribute)
    : system_(std::move(system)), handle_(handle), attribute_(std::move(attribute)) {}

VornScriptDataHandlerPtr Win32WindowAttributeString::duplicate() {
    return makeref<Win32WindowAttributeString>(system_, handle_, attribute_);
}

bool Win32WindowAttributeString::getstring(std::string& text, std::string& error) {
    if (!checkexists(system_, handle_, stringclass, "getstring()", error)) {
        return false;
    }
    if (!iscaption(attribute_)) {
        return unknownattribute(stringclass, attribute_, error);
    }
    if (!system_->gettext(handle_, text)) {
        error = win32message("GetWindowText failed");
        return false;
    }
    return true;
}

bool Win32WindowAttributeString::setstring(const std::string& text, std::string& error) {
    if (!checkexists(system_, handle_, stringclass, "setstring()", error)) {
        return false;
    }
    if (!iscaption(attribute_)) {
        return unknownattribute(stringclass, attribute_, error);
    }
    system_->settext(handle_, text);
    return true;
}

} // namespace vornscript
