// The dispatch of node evaluation: one switch over the node kind, the hot
// path of the interpreter, plus the instrumented wrapper for debugger and
// profiler runs. The node families live in evaluate_*.cpp.
#include "interpreter/evaluationwrapper.h"

#include "interpreter/evaluate.h"
#include "interpreter/functioncalls.h"
#include "interpreter/raise.h"

namespace vornscript {
namespace {

template <class T> T& as(VornScriptExpressionBase& node) {
    return static_cast<T&>(node);
}

} // namespace

VornScriptObjectPtr evaluatenode(VornScriptExpressionBase& node, VornScriptContextBase& context) {
    EvaluationDepthGuard guard(context);
    if (context.evaluationdepth > VornScriptContextBase::maxevaluationdepth) [[unlikely]] {
        raiseatnode(node, interpretermessage("evaluation nested too deeply"), &context);
    }
    using Kind = VornScriptNodeKind;
    switch (node.nodekind) {
    case Kind::constvalue:
        return evaluateconstvalue(as<VornScriptConstValue>(node));
    case Kind::variablereference:
        return evaluatevariable(as<VornScriptVariableReference>(node), context);
    case Kind::binaryexpression:
        return evaluatebinary(as<VornScriptBinaryExpression>(node), context);
    case Kind::assignment:
        return evaluateassignment(as<VornScriptAssignmentExpression>(node), context);
    case Kind::statements:
        return evaluatestatements(as<VornScriptStatements>(node), context);
    case Kind::postexpression:
        return evaluatepostexpression(as<VornScriptPostExpression>(node), context);
    case Kind::vectorreference:
        return evaluateelement(as<VornScriptVectorReference>(node), context);
    case Kind::structuremember:
        return evaluatemember(as<VornScriptStructureMemberReference>(node), context);
    case Kind::ifthenelse:
        return evaluateifthenelse(as<VornScriptIfThenElse>(node), context);
    case Kind::forloop:
        return evaluateforloop(as<VornScriptForLoop>(node), context);
    case Kind::enterscope:
        return evaluateenterscope(as<VornScriptEnterScope>(node), context);
    case Kind::definevariables:
        return evaluatedefinevariables(as<VornScriptDefineVariables>(node), context);
    case Kind::unaryexpression:
        return evaluateunary(as<VornScriptUnaryExpression>(node), context);
    case Kind::typecast:
        return evaluatetypecast(as<VornScriptTypeCastExpression>(node), context);
    case Kind::constnull:
        return makeundefinedvalue();
    case Kind::collectioninit:
        return evaluatecollection(as<VornScriptCollectionInit>(node), context);
    case Kind::untilloop:
        return evaluateuntilloop(as<VornScriptUntilLoop>(node), context);
    case Kind::foreachloop:
        return evaluateforeachloop(as<VornScriptForeachLoop>(node), context);
    case Kind::switchstatement:
        return evaluateswitch(as<VornScriptSwitchStatement>(node), context);
    case Kind::functionreturn:
        return evaluatereturn(as<VornScriptFunctionReturn>(node), context);
    case Kind::trycatch:
        return evaluatetrycatch(as<VornScriptTryCatch>(node), context);
    case Kind::loopbreak:
        context.control.breakpending = true;
        return {};
    case Kind::loopcontinue:
        context.control.continuepending = true;
        return {};
    case Kind::gotostatement:
        context.control.pendinggoto = &as<VornScriptGotoStatement>(node);
        return {};
    case Kind::functioncall:
        return evaluatecall(as<VornScriptFunctionCall>(node), context);
    // Registered by the prepare pass; labels and case labels only mark places.
    case Kind::functiondefinition:
    case Kind::gotolabel:
    case Kind::casestatement:
        return {};
    }
    return {};
}

VornScriptObjectPtr evaluateinstrumented(VornScriptExpressionBase& node,
                                         VornScriptContextBase& context) {
    if (context.debuggeractive) {
        context.onstatement(node, context);
    }
    ++node.callcount;
    VornScriptObjectPtr value;
    if (context.profilingenabled) {
        const int64_t start = context.gettickcount();
        value = evaluatenode(node, context);
        node.sumbrutto += context.gettickcount() - start;
    } else {
        value = evaluatenode(node, context);
    }
    if (context.debuggeractive) {
        context.onstatementdone(node, context);
    }
    return value;
}

} // namespace vornscript
