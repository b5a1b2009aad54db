// Structural operations of the syntax nodes: construction, class names,
// breakability, children and signatures. Class names and breakability are
// per-kind data in one table, so a new node kind is one row, not an override.
#include "frontend/syntaxtree.h"

#include <array>

namespace vornscript {

namespace {

// How a node kind answers isBreakable.
enum class Breakability : uint8_t { flag, never, always };

struct NodeKindInfo {
    VornScriptNodeKind kind;
    const char* classname;
    Breakability breakability;
};

// In VornScriptNodeKind order; checked at compile time below.
constexpr NodeKindInfo nodekindinfo[] = {
    {VornScriptNodeKind::statements, "VornScriptStatements", Breakability::never},
    {VornScriptNodeKind::definevariables, "VornScriptDefineVariables", Breakability::always},
    {VornScriptNodeKind::functiondefinition, "VornScriptFunctionDefinition", Breakability::never},
    {VornScriptNodeKind::ifthenelse, "VornScriptIfThenElse", Breakability::always},
    {VornScriptNodeKind::forloop, "VornScriptForLoop", Breakability::always},
    {VornScriptNodeKind::untilloop, "VornScriptUntilLoop", Breakability::always},
    {VornScriptNodeKind::foreachloop, "VornScriptForeachLoop", Breakability::always},
    {VornScriptNodeKind::loopbreak, "VornScriptLoopBreak", Breakability::always},
    {VornScriptNodeKind::loopcontinue, "VornScriptLoopContinue", Breakability::always},
    {VornScriptNodeKind::gotostatement, "VornScriptGoto", Breakability::always},
    {VornScriptNodeKind::gotolabel, "VornScriptLabel", Breakability::always},
    {VornScriptNodeKind::functionreturn, "VornScriptFunctionReturn", Breakability::always},
    {VornScriptNodeKind::enterscope, "VornScriptEnterScope", Breakability::never},
    {VornScriptNodeKind::switchstatement, "VornScriptSwitchStatement", Breakability::always},
    {VornScriptNodeKind::casestatement, "VornScriptCaseStatement", Breakability::always},
    {VornScriptNodeKind::trycatch, "trycatch", Breakability::always},
    {VornScriptNodeKind::functioncall, "VornScriptFunctionCall", Breakability::always},
    {VornScriptNodeKind::unaryexpression, "VornScriptUnaryExpression", Breakability::flag},
    {VornScriptNodeKind::typecast, "VornScriptTypeCastExpression", Breakability::flag},
    {VornScriptNodeKind::binaryexpression, "VornScriptBinaryExpression", Breakability::flag},
    {VornScriptNodeKind::assignment, "VornScriptAssignmentExpression", Breakability::flag},
    {VornScriptNodeKind::constvalue, "VornScriptConstValue", Breakability::flag},
    {VornScriptNodeKind::constnull, "VornScriptConstNull", Breakability::flag},
    {VornScriptNodeKind::variablereference, "VornScriptVariableReference", Breakability::flag},
    {VornScriptNodeKind::postexpression, "VornScriptPostExpression", Breakability::flag},
    {VornScriptNodeKind::structuremember, "VornScriptStructureMemberReference", Breakability::flag},
    {VornScriptNodeKind::vectorreference, "VornScriptVectorReference", Breakability::flag},
    {VornScriptNodeKind::collectioninit, "VornScriptCollectionInit", Breakability::flag},
};

constexpr bool tableinkindorder() {
    size_t index = 0;
    for (const NodeKindInfo& info : nodekindinfo) {
        if (static_cast<size_t>(info.kind) != index++) {
            return false;
        }
    }
    return index == static_cast<size_t>(VornScriptNodeKind::collectioninit) + 1;
}
static_assert(tableinkindorder(), "nodekindinfo must list every node kind in enum order");

const NodeKindInfo& infoof(VornScriptNodeKind kind) {
    return nodekindinfo[static_cast<size_t>(kind)];
}

// Appends the nodes that are present; returns the list's new length.
template <class... Nodes> size_t appendpresent(VornScriptNodeList& list, const Nodes&... nodes) {
    (
        [&] {
            if (nodes) {
                list.push_back(nodes);
            }
        }(),
        ...);
    return list.size();
}

size_t appendall(VornScriptNodeList& list, const VornScriptNodeList& nodes) {
    list.insert(list.end(), nodes.begin(), nodes.end());
    return list.size();
}

const std::string emptytext;

} // namespace

// ---- base ----

const char* VornScriptExpressionBase::classname() const {
    return infoof(nodekind).classname;
}

bool VornScriptExpressionBase::isBreakable() const {
    switch (infoof(nodekind).breakability) {
    case Breakability::flag:
        return breakable != 0;
    case Breakability::always:
        return true;
    case Breakability::never:
        break;
    }
    return false;
}

bool VornScriptExpressionBase::setBreakable(bool value) {
    breakable = value ? 1 : 0;
    return value;
}

std::string VornScriptExpressionBase::sourcetext() const {
    if (!source || sourcelength <= 0) {
        return {};
    }
    return source->text.substr(static_cast<size_t>(charpos), static_cast<size_t>(sourcelength));
}

void VornScriptExpressionBase::setsource(const VornScriptSourcePtr& text,
                                         const VornScriptSourcePosition& start, int32_t end) {
    source = text;
    line = start.line;
    column = start.column;
    charpos = start.charpos;
    sourcelength = end > start.charpos ? end - start.charpos : 0;
}

const std::string& VornScriptExpressionBase::scriptname() const {
    return source ? source->name : emptytext;
}

VornScriptSourcePosition VornScriptExpressionBase::position() const {
    return VornScriptSourcePosition{line, column, charpos, scriptname()};
}

// ---- constructors ----

VornScriptFunctionDefinition::VornScriptFunctionDefinition(std::string name,
                                                           std::vector<Parameter> parameters,
                                                           bool variablearguments,
                                                           VornScriptStatementsPtr body)
    : VornScriptExpressionBase(VornScriptNodeKind::functiondefinition), name{std::move(name)},
      parameters(std::move(parameters)), variablearguments(variablearguments),
      body(std::move(body)) {}

VornScriptIfThenElse::VornScriptIfThenElse(TokenKind kind, VornScriptNodePtr condition,
                                           VornScriptNodePtr thenbranch,
                                           VornScriptNodePtr elsebranch)
    : VornScriptExpressionBase(VornScriptNodeKind::ifthenelse), kind(kind),
      condition(std::move(condition)), thenbranch(std::move(thenbranch)),
      elsebranch(std::move(elsebranch)) {}

VornScriptForLoop::VornScriptForLoop(TokenKind kind, VornScriptNodePtr init,
                                     VornScriptNodePtr condition, VornScriptNodePtr step,
                                     VornScriptNodePtr body)
    : VornScriptExpressionBase(VornScriptNodeKind::forloop), kind(kind), init(std::move(init)),
      condition(std::move(condition)), step(std::move(step)), body(std::move(body)) {}

VornScriptUntilLoop::VornScriptUntilLoop(TokenKind kind, VornScriptStatementsPtr body,
                                         VornScriptNodePtr condition)
    : VornScriptExpressionBase(VornScriptNodeKind::untilloop), kind(kind), body(std::move(body)),
      condition(std::move(condition)) {}

VornScriptForeachLoop::VornScriptForeachLoop(bool localvariable, std::string variable,
                                             VornScriptSourcePosition variableposition,
                                             VornScriptNodePtr collection, VornScriptNodePtr body)
    : VornScriptExpressionBase(VornScriptNodeKind::foreachloop),
      localvariable(localvariable), variable{std::move(variable)},
      variableposition(std::move(variableposition)), collection(std::move(collection)),
      body(std::move(body)) {}

VornScriptCaseStatement::VornScriptCaseStatement(bool isdefault, VornScriptNodePtr value,
                                                 VornScriptNodePtr rangeend)
    : VornScriptExpressionBase(VornScriptNodeKind::casestatement), isdefault(isdefault),
      value(std::move(value)), rangeend(std::move(rangeend)) {}

VornScriptTryCatch::VornScriptTryCatch(VornScriptStatementsPtr trybody, bool localvariable,
                                       std::string catchvariable, VornScriptStatementsPtr catchbody)
    : VornScriptExpressionBase(VornScriptNodeKind::trycatch), trybody(std::move(trybody)),
      localvariable(localvariable), catchvariable{std::move(catchvariable)},
      catchbody(std::move(catchbody)) {}

// ---- signatures ----

std::string VornScriptFunctionDefinition::signature() const {
    std::string text = name.text + "(";
    for (size_t i = 0; i < parameters.size(); ++i) {
        if (i > 0) {
            text += ',';
        }
        if (parameters[i].byreference) {
            text += '&';
        }
        text += parameters[i].name.text;
    }
    if (variablearguments) {
        text += parameters.empty() ? "..." : ",...";
    }
    return text + ")";
}

std::string VornScriptFunctionCall::signature() const {
    constexpr size_t letters = 26;
    std::string text = name.text + "(";
    for (size_t i = 0; i < arguments.size() && i < letters; ++i) {
        if (i > 0) {
            text += ',';
        }
        text += static_cast<char>('a' + i);
    }
    if (arguments.size() > letters) {
        text += ",...";
    }
    return text + ")";
}

// ---- children, in evaluation order ----

size_t VornScriptStatements::children(VornScriptNodeList& list) const {
    return appendall(list, statements);
}

size_t VornScriptDefineVariables::children(VornScriptNodeList& list) const {
    for (const Variable& variable : variables) {
        appendpresent(list, variable.initialvalue);
    }
    return list.size();
}

size_t VornScriptFunctionDefinition::children(VornScriptNodeList& list) const {
    return appendpresent(list, body);
}

size_t VornScriptIfThenElse::children(VornScriptNodeList& list) const {
    return appendpresent(list, condition, thenbranch, elsebranch);
}

size_t VornScriptForLoop::children(VornScriptNodeList& list) const {
    return appendpresent(list, init, condition, body, step);
}

size_t VornScriptUntilLoop::children(VornScriptNodeList& list) const {
    return appendpresent(list, body, condition);
}

size_t VornScriptForeachLoop::children(VornScriptNodeList& list) const {
    return appendpresent(list, collection, body);
}

size_t VornScriptLoopBreak::children(VornScriptNodeList& list) const {
    return list.size();
}

size_t VornScriptLoopContinue::children(VornScriptNodeList& list) const {
    return list.size();
}

size_t VornScriptGotoStatement::children(VornScriptNodeList& list) const {
    return list.size();
}

size_t VornScriptGotoLabelDefinition::children(VornScriptNodeList& list) const {
    return list.size();
}

size_t VornScriptFunctionReturn::children(VornScriptNodeList& list) const {
    return appendpresent(list, value);
}

size_t VornScriptEnterScope::children(VornScriptNodeList& list) const {
    return appendpresent(list, statements);
}

size_t VornScriptSwitchStatement::children(VornScriptNodeList& list) const {
    appendpresent(list, value);
    return appendall(list, entries);
}

size_t VornScriptCaseStatement::children(VornScriptNodeList& list) const {
    return appendpresent(list, value, rangeend);
}

size_t VornScriptTryCatch::children(VornScriptNodeList& list) const {
    return appendpresent(list, trybody, catchbody);
}

size_t VornScriptFunctionCall::children(VornScriptNodeList& list) const {
    return appendall(list, arguments);
}

size_t VornScriptUnaryExpression::children(VornScriptNodeList& list) const {
    return appendpresent(list, operand);
}

size_t VornScriptTypeCastExpression::children(VornScriptNodeList& list) const {
    return appendpresent(list, operand);
}

size_t VornScriptBinaryExpression::children(VornScriptNodeList& list) const {
    return appendpresent(list, left, right);
}

size_t VornScriptAssignmentExpression::children(VornScriptNodeList& list) const {
    return appendpresent(list, target, value);
}

size_t VornScriptConstValue::children(VornScriptNodeList& list) const {
    return list.size();
}

size_t VornScriptConstNull::children(VornScriptNodeList& list) const {
    return list.size();
}

size_t VornScriptVariableReference::children(VornScriptNodeList& list) const {
    return list.size();
}

size_t VornScriptPostExpression::children(VornScriptNodeList& list) const {
    return appendpresent(list, operand);
}

size_t VornScriptStructureMemberReference::children(VornScriptNodeList& list) const {
    return appendpresent(list, structure, memberkey);
}

size_t VornScriptVectorReference::children(VornScriptNodeList& list) const {
    return appendpresent(list, vector, index);
}

size_t VornScriptCollectionInit::children(VornScriptNodeList& list) const {
    for (const VornScriptItemInit& item : items) {
        appendpresent(list, item.value);
    }
    return list.size();
}

} // namespace vornscript
