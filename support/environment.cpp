// Environment variables through the C library (see environment.h).
#include "support/environment.h"

#include <cstdlib>

namespace vornscript {

std::string getenvironmentvariable(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value != nullptr ? std::string(value) : std::string();
}

bool setenvironmentvariable(const std::string& name, const std::string& value) {
    if (name.empty() || name.find_first_of(std::string("=\0", 2)) != std::string::npos ||
        value.find('\0') != std::string::npos) {
        return false;
    }
    return ::setenv(name.c_str(), value.c_str(), 1) == 0;
}

} // namespace vornscript
