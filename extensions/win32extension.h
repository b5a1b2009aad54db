// Win32UserExtension ("WIN32"): the win32:: functions and constants for
// scripts: message boxes, windows and buttons with callbacks into script
// functions, the message loop and synthetic keystrokes. The script run
// registers one with every command-line context. It owns the window system
// layer and the registry of the windows it made or adopted; the callbacks
// call script functions by name through the context it was made for.
#pragma once

#include "extensions/win32window.h"
#include "interpreter/userextension.h"

#include <map>
#include <span>

namespace vornscript {

class VornScriptContextBase;

class Win32UserExtension final : public VornScriptUserExtension, private Win32WindowProcedure {
public:
    explicit Win32UserExtension(VornScriptContextBase& context);
    ~Win32UserExtension() override;
    Win32UserExtension(const Win32UserExtension&) = delete;
    Win32UserExtension& operator=(const Win32UserExtension&) = delete;

    bool getconstantvalue(const std::string& name, VornScriptObjectRef& value) override;
    bool finduserfunction(const std::string& name, int32_t argumentcount) override;
    bool calluserfunction(const std::string& name,
                          const std::vector<VornScriptObjectRef>& arguments,
                          VornScriptObjectRef& result, std::string& errortext,
                          const VornScriptSourcePosition& callposition) override;
    std::string getsummary() override;

    // The window system layer, for tests that drive the windows.
    Win32WindowSystem& windowsystem() { return *system_; }

private:
    using Arguments = std::vector<VornScriptObjectRef>;
    using Implementation = bool (Win32UserExtension::*)(const Arguments&, VornScriptObjectRef&,
                                                        std::string&);
    // One function of the extension; the table of them is in the .cpp.
    struct Function {
        const char* name;
        int32_t argumentcount;
        const char* help; // the line in the summary, nullptr for none
        Implementation implementation;
    };
    static std::span<const Function> functions();
    static const Function* findfunction(const std::string& name, size_t argumentcount);

    bool messagebox(const Arguments& arguments, VornScriptObjectRef& result, std::string& error);
    bool usewindow(const Arguments& arguments, VornScriptObjectRef& result, std::string& error);
    bool createwindow(const Arguments& arguments, VornScriptObjectRef& result, std::string& error);
    bool createbutton(const Arguments& arguments, VornScriptObjectRef& result, std::string& error);
    bool showwindow(const Arguments& arguments, VornScriptObjectRef& result, std::string& error);
    bool hidewindow(const Arguments& arguments, VornScriptObjectRef& result, std::string& error);
    bool setfocuswindow(const Arguments& arguments, VornScriptObjectRef& result,
                        std::string& error);
    bool closewindow(const Arguments& arguments, VornScriptObjectRef& result, std::string& error);
    bool destroywindow(const Arguments& arguments, VornScriptObjectRef& result, std::string& error);
    bool onclose(const Arguments& arguments, VornScriptObjectRef& result, std::string& error);
    bool onlbuttondown(const Arguments& arguments, VornScriptObjectRef& result, std::string& error);
    bool oncommand(const Arguments& arguments, VornScriptObjectRef& result, std::string& error);
    bool onclosewindow(const Arguments& arguments, VornScriptObjectRef& result, std::string& error);
    bool messageloop(const Arguments& arguments, VornScriptObjectRef& result, std::string& error);
    bool sendkeys(const Arguments& arguments, VornScriptObjectRef& result, std::string& error);

    bool makewindow(const VornScriptObjectRef& options, bool button, VornScriptObjectRef& result,
                    std::string& error);
    bool registercallback(const Arguments& arguments, std::string Win32Window::*callback,
                          VornScriptObjectRef& result, std::string& error);
    VornScriptObjectRef windowvalue(uint64_t handle, const std::string& name);
    // Calls a script function with [argument], or without arguments when
    // the function takes none; a failing call raises at the extension call.
    void callscript(const std::string& function, const VornScriptObjectRef& argument);

    void onlbuttondown(uint64_t window, int32_t x, int32_t y) override;
    void oncommand(uint64_t window, int32_t id, int32_t command) override;
    void ondestroy(uint64_t window) override;

    VornScriptContextBase& context_;
    Win32WindowSystemPtr system_;
    std::map<uint64_t, Win32WindowPtr> windows_;
    VornScriptSourcePosition callposition_; // of the extension call running now
};

} // namespace vornscript
