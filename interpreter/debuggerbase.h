// Debugger hooks of an execution context. Every context is also a
// VornScriptDebuggerBase: it holds the stepping state of the console debugger
// (line table, mode, breakpoints, watches) and the profiler's summary; the
// behaviour lives in debugger/. The evaluation wrapper calls onstatement and
// onstatementdone only while [debuggeractive] is set, so a run without a
// debugger pays one well-predicted branch per node, not two virtual calls.
#pragma once

#include "frontend/syntaxtree.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace vornscript {

class VornScriptContextBase;

// The user interface of the debugger; the console form is
// VornScriptConsoleDebugger (debugger/consoledebugger.h).
class VornScriptAbstractDebugger {
public:
    virtual ~VornScriptAbstractDebugger() = default;
    // Shows where execution stopped.
    virtual void showlocation(const VornScriptSourcePosition& position,
                              const std::string& statement) = 0;
    // Reads one command line; false when no more input can come.
    virtual bool readcommand(std::string& command) = 0;
    virtual void showmessage(const std::string& text) = 0;
    // Shows one line of a listing.
    virtual void showsourceline(const VornScriptSourcePosition& position,
                                const std::string& statement) = 0;
};

// Debug modes: when the hooks stop before a breakable statement.
namespace debugmode {
constexpr int32_t off = 0;
constexpr int32_t runtoline = 1; // the statement's line is targetline
constexpr int32_t run = 2;       // a breakpoint whose condition holds
constexpr int32_t stepinto = 3;  // always
constexpr int32_t stepover = 4;  // a statement on another line than the previous one
constexpr int32_t toreturn = 5;  // never; the call evaluation switches to stepinto
} // namespace debugmode

// Result codes of the debugger commands.
namespace debugcommand {
constexpr int32_t invalid = 0;
constexpr int32_t help = 1;
constexpr int32_t toreturn = 2;
constexpr int32_t list = 3;
constexpr int32_t continuerun = 4;
constexpr int32_t quit = 5;
constexpr int32_t stepinto = 6;
constexpr int32_t stepover = 7;
constexpr int32_t breakpoint = 8;
constexpr int32_t variablechange = 9;
constexpr int32_t print = 10;
} // namespace debugcommand

// One line of the profile summary.
struct VornScriptProfileRecord {
    std::string source; // trimmed source text of the node
    VornScriptSourcePosition position;
    uint32_t count = 0;
    int64_t sumbrutto = 0;
    int64_t sumnetto = 0; // sumbrutto less the children's, never below 0
};

class VornScriptDebuggerBase {
public:
    VornScriptDebuggerBase();
    virtual ~VornScriptDebuggerBase();
    VornScriptDebuggerBase(const VornScriptDebuggerBase&) = delete;
    VornScriptDebuggerBase& operator=(const VornScriptDebuggerBase&) = delete;

    // Milliseconds of the monotonic system clock.
    virtual int64_t gettickcount();
    // Appends one line per record, each ending with "\n" (debugger/profiler.cpp).
    virtual void writeprofile(std::string& out,
                              const std::vector<VornScriptProfileRecord>& records);
    // Collects the evaluated nodes under [root], keeps at most [limit] of the
    // costliest by [method] ("+count", "-sumnetto", ...) and writes them sorted.
    virtual void profilesummary(std::string& out, const VornScriptExpressionBase* root,
                                const std::string& method, size_t limit);
    // Called before a node is evaluated through the evaluation wrapper; stops
    // before breakable statements as the mode asks.
    virtual void onstatement(VornScriptExpressionBase& node, VornScriptContextBase& context);
    // Called after that evaluation returned normally; reports changed watches.
    virtual void onstatementdone(VornScriptExpressionBase& node, VornScriptContextBase& context);
    // Called with the full text of an error about to be raised; willstop tells
    // whether the error ends the script.
    virtual void onerror(const std::string& fullerrortext, bool willstop);

    // ---- set-up by the script run ----
    // Takes ownership of the user interface, replacing any previous one.
    void attachdebugger(std::unique_ptr<VornScriptAbstractDebugger> debugger);
    VornScriptAbstractDebugger* debugger() const { return debugger_.get(); }
    // Rebuilds the line table from the breakable nodes of the tree, in source order.
    void buildlinetable(const VornScriptExpressionBase* root);
    void setdebugmode(int32_t mode);
    int32_t getdebugmode() const { return mode_; }
    void settrace(bool trace);
    // The -lines view: one showsourceline per line-table entry; raises
    // "no debugger found" without a user interface.
    void listbreakablelines();
    // Executes one command line at a stop; returns its result code.
    int32_t executecommand(const std::string& line, VornScriptContextBase& context);

    // ---- call evaluation (only while debuggeractive) ----
    // Before a user-function call: a call in step-over mode runs in mode
    // run, so breakpoints inside it still stop. Returns the mode to restore.
    int32_t beginusercall();
    // After the call, [calldepth] frames remain: step-over resumes, and a
    // Return command stops at the caller's next statement.
    void endusercall(int32_t modebefore, size_t calldepth);

    // A debugger or the trace wants the statement hooks.
    bool debuggeractive = false;

    // Breakpoints by line-table index; an empty condition always holds.
    std::map<int32_t, std::string> breakpoints;
    struct Watch {
        std::string name;
        bool hasvalue = false; // the variable held a value when last seen
        std::string text;      // its text form then
    };
    std::vector<Watch> watches;
    // Breakable statements in source order.
    std::vector<const VornScriptExpressionBase*> linetable;
    int32_t targetline = 0;
    uint32_t returndepth = 0;
    // Raised while the debugger evaluates an expression itself, so the hooks
    // neither stop nor report inside that evaluation.
    int32_t suspendstatement = 0;
    int32_t suspendstatementdone = 0;
    int32_t currentindex = -1;
    uint32_t listcount = 10;
    int32_t lastcommand = debugcommand::invalid;

private:
    // The index of a breakable node of the bound tree, -1 for others.
    int32_t linetableindex(const VornScriptExpressionBase& node) const;
    bool shouldstop(int32_t index, int32_t previousindex, VornScriptContextBase& context);
    // Shows the location of [node] and runs the command loop; quit raises
    // "aborted by user" at the node.
    void stopat(const VornScriptExpressionBase& node, VornScriptContextBase& context);
    // Reads and executes commands until one resumes; false after quit.
    bool commandloop(VornScriptContextBase& context);
    // Through the user interface, when one is attached.
    void showmessage(const std::string& text);
    void updateactive();

    int32_t mode_ = debugmode::off;
    bool trace_ = false;
    std::unordered_map<const VornScriptExpressionBase*, int32_t> lineindex_;
    // The context of the last hook call; the error hook runs commands in it.
    VornScriptContextBase* lastcontext_ = nullptr;
    std::unique_ptr<VornScriptAbstractDebugger> debugger_;
};

} // namespace vornscript
