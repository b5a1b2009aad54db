// The console debugger's four operations (see consoledebugger.h).
#include "debugger/consoledebugger.h"

#include "debugger/debuggersupport.h"

#include <iostream>

namespace vornscript {
namespace {

constexpr size_t maximumcommandlength = 999;

} // namespace

VornScriptConsoleDebugger::VornScriptConsoleDebugger()
    : VornScriptConsoleDebugger(std::cin, std::cout) {}

VornScriptConsoleDebugger::VornScriptConsoleDebugger(std::istream& input, std::ostream& output)
    : input_(input), output_(output) {}

void VornScriptConsoleDebugger::showlocation(const VornScriptSourcePosition& position,
                                             const std::string& statement) {
    output_ << "at " << locationline(position, statement);
}

bool VornScriptConsoleDebugger::readcommand(std::string& command) {
    output_ << ">> " << std::flush;
    if (!std::getline(input_, command)) {
        command.clear();
        return false;
    }
    // A line typed or piped with a Windows line end.
    if (!command.empty() && command.back() == '\r') {
        command.pop_back();
    }
    if (command.size() > maximumcommandlength) {
        command.resize(maximumcommandlength);
    }
    return true;
}

void VornScriptConsoleDebugger::showmessage(const std::string& text) {
    output_ << text;
    if (text.empty() || text.back() != '\n') {
        output_ << '\n';
    }
}

void VornScriptConsoleDebugger::showsourceline(const VornScriptSourcePosition& position,
                                               const std::string& statement) {
    output_ << locationline(position, statement);
}

} // namespace vornscript
