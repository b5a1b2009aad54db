// Recursive-descent parser: one function per grammar rule, the binary
// operator levels driven by one precedence table. Every node receives the
// source range of its construct; nesting is counted by NestingGuard so that
// no input can recurse the parser (or later the tree walkers) off the stack.
#include "frontend/parser.h"

#include "support/phrasetranslator.h"

namespace vornscript {

namespace {

constexpr const char* translatortag = "scriptparser";

} // namespace

VornScriptParser::VornScriptParser(VornScriptSourcePtr source,
                                   VornScriptConstantEvaluator* evaluator)
    : scanner_(std::move(source)),
      evaluator_(evaluator != nullptr ? evaluator : &literalevaluator_) {}

VornScriptStatementsPtr VornScriptParser::parse() {
    root_ = nullptr;
    depth_ = 0;
    expandedelements_ = 0;
    if (scanner_.start() == TOKEN_ENDOFFILE) {
        return root_;
    }
    VornScriptStatementsPtr root = statementlist();
    if (scanner_.kind() != TOKEN_ENDOFFILE) {
        failunexpectedtoken();
    }
    root_ = std::move(root);
    return root_;
}

// ---- helpers ----

VornScriptSourcePosition VornScriptParser::mark() const {
    return VornScriptSourcePosition{
        scanner_.tokenline(), scanner_.tokencolumn(), scanner_.tokencharpos(), {}};
}

VornScriptNodePtr VornScriptParser::literal(std::string text,
                                            const VornScriptSourcePosition& start) {
    // A quoted text that reads as a number (or is empty) stays untyped so
    // that '3' behaves as a number; any other text is marked as text.
    const int32_t typecode =
        !text.empty() && !readsasnumber(text) ? VornScriptConstValue::typecodestring : 0;
    return located(makeref<VornScriptConstValue>(std::move(text), typecode), start);
}

void VornScriptParser::fail(const char* phrase, const std::string& detail) const {
    scanner_.raisesyntaxerror(translate(phrase, translatortag) + detail);
}

void VornScriptParser::failunexpectedtoken() const {
    fail("unexpected token", " " + scanner_.text());
}

void VornScriptParser::refusenamespace(const std::string& name, const char* phrase) const {
    if (name.find("::") != std::string::npos) {
        fail(phrase);
    }
}

std::string VornScriptParser::takeidentifier() {
    std::string name = scanner_.text();
    scanner_.next();
    return name;
}

VornScriptParser::BoundVariable VornScriptParser::boundvariable(const char* missingphrase,
                                                                const char* namespacephrase) {
    const bool local = scanner_.kind() == TOKEN_VARIABLE;
    if (local) {
        scanner_.next();
    }
    if (scanner_.kind() != TOKEN_IDENTIFIER) {
        fail(missingphrase);
    }
    refusenamespace(scanner_.text(), namespacephrase);
    VornScriptSourcePosition position = scanner_.tokenposition();
    return {local, takeidentifier(), std::move(position)};
}

// ---- statements ----

VornScriptStatementsPtr VornScriptParser::statementlist() {
    const VornScriptSourcePosition start = mark();
    VornScriptStatementsPtr list = makeref<VornScriptStatements>();
    while (scanner_.kind() != TOKEN_ENDOFFILE && scanner_.kind() != '}') {
        VornScriptNodePtr statement = this->statement();
        if (statement) {
            statement->setBreakable(true);
            list->append(std::move(statement));
        }
        if (scanner_.kind() == ';') {
            while (scanner_.kind() == ';') {
                scanner_.next();
            }
            continue;
        }
        if (scanner_.kind() == TOKEN_ENDOFFILE || scanner_.kind() == '}') {
            break;
        }
        // Without ";" only a block, a label or an empty statement may end here.
        const TokenKind previous = scanner_.previouskind();
        if (previous != '}' && previous != ';' && previous != ':') {
            failunexpectedtoken();
        }
    }
    return located(list, start);
}

VornScriptNodePtr VornScriptParser::statement() {
    NestingGuard guard(*this);
    guard.deepen();
    switch (scanner_.kind()) {
    case '}':
    case ';':
    case TOKEN_ENDOFFILE:
        return nullptr;
    case TOKEN_IF:
        return ifstatement();
    case TOKEN_SWITCH:
        return switchstatement();
    case TOKEN_FOR:
        return forloop();
    case TOKEN_WHILE:
        return whileloop();
    case TOKEN_REPEAT:
    case TOKEN_DO:
        return untilloop();
    case TOKEN_FOREACH:
        return foreachloop();
    case TOKEN_BREAK:
    case TOKEN_CONTINUE: {
        const VornScriptSourcePosition start = mark();
        const bool isbreak = scanner_.kind() == TOKEN_BREAK;
        scanner_.next();
        if (isbreak) {
            return located(makeref<VornScriptLoopBreak>(), start);
        }
        return located(makeref<VornScriptLoopContinue>(), start);
    }
    case TOKEN_GOTO:
        return gotostatement();
    case TOKEN_IDENTIFIER:
        if (scanner_.nextnonblankchar() == ':') {
            return labeldefinition();
        }
        return expressionlist();
    case TOKEN_VARIABLE:
    case TOKEN_UNDEFINE:
        return definevariables();
    case TOKEN_RETURN:
        return returnstatement();
    case TOKEN_FUNCTION:
        return functiondefinition();
    case '{':
        return block();
    case TOKEN_TRY:
        return trystatement();
    default:
        return expressionlist();
    }
}

VornScriptNodePtr VornScriptParser::ifstatement() {
    const VornScriptSourcePosition start = mark();
    scanner_.next();
    scanner_.expect('(');
    VornScriptNodePtr condition = expressionlist();
    scanner_.expect(')');
    VornScriptNodePtr thenbranch = statement();
    if (scanner_.kind() == ';') {
        scanner_.next();
    }
    VornScriptNodePtr elsebranch;
    if (scanner_.kind() == TOKEN_ELSE) {
        scanner_.next();
        elsebranch = statement();
    }
    return located(makeref<VornScriptIfThenElse>(TOKEN_IF, std::move(condition),
                                                 std::move(thenbranch), std::move(elsebranch)),
                   start);
}

VornScriptNodePtr VornScriptParser::forloop() {
    const VornScriptSourcePosition start = mark();
    scanner_.next();
    scanner_.expect('(');
    VornScriptNodePtr init = statement();
    scanner_.expect(';');
    VornScriptNodePtr condition;
    if (scanner_.kind() != ';') {
        condition = expressionlist();
    }
    scanner_.expect(';');
    VornScriptNodePtr step;
    if (scanner_.kind() != ')') {
        step = statement();
        if (step && step->nodekind == VornScriptNodeKind::postexpression) {
            static_cast<VornScriptPostExpression&>(*step).valueunused = true;
        }
    }
    scanner_.expect(')');
    VornScriptNodePtr body = statement();
    return located(makeref<VornScriptForLoop>(TOKEN_FOR, std::move(init), std::move(condition),
                                              std::move(step), std::move(body)),
                   start);
}

VornScriptNodePtr VornScriptParser::loopcondition() {
    scanner_.expect('(');
    VornScriptNodePtr condition;
    if (scanner_.kind() != ';') {
        condition = expressionlist();
    }
    scanner_.expect(')');
    return condition;
}

VornScriptNodePtr VornScriptParser::whileloop() {
    const VornScriptSourcePosition start = mark();
    scanner_.next();
    VornScriptNodePtr condition = loopcondition();
    VornScriptNodePtr body = statement();
    return located(makeref<VornScriptForLoop>(TOKEN_WHILE, nullptr, std::move(condition), nullptr,
                                              std::move(body)),
                   start);
}

VornScriptNodePtr VornScriptParser::untilloop() {
    const VornScriptSourcePosition start = mark();
    const TokenKind kind = scanner_.kind();
    scanner_.next();
    VornScriptStatementsPtr body = bracedstatements();
    scanner_.expect(kind == TOKEN_DO ? TOKEN_WHILE : TOKEN_UNTIL);
    VornScriptNodePtr condition = loopcondition();
    return located(makeref<VornScriptUntilLoop>(kind, std::move(body), std::move(condition)),
                   start);
}

VornScriptNodePtr VornScriptParser::foreachloop() {
    const VornScriptSourcePosition start = mark();
    scanner_.next();
    scanner_.expect('(');
    BoundVariable variable = boundvariable("foreach missing variable name",
                                           "foreach loop variable name does not allow ::");
    if (scanner_.kind() != TOKEN_IN) {
        fail("foreach missing keyword in");
    }
    scanner_.next();
    VornScriptNodePtr collection = expressionlist();
    scanner_.expect(')');
    VornScriptNodePtr body = statement();
    return located(makeref<VornScriptForeachLoop>(variable.local, std::move(variable.name),
                                                  std::move(variable.position),
                                                  std::move(collection), std::move(body)),
                   start);
}

VornScriptNodePtr VornScriptParser::switchstatement() {
    const VornScriptSourcePosition start = mark();
    scanner_.next();
    scanner_.expect('(');
    VornRef<VornScriptSwitchStatement> node = makeref<VornScriptSwitchStatement>(expressionlist());
    scanner_.expect(')');
    scanner_.expect('{');
    while (scanner_.kind() != '}' && scanner_.kind() != TOKEN_ENDOFFILE) {
        const VornScriptSourcePosition entrystart = mark();
        VornScriptNodePtr entry;
        if (scanner_.kind() == TOKEN_CASE) {
            scanner_.next();
            VornScriptNodePtr value = expressionlist();
            VornScriptNodePtr rangeend;
            if (scanner_.kind() == TOKEN_RANGE) {
                scanner_.next();
                rangeend = expressionlist();
            }
            scanner_.expect(':');
            entry = located(
                makeref<VornScriptCaseStatement>(false, std::move(value), std::move(rangeend)),
                entrystart);
        } else if (scanner_.kind() == TOKEN_DEFAULT) {
            scanner_.next();
            scanner_.expect(':');
            entry = located(makeref<VornScriptCaseStatement>(true, nullptr, nullptr), entrystart);
        } else {
            entry = statement();
        }
        if (entry) {
            entry->setBreakable(true);
            node->entries.push_back(std::move(entry));
        }
        if (scanner_.kind() == ';') {
            scanner_.next();
        }
    }
    scanner_.expect('}');
    return located(node, start);
}

VornScriptNodePtr VornScriptParser::gotostatement() {
    const VornScriptSourcePosition start = mark();
    scanner_.next();
    if (scanner_.kind() != TOKEN_IDENTIFIER) {
        fail("goto statement requires a destination label name as argument");
    }
    refusenamespace(scanner_.text(), "goto label name does not allow ::");
    return located(makeref<VornScriptGotoStatement>(takeidentifier()), start);
}

VornScriptNodePtr VornScriptParser::labeldefinition() {
    const VornScriptSourcePosition start = mark();
    refusenamespace(scanner_.text(), "goto label does not accept ::");
    VornRef<VornScriptGotoLabelDefinition> label =
        makeref<VornScriptGotoLabelDefinition>(takeidentifier());
    scanner_.expect(':');
    return located(label, start);
}

VornScriptNodePtr VornScriptParser::definevariables() {
    const VornScriptSourcePosition start = mark();
    const TokenKind keyword = scanner_.kind();
    const char* const requiresidentifier =
        keyword == TOKEN_VARIABLE ? "var requires an identifier" : "undef requires an identifier";
    scanner_.next();
    VornRef<VornScriptDefineVariables> node = makeref<VornScriptDefineVariables>(keyword);
    for (;;) {
        if (scanner_.kind() != TOKEN_IDENTIFIER) {
            fail(requiresidentifier);
        }
        VornScriptDefineVariables::Variable variable;
        variable.position = scanner_.tokenposition();
        variable.name.text = takeidentifier();
        if (keyword == TOKEN_VARIABLE &&
            (scanner_.kind() == '=' || scanner_.kind() == TOKEN_ASSIGNREFERENCE)) {
            variable.assignkind = scanner_.kind();
            scanner_.next();
            variable.initialvalue = assignment();
        }
        node->variables.push_back(std::move(variable));
        if (scanner_.kind() != ',') {
            break;
        }
        scanner_.next();
    }
    return located(node, start);
}

VornScriptNodePtr VornScriptParser::returnstatement() {
    const VornScriptSourcePosition start = mark();
    scanner_.next();
    VornScriptNodePtr value;
    const TokenKind kind = scanner_.kind();
    if (kind != TOKEN_ENDOFFILE && kind != ';' && kind != '}') {
        value = expressionlist();
    }
    return located(makeref<VornScriptFunctionReturn>(std::move(value)), start);
}

VornScriptNodePtr VornScriptParser::functiondefinition() {
    const VornScriptSourcePosition start = mark();
    scanner_.next();
    if (scanner_.kind() != TOKEN_IDENTIFIER) {
        fail("function identifier missing", ": " + scanner_.text());
    }
    std::string name = takeidentifier();
    scanner_.expect('(');
    bool variablearguments = false;
    std::vector<VornScriptFunctionDefinition::Parameter> parameters;
    const TokenKind kind = scanner_.kind();
    if (kind == TOKEN_IDENTIFIER || kind == '&' || kind == TOKEN_ELLIPSIS) {
        parameters = parameterlist(variablearguments);
    }
    scanner_.expect(')');
    VornScriptStatementsPtr body = bracedstatements();
    return located(makeref<VornScriptFunctionDefinition>(std::move(name), std::move(parameters),
                                                         variablearguments, std::move(body)),
                   start);
}

std::vector<VornScriptFunctionDefinition::Parameter>
VornScriptParser::parameterlist(bool& variablearguments) {
    std::vector<VornScriptFunctionDefinition::Parameter> parameters;
    for (;;) {
        if (scanner_.kind() == TOKEN_ELLIPSIS) {
            // "..." ends the list; the caller then expects ")".
            variablearguments = true;
            scanner_.next();
            return parameters;
        }
        const bool byreference = scanner_.kind() == '&';
        if (byreference) {
            scanner_.next();
            if (scanner_.kind() != TOKEN_IDENTIFIER) {
                fail("function expects parameter name");
            }
        }
        refusenamespace(scanner_.text(), "function parameter name does not allow ::");
        for (const auto& parameter : parameters) {
            if (parameter.name.text == scanner_.text()) {
                fail("function parameter name duplicate used", ": " + scanner_.text());
            }
        }
        parameters.push_back({{takeidentifier()}, byreference});
        if (scanner_.kind() != ',') {
            return parameters;
        }
        scanner_.next();
        const TokenKind kind = scanner_.kind();
        if (kind != TOKEN_IDENTIFIER && kind != '&' && kind != TOKEN_ELLIPSIS) {
            fail("function parameter requires parameter name", ": " + scanner_.text());
        }
    }
}

VornScriptStatementsPtr VornScriptParser::bracedstatements() {
    scanner_.expect('{');
    VornScriptStatementsPtr statements = statementlist();
    scanner_.expect('}');
    return statements;
}

VornScriptNodePtr VornScriptParser::block() {
    const VornScriptSourcePosition start = mark();
    VornScriptStatementsPtr statements = bracedstatements();
    return located(makeref<VornScriptEnterScope>(std::move(statements)), start);
}

VornScriptNodePtr VornScriptParser::trystatement() {
    const VornScriptSourcePosition start = mark();
    scanner_.next();
    VornScriptStatementsPtr trybody = bracedstatements();
    if (scanner_.kind() != TOKEN_CATCH) {
        return located(makeref<VornScriptTryCatch>(std::move(trybody), false, "", nullptr), start);
    }
    scanner_.next();
    scanner_.expect('(');
    BoundVariable variable = boundvariable("catch statement requires a variable name as argument",
                                           "catch parameter name does not allow ::");
    scanner_.expect(')');
    VornScriptStatementsPtr catchbody = bracedstatements();
    return located(makeref<VornScriptTryCatch>(std::move(trybody), variable.local,
                                               std::move(variable.name), std::move(catchbody)),
                   start);
}

} // namespace vornscript
