// The system-function selector and the list of family tables. A family is
// added by declaring its table here and listing it in familytables(); the
// list is explicit because a static library drops object files that nothing
// references, so self-registering families would silently vanish.
#include "sysfunctions/systemfunctionregistry.h"

#include "support/phrasetranslator.h"
#include "sysfunctions/collectionfunctions.h"
#include "sysfunctions/filefunctions.h"
#include "sysfunctions/formatfunctions.h"
#include "sysfunctions/jsonfunctions.h"
#include "sysfunctions/libraryfunctions.h"
#include "sysfunctions/mathfunctions.h"
#include "sysfunctions/metafunctions.h"
#include "sysfunctions/osfunctions.h"
#include "sysfunctions/outputfunctions.h"
#include "sysfunctions/picturefunctions.h"
#include "sysfunctions/textfunctions.h"
#include "sysfunctions/unittestfunctions.h"

#include <algorithm>
#include <map>

namespace vornscript {

namespace {

constexpr const char* messagetag = "interpreter";

bool isexactkey(std::string_view key) {
    return key.ends_with(')');
}

size_t keyargumentcount(std::string_view key) {
    return static_cast<size_t>(std::count(key.begin(), key.end(), '$'));
}

// The tables of the families built so far, in search order.
std::span<const VornSystemFunctionTable> familytables() {
    // One family per line keeps additions from different branches apart.
    // clang-format off
    static const std::vector<VornSystemFunctionTable> tables = {
        collectionfunctiontable(),
        sortfunctiontable(),
        grepfunctiontable(),
        bytebufferfunctiontable(),
        jsonfunctiontable(),
        textfunctiontable(),
        mathfunctiontable(),
        formatfunctiontable(),
        filefunctiontable(),
        openfilefunctiontable(),
        directoryfunctiontable(),
        profilefunctiontable(),
        environmentfunctiontable(),
        processfunctiontable(),
        desktopfunctiontable(),
        unittestfunctiontable(),
        libraryfunctiontable(),
        metafunctiontable(),
        outputfunctiontable(),
        picturefunctiontable(),
    };
    // clang-format on
    return tables;
}

} // namespace

VornSystemFunctionSelector::VornSystemFunctionSelector(
    std::span<const VornSystemFunctionTable> tables) {
    std::map<VornSystemFunctionImpl, size_t> parametercounts;
    for (const VornSystemFunctionTable& table : tables) {
        for (const VornSystemFunctionEntry& entry : table) {
            size_t& count = parametercounts[entry.impl];
            count = std::max(count, keyargumentcount(entry.key));
        }
    }
    for (const VornSystemFunctionTable& table : tables) {
        for (const VornSystemFunctionEntry& entry : table) {
            const VornSystemFunctionSelection selection{
                entry.impl, parametercounts[entry.impl], nativenumberfunction(entry.impl),
                readsargumentsonly(entry.impl), collectiontruthfunction(entry.impl)};
            if (isexactkey(entry.key)) {
                exact_.emplace(entry.key, selection);
            } else {
                prefixes_.emplace_back(entry.key, selection);
            }
        }
    }
    std::stable_sort(prefixes_.begin(), prefixes_.end(),
                     [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
}

VornSystemFunctionSelection VornSystemFunctionSelector::select(std::string_view callkey) const {
    if (auto hit = exact_.find(callkey); hit != exact_.end()) {
        return hit->second;
    }
    for (const auto& [prefix, selection] : prefixes_) {
        if (callkey.starts_with(prefix)) {
            return selection;
        }
    }
    return {};
}

const VornSystemFunctionSelector& systemfunctionselector() {
    static const VornSystemFunctionSelector selector(familytables());
    return selector;
}

bool selectsystemfunction(const VornPrototypeTable& table,
                          const VornSystemFunctionSelector& selector, std::string_view name,
                          size_t argumentcount, VornSystemFunctionSelection& selection,
                          std::string& error) {
    if (!table.accepts(name, argumentcount)) {
        error = cannotcallmessage(name);
        return false;
    }
    // Reused across calls: selection runs on every system-function call.
    static std::string key;
    key.clear();
    appendcallkey(key, name, argumentcount);
    selection = selector.select(key);
    if (selection.impl == nullptr) {
        error = notimplementedmessage(name);
        return false;
    }
    return true;
}

std::string cannotcallmessage(std::string_view name) {
    return translate("cannot call function", messagetag) + " " + std::string(name);
}

std::string notimplementedmessage(std::string_view name) {
    return translate("not implemented yet", messagetag) + ": " + std::string(name);
}

} // namespace vornscript
