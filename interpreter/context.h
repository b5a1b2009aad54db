// The execution context: the running state of one script execution. It holds
// the scope stack, the registered user functions, control-flow flags, the
// loop and recursion limits, the extension list and the debugger hooks. Every
// node evaluation receives it. Scopes keep their variables as small flat
// vectors of (interned name id, value), searched linearly: most scopes hold a
// handful of names, so comparing integers beats hashing a string per access.
// Popped scopes are kept for reuse, so a block in a loop allocates nothing.
// Variable and function lookups are cached on the syntax nodes and checked
// against stamps the context renews whenever a lookup result could change.
#pragma once

#include "frontend/scriptsource.h"
#include "frontend/syntaxtree.h"
#include "interpreter/argumentpool.h"
#include "interpreter/debuggerbase.h"
#include "interpreter/numberresult.h"
#include "interpreter/symboltable.h"
#include "interpreter/userextension.h"
#include "values/scriptobject.h"

#include <iosfwd>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vornscript {

class vornunittest;
class VornMidiOutput;

// The interned symbol of a name node, computed on first use and kept in the node's cache.
inline VornScriptSymbol symbolof(const VornScriptLookupName& name) {
    VornScriptLookupCache& cache = name.cache;
    if (cache.symbol == 0) [[unlikely]] {
        const VornScriptSymbol symbol = resolvesymbol(name.text);
        cache.symbol = symbol.id + 1;
        cache.global = symbol.global;
    }
    return VornScriptSymbol{cache.symbol - 1, cache.global};
}

// A user function as registered by the prepare pass.
struct VornScriptUserFunction {
    struct Parameter {
        std::string name;
        VornScriptSymbol symbol;
        bool byreference = false;
    };
    std::string name; // with its name space as written ("other::sum")
    // The interned name without a leading "::", which calls compare against.
    VornSymbolId symbol = -1;
    std::vector<Parameter> parameters;
    // No parameter is written with "::" and no two share a name (nor one the
    // argument vector's): a call binds them into its fresh scope without
    // looking for an existing variable of the name.
    bool distinctparameters = false;
    bool variablearguments = false;
    // The vector of all arguments of a function with variable arguments is
    // named like the function without its name space.
    VornScriptSymbol argumentlist;
    VornScriptNodePtr body; // null for a declaration without body
    VornScriptSourcePosition position;
    std::string signature; // "mymax(a,&b,...)", for suggestions
};

// One active user-function call: the function, the call node (the position
// that __LINE__(1) and the debugger report) and the scope depth at entry.
// [takesnumber]: the caller reads the result as a number (an operand or a
// compare function), so a return of a computed number may leave it native.
struct VornScriptCallFrame {
    const VornScriptUserFunction* function;
    const VornScriptExpressionBase* callnode;
    size_t scopedepth;
    bool takesnumber = false;
};

// An increment or decrement registered by a postfix ++ or -- and carried out
// when the current statement ends. It keeps the operand's own object, so the
// operand expression is not evaluated a second time.
struct VornScriptPostOperation {
    VornScriptObjectPtr target;
    TokenKind op; // TOKEN_INCREMENT or TOKEN_DECREMENT
    const VornScriptExpressionBase* node;
};

// A scope's variables and functions change only through the context, which
// renews its lookup stamps on every change.
class VornScriptScope {
public:
    virtual ~VornScriptScope() = default;

    // The slot holding the variable, or nullptr.
    VornScriptObjectPtr* find(VornSymbolId id) {
        const ptrdiff_t index = indexof(id);
        return index >= 0 ? &variables[static_cast<size_t>(index)].second : nullptr;
    }
    // The variable's index in [variables], or -1.
    ptrdiff_t indexof(VornSymbolId id) const {
        for (size_t index = 0; index < variables.size(); ++index) {
            if (variables[index].first == id) {
                return static_cast<ptrdiff_t>(index);
            }
        }
        return -1;
    }
    // A function call's scope, or the global one, ends the outward search.
    bool isfunctionscope() const { return functionscope; }
    // Empties the scope for reuse; variables and functions are released.
    void clear() {
        functionscope = false;
        variables.clear();
        functions.clear();
        postoperations.clear();
    }

    bool functionscope = false;
    std::vector<std::pair<VornSymbolId, VornScriptObjectPtr>> variables;
    std::vector<VornScriptUserFunction> functions;
    std::vector<VornScriptPostOperation> postoperations;
};

// Control flow travels as flags; only errors are native exceptions.
struct VornScriptControlState {
    bool returnpending = false;
    bool breakpending = false;
    bool continuepending = false;
    bool exitrequested = false;
    int32_t exitcode = 0;
    // The goto whose label is being searched in the enclosing statement lists.
    const VornScriptGotoStatement* pendinggoto = nullptr;
    // The value of a pending return, or with [returnisnumber] the computed
    // number it returns to a caller that takes numbers (see VornScriptCallFrame).
    VornScriptObjectPtr returnvalue;
    bool returnisnumber = false;
    NumberResult returnnumber;
};

class VornScriptContextBase : public VornScriptDebuggerBase, public VornScriptUserExtension {
public:
    // Deepest nesting of node evaluations (expressions, statements and user
    // function calls together) before the run fails with an error instead of
    // exhausting the native stack.
    static constexpr int maxevaluationdepth = 3000;
    static constexpr int64_t defaultlooplimit = 10000;
    static constexpr int32_t defaultrecursionlimit = 100;

    VornScriptContextBase();
    ~VornScriptContextBase() override;
    VornScriptContextBase(const VornScriptContextBase&) = delete;
    VornScriptContextBase& operator=(const VornScriptContextBase&) = delete;

    // ---- variables (failures write a message and return false) ----
    // The variable's slot, or nullptr: "::x" looks in the global scope only;
    // outward search stops after the innermost function scope, then tries the global scope.
    VornScriptObjectPtr* findvariable(const VornScriptSymbol& symbol, bool searchoutward);
    // The outward search for a name node, reusing the place the node found
    // last time: a name sits at a fixed lexical nesting, so while the stamp
    // holds, its variable is the same number of scopes out (or global) at
    // the same index, if that entry still carries the name.
    VornScriptObjectPtr* findvariable(const VornScriptLookupName& name) {
        const VornScriptLookupCache& cache = name.cache;
        if (cache.stamp == variablestamp_) [[likely]] {
            if (VornScriptObjectPtr* slot = cachedslot(cache)) [[likely]] {
                return slot;
            }
        }
        return findandcachevariable(name);
    }
    VornScriptObjectPtr findvariable(const std::string& name, bool searchoutward);
    // Adds the name to the global scope ("::" names) or the current scope.
    bool definevariable(const VornScriptSymbol& symbol, const VornScriptObjectPtr& value,
                        std::string& error);
    bool definevariable(const std::string& name, const VornScriptObjectPtr& value,
                        std::string& error);
    // Scopes first, then the live variables and constants of the extensions.
    bool getvariable(const VornScriptSymbol& symbol, VornScriptObjectPtr& value,
                     std::string& error);
    bool getvariable(const std::string& name, VornScriptObjectPtr& value, std::string& error);
    bool setvariable(const std::string& name, const VornScriptObjectPtr& value, bool byreference,
                     bool definewhenmissing, std::string& error);
    bool setvariable(const std::string& name, const std::string& text, std::string& error);
    bool undefvariable(const VornScriptSymbol& symbol, std::string& error);
    bool undefvariable(const std::string& name, std::string& error);
    // Adds the variable as it is (no name given, no check for an existing
    // one) to the current scope, a call's own scope that holds no variable
    // of the name: from there only a global one of the name is visible, which
    // it hides. Inline: every call binds its parameters so.
    [[gnu::always_inline]] void bindvariable(VornSymbolId id, VornScriptObjectPtr value) {
        const auto index = static_cast<size_t>(id);
        if (index < variablecounts_.size() && variablecounts_[index].global != 0) {
            renewvariablestamp();
        }
        addvariable(currentscope(), id, std::move(value));
    }

    // ---- lookup stamps ----
    // Renewed (from one process-wide sequence, so no two contexts share a
    // stamp) whenever a variable is removed, or defined or bound while a
    // variable of its name is visible from its scope (it hides that one).
    // Between two renewals a cached place found from a name's nesting is
    // its innermost visible variable whenever the entry still holds the name.
    uint64_t variablestamp() const { return variablestamp_; }
    // Renewed whenever a function is registered or a scope holding functions
    // is left: between two renewals every call resolves to the same function.
    uint64_t functionstamp() const { return functionstamp_; }
    // Registers a user function in the current scope.
    void registerfunction(VornScriptUserFunction function);

    // ---- scopes ----
    // A function scope (a call's, or the global one) hides the scopes below it.
    // Entering and leaving are inline: every call and block does both.
    void enterscope(bool functionscope = false) {
        if (depth_ == scopes_.size()) [[unlikely]] {
            addscope();
        }
        scopes_[depth_++]->functionscope = functionscope;
    }
    void leavescope() {
        // The global scope stays for the whole run.
        if (depth_ <= 1) {
            return;
        }
        VornScriptScope& scope = *scopes_[--depth_];
        for (const auto& variable : scope.variables) {
            --variablecounts_[static_cast<size_t>(variable.first)].live;
        }
        // Functions and post-operations are rare: the usual scope clears its variables only.
        const bool extras = !scope.functions.empty() || !scope.postoperations.empty();
        if (extras) [[unlikely]] {
            leavescopeextras(scope);
            scope.clear();
        } else {
            scope.functionscope = false;
            scope.variables.clear();
        }
    }
    size_t scopedepth() const { return depth_; }
    // Pops scopes until only [depth] remain.
    void unwindscopes(size_t depth) {
        while (depth_ > depth && depth_ > 1) {
            leavescope();
        }
    }
    VornScriptScope& currentscope() { return *scopes_[depth_ - 1]; }
    VornScriptScope& globalscope() { return *scopes_[0]; }
    // The scope at [index] from the global scope (0) to scopedepth() - 1.
    VornScriptScope& scopeat(size_t index) { return *scopes_[index]; }

    // ---- post-operations of postfix ++ and -- ----
    void addpostoperation(VornScriptPostOperation operation) {
        currentscope().postoperations.push_back(std::move(operation));
        ++pendingpostoperations_;
    }
    bool haspendingpostoperations() const { return pendingpostoperations_ != 0; }
    // Runs at the end of every statement: with nothing pending in any scope
    // it costs one comparison.
    void runpostoperations() {
        if (pendingpostoperations_ != 0) [[unlikely]] {
            runpendingpostoperations();
        }
    }

    // ---- errors and hooks ----
    // Hands the full text of an error about to be raised to the debugger hook.
    void reporterror(const std::string& fullerrortext);
    // try bodies being evaluated; an error raised outside all of them ends the script.
    int32_t activetrycount = 0;
    // The profiler wants times: the wrapper reads the clock around every node.
    bool profilingenabled = false;
    // Current nesting of node evaluations (see maxevaluationdepth).
    int evaluationdepth = 0;

    // ---- permissions ----
    // 'r' read, 'w' write/create/delete/move/change, 'i' information. The
    // base context grants everything inside the temporary folder, and only
    // 'r' and 'i' elsewhere.
    virtual bool hasFilePermission(const std::string& path, char mode);
    // The base context refuses with "no permission to execute command".
    virtual bool hasCommandPermission(const std::string& command, std::string& error);

    // ---- extensions ----
    void registerextension(const VornRef<VornScriptUserExtension>& extension);
    const std::vector<VornRef<VornScriptUserExtension>>& extensions() const { return extensions_; }
    // Folders searched first for plug-in libraries (uselibrary), in order.
    std::vector<std::string> librarypaths;
    // The context offers no functions of its own in its extension role.
    bool finduserfunction(const std::string& name, int32_t argumentcount) override;
    bool calluserfunction(const std::string& name,
                          const std::vector<VornScriptObjectPtr>& arguments,
                          VornScriptObjectPtr& result, std::string& errortext,
                          const VornScriptSourcePosition& callposition) override;

    // ---- the script being run ----
    void bindscript(VornScriptNodePtr root, VornScriptSourcePtr source);
    const VornScriptNodePtr& scriptroot() const { return root_; }
    const VornScriptSourcePtr& scriptsource() const { return source_; }
    // Folder of the script file, searched by includes; "" for none.
    void setbasefolder(std::string folder) { basefolder_ = std::move(folder); }
    const std::string& basefolder() const { return basefolder_; }

    // ---- unit tests of the script (the unittest_ system functions) ----
    // The context's own registry, created on first use.
    vornunittest& unittestregistry();
    // The registry when a unit-test function created it, else nullptr.
    const vornunittest* existingunittestregistry() const { return unittests_.get(); }

    // ---- user-function calls, eval and include ----
    // Argument lists of call nodes, reused from call to call.
    VornArgumentPool argumentpool;
    // Number values of parameters whose calls ended, reused as the parameter
    // values of later calls' native arguments (see userfunctions.cpp).
    std::vector<VornScriptObjectPtr> sparenumbers;
    // Active user-function calls, innermost last (at most recursionlimit).
    std::vector<VornScriptCallFrame> callstack;
    // The call node being dispatched: level 0 of the __LINE__ family.
    const VornScriptExpressionBase* currentcall = nullptr;
    // Nesting of eval code being run; call-stack access is refused above 0.
    int32_t evaldepth = 0;
    // Parsed eval texts by their text, so a loop over eval parses once.
    bool evalcacheenabled = true;
    std::map<std::string, VornScriptStatementsPtr, std::less<>> evalcache;
    // Folders searched by include after the including script's folder.
    std::vector<std::string> includepaths;
    // Finds and reads an include file: the base folder, each include path,
    // then the name itself, each only with 'i' permission and when it is a
    // regular file; then 'r' permission. [sourcename] receives the path
    // found. False with the include message in [error].
    virtual bool loadincludefile(const std::string& name, std::string& sourcename,
                                 std::string& text, std::string& error);

    // ---- devices a script opened ----
    // The MIDI output of playmidi, opened on first use and closed with the context.
    std::unique_ptr<VornMidiOutput> midioutput;

    // ---- output of print and its family (default std::cout and std::cerr) ----
    std::ostream* outputstream;
    std::ostream* errorstream;

    // ---- control flow and limits ----
    VornScriptControlState control;
    int64_t looplimit = defaultlooplimit;
    int32_t recursionlimit = defaultrecursionlimit;
    // Labels of the whole script, filled by the prepare pass.
    std::set<std::string> knownlabels;

private:
    void runpendingpostoperations();
    VornScriptObjectPtr* findandcachevariable(const VornScriptLookupName& name);
    VornScriptObjectPtr* cachedslot(const VornScriptLookupCache& cache) {
        size_t scopeindex = 0;
        if (!cache.inglobalscope) {
            if (cache.scopeoffset >= depth_) {
                return nullptr;
            }
            scopeindex = depth_ - 1 - cache.scopeoffset;
        }
        auto& variables = scopes_[scopeindex]->variables;
        if (cache.slot >= variables.size() || variables[cache.slot].first != cache.symbol - 1) {
            return nullptr;
        }
        return &variables[cache.slot].second;
    }
    // Where the outward search finds the variable: scope and index.
    bool locatevariable(const VornScriptSymbol& symbol, bool searchoutward, size_t& scopeindex,
                        size_t& slotindex);
    // Renews the stamp when a variable of the name is visible from the
    // current scope, which a new one there would hide.
    void renewifhiding(VornSymbolId id) {
        const auto index = static_cast<size_t>(id);
        if (index < variablecounts_.size() && variablecounts_[index].live != 0) {
            renewifvisible(id);
        }
    }
    void renewifvisible(VornSymbolId id);
    // Adds a variable to a scope, counting it in variablecounts_.
    void addvariable(VornScriptScope& scope, VornSymbolId id, VornScriptObjectPtr value) {
        const auto index = static_cast<size_t>(id);
        if (index >= variablecounts_.size()) [[unlikely]] {
            variablecounts_.resize(index + 1);
        }
        VariableCount& count = variablecounts_[index];
        ++count.live;
        if (&scope == scopes_.front().get()) [[unlikely]] {
            ++count.global;
        }
        scope.variables.emplace_back(id, std::move(value));
    }
    void addscope();
    // The bookkeeping of leavescope for a scope holding functions or post-operations.
    void leavescopeextras(VornScriptScope& scope);
    void renewvariablestamp();
    // The scope that a "::" name or a plain name is defined in.
    VornScriptScope& definitionscope(const VornScriptSymbol& symbol);
    bool findlivevariable(const std::string& name, VornScriptObjectPtr& value);

    // Scope objects; the first depth_ are live, the rest kept for reuse.
    std::vector<std::unique_ptr<VornScriptScope>> scopes_;
    size_t depth_ = 0;
    uint64_t variablestamp_ = 0;
    uint64_t functionstamp_ = 0;
    // Per symbol id, the number of variables of that name in the live
    // scopes: a name nobody holds cannot hide anything, so most definitions
    // skip the search for a visible one. [global] counts those in the global
    // scope (0 or 1), the only ones a parameter can hide.
    struct VariableCount {
        uint32_t live = 0;
        uint32_t global = 0;
    };
    std::vector<VariableCount> variablecounts_;
    // Post-operations registered in all scopes and not yet carried out.
    size_t pendingpostoperations_ = 0;
    std::vector<VornRef<VornScriptUserExtension>> extensions_;
    VornScriptNodePtr root_;
    VornScriptSourcePtr source_;
    std::string basefolder_;
    std::unique_ptr<vornunittest> unittests_;
};

} // namespace vornscript
