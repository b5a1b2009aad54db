// VornScriptLibrary: a plug-in library as a user extension. Every operation
// looks up its export by name at the time of the call and forwards to it
// with packets; an operation the plug-in does not export answers false or
// nothing. Loading (uselibrary) finds the file, loads it and registers the
// library only after its module_init answered true.
#pragma once

#include "extensions/librarymodule.h"
#include "interpreter/userextension.h"

#include <string>

namespace vornscript {

class VornScriptContextBase;

class VornScriptLibrary final : public VornScriptUserExtension {
public:
    VornScriptLibrary(std::string name, VornRef<VornLibraryModule> module)
        : VornScriptUserExtension(std::move(name)), module_(std::move(module)) {}
    // Calls module_exit; the module unloads once no value of it is left.
    ~VornScriptLibrary() override;

    // The module handle as a number; 0 when not loaded.
    int64_t modulehandle() const { return module_ ? module_->handle() : 0; }

    bool module_init() override;
    void module_exit() override;
    bool existslivevariable(const std::string& name) override;
    VornScriptObjectRef livevariable_create(const std::string& name) override;
    bool existsconstant(const std::string& name) override;
    bool getconstantvalue(const std::string& name, VornScriptObjectRef& value) override;
    bool finduserfunction(const std::string& name, int32_t argumentcount) override;
    bool calluserfunction(const std::string& name,
                          const std::vector<VornScriptObjectRef>& arguments,
                          VornScriptObjectRef& result, std::string& errortext,
                          const VornScriptSourcePosition& callposition) override;
    std::string getsummary() override;
    bool unittests(std::string& resulttext) override;

private:
    VornRef<VornLibraryModule> module_;
};

// The file for a library name, the first existing regular file of: the name
// unchanged; then the name (with ".so" appended when it has no ".") inside
// each folder of the context's library search list, relative to the current
// folder, inside the script's folder and the include folders, and inside the
// program's own folder. Empty when there is none.
std::string findlibraryfile(const VornScriptContextBase& context, const std::string& name);

enum class VornLibraryUse {
    loaded,  // registered now or before
    refused, // its module_init answered false: unloaded, nothing registered
    failed,  // not found or not loadable; the message is in the error text
};

// Loads the library [name] and registers it with the context; nothing to do
// when an extension of that name (compared without regard to case) is
// registered already.
VornLibraryUse uselibrary(VornScriptContextBase& context, const std::string& name,
                          std::string& error);

} // namespace vornscript
