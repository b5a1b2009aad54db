// Win32Window: the live structure a script holds for one window, and the
// live attributes it hands out (caption, width, ...). Every read and write
// goes to the window system at that moment, so a value read after the
// window was destroyed fails instead of showing stale data.
#pragma once

#include "extensions/win32windowsystem.h"
#include "values/stringhandler.h"
#include "values/structurehandler.h"

#include <string>

namespace vornscript {

// A message of the win32 extension in the selected language (tag "win32").
std::string win32message(const char* phrase);

class Win32Window final : public VornScriptObjectStructureHandlerAbstractBase {
public:
    Win32Window(Win32WindowSystemPtr system, uint64_t handle, std::string name);

    uint64_t handle() const { return handle_; }
    const std::string& name() const { return name_; }
    bool exists() const { return system_->iswindow(handle_); }

    // The script functions called for clicks, commands and closing ("" for none).
    std::string clickfunction;
    std::string commandfunction;
    std::string closefunction;

    bool copyreference() const override { return true; }
    VornScriptDataHandlerPtr duplicate() override;
    bool castrvalue(VornScriptDataHandlerPtr& result, std::string& error) override;
    bool accessstructuremember(const std::string& name, VornScriptObjectPtr& member,
                               std::string& error) override;
    bool getstructuremember(const std::string& name, VornScriptObjectPtr& member,
                            std::string& error) override;
    bool getstructurefields(std::vector<std::string>& names, std::string& error) override;
    std::string debuginfo() override { return "Win32Window"; }

private:
    Win32WindowSystemPtr system_;
    uint64_t handle_;
    std::string name_;
};
using Win32WindowPtr = VornRef<Win32Window>;

// A whole-number attribute of a window: handle, width, height, style.
class Win32WindowAttributeLong final : public VornScriptObjectLongHandlerAbstractBase {
public:
    Win32WindowAttributeLong(Win32WindowSystemPtr system, uint64_t handle, std::string attribute);
    VornScriptDataHandlerPtr duplicate() override;
    bool getlongvalue(int64_t& value, std::string& error) override;
    bool setlongvalue(int64_t value, std::string& error) override;
    std::string debuginfo() override { return "Win32WindowAttributeLong"; }

private:
    Win32WindowSystemPtr system_;
    uint64_t handle_;
    std::string attribute_;
};

// A text attribute of a window: caption (or windowtext).
class Win32WindowAttributeString final : public VornScriptObjectStringHandlerAbstractBase {
public:
    Win32WindowAttributeString(Win32WindowSystemPtr system, uint64_t handle, std::string attribute);
    VornScriptDataHandlerPtr duplicate() override;
    bool getstring(std::string& text, std::string& error) override;
    bool setstring(const std::string& text, std::string& error) override;
    std::string debuginfo() override { return "Win32WindowAttributeString"; }

private:
    Win32WindowSystemPtr system_;
    uint64_t handle_;
    std::string attribute_;
};

} // namespace vornscript
