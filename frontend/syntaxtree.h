// The syntax tree: the one representation of a parsed script. Nodes are plain
// data plus their structural operations (class name, children, breakable
// flag, source text, the -parse dump); evaluation lives in the interpreter,
// which walks the tree with a switch over [nodekind] so the hot loop stays in
// one place. Nodes are shared through intrusive reference counts (VornRef).
#pragma once

#include "frontend/scriptsource.h"
#include "frontend/tokenkinds.h"
#include "support/refcounted.h"
#include "values/errorexception.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vornscript {

struct VornSystemFunctionSelection;

// One value per node class; set by each class's constructor.
enum class VornScriptNodeKind : uint8_t {
    statements,
    definevariables,
    functiondefinition,
    ifthenelse,
    forloop,
    untilloop,
    foreachloop,
    loopbreak,
    loopcontinue,
    gotostatement,
    gotolabel,
    functionreturn,
    enterscope,
    switchstatement,
    casestatement,
    trycatch,
    functioncall,
    unaryexpression,
    typecast,
    binaryexpression,
    assignment,
    constvalue,
    constnull,
    variablereference,
    postexpression,
    structuremember,
    vectorreference,
    collectioninit,
};

class VornScriptExpressionBase;
using VornScriptNodePtr = VornRef<VornScriptExpressionBase>;
using VornScriptNodeList = std::vector<VornScriptNodePtr>;

// Lookup shortcuts the interpreter keeps on a name: the interned name id
// (0 until first use, else id + 1), and the stamp of the interpreter state a
// resolution is valid for: a function record in [target], or a variable's
// place (the global scope, or the scope [scopeoffset] scopes out from the
// current one, and the index of the variable in it). The front end never
// reads them.
struct VornScriptLookupCache {
    int32_t symbol = 0;
    bool global = false;
    bool inglobalscope = false;
    uint32_t scopeoffset = 0;
    uint32_t slot = 0;
    uint64_t stamp = 0;
    void* target = nullptr;
};

// A name looked up at run time (variable, function, parameter, label). The
// parser fills [text]; [cache] belongs to the interpreter.
struct VornScriptLookupName {
    VornScriptLookupName() = default;
    VornScriptLookupName(std::string name) : text(std::move(name)) {}

    std::string text;
    mutable VornScriptLookupCache cache;
};

class VornScriptExpressionBase : public VornRefCounted {
public:
    explicit VornScriptExpressionBase(VornScriptNodeKind kind) : nodekind(kind) {}
    ~VornScriptExpressionBase() override = default;

    // The class-name text ("VornScriptBinaryExpression", "trycatch", ...).
    virtual const char* classname() const;
    // Appends the direct children, in evaluation order, to [list]; returns
    // the list's length.
    virtual size_t children(VornScriptNodeList& list) const = 0;
    // Whether the debugger may stop here: the breakable flag for expression
    // nodes, always for statement nodes and calls, never for statement lists,
    // blocks and function definitions.
    virtual bool isBreakable() const;
    virtual bool setBreakable(bool value);
    // The node's own text in the script, "" when it has none.
    virtual std::string sourcetext() const;
    // The -parse view of this node at indentation [level] (two blanks each).
    std::string dump(int level) const;
    // Appends the dump to [out]; one shared buffer keeps deep trees linear.
    virtual void dumpinto(std::string& out, int level) const = 0;

    // Source record, set once by the parser. [end] is the character index of
    // the token after the construct.
    void setsource(const VornScriptSourcePtr& text, const VornScriptSourcePosition& start,
                   int32_t end);
    // Script name, "" when the node has no source.
    const std::string& scriptname() const;
    // Start position with the script name, for error messages.
    VornScriptSourcePosition position() const;

    const VornScriptNodeKind nodekind;
    uint8_t breakable = 0;
    // Evaluation counters kept by the interpreter's evaluation wrapper and
    // read by the profiler: evaluations, and milliseconds spent in them.
    uint32_t callcount = 0;
    int64_t sumbrutto = 0;
    // Start of the construct: line and column from 1, charpos from 0.
    int32_t line = 0;
    int32_t column = 0;
    int32_t charpos = 0;
    // Length of the construct's text from [charpos].
    int32_t sourcelength = 0;
    // Keeps the whole script text alive as long as the node lives.
    VornScriptSourcePtr source;
};

// An ordered list of statements: the script root, every { } body, and an
// expression list "a, b" (whose value is the last one's).
class VornScriptStatements : public VornScriptExpressionBase {
public:
    VornScriptStatements() : VornScriptExpressionBase(VornScriptNodeKind::statements) {}
    void append(VornScriptNodePtr statement) { statements.push_back(std::move(statement)); }
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    VornScriptNodeList statements;
};
using VornScriptStatementsPtr = VornRef<VornScriptStatements>;

// var / undef with one entry per name.
class VornScriptDefineVariables : public VornScriptExpressionBase {
public:
    struct Variable {
        VornScriptLookupName name;
        VornScriptSourcePosition position;
        VornScriptNodePtr initialvalue; // null without initialiser
        TokenKind assignkind = '=';     // '=' or TOKEN_ASSIGNREFERENCE (=&)
    };
    explicit VornScriptDefineVariables(TokenKind keyword)
        : VornScriptExpressionBase(VornScriptNodeKind::definevariables), keyword(keyword) {}
    bool isundefine() const { return keyword == TOKEN_UNDEFINE; }
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    TokenKind keyword; // TOKEN_VARIABLE or TOKEN_UNDEFINE
    std::vector<Variable> variables;
};

// function name(params) { body }
class VornScriptFunctionDefinition : public VornScriptExpressionBase {
public:
    struct Parameter {
        VornScriptLookupName name;
        bool byreference = false; // written "&name"
    };
    VornScriptFunctionDefinition(std::string name, std::vector<Parameter> parameters,
                                 bool variablearguments, VornScriptStatementsPtr body);
    // "name(a,&b,...)"; "name(...)" when "..." is the only parameter.
    std::string signature() const;
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    VornScriptLookupName name; // may carry a name space ("other::sum", "::sum")
    std::vector<Parameter> parameters;
    bool variablearguments = false;
    VornScriptStatementsPtr body;
};

// if statement (kind TOKEN_IF) or conditional expression (kind '?').
class VornScriptIfThenElse : public VornScriptExpressionBase {
public:
    VornScriptIfThenElse(TokenKind kind, VornScriptNodePtr condition, VornScriptNodePtr thenbranch,
                         VornScriptNodePtr elsebranch);
    bool isconditional() const { return kind == '?'; }
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    TokenKind kind;
    VornScriptNodePtr condition;
    VornScriptNodePtr thenbranch; // may be null (empty statement)
    VornScriptNodePtr elsebranch; // may be null
};

// for (init; condition; step) body, and while (condition) body.
class VornScriptForLoop : public VornScriptExpressionBase {
public:
    VornScriptForLoop(TokenKind kind, VornScriptNodePtr init, VornScriptNodePtr condition,
                      VornScriptNodePtr step, VornScriptNodePtr body);
    bool iswhile() const { return kind == TOKEN_WHILE; }
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    TokenKind kind; // TOKEN_FOR or TOKEN_WHILE
    VornScriptNodePtr init;
    VornScriptNodePtr condition;
    VornScriptNodePtr step;
    VornScriptNodePtr body; // each of the four may be null
};

// do { } while (condition) and repeat { } until (condition).
class VornScriptUntilLoop : public VornScriptExpressionBase {
public:
    VornScriptUntilLoop(TokenKind kind, VornScriptStatementsPtr body, VornScriptNodePtr condition);
    bool isrepeat() const { return kind == TOKEN_REPEAT; }
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    TokenKind kind; // TOKEN_DO (loop while true) or TOKEN_REPEAT (loop until true)
    VornScriptStatementsPtr body;
    VornScriptNodePtr condition;
};

// foreach ([var] name in collection) body
class VornScriptForeachLoop : public VornScriptExpressionBase {
public:
    VornScriptForeachLoop(bool localvariable, std::string variable,
                          VornScriptSourcePosition variableposition, VornScriptNodePtr collection,
                          VornScriptNodePtr body);
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    bool localvariable; // written with var: the variable lives in the loop's scope
    VornScriptLookupName variable;
    VornScriptSourcePosition variableposition;
    VornScriptNodePtr collection;
    VornScriptNodePtr body; // may be null
};

class VornScriptLoopBreak : public VornScriptExpressionBase {
public:
    VornScriptLoopBreak() : VornScriptExpressionBase(VornScriptNodeKind::loopbreak) {}
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;
};

class VornScriptLoopContinue : public VornScriptExpressionBase {
public:
    VornScriptLoopContinue() : VornScriptExpressionBase(VornScriptNodeKind::loopcontinue) {}
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;
};

class VornScriptGotoStatement : public VornScriptExpressionBase {
public:
    explicit VornScriptGotoStatement(std::string label)
        : VornScriptExpressionBase(VornScriptNodeKind::gotostatement), label{std::move(label)} {}
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    VornScriptLookupName label;
};

class VornScriptGotoLabelDefinition : public VornScriptExpressionBase {
public:
    explicit VornScriptGotoLabelDefinition(std::string label)
        : VornScriptExpressionBase(VornScriptNodeKind::gotolabel), label{std::move(label)} {}
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    VornScriptLookupName label;
};

class VornScriptFunctionReturn : public VornScriptExpressionBase {
public:
    explicit VornScriptFunctionReturn(VornScriptNodePtr value)
        : VornScriptExpressionBase(VornScriptNodeKind::functionreturn), value(std::move(value)) {}
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    VornScriptNodePtr value; // null for "return;"
};

// A { } block: its statements run in a scope of their own.
class VornScriptEnterScope : public VornScriptExpressionBase {
public:
    explicit VornScriptEnterScope(VornScriptStatementsPtr statements)
        : VornScriptExpressionBase(VornScriptNodeKind::enterscope),
          statements(std::move(statements)) {}
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    VornScriptStatementsPtr statements;
};

// switch (value) { entries }: entries are case labels
// (VornScriptCaseStatement) and statements, in script order.
class VornScriptSwitchStatement : public VornScriptExpressionBase {
public:
    explicit VornScriptSwitchStatement(VornScriptNodePtr value)
        : VornScriptExpressionBase(VornScriptNodeKind::switchstatement), value(std::move(value)) {}
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    VornScriptNodePtr value;
    VornScriptNodeList entries;
};

// case value: / case from..till: / default:
class VornScriptCaseStatement : public VornScriptExpressionBase {
public:
    VornScriptCaseStatement(bool isdefault, VornScriptNodePtr value, VornScriptNodePtr rangeend);
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    bool isdefault;
    VornScriptNodePtr value;    // null for default
    VornScriptNodePtr rangeend; // null unless "case a..b"
};

// try { } [catch ([var] name) { }]
class VornScriptTryCatch : public VornScriptExpressionBase {
public:
    VornScriptTryCatch(VornScriptStatementsPtr trybody, bool localvariable,
                       std::string catchvariable, VornScriptStatementsPtr catchbody);
    bool hascatch() const { return bool(catchbody); }
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    VornScriptStatementsPtr trybody;
    bool localvariable; // catch written with var
    VornScriptLookupName catchvariable;
    VornScriptStatementsPtr catchbody; // null without a catch part
};

// name(arguments); a method call x.name(args) has x as first argument.
class VornScriptFunctionCall : public VornScriptExpressionBase {
public:
    VornScriptFunctionCall(std::string name, VornScriptNodeList arguments)
        : VornScriptExpressionBase(VornScriptNodeKind::functioncall), name{std::move(name)},
          arguments(std::move(arguments)) {}
    // "name(a,b)": one letter per argument, ",..." past 26 arguments.
    std::string signature() const;
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    VornScriptLookupName name; // may carry a name space
    VornScriptNodeList arguments;
    // The system function this call resolved to once (owned by the
    // dispatcher for the whole run), so later calls skip the lookup by name.
    const VornSystemFunctionSelection* systemfunction = nullptr;
};

// ! - ~ operand
class VornScriptUnaryExpression : public VornScriptExpressionBase {
public:
    VornScriptUnaryExpression(TokenKind op, VornScriptNodePtr operand)
        : VornScriptExpressionBase(VornScriptNodeKind::unaryexpression), op(op),
          operand(std::move(operand)) {}
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    TokenKind op;
    VornScriptNodePtr operand;
};

// (type) operand; type is one of int, long, double, float, string,
// structure, vector.
class VornScriptTypeCastExpression : public VornScriptExpressionBase {
public:
    VornScriptTypeCastExpression(std::string type, VornScriptNodePtr operand)
        : VornScriptExpressionBase(VornScriptNodeKind::typecast), type(std::move(type)),
          operand(std::move(operand)) {}
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    std::string type;
    VornScriptNodePtr operand;
};

class VornScriptBinaryExpression : public VornScriptExpressionBase {
public:
    VornScriptBinaryExpression(TokenKind op, VornScriptNodePtr left, VornScriptNodePtr right)
        : VornScriptExpressionBase(VornScriptNodeKind::binaryexpression), op(op),
          left(std::move(left)), right(std::move(right)) {}
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    TokenKind op;
    VornScriptNodePtr left;
    VornScriptNodePtr right;
    // The interpreter's classification of the subtree, made on its first
    // evaluation, and the compiled form it may keep of it; the front end
    // never reads them.
    uint8_t interpretershape = 0;
    VornRef<VornRefCounted> interpretercode;
};

// target op value, op one of = =& += -= *= /= %= |= &= ^= <<= >>=
class VornScriptAssignmentExpression : public VornScriptExpressionBase {
public:
    VornScriptAssignmentExpression(TokenKind op, VornScriptNodePtr target, VornScriptNodePtr value)
        : VornScriptExpressionBase(VornScriptNodeKind::assignment), op(op),
          target(std::move(target)), value(std::move(value)) {}
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    TokenKind op;
    VornScriptNodePtr target;
    VornScriptNodePtr value;
};

// A literal: its text as written and the number type code of its value.
class VornScriptConstValue : public VornScriptExpressionBase {
public:
    // Type code of a quoted literal that must behave as text.
    static constexpr int32_t typecodestring = 1;

    VornScriptConstValue(std::string text, int32_t typecode)
        : VornScriptExpressionBase(VornScriptNodeKind::constvalue), text(std::move(text)),
          typecode(typecode) {}
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    std::string text;
    int32_t typecode; // 0 (the text decides) or typecodestring
    // Owned by the interpreter: it may keep a prebuilt value of the literal
    // here; the front end never reads it.
    mutable VornRef<VornRefCounted> interpretervalue;
};

class VornScriptConstNull : public VornScriptExpressionBase {
public:
    VornScriptConstNull() : VornScriptExpressionBase(VornScriptNodeKind::constnull) {}
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;
};

class VornScriptVariableReference : public VornScriptExpressionBase {
public:
    explicit VornScriptVariableReference(std::string name)
        : VornScriptExpressionBase(VornScriptNodeKind::variablereference), name{std::move(name)} {}
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    VornScriptLookupName name; // may carry a name space
};

// operand++ / operand--
class VornScriptPostExpression : public VornScriptExpressionBase {
public:
    VornScriptPostExpression(TokenKind op, VornScriptNodePtr operand)
        : VornScriptExpressionBase(VornScriptNodeKind::postexpression), op(op),
          operand(std::move(operand)) {}
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    TokenKind op; // TOKEN_INCREMENT or TOKEN_DECREMENT
    VornScriptNodePtr operand;
    // Set by the parser where nothing reads the expression's value (the step
    // of a for loop): the interpreter then makes no copy of the old value.
    bool valueunused = false;
};

// structure.member, or structure{key expression}: exactly one of
// [membername] (non-empty) and [memberkey] (non-null) is set.
class VornScriptStructureMemberReference : public VornScriptExpressionBase {
public:
    VornScriptStructureMemberReference(VornScriptNodePtr structure, std::string membername,
                                       VornScriptNodePtr memberkey)
        : VornScriptExpressionBase(VornScriptNodeKind::structuremember),
          structure(std::move(structure)), membername(std::move(membername)),
          memberkey(std::move(memberkey)) {}
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    VornScriptNodePtr structure;
    std::string membername;
    VornScriptNodePtr memberkey;
};

// vector[index]
class VornScriptVectorReference : public VornScriptExpressionBase {
public:
    VornScriptVectorReference(VornScriptNodePtr vector, VornScriptNodePtr index)
        : VornScriptExpressionBase(VornScriptNodeKind::vectorreference), vector(std::move(vector)),
          index(std::move(index)) {}
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    VornScriptNodePtr vector;
    VornScriptNodePtr index;
};

// One item of a collection literal (not a node): a vector element's key is
// its index as decimal text, a structure member's key its name.
struct VornScriptItemInit {
    std::string key;
    VornScriptNodePtr value;
};

// [a, b, ...] or { key: value; ... }
class VornScriptCollectionInit : public VornScriptExpressionBase {
public:
    VornScriptCollectionInit(bool isstructure, std::vector<VornScriptItemInit> items)
        : VornScriptExpressionBase(VornScriptNodeKind::collectioninit), isstructure(isstructure),
          items(std::move(items)) {}
    size_t children(VornScriptNodeList& list) const override;
    void dumpinto(std::string& out, int level) const override;

    bool isstructure; // false: vector literal
    std::vector<VornScriptItemInit> items;
};

} // namespace vornscript
