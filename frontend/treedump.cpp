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
        node->dumpinto(out, level);
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

std::string withoperator(std::string_view word, TokenKind op) {
    return std::string(word) + tokenkindname(op);
}

} // namespace

std::string VornScriptExpressionBase::dump(int level) const {
    std::string out;
    dumpinto(out, level);
    return out;
}

void VornScriptStatements::dumpinto(std::string& out, int level) const {
    appendline(out, level, "STATEMENTS{");
    for (const VornScriptNodePtr& statement : statements) {
        appendchild(out, statement, level + 1);
    }
    appendline(out, level, "}");
}

void VornScriptDefineVariables::dumpinto(std::string& out, int level) const {
    std::string header = isundefine() ? "UNDEF" : "VAR";
    for (const Variable& variable : variables) {
        header += ' ';
        if (variable.assignkind == TOKEN_ASSIGNREFERENCE) {
            header += "ASSIGNREFERENCE ";
        }
        header += variable.name.text;
    }
    appendline(out, level, header);
    for (const Variable& variable : variables) {
        appendchild(out, variable.initialvalue, level + 1);
    }
}

void VornScriptFunctionDefinition::dumpinto(std::string& out, int level) const {
    appendline(out, level, "FUNCTION " + signature() + " {");
    appendchild(out, body, level + 1);
    appendline(out, level, "}");
}

void VornScriptIfThenElse::dumpinto(std::string& out, int level) const {
    appendline(out, level, isconditional() ? "QUESTION" : "IF");
    appendlabelled(out, level + 1, "CONDITION:", condition);
    appendlabelled(out, level + 1, "CONDITION-TRUE:", thenbranch);
    appendlabelled(out, level + 1, "CONDITION-FALSE:", elsebranch);
}

void VornScriptForLoop::dumpinto(std::string& out, int level) const {
    appendline(out, level, iswhile() ? "WHILE" : "FOR");
    appendlabelled(out, level + 1, "INIT:", init);
    appendlabelled(out, level + 1, "CONDITION:", condition);
    appendlabelled(out, level + 1, "STEP:", step);
    appendloopbody(out, level + 1, body);
}

void VornScriptUntilLoop::dumpinto(std::string& out, int level) const {
    appendline(out, level, isrepeat() ? "REPEATUNTIL" : "DOWHILE");
    appendloopbody(out, level + 1, body);
    appendlabelled(out, level + 1, "CONDITION:", condition);
}

void VornScriptForeachLoop::dumpinto(std::string& out, int level) const {
    appendline(out, level,
               std::string("FOREACH ") + (localvariable ? "VAR " : "") + variable.text + " IN");
    appendchild(out, collection, level + 1);
    appendloopbody(out, level + 1, body);
}

void VornScriptLoopBreak::dumpinto(std::string& out, int level) const {
    appendline(out, level, "BREAK");
}

void VornScriptLoopContinue::dumpinto(std::string& out, int level) const {
    appendline(out, level, "CONTINUE");
}

void VornScriptGotoStatement::dumpinto(std::string& out, int level) const {
    appendline(out, level, "GOTO " + label.text);
}

void VornScriptGotoLabelDefinition::dumpinto(std::string& out, int level) const {
    appendline(out, level, "LABEL " + label.text);
}

void VornScriptFunctionReturn::dumpinto(std::string& out, int level) const {
    appendline(out, level, "RETURN");
    appendchild(out, value, level + 1);
}

void VornScriptEnterScope::dumpinto(std::string& out, int level) const {
    appendline(out, level, "ENTERSCOPE");
    appendchild(out, statements, level + 1);
}

void VornScriptSwitchStatement::dumpinto(std::string& out, int level) const {
    appendline(out, level, "SWITCH");
    appendchild(out, value, level + 1);
    for (const VornScriptNodePtr& entry : entries) {
        appendchild(out, entry, level + 1);
    }
}

void VornScriptCaseStatement::dumpinto(std::string& out, int level) const {
    appendline(out, level, isdefault ? "DEFAULT" : "CASE");
    if (rangeend) {
        appendlabelled(out, level + 1, "RANGEFROM:", value);
        appendlabelled(out, level + 1, "RANGETILL:", rangeend);
    } else {
        appendchild(out, value, level + 1);
    }
}

void VornScriptTryCatch::dumpinto(std::string& out, int level) const {
    appendline(out, level, "TRY {");
    appendchild(out, trybody, level + 1);
    if (!catchbody) {
        appendline(out, level, "}");
        return;
    }
    // The try body's closing brace and the catch header are written as one
    // text, so "CATCH(" starts its line unindented; the header names the
    // variable as "VAR name" whether or not the catch declared it with var.
    appendline(out, level, "}\nCATCH(VAR " + catchvariable.text + ") {");
    appendchild(out, catchbody, level + 1);
    appendline(out, level, "}");
}

void VornScriptFunctionCall::dumpinto(std::string& out, int level) const {
    appendline(out, level, "CALL " + name.text);
    for (size_t i = 0; i < arguments.size(); ++i) {
        appendlabelled(out, level + 1, "PARAM[" + std::to_string(i) + "]:", arguments[i]);
    }
}

void VornScriptUnaryExpression::dumpinto(std::string& out, int level) const {
    appendline(out, level, withoperator("UNARY ", op));
    appendchild(out, operand, level + 1);
}

void VornScriptTypeCastExpression::dumpinto(std::string& out, int level) const {
    appendline(out, level, "TYPECAST " + type);
    appendchild(out, operand, level + 1);
}

void VornScriptBinaryExpression::dumpinto(std::string& out, int level) const {
    appendline(out, level, withoperator("BINARY ", op));
    appendlabelled(out, level + 1, "LEFT:", left);
    appendlabelled(out, level + 1, "RIGHT:", right);
}

void VornScriptAssignmentExpression::dumpinto(std::string& out, int level) const {
    appendline(out, level, withoperator("ASSIGNMENT ", op));
    appendline(out, level + 1, "L-VALUE:");
    if (target) {
        appendchild(out, target, level + 2);
    } else {
        appendline(out, level + 2, "null");
    }
    appendlabelled(out, level + 1, "RIGHT:", value);
}

void VornScriptConstValue::dumpinto(std::string& out, int level) const {
    appendline(out, level, "CONSTVALUE " + text);
}

void VornScriptConstNull::dumpinto(std::string& out, int level) const {
    appendline(out, level, "null");
}

void VornScriptVariableReference::dumpinto(std::string& out, int level) const {
    appendline(out, level, "VARIABLE " + name.text);
}

void VornScriptPostExpression::dumpinto(std::string& out, int level) const {
    appendline(out, level, withoperator("POSTEXPRESSION ", op));
    appendlabelled(out, level + 1, "L-VALUE:", operand);
}

void VornScriptStructureMemberReference::dumpinto(std::string& out, int level) const {
    appendline(out, level, "STRUCTUREREF");
    appendlabelled(out, level + 1, "STRUCTURE:", structure);
    appendline(out, level + 1, "MEMBER:");
    if (memberkey) {
        appendchild(out, memberkey, level + 2);
    } else {
        appendline(out, level + 2, membername);
    }
}

void VornScriptVectorReference::dumpinto(std::string& out, int level) const {
    appendline(out, level, "VECTORREF");
    appendlabelled(out, level + 1, "VECTOR:", vector);
    appendlabelled(out, level + 1, "INDEX:", index);
}

void VornScriptCollectionInit::dumpinto(std::string& out, int level) const {
    appendline(out, level, isstructure ? "STRUCTUREINIT" : "VECTORINIT");
    for (const VornScriptItemInit& item : items) {
        appendline(out, level + 1, "KEY:" + item.key);
        appendlabelled(out, level + 1, "VALUE:", item.value);
    }
}

} // namespace vornscript
