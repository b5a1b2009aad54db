// Shared pieces of the text-function files: reading arguments as texts and
// numbers, reporting failures with translated messages, and building result
// vectors. The implementations are declared here so that textfunctions.cpp
// can list them all in the family's one table.
#pragma once

#include "sysfunctions/systemfunctionregistry.h"
#include "values/scriptobject.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vornscript::textfunctions {

// The text form of an argument. A plain text is viewed in place, so reading
// an argument does not copy it; other values are converted once into the
// object. An undefined or missing value reads as the empty text.
class ArgumentText {
public:
    explicit ArgumentText(const VornScriptObjectPtr& value);
    ArgumentText(const ArgumentText&) = delete;
    ArgumentText& operator=(const ArgumentText&) = delete;

    std::string_view view() const { return view_; }
    operator std::string_view() const { return view_; }

private:
    std::string owned_;
    std::string_view view_;
};

// True when the value is missing or undefined (an argument the dispatcher
// padded, or null).
inline bool isundefined(const VornScriptObjectPtr& value) {
    return !value || value->isnull();
}

// The value as a whole number (a double is truncated toward zero, and
// clipped to the 64-bit range); false when its content is no number.
bool readwholenumber(const VornScriptObjectPtr& value, int64_t& number);

// Sets call.error to the translated phrase and returns false.
bool fail(VornSystemCall& call, const char* phrase);
// The same with "function <name> " before the phrase.
bool failfunction(VornSystemCall& call, const char* phrase);
// Sets call.result and returns true.
inline bool succeed(VornSystemCall& call, VornScriptObjectPtr value) {
    call.result = std::move(value);
    return true;
}
inline bool succeedtext(VornSystemCall& call, std::string text) {
    return succeed(call, makestringvalue(std::move(text)));
}
inline bool succeedbool(VornSystemCall& call, bool value) {
    return succeed(call, makeboolvalue(value));
}

// A vector value of text elements.
VornScriptObjectPtr makestringvector(std::vector<std::string> parts);

// The texts of the arguments from [first] to before [last] in order, a vector
// or structure contributing each element (member value) in turn. With
// [collectiononly] a single argument must be a vector or structure: false with
// "structure or vector expected".
bool collectargumenttexts(VornSystemCall& call, size_t first, size_t last, bool collectiononly,
                          std::vector<std::string>& texts);
// The same texts appended to [out] with [separator] between them, without a
// list of copies.
bool joinargumenttexts(VornSystemCall& call, size_t first, size_t last, bool collectiononly,
                       std::string_view separator, std::string& out);

// ---- implementations (one per script function or group of aliases) ----
// textfunctions.cpp: lengths and substrings
bool strlenfunction(VornSystemCall& call);
bool isemptyfunction(VornSystemCall& call);
bool midfunction(VornSystemCall& call);
bool leftfunction(VornSystemCall& call);
bool rightfunction(VornSystemCall& call);
bool fillfunction(VornSystemCall& call);
// textsearch.cpp: search and comparison
bool indexfunction(VornSystemCall& call);
bool rindexfunction(VornSystemCall& call);
bool containsfunction(VornSystemCall& call);
bool startswithfunction(VornSystemCall& call);
bool endswithfunction(VornSystemCall& call);
bool strcmpfunction(VornSystemCall& call);
bool stricmpfunction(VornSystemCall& call);
bool comparenumericfunction(VornSystemCall& call);
// textconvert.cpp: trimming, escaping, character codes, case, classification
bool trimfunction(VornSystemCall& call);
bool trimleftfunction(VornSystemCall& call);
bool trimrightfunction(VornSystemCall& call);
bool escapestringfunction(VornSystemCall& call);
bool unescapestringfunction(VornSystemCall& call);
bool quotestringfunction(VornSystemCall& call);
bool unquotestringfunction(VornSystemCall& call);
bool ordfunction(VornSystemCall& call);
bool chrfunction(VornSystemCall& call);
bool toupperfunction(VornSystemCall& call);
bool tolowerfunction(VornSystemCall& call);
bool isnumberfunction(VornSystemCall& call);
bool ishexnumberfunction(VornSystemCall& call);
bool isalphafunction(VornSystemCall& call);
bool isalphanumericfunction(VornSystemCall& call);
bool iswhitespacefunction(VornSystemCall& call);
// textsplit.cpp: splitting, joining, range lists and CSV
bool splitfunction(VornSystemCall& call);
bool splitlinesfunction(VornSystemCall& call);
bool splitwordsfunction(VornSystemCall& call);
bool joinfunction(VornSystemCall& call);
bool concatfunction(VornSystemCall& call);
bool parseintrangelistfunction(VornSystemCall& call);
bool makecsvlinefunction(VornSystemCall& call);
bool parsecsvlinefunction(VornSystemCall& call);
bool splitcsvlinesfunction(VornSystemCall& call);
// textregex.cpp: replace, wildcard and regular expressions
bool replacefunction(VornSystemCall& call);
bool defaultreplaceoptionsfunction(VornSystemCall& call);
bool likefunction(VornSystemCall& call);
bool matchfunction(VornSystemCall& call);
bool substitutefunction(VornSystemCall& call);

} // namespace vornscript::textfunctions
