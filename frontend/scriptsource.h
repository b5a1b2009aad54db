// A script's name and text, kept together and shared read-only by the
// scanner, the parser's nodes and the context (for error output and the
// debugger). The name is the file name, "console" for -script texts.
#pragma once

#include <memory>
#include <string>

namespace vornscript {

struct VornScriptSource {
    std::string name;
    std::string text;
};

using VornScriptSourcePtr = std::shared_ptr<const VornScriptSource>;

inline VornScriptSourcePtr makescriptsource(std::string name, std::string text) {
    return std::make_shared<const VornScriptSource>(
        VornScriptSource{std::move(name), std::move(text)});
}

} // namespace vornscript
