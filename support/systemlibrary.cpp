// System libraries through the dynamic loader (see systemlibrary.h).
#include "support/systemlibrary.h"

#include <dlfcn.h>

namespace vornscript {

void* loadsystemlibrary(const char* soname) {
    return ::dlopen(soname, RTLD_NOW | RTLD_LOCAL);
}

void* findlibraryfunction(void* library, const char* name) {
    return ::dlsym(library, name);
}

} // namespace vornscript
