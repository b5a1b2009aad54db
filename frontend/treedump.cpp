// The -parse view: every node's dump(level) as an indented text, two blanks
// per level, one line feed per line. Absent children print nothing, and a
// label line that would introduce an absent child is left out too.
#include "frontend/syntaxtree.h"

namespace vornscript {

namespace {

void appendline(std::string& out, int level, std::string_view text) {
    out.append(static_cast<size_t>(level) * 2, ' ');
    out += text;
    out += '\n';
}

void appendchild(std::string& out, const VornScriptNodePtr& node, int level) {
    if (node) {
        out += node->dump(level);
    }
}

// "LABEL:" at [level], the child at level + 1; nothing for an absent child.
void appendlabelled(std::string& out, int level, std::string_view label,
                    const VornScriptNodePtr& node) {
    if (node) {
        appendline(out, level, label);
        appendchild(out, node, level + 1);
    }
}

// "LOOP:{", the body one level deeper, "}".
void appendloopbody(std::string& out, int level, const VornScriptNodePtr& body) {
    if (body) {
        appendline(out, level, "LOOP:{");
        appendchild(out, body, level + 1);
        appendline(out, level, "}");
    }
}

// A node whose whole dump is one line.
std::string lineonly(int level, std::string_view text) {
    std::string out;
    appendline(out, level, text);
    return out;
}

std::string withoperator(std::string_view word, TokenKind op) {
    return std::string(word) + tokenkindname(op);
}

} // namespace

std::string VornScriptStatements::dump(int level) const {
    std::string out;
    appendline(out, level, "STATEMENTS{");
    for (const VornScriptNodePtr& statement : statements) {
        appendchild(out, statement, level + 1);
    }
    appendline(out, level, "}");
    return out;
}

std::string VornScriptDefineVariables::dump(int level) const {
    std::string header = isundefine() ? "UNDEF" : "VAR";
    for (const Variable& variable : variables) {
        header += ' ';
        if (variable.assignkind == TOKEN_ASSIGNREFERENCE) {
            header += "ASSIGNREFERENCE ";
        }
        header += variable.name.text;
    }
    std::string out;
    appendline(out, level, header);
    for (const Variable& variable : variables) {
        appendchild(out, variable.initialvalue, level + 1);
    }
    return out;
}

std::string VornScriptFunctionDefinition::dump(int level) const {
    std::string out;
    appendline(out, level, "FUNCTION " + signature() + " {");
    appendchild(out, body, level + 1);
    appendline(out, level, "}");
    return out;
}

std::string VornScriptIfThenElse::dump(int level) const {
    std::string out;
    appendline(out, level, isconditional() ? "QUESTION" : "IF");
    appendlabelled(out, level + 1, "CONDITION:", condition);
    appendlabelled(out, level + 1, "CONDITION-TRUE:", thenbranch);
    appendlabelled(out, level + 1, "CONDITION-FALSE:", elsebranch);
    return out;
}

std::string VornScriptForLoop::dump(int level) const {
    std::string out;
    appendline(out, level, iswhile() ? "WHILE" : "FOR");
    appendlabelled(out, level + 1, "INIT:", init);
    appendlabelled(out, level + 1, "CONDITION:", condition);
    appendlabelled(out, level + 1, "STEP:", step);
    appendloopbody(out, level + 1, body);
    return out;
}

std::string VornScriptUntilLoop::dump(int level) const {
    std::string out;
    appendline(out, level, isrepeat() ? "REPEATUNTIL" : "DOWHILE");
    appendloopbody(out, level + 1, body);
    appendlabelled(out, level + 1, "CONDITION:", condition);
    return out;
}

std::string VornScriptForeachLoop::dump(int level) const {
    std::string out;
    appendline(out, level,
               std::string("FOREACH ") + (localvariable ? "VAR " : "") + variable.text + " IN");
    appendchild(out, collection, level + 1);
    appendloopbody(out, level + 1, body);
    return out;
}

std::string VornScriptLoopBreak::dump(int level) const {
    return lineonly(level, "BREAK");
}

std::string VornScriptLoopContinue::dump(int level) const {
    return lineonly(level, "CONTINUE");
}

std::string VornScriptGotoStatement::dump(int level) const {
    return lineonly(level, "GOTO " + label.text);
}

std::string VornScriptGotoLabelDefinition::dump(int level) const {
    return lineonly(level, "LABEL " + label.text);
}

std::string VornScriptFunctionReturn::dump(int level) const {
    std::string out;
    appendline(out, level, "RETURN");
    appendchild(out, value, level + 1);
    return out;
}

std::string VornScriptEnterScope::dump(int level) const {
    std::string out;
    appendline(out, level, "ENTERSCOPE");
    appendchild(out, statements, level + 1);
    return out;
}

std::string VornScriptSwitchStatement::dump(int level) const {
    std::string out;
    appendline(out, level, "SWITCH");
    appendchild(out, value, level + 1);
    for (const VornScriptNodePtr& entry : entries) {
        appendchild(out, entry, level + 1);
    }
    return out;
}

std::string VornScriptCaseStatement::dump(int level) const {
    std::string out;
    appendline(out, level, isdefault ? "DEFAULT" : "CASE");
    if (rangeend) {
        appendlabelled(out, level + 1, "RANGEFROM:", value);
        appendlabelled(out, level + 1, "RANGETILL:", rangeend);
    } else {
        appendchild(out, value, level + 1);
    }
    return out;
}

std::string VornScriptTryCatch::dump(int level) const {
    std::string out;
    appendline(out, level, "TRY {");
    appendchild(out, trybody, level + 1);
    appendline(out, level, "}");
    if (catchbody) {
        appendline(out, level,
                   std::string("CATCH(") + (localvariable ? "VAR " : "") + catchvariable.text +
                       ") {");
        appendchild(out, catchbody, level + 1);
        appendline(out, level, "}");
    }
    return out;
}

std::string VornScriptFunctionCall::dump(int level) const {
    std::string out;
    appendline(out, level, "CALL " + name.text);
    for (size_t i = 0; i < arguments.size(); ++i) {
        appendlabelled(out, level + 1, "PARAM[" + std::to_string(i) + "]:", arguments[i]);
    }
    return out;
}

std::string VornScriptUnaryExpression::dump(int level) const {
    std::string out;
    appendline(out, level, withoperator("UNARY ", op));
    appendchild(out, operand, level + 1);
    return out;
}

std::string VornScriptTypeCastExpression::dump(int level) const {
    std::string out;
    appendline(out, level, "TYPECAST " + type);
    appendchild(out, operand, level + 1);
    return out;
}

std::string VornScriptBinaryExpression::dump(int level) const {
    std::string out;
    appendline(out, level, withoperator("BINARY ", op));
    appendlabelled(out, level + 1, "LEFT:", left);
    appendlabelled(out, level + 1, "RIGHT:", right);
    return out;
}

std::string VornScriptAssignmentExpression::dump(int level) const {
    std::string out;
    appendline(out, level, withoperator("ASSIGNMENT ", op));
    appendline(out, level + 1, "L-VALUE:");
    if (target) {
        appendchild(out, target, level + 2);
    } else {
        appendline(out, level + 2, "null");
    }
    appendlabelled(out, level + 1, "RIGHT:", value);
    return out;
}

std::string VornScriptConstValue::dump(int level) const {
    return lineonly(level, "CONSTVALUE " + text);
}

std::string VornScriptConstNull::dump(int level) const {
    return lineonly(level, "null");
}

std::string VornScriptVariableReference::dump(int level) const {
    return lineonly(level, "VARIABLE " + name.text);
}

std::string VornScriptPostExpression::dump(int level) const {
    std::string out;
    appendline(out, level, withoperator("POSTEXPRESSION ", op));
    appendlabelled(out, level + 1, "L-VALUE:", operand);
    return out;
}

std::string VornScriptStructureMemberReference::dump(int level) const {
    std::string out;
    appendline(out, level, "STRUCTUREREF");
    appendlabelled(out, level + 1, "STRUCTURE:", structure);
    appendline(out, level + 1, "MEMBER:");
    if (memberkey) {
        appendchild(out, memberkey, level + 2);
    } else {
        appendline(out, level + 2, membername);
    }
    return out;
}

std::string VornScriptVectorReference::dump(int level) const {
    std::string out;
    appendline(out, level, "VECTORREF");
    appendlabelled(out, level + 1, "VECTOR:", vector);
    appendlabelled(out, level + 1, "INDEX:", index);
    return out;
}

std::string VornScriptCollectionInit::dump(int level) const {
    std::string out;
    appendline(out, level, isstructure ? "STRUCTUREINIT" : "VECTORINIT");
    for (const VornScriptItemInit& item : items) {
        appendline(out, level + 1, "KEY:" + item.key);
        appendlabelled(out, level + 1, "VALUE:", item.value);
    }
    return out;
}

} // namespace vornscript
