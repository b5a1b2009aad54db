// Position and full error texts of VornScriptErrorException.
#include "values/errorexception.h"

#include <utility>

namespace vornscript {

std::string makepositiontext(const std::string& filename, int32_t line, int32_t column) {
    std::string text;
    if (!filename.empty()) {
        text = filename + " ";
    }
    if (line != 0 && column != 0) {
        text += "Line " + std::to_string(line) + " Col " + std::to_string(column);
    }
    return text;
}

std::string VornScriptSourcePosition::positiontext() const {
    return makepositiontext(filename, line, column);
}

VornScriptErrorException::VornScriptErrorException(std::string filename, int32_t line,
                                                   int32_t column, std::string message)
    : filename_(std::move(filename)), line_(line), column_(column), message_(std::move(message)) {}

VornScriptErrorException::VornScriptErrorException(const VornScriptSourcePosition& position,
                                                   std::string message)
    : VornScriptErrorException(position.filename, position.line, position.column,
                               std::move(message)) {}

std::string VornScriptErrorException::positiontext() const {
    return makepositiontext(filename_, line_, column_);
}

std::string VornScriptErrorException::fullerrortext() const {
    std::string position = positiontext();
    if (position.empty()) {
        return message_;
    }
    return position + " " + message_;
}

void raiseerroratposition(const VornScriptSourcePosition& position, const std::string& message) {
    throw VornScriptErrorException(position, message);
}

} // namespace vornscript
