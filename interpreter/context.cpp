// Scopes, variable services, post-operations, permissions and extensions of
// the execution context (see context.h).
#include "interpreter/context.h"

#include "interpreter/evaluate.h"
#include "interpreter/pathpermission.h"
#include "interpreter/raise.h"
#include "selftests/unittestregistry.h"
#include "support/midioutput.h"

#include <iostream>

namespace vornscript {
namespace {

// One sequence for all contexts, so a stamp cached on a node shared by two
// contexts never matches the wrong one. The interpreter runs on one thread.
uint64_t nextstamp() {
    static uint64_t last = 0;
    return ++last;
}

// The name as the script wrote it, for messages.
std::string writtenname(const VornScriptSymbol& symbol) {
    return symbol.global ? "::" + symbolname(symbol.id) : symbolname(symbol.id);
}

} // namespace

VornScriptContextBase::VornScriptContextBase()
    : outputstream(&std::cout), errorstream(&std::cerr), variablestamp_(nextstamp()),
      functionstamp_(nextstamp()) {
    enterscope(true);
}

VornScriptContextBase::~VornScriptContextBase() = default;

vornunittest& VornScriptContextBase::unittestregistry() {
    if (!unittests_) {
        unittests_ = std::make_unique<vornunittest>();
    }
    return *unittests_;
}

bool VornScriptContextBase::locatevariable(const VornScriptSymbol& symbol, bool searchoutward,
                                           size_t& scopeindex, size_t& slotindex) {
    auto lookin = [&](size_t index) {
        const ptrdiff_t found = scopes_[index]->indexof(symbol.id);
        if (found < 0) {
            return false;
        }
        scopeindex = index;
        slotindex = static_cast<size_t>(found);
        return true;
    };
    if (symbol.global) {
        return lookin(0);
    }
    if (!searchoutward) {
        return lookin(depth_ - 1);
    }
    for (size_t index = depth_; index-- > 0;) {
        if (lookin(index)) {
            return true;
        }
        // A function body sees its own scopes and the globals, never its caller's locals.
        if (scopes_[index]->isfunctionscope()) {
            return index != 0 && lookin(0);
        }
    }
    return false;
}

VornScriptObjectPtr* VornScriptContextBase::findvariable(const VornScriptSymbol& symbol,
                                                         bool searchoutward) {
    size_t scopeindex = 0;
    size_t slotindex = 0;
    if (!locatevariable(symbol, searchoutward, scopeindex, slotindex)) {
        return nullptr;
    }
    return &scopes_[scopeindex]->variables[slotindex].second;
}

VornScriptObjectPtr* VornScriptContextBase::findandcachevariable(const VornScriptLookupName& name) {
    size_t scopeindex = 0;
    size_t slotindex = 0;
    // Misses are not cached: the caller goes on to the live variables.
    if (!locatevariable(symbolof(name), true, scopeindex, slotindex)) {
        return nullptr;
    }
    VornScriptLookupCache& cache = name.cache;
    cache.stamp = variablestamp_;
    cache.inglobalscope = scopeindex == 0;
    cache.scopeoffset = static_cast<uint32_t>(depth_ - 1 - scopeindex);
    cache.slot = static_cast<uint32_t>(slotindex);
    return &scopes_[scopeindex]->variables[slotindex].second;
}

void VornScriptContextBase::renewifvisible(VornSymbolId id) {
    // A definition in a function scope sees only that scope and the global
    // one: one lookup and the global count instead of the outward search.
    VornScriptScope& current = currentscope();
    if (current.isfunctionscope()) {
        if (current.indexof(id) >= 0 || variablecounts_[static_cast<size_t>(id)].global != 0) {
            renewvariablestamp();
        }
        return;
    }
    size_t scopeindex = 0;
    size_t slotindex = 0;
    if (locatevariable(VornScriptSymbol{id, false}, true, scopeindex, slotindex)) {
        renewvariablestamp();
    }
}

void VornScriptContextBase::renewvariablestamp() {
    variablestamp_ = nextstamp();
}

VornScriptObjectPtr VornScriptContextBase::findvariable(const std::string& name,
                                                        bool searchoutward) {
    VornScriptObjectPtr* slot = findvariable(resolvesymbol(name), searchoutward);
    return slot != nullptr ? *slot : VornScriptObjectPtr();
}

VornScriptScope& VornScriptContextBase::definitionscope(const VornScriptSymbol& symbol) {
    return symbol.global ? globalscope() : currentscope();
}

bool VornScriptContextBase::definevariable(const VornScriptSymbol& symbol,
                                           const VornScriptObjectPtr& value, std::string& error) {
    VornScriptScope& scope = definitionscope(symbol);
    if (scope.find(symbol.id) != nullptr) {
        error = interpretermessage("variable is defined multiple", writtenname(symbol));
        return false;
    }
    // A global definition hides nothing; a local one may hide an outer variable.
    if (!symbol.global) {
        renewifhiding(symbol.id);
    }
    VornScriptObjectPtr bound = value ? value : makeundefinedvalue();
    bound->setname(symbolname(symbol.id));
    addvariable(scope, symbol.id, std::move(bound));
    return true;
}

void VornScriptContextBase::registerfunction(VornScriptUserFunction function) {
    currentscope().functions.push_back(std::move(function));
    functionstamp_ = nextstamp();
}

bool VornScriptContextBase::definevariable(const std::string& name,
                                           const VornScriptObjectPtr& value, std::string& error) {
    return definevariable(resolvesymbol(name), value, error);
}

bool VornScriptContextBase::findlivevariable(const std::string& name, VornScriptObjectPtr& value) {
    auto ask = [&](VornScriptUserExtension& extension) {
        if (extension.existslivevariable(name)) {
            value = extension.livevariable_create(name);
            return bool(value);
        }
        return extension.getconstantvalue(name, value) && bool(value);
    };
    if (ask(*this)) {
        return true;
    }
    for (const auto& extension : extensions_) {
        if (ask(*extension)) {
            return true;
        }
    }
    return false;
}

bool VornScriptContextBase::getvariable(const VornScriptSymbol& symbol, VornScriptObjectPtr& value,
                                        std::string& error) {
    if (VornScriptObjectPtr* slot = findvariable(symbol, true)) {
        value = *slot;
        return true;
    }
    if (findlivevariable(symbolname(symbol.id), value)) {
        return true;
    }
    error = interpretermessage("variable is not defined");
    return false;
}

bool VornScriptContextBase::getvariable(const std::string& name, VornScriptObjectPtr& value,
                                        std::string& error) {
    return getvariable(resolvesymbol(name), value, error);
}

bool VornScriptContextBase::setvariable(const std::string& name, const VornScriptObjectPtr& value,
                                        bool byreference, bool definewhenmissing,
                                        std::string& error) {
    const VornScriptSymbol symbol = resolvesymbol(name);
    if (VornScriptObjectPtr* slot = findvariable(symbol, true)) {
        return byreference ? (*slot)->assignreference(value, error) : (*slot)->assign(value, error);
    }
    if (!definewhenmissing) {
        error = interpretermessage("variable is not defined");
        return false;
    }
    return definevariable(symbol, value, error);
}

bool VornScriptContextBase::setvariable(const std::string& name, const std::string& text,
                                        std::string& error) {
    return setvariable(name, makestringvalue(text), false, true, error);
}

bool VornScriptContextBase::undefvariable(const VornScriptSymbol& symbol, std::string& error) {
    VornScriptObjectPtr* slot = findvariable(symbol, true);
    if (slot != nullptr) {
        for (size_t index = depth_; index-- > 0;) {
            auto& variables = scopes_[index]->variables;
            for (auto entry = variables.begin(); entry != variables.end(); ++entry) {
                if (&entry->second == slot) {
                    VariableCount& count = variablecounts_[static_cast<size_t>(entry->first)];
                    --count.live;
                    if (index == 0) {
                        --count.global;
                    }
                    variables.erase(entry);
                    renewvariablestamp();
                    return true;
                }
            }
        }
    }
    error = interpretermessage("variable not found");
    return false;
}

bool VornScriptContextBase::undefvariable(const std::string& name, std::string& error) {
    return undefvariable(resolvesymbol(name), error);
}

void VornScriptContextBase::addscope() {
    scopes_.push_back(std::make_unique<VornScriptScope>());
}

void VornScriptContextBase::leavescopeextras(VornScriptScope& scope) {
    if (!scope.functions.empty()) {
        functionstamp_ = nextstamp();
    }
    pendingpostoperations_ -= scope.postoperations.size();
}

void VornScriptContextBase::runpendingpostoperations() {
    auto& pending = currentscope().postoperations;
    try {
        // Index loop: carrying out one operation never registers another, but
        // stay safe should the vector grow.
        for (size_t index = 0; index < pending.size(); ++index) {
            applypostoperation(pending[index], *this);
        }
    } catch (...) {
        pendingpostoperations_ -= pending.size();
        pending.clear();
        throw;
    }
    pendingpostoperations_ -= pending.size();
    pending.clear();
}

void VornScriptContextBase::reporterror(const std::string& fullerrortext) {
    onerror(fullerrortext, activetrycount == 0);
}

bool VornScriptContextBase::hasFilePermission(const std::string& path, char mode) {
    if (pathliesinsidefolder(path, temporaryfolderpath())) {
        return true;
    }
    return mode == 'r' || mode == 'i';
}

bool VornScriptContextBase::hasCommandPermission(const std::string&, std::string& error) {
    error = interpretermessage("no permission to execute command");
    return false;
}

void VornScriptContextBase::registerextension(const VornRef<VornScriptUserExtension>& extension) {
    extensions_.push_back(extension);
}

bool VornScriptContextBase::finduserfunction(const std::string&, int32_t) {
    return false;
}

bool VornScriptContextBase::calluserfunction(const std::string&,
                                             const std::vector<VornScriptObjectPtr>&,
                                             VornScriptObjectPtr&, std::string& errortext,
                                             const VornScriptSourcePosition&) {
    errortext = interpretermessage("function not found");
    return false;
}

void VornScriptContextBase::bindscript(VornScriptNodePtr root, VornScriptSourcePtr source) {
    root_ = std::move(root);
    source_ = std::move(source);
    buildlinetable(root_.get());
}

} // namespace vornscript
