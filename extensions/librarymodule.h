// A loaded plug-in library file and the lookup of its exports: the one place
// that uses the system's dynamic loader (dlopen), so a port swaps only this
// module. The module is reference counted: the library extension and every
// value of the plug-in's live data hold it, so the code stays loaded as long
// as a value may still call into it.
#pragma once

#include "support/refcounted.h"

#include <cstdint>
#include <string>

namespace vornscript {

class VornLibraryModule final : public VornRefCounted {
public:
    // Loads the file at [path]; no module when the loader refuses it.
    static VornRef<VornLibraryModule> load(const std::string& path);
    ~VornLibraryModule() override;
    VornLibraryModule(const VornLibraryModule&) = delete;
    VornLibraryModule& operator=(const VornLibraryModule&) = delete;

    // The module handle as a number, the argument of module_init.
    int64_t handle() const { return static_cast<int64_t>(reinterpret_cast<intptr_t>(handle_)); }

    // The export [Export] of vornplugin::exports, looked up now; nullptr
    // when the plug-in does not define it.
    template <class Export> typename Export::function find() const {
        return reinterpret_cast<typename Export::function>(findsymbol(Export::symbolname));
    }

private:
    explicit VornLibraryModule(void* handle) : handle_(handle) {}
    void* findsymbol(const char* symbol) const;

    void* handle_;
};

// The folder of the running program with a final "/"; empty when unknown.
std::string programfilefolder();

} // namespace vornscript
