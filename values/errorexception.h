// The one error type of the language: every syntax and run-time error of a
// script is a VornScriptErrorException carrying the message and the source
// position (script name, line, column) where it arose. Messages arrive here
// already translated; this module only formats positions and full texts.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace vornscript {

// Where a token or syntax node starts. Lines and columns count from 1; a
// zero line means "no position". charpos is the 0-based byte offset.
struct VornScriptSourcePosition {
    int32_t line = 0;
    int32_t column = 0;
    int32_t charpos = 0;
    std::string filename;

    // "name Line 4 Col 6", "Line 1 Col 3" without a name, "" with neither.
    std::string positiontext() const;
};

class VornScriptErrorException : public std::exception {
public:
    VornScriptErrorException(std::string filename, int32_t line, int32_t column,
                             std::string message);
    VornScriptErrorException(const VornScriptSourcePosition& position, std::string message);

    // The message alone, without position.
    const char* what() const noexcept override { return message_.c_str(); }

    const std::string& filename() const { return filename_; }
    int32_t line() const { return line_; }
    int32_t column() const { return column_; }
    const std::string& message() const { return message_; }

    std::string positiontext() const;
    // Position text, a blank and the message; the message alone without position.
    std::string fullerrortext() const;

private:
    std::string filename_;
    int32_t line_;
    int32_t column_;
    std::string message_;
};

// Throws a VornScriptErrorException at the given position.
[[noreturn]] void raiseerroratposition(const VornScriptSourcePosition& position,
                                       const std::string& message);

// Builds the position text from its three parts; shared by positions and exceptions.
std::string makepositiontext(const std::string& filename, int32_t line, int32_t column);

} // namespace vornscript
