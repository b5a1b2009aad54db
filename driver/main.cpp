// Program entry of the vornscript console program: hands the command line to
// the driver, on a thread with a stack large enough for the deepest nesting
// the parser and evaluator allow. Anything that escapes the driver (only
// resource exhaustion can) ends the program with a message instead of an abort.
#include "driver/programentry.h"
#include "support/largestack.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    try {
        const std::vector<std::string> words(argv, argv + argc);
        return vornscript::runwithlargestack([&words] { return vornscript::programentry(words); });
    } catch (const std::exception& error) {
        std::cerr << "error: " << error.what() << "\n";
        return 1;
    }
}
