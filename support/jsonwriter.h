// The JSON writer's layout, shared by the JSON tree and by writers of other
// data (the interpreter writes its values straight to text). Containers open
// with "{" or "[" and a line end, put each entry on its own line indented by
// 4 blanks per depth, and close on their own line followed by a line end, so
// that a "," after a nested container stands alone on the next line. A
// scalar's text made only of decimal digits (blanks around them allowed) is
// written bare, anything else quoted and escaped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vornjson {

class vornjsonwriter {
public:
    // Appends to [out]; the outermost value is at [depth].
    explicit vornjsonwriter(std::string& out, int depth = 0) : out(out), basedepth(depth) {}

    void scalar(std::string_view text);
    void beginobject() { begin('{'); }
    void beginarray() { begin('['); }
    // Starts the next member of the innermost object; its value follows.
    void member(std::string_view key);
    // Starts the next element of the innermost array; its value follows.
    void element() { startentry(); }
    void endobject() { end('}'); }
    void endarray() { end(']'); }

private:
    void begin(char open);
    void end(char close);
    void startentry();
    void indent(size_t depth);

    std::string& out;
    int basedepth;
    // Per open container: whether it has an entry yet.
    std::vector<bool> hasentries;
};

} // namespace vornjson
