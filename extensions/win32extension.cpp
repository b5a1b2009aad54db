// The win32 extension's functions, constants and window procedure (see
// win32extension.h). Messages are translated with the tag "win32".
#include "extensions/win32extension.h"

#include "extensions/win32constants.h"
#include "extensions/win32sendkeys.h"
#include "interpreter/context.h"
#include "interpreter/functioncalls.h"
#include "interpreter/raise.h"
#include "interpreter/userfunctions.h"
#include "support/messagebox.h"
#include "support/stringbasics.h"
#include "values/conversions.h"
#include "values/scriptobject.h"
#include "values/structurehandler.h"

#include <chrono>
#include <ostream>
#include <thread>

namespace vornscript {

namespace {

constexpr const char* defaultclassname = "vornscriptwin32class";
constexpr const char* buttonclassname = "button";
constexpr uint32_t defaultwindowstyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
constexpr uint32_t defaultbuttonstyle = WS_CHILD | WS_VISIBLE;
// The pause after each synthetic key press or release.
constexpr auto keypause = std::chrono::milliseconds(25);

bool fail(const char* phrase, std::string& error) {
    error = win32message(phrase);
    return false;
}

bool isstructurevalue(const VornScriptObjectRef& value) {
    return value && value->getobjecttype() == VornObjectType::structure;
}

// A member of an options structure, nullptr when it is missing or undefined.
VornScriptObjectRef optionmember(const VornScriptObjectRef& options, const std::string& name) {
    VornScriptObjectRef member;
    std::string ignored;
    if (!options->getstructuremember(name, member, ignored) || !member || member->isnull()) {
        return {};
    }
    return member;
}

std::string optiontext(const VornScriptObjectRef& options, const std::string& name) {
    const VornScriptObjectRef member = optionmember(options, name);
    return member ? member->tostring() : std::string();
}

// A whole-number option; [value] keeps its default when the member is missing.
template <class Number>
bool optionnumber(const VornScriptObjectRef& options, const std::string& name, Number& value,
                  std::string& error) {
    const VornScriptObjectRef member = optionmember(options, name);
    int64_t number = 0;
    if (!member) {
        return true;
    }
    if (!getlong(member, number, error)) {
        error = win32message("window option") + " " + name + ": " + error;
        return false;
    }
    value = static_cast<Number>(number);
    return true;
}

Win32Window* windowhandler(const VornScriptObjectRef& value) {
    return dynamic_cast<Win32Window*>(value->getdatahandler().get());
}

// The window of a window argument; it must still exist.
bool windowargument(const VornScriptObjectRef& value, Win32Window*& window, std::string& error) {
    if (!isstructurevalue(value)) {
        return fail("Win32Window expected", error);
    }
    window = windowhandler(value);
    if (window == nullptr) {
        return fail("Win32Window handler expected", error);
    }
    if (!window->exists()) {
        return fail("Window is not anymore existing", error);
    }
    return true;
}

// A handle given as a number or as the text of one.
bool handlenumber(const VornScriptObjectRef& value, uint64_t& handle, std::string& error) {
    int64_t number = 0;
    std::string ignored;
    if (!value || !getlong(value, number, ignored) || number < 0) {
        return fail("window handle must be a number", error);
    }
    handle = static_cast<uint64_t>(number);
    return true;
}

VornScriptObjectRef longmember(VornScriptObjectRef structure, const char* name, int64_t number) {
    std::string ignored;
    structure->insertstructuremember(name, makelongvalue(number), ignored);
    return structure;
}

} // namespace

// The functions, in the order the summary lists them.
std::span<const Win32UserExtension::Function> Win32UserExtension::functions() {
    using W = Win32UserExtension;
    static constexpr Function table[] = {
        {"win32::MessageBox", 1, "win32::MessageBox(options)", &W::messagebox},
        {"win32::UseWindow", 1, "win32::UseWindow(handle)", &W::usewindow},
        {"win32::CreateWindow", 1, "win32::CreateWindow(options)", &W::createwindow},
        {"win32::CreateButton", 1, "win32::CreateButton(options)", &W::createbutton},
        {"win32::ShowWindow", 1, "win32::ShowWindow(window)", &W::showwindow},
        {"win32::HideWindow", 1, "win32::HideWindow(window)", &W::hidewindow},
        {"win32::SetFocusWindow", 1, "win32::SetFocusWindow(window)", &W::setfocuswindow},
        {"win32::CloseWindow", 1, "win32::CloseWindow(window)", &W::closewindow},
        {"win32::DestroyWindow", 1, "win32::DestroyWindow(window)", &W::destroywindow},
        {"win32::onClose", 2, "win32::onClose(window,func)", &W::onclose},
        {"win32::onLButtonDown", 2, "win32::onLButtonDown(window,func)", &W::onlbuttondown},
        {"win32::onCommand", 2, "win32::onCommand(window,func)", &W::oncommand},
        {"win32::onCloseWindow", 2, nullptr, &W::onclosewindow},
        {"win32::MessageLoop", 0, "win32::MessageLoop()", &W::messageloop},
        {"win32::SendKeys", 1, "win32::SendKeys(keys)", &W::sendkeys},
    };
    return table;
}

const Win32UserExtension::Function* Win32UserExtension::findfunction(const std::string& name,
                                                                     size_t argumentcount) {
    // Every call of a system function asks the extensions first: those, all
    // without the prefix, are answered without comparing against each name.
    if (!name.starts_with("win32::")) {
        return nullptr;
    }
    for (const Function& function : functions()) {
        if (static_cast<size_t>(function.argumentcount) == argumentcount && name == function.name) {
            return &function;
        }
    }
    return nullptr;
}

Win32UserExtension::Win32UserExtension(VornScriptContextBase& context)
    : VornScriptUserExtension("WIN32"), context_(context), system_(makeref<Win32WindowSystem>()) {
    system_->setprocedure(this);
}

// Window values may outlive the extension; their windows go with it.
Win32UserExtension::~Win32UserExtension() {
    system_->setprocedure(nullptr);
    system_->shutdown();
}

bool Win32UserExtension::getconstantvalue(const std::string& name, VornScriptObjectRef& value) {
    const std::optional<uint32_t> constant = win32constant(name);
    if (!constant) {
        value = nullptr;
        return false;
    }
    value = makelongvalue(*constant);
    return true;
}

bool Win32UserExtension::finduserfunction(const std::string& name, int32_t argumentcount) {
    return argumentcount >= 0 && findfunction(name, static_cast<size_t>(argumentcount)) != nullptr;
}

bool Win32UserExtension::calluserfunction(const std::string& name, const Arguments& arguments,
                                          VornScriptObjectRef& result, std::string& errortext,
                                          const VornScriptSourcePosition& callposition) {
    const Function* function = findfunction(name, arguments.size());
    if (function == nullptr) {
        return false;
    }
    // Calls nest when a callback calls the extension; each keeps its own position.
    const VornScriptSourcePosition outer = callposition_;
    callposition_ = callposition;
    struct Restore {
        VornScriptSourcePosition& position;
        const VornScriptSourcePosition& outer;
        ~Restore() { position = outer; }
    } restore{callposition_, outer};
    return (this->*function->implementation)(arguments, result, errortext);
}

std::string Win32UserExtension::getsummary() {
    std::string summary = VornScriptUserExtension::getsummary() + "\nconstants:\n";
    for (const Win32Constant& constant : win32constants()) {
        summary += std::string(constant.name) + "\n";
    }
    summary += "\nfunctions:\n";
    for (const Function& function : functions()) {
        if (function.help != nullptr) {
            summary += std::string(function.help) + "\n";
        }
    }
    return summary;
}

// ---- functions ----

bool Win32UserExtension::messagebox(const Arguments& arguments, VornScriptObjectRef& result,
                                    std::string& error) {
    const VornScriptObjectRef& options = arguments[0];
    if (!isstructurevalue(options)) {
        return fail("structure parameter is required", error);
    }
    unsigned flags = MB_OK;
    if (!optionnumber(options, "type", flags, error)) {
        return false;
    }
    for (std::ostream* stream : {context_.outputstream, context_.errorstream}) {
        if (stream != nullptr) {
            stream->flush();
        }
    }
    result = makelongvalue(
        showmessagebox(optiontext(options, "text"), optiontext(options, "caption"), flags));
    return true;
}

bool Win32UserExtension::usewindow(const Arguments& arguments, VornScriptObjectRef& result,
                                   std::string& error) {
    uint64_t handle = 0;
    if (!handlenumber(arguments[0], handle, error)) {
        return false;
    }
    if (!system_->connect() || !system_->iswindow(handle)) {
        return fail("window handle is not existing", error);
    }
    result = windowvalue(handle, std::string());
    return true;
}

bool Win32UserExtension::createwindow(const Arguments& arguments, VornScriptObjectRef& result,
                                      std::string& error) {
    return makewindow(arguments[0], false, result, error);
}

bool Win32UserExtension::createbutton(const Arguments& arguments, VornScriptObjectRef& result,
                                      std::string& error) {
    return makewindow(arguments[0], true, result, error);
}

bool Win32UserExtension::makewindow(const VornScriptObjectRef& options, bool button,
                                    VornScriptObjectRef& result, std::string& error) {
    if (!isstructurevalue(options)) {
        return fail("structure parameter is required", error);
    }
    Win32WindowOptions window;
    window.caption = optiontext(options, "caption");
    window.style = button ? defaultbuttonstyle : defaultwindowstyle;
    if (!optionnumber(options, "style", window.style, error) ||
        !optionnumber(options, "id", window.id, error) ||
        !optionnumber(options, "x", window.x, error) ||
        !optionnumber(options, "y", window.y, error) ||
        !optionnumber(options, "width", window.width, error) ||
        !optionnumber(options, "height", window.height, error)) {
        return false;
    }
    const std::string classname = optiontext(options, "classname");
    window.button = button || vornstdstring::isequalnocase(classname, buttonclassname);
    if (!window.button && !classname.empty() && classname != defaultclassname) {
        return fail("creating window failed", error);
    }
    if (const VornScriptObjectRef parent = optionmember(options, "parent")) {
        if (isstructurevalue(parent)) {
            Win32Window* parentwindow = nullptr;
            if (!windowargument(parent, parentwindow, error)) {
                return false;
            }
            window.parent = parentwindow->handle();
        } else if (!handlenumber(parent, window.parent, error)) {
            return false;
        } else if (!system_->connect() || !system_->iswindow(window.parent)) {
            return fail("window handle does not exist", error);
        }
    }
    const uint64_t handle = system_->createwindow(window);
    if (handle == 0) {
        return fail("creating window failed", error);
    }
    result = windowvalue(handle, optiontext(options, "name"));
    Win32Window& created = *windows_.at(handle);
    created.closefunction = optiontext(options, "win32::onClose");
    created.clickfunction = optiontext(options, "win32::onLButtonDown");
    created.commandfunction = optiontext(options, "win32::onCommand");
    return true;
}

bool Win32UserExtension::showwindow(const Arguments& arguments, VornScriptObjectRef& result,
                                    std::string& error) {
    Win32Window* window = nullptr;
    if (!windowargument(arguments[0], window, error)) {
        return false;
    }
    result = makeboolvalue(system_->show(window->handle(), true));
    return true;
}

bool Win32UserExtension::hidewindow(const Arguments& arguments, VornScriptObjectRef& result,
                                    std::string& error) {
    Win32Window* window = nullptr;
    if (!windowargument(arguments[0], window, error)) {
        return false;
    }
    result = makeboolvalue(system_->show(window->handle(), false));
    return true;
}

bool Win32UserExtension::setfocuswindow(const Arguments& arguments, VornScriptObjectRef& result,
                                        std::string& error) {
    Win32Window* window = nullptr;
    if (!windowargument(arguments[0], window, error)) {
        return false;
    }
    result = makeboolvalue(system_->focus(window->handle()));
    return true;
}

bool Win32UserExtension::closewindow(const Arguments& arguments, VornScriptObjectRef& result,
                                     std::string& error) {
    Win32Window* window = nullptr;
    if (!windowargument(arguments[0], window, error)) {
        return false;
    }
    result = makeboolvalue(system_->minimize(window->handle()));
    return true;
}

bool Win32UserExtension::destroywindow(const Arguments& arguments, VornScriptObjectRef& result,
                                       std::string& error) {
    Win32Window* window = nullptr;
    if (!windowargument(arguments[0], window, error)) {
        return false;
    }
    result = makeboolvalue(system_->destroy(window->handle()));
    return true;
}

bool Win32UserExtension::registercallback(const Arguments& arguments,
                                          std::string Win32Window::*callback,
                                          VornScriptObjectRef& result, std::string& error) {
    Win32Window* window = nullptr;
    if (!windowargument(arguments[0], window, error)) {
        return false;
    }
    window->*callback = arguments[1] ? arguments[1]->tostring() : std::string();
    result = makeboolvalue(true);
    return true;
}

bool Win32UserExtension::onclose(const Arguments& arguments, VornScriptObjectRef& result,
                                 std::string& error) {
    return registercallback(arguments, &Win32Window::closefunction, result, error);
}

bool Win32UserExtension::onlbuttondown(const Arguments& arguments, VornScriptObjectRef& result,
                                       std::string& error) {
    return registercallback(arguments, &Win32Window::clickfunction, result, error);
}

bool Win32UserExtension::oncommand(const Arguments& arguments, VornScriptObjectRef& result,
                                   std::string& error) {
    return registercallback(arguments, &Win32Window::commandfunction, result, error);
}

bool Win32UserExtension::onclosewindow(const Arguments&, VornScriptObjectRef&, std::string& error) {
    return fail("not implemented", error);
}

bool Win32UserExtension::messageloop(const Arguments&, VornScriptObjectRef& result, std::string&) {
    clearquit();
    const int64_t code = system_->messageloop();
    if (code != 0) {
        markquit();
    }
    result = makelongvalue(code);
    return true;
}

bool Win32UserExtension::sendkeys(const Arguments& arguments, VornScriptObjectRef& result,
                                  std::string& error) {
    std::vector<Win32KeyEvent> events;
    if (!parsesendkeys(arguments[0] ? arguments[0]->tostring() : std::string(), events, error)) {
        return false;
    }
    for (const Win32KeyStep& step : keysteps(events)) {
        if (step.kind == Win32KeyStep::Kind::pause) {
            std::this_thread::sleep_for(std::chrono::milliseconds(step.value));
            continue;
        }
        if (!system_->sendkey(static_cast<uint8_t>(step.value),
                              step.kind == Win32KeyStep::Kind::press)) {
            return fail("sending keys failed", error);
        }
        std::this_thread::sleep_for(keypause);
    }
    result = makeboolvalue(true);
    return true;
}

// ---- windows and callbacks ----

// The registry's value for the handle, made on first use.
VornScriptObjectRef Win32UserExtension::windowvalue(uint64_t handle, const std::string& name) {
    Win32WindowPtr& window = windows_[handle];
    if (!window) {
        window = makeref<Win32Window>(system_, handle, name);
    }
    return makehandlervalue(window);
}

void Win32UserExtension::callscript(const std::string& function,
                                    const VornScriptObjectRef& argument) {
    if (function.empty()) {
        return;
    }
    std::vector<VornScriptObjectPtr> arguments;
    if (argument && vornscript::finduserfunction(context_, function, 0) == nullptr) {
        arguments.push_back(argument);
    }
    VornScriptObjectPtr result;
    std::string error;
    if (!callfunction(context_, function, arguments, result, error, callposition_, true)) {
        raiseatposition(callposition_, error, &context_);
    }
}

void Win32UserExtension::onlbuttondown(uint64_t window, int32_t x, int32_t y) {
    const auto found = windows_.find(window);
    if (found == windows_.end()) {
        return;
    }
    const VornScriptObjectRef position = makevalueoftype(VornObjectType::structure);
    callscript(found->second->clickfunction, longmember(longmember(position, "x", x), "y", y));
}

void Win32UserExtension::oncommand(uint64_t window, int32_t id, int32_t command) {
    const auto found = windows_.find(window);
    if (found == windows_.end()) {
        return;
    }
    VornScriptObjectRef message = makevalueoftype(VornObjectType::structure);
    message = longmember(longmember(message, "id", id), "cmd", command);
    longmember(message, "handle", static_cast<int64_t>(window));
    callscript(found->second->commandfunction, message);
}

void Win32UserExtension::ondestroy(uint64_t window) {
    const auto found = windows_.find(window);
    if (found == windows_.end()) {
        return;
    }
    const Win32WindowPtr gone = found->second;
    windows_.erase(found);
    VornScriptObjectRef closed = makevalueoftype(VornObjectType::structure);
    longmember(closed, "handle", static_cast<int64_t>(window));
    std::string ignored;
    closed->insertstructuremember("name", makestringvalue(gone->name()), ignored);
    callscript(gone->closefunction, closed);
}

} // namespace vornscript
