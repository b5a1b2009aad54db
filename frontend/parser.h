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
    // Most elements the ranges of one script may expand to, so a range such
    // as [0..1e18] fails instead of exhausting memory.
    static constexpr uint64_t maxrangeelements = 1000000;

    // [evaluator] evaluates range bounds; nullptr selects the literal evaluator.
    explicit VornScriptParser(VornScriptSourcePtr source,
                              VornScriptConstantEvaluator* evaluator = nullptr);

    // Parses the whole text. Returns the root statement list, or null when
    // the text holds no token at all. Throws VornScriptErrorException.
    VornScriptStatementsPtr parse();
    const VornScriptStatementsPtr& root() const { return root_; }

private:
    // Counts nesting levels for one parsing function and gives them back
    // when the function returns. Loops that grow the tree without recursing
    // (binary and postfix chains) deepen once per node they add, so the limit
    // bounds the tree's depth as well as the parser's recursion.
    class NestingGuard {
    public:
        explicit NestingGuard(VornScriptParser& parser) : parser_(parser) {}
        NestingGuard(const NestingGuard&) = delete;
        NestingGuard& operator=(const NestingGuard&) = delete;
        ~NestingGuard() { parser_.depth_ -= added_; }

        void deepen() {
            ++added_;
            if (++parser_.depth_ > maxnestingdepth) {
                parser_.fail("nesting too deep");
            }
        }

    private:
        VornScriptParser& parser_;
        int added_ = 0;
    };

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
    void expandrange(const VornScriptExpressionBase& from, const VornScriptExpressionBase& till,
                     const VornScriptSourcePosition& start, std::vector<VornScriptItemInit>& items);

    // Node helpers.
    // The current token's start (line, column, index; no script name).
    VornScriptSourcePosition mark() const;
    // Gives [node] the source range from [start] to the current token.
    template <class T> VornRef<T> located(VornRef<T> node, const VornScriptSourcePosition& start) {
        node->setsource(scanner_.source(), start, scanner_.tokencharpos());
        return node;
    }
    VornScriptNodePtr literal(std::string text, const VornScriptSourcePosition& start);

    // Errors: the translated phrase, then [detail] as written.
    [[noreturn]] void fail(const char* phrase, const std::string& detail = {}) const;
    [[noreturn]] void failunexpectedtoken() const;
    // Fails with [phrase] when [name] holds a name space ("::").
    void refusenamespace(const std::string& name, const char* phrase) const;
    // Reads the current identifier and returns its text.
    std::string takeidentifier();
    // The variable of a foreach loop or a catch: an optional `var`, then a
    // name without name space; the two phrases are the errors for a missing
    // name and for a name space.
    struct BoundVariable {
        bool local;
        std::string name;
        VornScriptSourcePosition position;
    };
    BoundVariable boundvariable(const char* missingphrase, const char* namespacephrase);

    VornScriptScanner scanner_;
    VornScriptLiteralConstantEvaluator literalevaluator_;
    VornScriptConstantEvaluator* evaluator_;
    VornScriptStatementsPtr root_;
    int depth_ = 0; // current nesting, see maxnestingdepth
    // Elements produced by ranges so far in this parse, see maxrangeelements.
    uint64_t expandedelements_ = 0;
};

} // namespace vornscript
