// A plug-in that exports almost nothing, for the tests of missing exports
// and of a refused module_init: module_init answers VORN_INIT_ANSWER,
// module_exit leaves a mark in the environment, the live variable "bare" is
// a vector object without any handler operation but a plain copy that is
// again a live value (which must not make the program recurse without end),
// and the function "broken" is found but cannot be called.
#include "vornplugin.h"

#include <cstdlib>

using namespace vornplugin;

bool module_init(int64_t) {
    return VORN_INIT_ANSWER;
}

void module_exit() {
    setenv("VORNPLUGIN_MINIMAL_EXIT", "1", 1);
}

bool existslivevariable(void* const name) {
    return utf8(packettext(name)) == "bare";
}

void* livevariable_create(void* const) {
    return makereferencepacket(7, 1);
}

void datahandler_destroy(int64_t id) {
    if (id != 7) {
        return;
    }
    const char* count = getenv("VORNPLUGIN_MINIMAL_DESTROYED");
    setenv("VORNPLUGIN_MINIMAL_DESTROYED", std::to_string(count ? std::atoi(count) + 1 : 1).c_str(),
           1);
}

bool datahandler_isvector(int64_t id) {
    return id == 7 || id == 8;
}

bool datahandler_castrvalue(int64_t, void*& value, void*&) {
    value = makereferencepacket(8, 1);
    return true;
}

bool finduserfunction(void* const name, int, void*&) {
    return utf8(packettext(name)) == "broken";
}
