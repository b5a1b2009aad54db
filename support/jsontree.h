// A small JSON tree, read by the JSON reader (jsonreader.h) and written with
// the JSON writer's layout (jsonwriter.h). Every scalar is kept as text
// exactly as written: the tree does not remember whether it was a string, a
// number or a literal, so the writer decides from the text alone (decimal
// digits bare, all else quoted).
// Members are kept ordered by key, so output never depends on input order.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vornjson {

enum vornjsonkind : std::int32_t { jsonobject = 0, jsonarray = 1, jsonscalar = 2 };

// Deepest nesting of objects and arrays that parse accepts; deeper input
// fails with "json data nested too deeply" rather than exhausting the stack.
inline constexpr int maximumjsondepth = 512;

// Line and column of a token (a line feed starts line+1 at column 1, a tab
// moves to the column after the next multiple of 8).
struct vornjsonposition {
    int line = 1;
    int column = 1;
};

class vornjsontree {
public:
    // A scalar with the empty text.
    vornjsontree() = default;
    explicit vornjsontree(std::string scalartext) : nodetext(std::move(scalartext)) {}
    static vornjsontree makeobject();
    static vornjsontree makearray();

    vornjsonkind kind() const { return nodekind; }
    // The scalar's text: string contents without quotes, a number as
    // written, "true", "false" or "null".
    const std::string& text() const { return nodetext; }
    const std::vector<vornjsontree>& elements() const { return nodeelements; }
    const std::map<std::string, vornjsontree>& members() const { return nodemembers; }

    // For an array node: adds element at the end.
    void appendelement(vornjsontree element);
    // For an object node: stores value under key, replacing an earlier one.
    void setmember(const std::string& key, vornjsontree value);

    // Replaces this tree by the one text describes. On failure the tree is a
    // fresh scalar, errormessage holds the reason and errorposition (when
    // given) the position of the token at fault.
    bool parse(std::string_view text, std::string& errormessage,
               vornjsonposition* errorposition = nullptr);

    // The indented text of the tree, its top level at depth (4 blanks each).
    std::string write(int depth = 0) const;

private:
    vornjsonkind nodekind = jsonscalar;
    std::vector<vornjsontree> nodeelements;
    std::map<std::string, vornjsontree> nodemembers;
    std::string nodetext;
};

} // namespace vornjson
