// Path text splitting and joining (see pathtext.h).
#include "support/pathtext.h"

namespace vornscript {

namespace {

bool isslash(char character) {
    return character == '/' || character == '\\';
}

size_t filenamestart(std::string_view path) {
    for (size_t index = path.size(); index > 0; --index) {
        if (ispathseparator(path[index - 1])) {
            return index;
        }
    }
    return 0;
}

// Index of the extension's dot inside the path, or the path's size.
size_t extensionstart(std::string_view path) {
    const size_t start = filenamestart(path);
    const size_t dot = path.rfind('.');
    return (dot == std::string_view::npos || dot < start) ? path.size() : dot;
}

} // namespace

bool ispathseparator(char character) {
    return isslash(character) || character == ':';
}

std::string_view pathfilename(std::string_view path) {
    return path.substr(filenamestart(path));
}

std::string_view pathdirectory(std::string_view path) {
    return path.substr(0, filenamestart(path));
}

std::string scriptfolder(const std::string& scriptname) {
    const size_t separator = scriptname.find_last_of("/\\");
    return separator == std::string::npos ? std::string() : scriptname.substr(0, separator + 1);
}

std::string_view pathextension(std::string_view path) {
    return path.substr(extensionstart(path));
}

std::string_view pathwithoutextension(std::string_view path) {
    return path.substr(0, extensionstart(path));
}

void appendpathpart(std::string& path, std::string_view part) {
    if (part.empty()) {
        return;
    }
    if (path.empty()) {
        path = part;
        return;
    }
    const bool endsslash = isslash(path.back());
    const bool startsslash = isslash(part.front());
    if (endsslash && startsslash) {
        part.remove_prefix(1);
    } else if (!endsslash && !startsslash) {
        path += '/';
    }
    path += part;
}

std::string quotepathtext(std::string_view path) {
    std::string quoted = "\"";
    for (char character : path) {
        if (character == '"') {
            quoted += '\\';
        }
        quoted += character;
    }
    if (!path.empty() && path.back() == '\\') {
        quoted += '\\';
    }
    quoted += '"';
    return quoted;
}

} // namespace vornscript
