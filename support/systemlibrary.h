// System libraries loaded on first use instead of linked (libgd, libasound,
// libX11): the program starts without them and still runs where they are
// missing. A module lists the functions it needs as an X-macro, declares a
// table of pointers with VORN_LIBRARY_POINTER, and binds each entry with
// bindlibraryfunction. A loaded library stays loaded for the rest of the
// process, so the pointers never dangle.
#pragma once

namespace vornscript {

// The library file [soname] ("libasound.so.2"), loaded with its symbols
// resolved now and kept private to it; nullptr when it cannot be loaded.
void* loadsystemlibrary(const char* soname);

// The address of the function [name] in [library], or nullptr.
void* findlibraryfunction(void* library, const char* name);

// Sets [slot] to the function [name] of [library]; false when it is missing.
template <typename Function>
bool bindlibraryfunction(void* library, const char* name, Function& slot) {
    slot = reinterpret_cast<Function>(findlibraryfunction(library, name));
    return slot != nullptr;
}

} // namespace vornscript

// A table member for the library function [name], typed like its declaration.
#define VORN_LIBRARY_POINTER(name) decltype(&::name) name = nullptr;
