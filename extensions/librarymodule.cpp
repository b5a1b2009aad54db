// Plug-in files through dlopen (see librarymodule.h). Libraries load with
// RTLD_LOCAL, so two plug-ins exporting the same names never see each other's
// functions, and RTLD_NOW, so a plug-in with unresolved symbols fails at
// uselibrary instead of in the middle of a script.
#include "extensions/librarymodule.h"

#include <dlfcn.h>

#include <filesystem>

namespace vornscript {

VornRef<VornLibraryModule> VornLibraryModule::load(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        return {};
    }
    return VornRef<VornLibraryModule>(new VornLibraryModule(handle));
}

VornLibraryModule::~VornLibraryModule() {
    dlclose(handle_);
}

void* VornLibraryModule::findsymbol(const char* symbol) const {
    return dlsym(handle_, symbol);
}

std::string programfilefolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !program.has_parent_path()) {
        return {};
    }
    std::string folder = program.parent_path().string();
    if (!folder.ends_with('/')) {
        folder += '/';
    }
    return folder;
}

} // namespace vornscript
