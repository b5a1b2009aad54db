// The system-function dispatcher and its resolution cache. The cache is keyed
// by name and argument count (no call key text is built for a lookup) and
// holds only accepted calls, so it is bounded by the library's names and the
// argument counts scripts use; a refused call is looked up again each time.
#include "sysfunctions/systemfunctiondispatcher.h"

#include <functional>
#include <unordered_map>

namespace vornscript {

namespace {

struct VornResolutionKey {
    std::string_view name;
    size_t argumentcount;
    bool operator==(const VornResolutionKey&) const = default;
};

struct VornStoredResolutionKey {
    std::string name;
    size_t argumentcount;
};

struct VornResolutionHash {
    using is_transparent = void;
    size_t operator()(const VornResolutionKey& key) const {
        return std::hash<std::string_view>{}(key.name) ^ (key.argumentcount * 0x9e3779b97f4a7c15U);
    }
    size_t operator()(const VornStoredResolutionKey& key) const {
        return (*this)(VornResolutionKey{key.name, key.argumentcount});
    }
};

struct VornResolutionEqual {
    using is_transparent = void;
    static VornResolutionKey view(const VornResolutionKey& key) { return key; }
    static VornResolutionKey view(const VornStoredResolutionKey& key) {
        return {key.name, key.argumentcount};
    }
    template <class A, class B> bool operator()(const A& a, const B& b) const {
        return view(a) == view(b);
    }
};

// Name and count of an accepted call to its selection. Node-based, so the
// address of a stored selection never changes.
using VornResolutionMap = std::unordered_map<VornStoredResolutionKey, VornSystemFunctionSelection,
                                             VornResolutionHash, VornResolutionEqual>;

} // namespace

const VornSystemFunctionSelection* resolvesystemfunction(std::string_view name,
                                                         size_t argumentcount) {
    // The interpreter runs on one thread; the map is only ever appended to.
    static VornResolutionMap resolutions;
    auto found = resolutions.find(VornResolutionKey{name, argumentcount});
    if (found == resolutions.end()) {
        if (!systemprototypetable().accepts(name, argumentcount)) {
            return nullptr;
        }
        found = resolutions
                    .emplace(VornStoredResolutionKey{std::string(name), argumentcount},
                             systemfunctionselector().select(callkey(name, argumentcount)))
                    .first;
    }
    return &found->second;
}

bool issystemfunction(std::string_view name, size_t argumentcount) {
    return resolvesystemfunction(name, argumentcount) != nullptr;
}

bool callsystemfunction(VornScriptContextBase& context, const std::string& name,
                        std::vector<VornScriptObjectPtr>& arguments, VornScriptObjectPtr& result,
                        std::string& error) {
    const VornSystemFunctionSelection* selection = resolvesystemfunction(name, arguments.size());
    if (selection == nullptr) {
        error = cannotcallmessage(name);
        return false;
    }
    return callsystemfunction(context, *selection, name, arguments, result, error);
}

bool callsystemfunction(VornScriptContextBase& context,
                        const VornSystemFunctionSelection& selection, const std::string& name,
                        std::vector<VornScriptObjectPtr>& arguments, VornScriptObjectPtr& result,
                        std::string& error) {
    if (selection.impl == nullptr) {
        error = notimplementedmessage(name);
        return false;
    }
    // A prototype with fewer arguments shares the implementation of a longer
    // one; the missing arguments arrive as undefined values.
    while (arguments.size() < selection.parametercount) {
        arguments.push_back(makeundefinedvalue());
    }
    VornSystemCall call{context, name, arguments, result, error};
    return selection.impl(call);
}

} // namespace vornscript
