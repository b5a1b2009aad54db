// Program entry of the vornscript console program: hands the command line to
// the driver. Anything that escapes the driver (only resource exhaustion can)
// ends the program with a message instead of an abort.
#include "driver/programentry.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    try {
        return vornscript::programentry(std::vector<std::string>(argv, argv + argc));
    } catch (const std::exception& error) {
        std::cerr << "error: " << error.what() << "\n";
        return 1;
    }
}
