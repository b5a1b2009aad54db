// The console form of the debugger's user interface: locations, listings and
// messages go to an output stream, commands come line by line from an input
// stream. The program uses standard output and standard input; tests hand in
// string streams.
#pragma once

#include "interpreter/debuggerbase.h"

#include <iosfwd>

namespace vornscript {

class VornScriptConsoleDebugger : public VornScriptAbstractDebugger {
public:
    // Standard input and standard output.
    VornScriptConsoleDebugger();
    VornScriptConsoleDebugger(std::istream& input, std::ostream& output);

    // "at " and the location line.
    void showlocation(const VornScriptSourcePosition& position,
                      const std::string& statement) override;
    // Prompts ">> " and reads one line, cut to 999 characters.
    bool readcommand(std::string& command) override;
    // The text, and a line feed unless it ends with one.
    void showmessage(const std::string& text) override;
    // The location line.
    void showsourceline(const VornScriptSourcePosition& position,
                        const std::string& statement) override;

private:
    std::istream& input_;
    std::ostream& output_;
};

} // namespace vornscript
