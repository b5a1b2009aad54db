// The parser: turns a script's tokens into a syntax tree, recursive descent
// with the scanner's current token as look-ahead. It builds the whole tree
// before anything runs and stops at the first error, a syntax error raised
// through the scanner. Nesting depth is counted and limited, so deeply nested
// input fails with a syntax error instead of exhausting the native stack.
#pragma once

#include "frontend/constantevaluator.h"
#include "frontend/scanner.h"
#include "frontend/syntaxtree.h"

namespace vornscript {

class VornScriptParser {
public:
    // Deepest nesting of statements and expressions the parser accepts; deep
    // enough for any hand-written script, shallow enough that parsing,
    // dumping, freeing and evaluating the tree stay far from the stack limit.
    static constexpr int maxnestingdepth = 1000;
    // Most elements one range in a vector literal may expand to.
    static constexpr uint64_t maxrangeelements = 1000000;

    // [evaluator] evaluates range bounds; nullptr selects the literal evaluator.
    explicit VornScriptParser(VornScriptSourcePtr source,
                              VornScriptConstantEvaluator* evaluator = nullptr);

    // Parses the whole text. Returns the root statement list, or null when
    // the text holds no token at all. Throws VornScriptErrorException.
    VornScriptStatementsPtr parse();
    const VornScriptStatementsPtr& root() const { return root_; }

private:
    class NestingGuard;

    // Statements.
    VornScriptStatementsPtr statementlist();
    VornScriptNodePtr statement();
    VornScriptNodePtr ifstatement();
    VornScriptNodePtr forloop();
    VornScriptNodePtr whileloop();
    VornScriptNodePtr untilloop();
    VornScriptNodePtr foreachloop();
    VornScriptNodePtr switchstatement();
    VornScriptNodePtr gotostatement();
    VornScriptNodePtr labeldefinition();
    VornScriptNodePtr definevariables();
    VornScriptNodePtr returnstatement();
    VornScriptNodePtr functiondefinition();
    std::vector<VornScriptFunctionDefinition::Parameter> parameterlist(bool& variablearguments);
    VornScriptNodePtr block();
    VornScriptNodePtr trystatement();
    // "{" statement list "}"
    VornScriptStatementsPtr bracedstatements();
    // "(" condition ")" of while, do and repeat.
    VornScriptNodePtr loopcondition();
    bool startslabel() const;

    // Expressions, loosest binding first.
    VornScriptNodePtr expressionlist();
    VornScriptNodePtr assignment();
    VornScriptNodePtr conditional();
    VornScriptNodePtr binary(int level);
    VornScriptNodePtr prefix();
    VornScriptNodePtr postfix(VornScriptNodePtr operand, const VornScriptSourcePosition& start);
    VornScriptNodePtr primary();
    VornScriptNodeList callarguments(VornScriptNodeList arguments);
    VornScriptNodePtr structureliteral(const VornScriptSourcePosition& start);
    VornScriptNodePtr vectorliteral(const VornScriptSourcePosition& start);
    void expandrange(const VornScriptNodePtr& from, const VornScriptNodePtr& till,
                     std::vector<VornScriptItemInit>& items);

    // Node helpers.
    template <class T> VornRef<T> located(VornRef<T> node, const VornScriptSourcePosition& start);
    VornScriptNodePtr literal(std::string text, const VornScriptSourcePosition& start);

    // Errors: the translated phrase, then [detail] as written.
    [[noreturn]] void fail(const char* phrase, const std::string& detail = {}) const;
    [[noreturn]] void failunexpectedtoken() const;
    // Fails with [phrase] when the current identifier holds a name space.
    void refusenamespace(const char* phrase) const;
    // Reads the current identifier and returns its text.
    std::string takeidentifier();

    VornScriptScanner scanner_;
    VornScriptLiteralConstantEvaluator literalevaluator_;
    VornScriptConstantEvaluator* evaluator_;
    VornScriptStatementsPtr root_;
    int depth_ = 0; // current nesting, see maxnestingdepth
};

} // namespace vornscript
