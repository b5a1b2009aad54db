// The command-line context: the execution context of a script run from the
// console. It takes the base context's behaviour unchanged except the two
// permission checks: a script started by its user may touch any file and run
// any command. A fresh instance is created for each run.
#pragma once

#include "interpreter/context.h"

namespace vornscript {

class VornCommandlineScript : public VornScriptContextBase {
public:
    // Always grants.
    bool hasFilePermission(const std::string& path, char mode) override;
    // Clears the error text and grants.
    bool hasCommandPermission(const std::string& command, std::string& error) override;
};

} // namespace vornscript
