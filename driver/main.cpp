// Program entry of the vornscript console program: hands the command line to
// the driver, with a native stack large enough for the deepest nesting the
// parser and evaluator allow. Anything that escapes the driver (only
// resource exhaustion can) ends the program with a message instead of an abort.
#include "driver/programentry.h"
#include "support/largestack.h"

#include <malloc.h>

#include <exception>
#include <iostream>

namespace {

// Scripts often build and drop large vectors in a loop. With the C library's
// default limits each such buffer comes from and goes back to the kernel,
// paying page faults every time; these limits let the heap keep it.
void keepfreedmemoryforreuse() {
    constexpr int megabyte = 1 << 20;
    mallopt(M_MMAP_THRESHOLD, 64 * megabyte);
    mallopt(M_TRIM_THRESHOLD, 256 * megabyte);
    mallopt(M_TOP_PAD, 16 * megabyte);
}

} // namespace

int main(int argc, char** argv) {
    keepfreedmemoryforreuse();
    try {
        const std::vector<std::string> words(argv, argv + argc);
        return vornscript::runwithlargestack([&words] { return vornscript::programentry(words); });
    } catch (const std::exception& error) {
        std::cerr << "error: " << error.what() << "\n";
        return 1;
    }
}
