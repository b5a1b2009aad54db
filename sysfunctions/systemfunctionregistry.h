// Dispatch of system functions to their implementations. Each family file
// (sysfunctions/<family>.cpp) lists its implementations next to their keys in
// a VornSystemFunctionEntry table; a key ending with ")" is matched exactly
// ("mid($$)"), any other key is a prefix for a variable count ("concat($",
// "print("). VornSystemCall only views the dispatcher's argument list, so this
// header needs no value or context definitions and never destroys a value.
#pragma once

#include "support/refcounted.h"
#include "sysfunctions/prototypetable.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vornscript {

class VornScriptContextBase;
class VornScriptObject;

// One call of a system function as its implementation sees it.
struct VornSystemCall {
    VornScriptContextBase& context;
    // The name as called.
    const std::string& name;
    // The arguments in call order; at least the selection's parametercount of
    // them, the dispatcher filling missing ones with undefined values. Owned
    // by the dispatcher for the duration of the call.
    std::span<const VornRef<VornScriptObject>> arguments;
    // Set by the implementation on success.
    VornRef<VornScriptObject>& result;
    // Set by the implementation when it returns false.
    std::string& error;
};

using VornSystemFunctionImpl = bool (*)(VornSystemCall& call);

struct VornSystemFunctionEntry {
    const char* key;
    VornSystemFunctionImpl impl;
};

// The entries of one family.
using VornSystemFunctionTable = std::span<const VornSystemFunctionEntry>;

// The native form of a system function of one number, which the interpreter
// may compute without making values or a call: [function] gives the number
// the implementation makes for a readable argument, or a number that is not
// finite when the implementation has to run (to report an error, or to make
// a result that is not finite).
struct VornNativeNumberFunction {
    double (*function)(double) = nullptr;
    // The result counts as a double even when whole ("cos(pi)" gives
    // "-1.000000"); otherwise a whole result is a whole number.
    bool alwaysdouble = false;
};

// The truth form of an implementation whose result is a truth value, for a
// caller that reads it as one (a condition, !): the same checks and errors,
// the answer in [truth] instead of a value made in call.result.
using VornSystemTruthImpl = bool (*)(VornSystemCall& call, bool& truth);

struct VornSystemFunctionSelection {
    // nullptr when no family implements the call.
    VornSystemFunctionImpl impl = nullptr;
    // The largest number of "$" among the keys of this implementation: a
    // shorter call ("mid($$)" for the "mid($$$)" implementation) is padded
    // with undefined values up to it.
    size_t parametercount = 0;
    // Empty unless impl has a native form.
    VornNativeNumberFunction native;
    // The implementation only reads its arguments: it never changes, names,
    // keeps or returns one of them, so a literal may be passed as the
    // literal's own value instead of a copy.
    bool readsargumentsonly = false;
    // nullptr unless impl has a truth form.
    VornSystemTruthImpl truth = nullptr;
};

// Finds implementations by call key: an exact key first, else the longest
// prefix key that the call key begins with.
class VornSystemFunctionSelector {
public:
    explicit VornSystemFunctionSelector(std::span<const VornSystemFunctionTable> tables);

    VornSystemFunctionSelection select(std::string_view callkey) const;

private:
    std::unordered_map<std::string, VornSystemFunctionSelection, VornKeyHash, std::equal_to<>>
        exact_;
    // Prefix keys, longest first, so the most specific one wins.
    std::vector<std::pair<std::string, VornSystemFunctionSelection>> prefixes_;
};

// The selector over the tables of all families built so far.
const VornSystemFunctionSelector& systemfunctionselector();

// The dispatcher's selection step for [name] with [argumentcount] arguments:
// false with "cannot call function <name>" when the prototype table does not
// accept the call, false with "not implemented yet: <name>" when no family
// implements it, otherwise true with [selection] set.
bool selectsystemfunction(const VornPrototypeTable& table,
                          const VornSystemFunctionSelector& selector, std::string_view name,
                          size_t argumentcount, VornSystemFunctionSelection& selection,
                          std::string& error);

std::string cannotcallmessage(std::string_view name);
std::string notimplementedmessage(std::string_view name);

} // namespace vornscript
