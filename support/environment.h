// Environment variables of the process. Changes reach this process and the
// programs it starts afterwards. Names are case-sensitive, as everywhere on
// Linux.
#pragma once

#include <string>

namespace vornscript {

// The value, or "" when the variable is not set.
std::string getenvironmentvariable(const std::string& name);
// False for a name the environment cannot hold (empty, or containing "=" or
// a zero byte).
bool setenvironmentvariable(const std::string& name, const std::string& value);

} // namespace vornscript
