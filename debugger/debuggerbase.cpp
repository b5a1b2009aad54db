// The stepping logic of VornScriptDebuggerBase: the line table, the decision
// to stop before a breakable statement, watches, the error stop, and the
// command loop. The commands themselves are in debuggercommands.cpp.
#include "interpreter/debuggerbase.h"

#include "debugger/debuggersupport.h"
#include "debugger/expressionprobe.h"
#include "interpreter/context.h"
#include "interpreter/raise.h"
#include "support/logsink.h"

#include <chrono>

namespace vornscript {

VornScriptDebuggerBase::VornScriptDebuggerBase() = default;

VornScriptDebuggerBase::~VornScriptDebuggerBase() = default;

int64_t VornScriptDebuggerBase::gettickcount() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void VornScriptDebuggerBase::attachdebugger(std::unique_ptr<VornScriptAbstractDebugger> debugger) {
    debugger_ = std::move(debugger);
}

void VornScriptDebuggerBase::buildlinetable(const VornScriptExpressionBase* root) {
    linetable.clear();
    lineindex_.clear();
    currentindex = -1;
    if (root == nullptr) {
        return;
    }
    // Depth first, children in order: an explicit stack, so a deep tree
    // cannot exhaust the native one.
    std::vector<const VornScriptExpressionBase*> pending{root};
    VornScriptNodeList children;
    while (!pending.empty()) {
        const VornScriptExpressionBase* node = pending.back();
        pending.pop_back();
        if (node->isBreakable() && lineindex_.emplace(node, int32_t(linetable.size())).second) {
            linetable.push_back(node);
        }
        children.clear();
        node->children(children);
        for (size_t index = children.size(); index-- > 0;) {
            pending.push_back(children[index].get());
        }
    }
}

void VornScriptDebuggerBase::setdebugmode(int32_t mode) {
    mode_ = mode;
    updateactive();
}

void VornScriptDebuggerBase::settrace(bool trace) {
    trace_ = trace;
    updateactive();
}

void VornScriptDebuggerBase::updateactive() {
    // Commands only ever switch between non-zero modes, so the flag changes
    // only when the run sets the mode or the trace.
    debuggeractive = mode_ != debugmode::off || trace_;
}

void VornScriptDebuggerBase::listbreakablelines() {
    if (!debugger_) {
        raiseerroratposition(VornScriptSourcePosition(), debuggermessage("no debugger found"));
    }
    for (const VornScriptExpressionBase* node : linetable) {
        debugger_->showsourceline(node->position(), statementtext(*node));
    }
}

void VornScriptDebuggerBase::showmessage(const std::string& text) {
    if (debugger_) {
        debugger_->showmessage(text);
    }
}

int32_t VornScriptDebuggerBase::linetableindex(const VornScriptExpressionBase& node) const {
    const auto found = lineindex_.find(&node);
    return found == lineindex_.end() ? -1 : found->second;
}

bool VornScriptDebuggerBase::shouldstop(int32_t index, int32_t previousindex,
                                        VornScriptContextBase& context) {
    const VornScriptExpressionBase& node = *linetable[size_t(index)];
    switch (mode_) {
    case debugmode::runtoline:
        return node.line == targetline;
    case debugmode::stepinto:
        return true;
    case debugmode::stepover: {
        if (previousindex < 0) {
            return true;
        }
        const VornScriptExpressionBase& previous = *linetable[size_t(previousindex)];
        return index != previousindex &&
               (node.line != previous.line || node.scriptname() != previous.scriptname());
    }
    case debugmode::run: {
        const auto breakpoint = breakpoints.find(index);
        if (breakpoint == breakpoints.end()) {
            return false;
        }
        if (breakpoint->second.empty()) {
            return true;
        }
        const VornScriptProbeResult result = probeexpression(context, breakpoint->second);
        if (result.outcome != VornScriptProbeResult::Outcome::evaluated) {
            showmessage(debuggermessage("breakpoint condition error: ") +
                        (result.errortext.empty() ? printedresult(result) : result.errortext));
            return false;
        }
        if (result.value && result.value->istrue()) {
            showmessage(debuggermessage("breakpoint condition is true: ") + breakpoint->second);
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

void VornScriptDebuggerBase::onstatement(VornScriptExpressionBase& node,
                                         VornScriptContextBase& context) {
    if (suspendstatement > 0) {
        return;
    }
    lastcontext_ = &context;
    if (!node.isBreakable()) {
        return;
    }
    const int32_t index = linetableindex(node);
    if (index < 0) {
        return;
    }
    if (trace_) {
        writelogline(node.position().positiontext() + ": " + statementtext(node), true);
    }
    const int32_t previousindex = currentindex;
    currentindex = index;
    if (mode_ == debugmode::off || mode_ == debugmode::toreturn) {
        return;
    }
    if (shouldstop(index, previousindex, context)) {
        stopat(node, context);
    }
}

void VornScriptDebuggerBase::onstatementdone(VornScriptExpressionBase& node,
                                             VornScriptContextBase& context) {
    if (suspendstatementdone > 0 || watches.empty() || !node.isBreakable()) {
        return;
    }
    lastcontext_ = &context;
    bool changed = false;
    for (Watch& watch : watches) {
        VornScriptObjectPtr value;
        std::string error;
        const bool hasvalue =
            context.getvariable(watch.name, value, error) && value && !value->isnull();
        const std::string text = hasvalue ? value->tostring() : std::string();
        if (hasvalue == watch.hasvalue && text == watch.text) {
            continue;
        }
        watch.hasvalue = hasvalue;
        watch.text = text;
        changed = true;
        showmessage(debuggermessage("variable changed: ") + watch.name +
                    (hasvalue ? "=" + text : std::string()));
    }
    if (changed) {
        stopat(node, context);
    }
}

void VornScriptDebuggerBase::onerror(const std::string& fullerrortext, bool willstop) {
    if (mode_ == debugmode::off || suspendstatement > 0 || !debugger_) {
        return;
    }
    debugger_->showmessage(debuggermessage("exception occured:\n") + fullerrortext);
    if (!willstop || lastcommand == debugcommand::quit || lastcontext_ == nullptr) {
        return;
    }
    const int32_t index = currentindex;
    const VornScriptExpressionBase* node = index >= 0 ? linetable[size_t(index)] : nullptr;
    if (!commandloop(*lastcontext_) && node != nullptr) {
        raiseatnode(*node, debuggermessage("aborted by user"), lastcontext_);
    }
}

void VornScriptDebuggerBase::stopat(const VornScriptExpressionBase& node,
                                    VornScriptContextBase& context) {
    if (!debugger_) {
        raiseatnode(node, debuggermessage("no debugger found"), &context);
    }
    debugger_->showlocation(node.position(), statementtext(node));
    if (!commandloop(context)) {
        raiseatnode(node, debuggermessage("aborted by user"), &context);
    }
}

bool VornScriptDebuggerBase::commandloop(VornScriptContextBase& context) {
    for (;;) {
        std::string line;
        // Input that has ended can bring no further command: that quits.
        lastcommand =
            debugger_->readcommand(line) ? executecommand(line, context) : debugcommand::quit;
        switch (lastcommand) {
        case debugcommand::quit:
            return false;
        case debugcommand::toreturn:
        case debugcommand::continuerun:
        case debugcommand::stepinto:
        case debugcommand::stepover:
            return true;
        default:
            break;
        }
    }
}

int32_t VornScriptDebuggerBase::beginusercall() {
    const int32_t before = mode_;
    if (mode_ == debugmode::stepover) {
        mode_ = debugmode::run;
    }
    return before;
}

void VornScriptDebuggerBase::endusercall(int32_t modebefore, size_t calldepth) {
    if (modebefore == debugmode::stepover && mode_ == debugmode::run) {
        mode_ = debugmode::stepover;
    }
    if (mode_ == debugmode::toreturn && calldepth < returndepth) {
        mode_ = debugmode::stepinto;
    }
}

} // namespace vornscript
