// The syntax tree the parser builds, from which the compact form (bytecode.h) is built.
// The compiler (compiler.h) finds where each name lives once and the builder keeps it in
// the compact form, so at run time a local variable or class field is an index into a
// frame; a global is found in the global table when it runs, and what was found is
// remembered in the compact form too. The tree does not change once parsed: the compiler
// and the builder only read it.
#pragma once

#include "vbscript/value.h"

#include <deque>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

namespace vbs {

struct Bytecode;
struct ClassDef;
struct Procedure;

// What a member name denotes in a script class: a field, else a procedure (Sub,
// Function or Property Get), or neither.
struct ClassMember {
    const ClassDef* cls = nullptr;
    int field = -1;
    const Procedure* proc = nullptr;
};

namespace ast {

enum class Op : std::uint8_t {
    Add,
    Sub,
    Mul,
    Div,
    IntDiv,
    Mod,
    Pow,
    Concat,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    Is,
    And,
    Or,
    Xor,
    Eqv,
    Imp,
    Neg,
    Not,
};

// A name as written and its folded form for look-ups, kept once per piece of code
// however often the code uses it.
struct Name {
    std::u16string text;
    std::u16string key;
};

enum class ExprKind : std::uint8_t {
    Literal,
    Name,
    Member, // object.name; a null object means the With object
    Call,   // callee(args)
    Paren,  // (inner): also marks an argument passed by value
    Unary,  // op operand
    Binary, // left op right
    New,    // New name
    Me,
};

// An expression node. A long script is mostly these, so each kind keeps only what it
// uses: the parts no two kinds share sit in one union, made and ended by the kind.
struct Expr {
    explicit Expr(ExprKind k) : kind(k) {
        switch (kind) {
        case ExprKind::Literal:
            new (&literal) Value();
            break;
        case ExprKind::Call:
            new (&args) std::vector<std::unique_ptr<Expr>>();
            break;
        default:
            break;
        }
    }
    ~Expr() {
        if (kind == ExprKind::Literal)
            literal.~Value();
        else if (kind == ExprKind::Call)
            args.~vector();
    }
    Expr(const Expr&) = delete;
    Expr& operator=(const Expr&) = delete;

    const ExprKind kind;
    Op op = Op::Add;
    // The levels of the tree from here down, this node's own included: the parser bounds
    // it, since compiling and running walk the tree by recursion.
    std::uint16_t height = 1;
    int line = 0;
    int column = 0;
    const Name* id = nullptr;     // of Name, Member and New
    std::unique_ptr<Expr> object; // Member object, Call callee, Paren/Unary operand
    std::unique_ptr<Expr> right;  // Binary right (left is `object`)
    union {
        Value literal;                           // of Literal
        std::vector<std::unique_ptr<Expr>> args; // of Call
    };

    const std::u16string& name() const { return id ? id->text : kNoText; }
    const std::u16string& key() const { return id ? id->key : kNoText; } // folded

private:
    static inline const std::u16string kNoText;
};
using ExprPtr = std::unique_ptr<Expr>;

enum class StmtKind {
    Assign, // target = value (Set when isSet)
    Call,   // callee args
    Dim,    // declarations with optional bounds (fixed arrays)
    ReDim,
    Erase,
    Const,
    If,
    Select,
    For,
    ForEach,
    Do,
    Exit,
    With,
    OnErrorResumeNext,
    OnErrorGoto0,
};

enum class ExitKind { Do, For, Sub, Function, Property };
enum class LoopTest { None, While, Until };

struct Stmt;
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

struct Stmt {
    explicit Stmt(StmtKind k) : kind(k) {}
    virtual ~Stmt() = default;
    StmtKind kind;
    int line = 0;
    int column = 0;
};

struct AssignStmt : Stmt {
    AssignStmt() : Stmt(StmtKind::Assign) {}
    ExprPtr target;
    ExprPtr value;
    bool isSet = false;
};

struct CallStmt : Stmt {
    CallStmt() : Stmt(StmtKind::Call) {}
    ExprPtr call; // a Call expression, or a Name/Member called without arguments
};

struct Declared {
    ExprPtr target; // Name for Dim/Const/ReDim; any variable or element for Erase
    std::vector<ExprPtr> bounds;
    bool isArray = false; // Dim a() or Dim a(3)
    ExprPtr value;        // Const
};

struct DeclStmt : Stmt {
    explicit DeclStmt(StmtKind k) : Stmt(k) {}
    std::vector<Declared> items;
    bool preserve = false; // ReDim Preserve
};

struct IfStmt : Stmt {
    IfStmt() : Stmt(StmtKind::If) {}
    struct Branch {
        ExprPtr condition;
        Block body;
    };
    std::vector<Branch> branches;
    Block elseBody;
};

struct SelectStmt : Stmt {
    SelectStmt() : Stmt(StmtKind::Select) {}
    struct Case {
        std::vector<ExprPtr> tests; // values the subject may equal; empty: Case Else
        Block body;
    };
    ExprPtr subject;
    std::vector<Case> cases;
};

struct ForStmt : Stmt {
    ForStmt() : Stmt(StmtKind::For) {}
    ExprPtr variable;
    ExprPtr from, to, step;
    Block body;
};

struct ForEachStmt : Stmt {
    ForEachStmt() : Stmt(StmtKind::ForEach) {}
    ExprPtr variable;
    ExprPtr collection;
    Block body;
};

struct DoStmt : Stmt {
    DoStmt() : Stmt(StmtKind::Do) {}
    LoopTest preTest = LoopTest::None;
    LoopTest postTest = LoopTest::None;
    bool whileWend = false; // While ... Wend: Exit Do leaves the enclosing Do
    ExprPtr condition;
    Block body;
};

struct ExitStmt : Stmt {
    ExitStmt() : Stmt(StmtKind::Exit) {}
    ExitKind what = ExitKind::Do;
};

struct WithStmt : Stmt {
    WithStmt() : Stmt(StmtKind::With) {}
    ExprPtr object;
    Block body;
};

} // namespace ast

// A Sub, Function or Property procedure.
struct Procedure {
    enum class Kind { Sub, Function, PropertyGet, PropertyLet, PropertySet };
    struct Param {
        std::u16string name;
        bool byVal = false;
    };
    Kind kind = Kind::Sub;
    std::u16string name;
    std::u16string key;
    bool isPublic = true;
    bool isDefault = false;
    std::vector<Param> params;
    bool anyByVal = false; // set by the compiler
    ast::Block body;
    int line = 0;
    int column = 0;
    ClassDef* owner = nullptr;
    bool explicitNames = false; // under Option Explicit
    // Filled by the compiler: frame size (parameters first, then the result for
    // functions and Property Get, then declared and implicit locals).
    int frameSize = 0;
    int resultSlot = -1;
    // The names of the slots, for Execute and Eval in this scope: the first
    // declaredLocals are declared (parameters, result, Dim and Const); the others are the
    // fallback slots of names nobody declared, looked up as the body looks them up.
    std::vector<std::u16string> localKeys;
    int declaredLocals = 0;
    // Filled by the compiler: the slots of the constants the body declares, wherever
    // their Const stands, and their values, in place as a call begins.
    std::vector<std::pair<int, Value>> constants;
    // Filled by the compiler: the body's compact form (bytecode.h), which is what runs.
    std::shared_ptr<const Bytecode> bytecode;
    bool hasResult() const { return kind == Kind::Function || kind == Kind::PropertyGet; }
};

// A Class definition.
struct ClassDef {
    struct Field {
        std::u16string name;
        std::u16string key;
        bool isPublic = true;
        std::vector<ast::ExprPtr> bounds; // Dim a(3) in a class
        bool isArray = false;
    };
    // The procedures of one name: a Sub or Function, or a property's Get, Let and Set.
    struct Named {
        Procedure* callable = nullptr; // Sub, Function or Property Get
        Procedure* let = nullptr;
        Procedure* set = nullptr;
    };
    std::u16string name;
    std::u16string key;
    std::vector<Field> fields;                          // in the order declared
    std::vector<std::unique_ptr<Procedure>> procedures; // in the order declared
    Procedure* initialize = nullptr;
    Procedure* terminate = nullptr;
    Procedure* defaultMember = nullptr;
    int line = 0;

    // Members are added through these, which keep the look-ups by name: a class with
    // tens of thousands of members compiles and runs in time in proportion to its size.
    void addField(Field f);
    void addProcedure(std::unique_ptr<Procedure> p);

    int findField(std::u16string_view key) const;
    // The procedure of the given kinds with that name, or null.
    Procedure* findProcedure(std::u16string_view key, Procedure::Kind kind) const;
    Procedure* findCallable(std::u16string_view key) const; // Sub, Function or Property Get
    Named named(std::u16string_view key) const;

private:
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view k) const {
            return std::hash<std::u16string_view>{}(k);
        }
    };
    template <typename T>
    using ByKey = std::unordered_map<std::u16string, T, KeyHash, std::equal_to<>>;
    ByKey<int> fieldIndex_;
    ByKey<Named> procedureIndex_;
};

// One piece of compiled code: what one AddCode, ExecuteGlobal, Execute or Eval parsed.
struct Unit {
    std::deque<ast::Name> names; // those its nodes use
    ast::Block statements;
    std::vector<std::unique_ptr<Procedure>> procedures;
    std::vector<std::unique_ptr<ClassDef>> classes;
    std::vector<std::u16string> globalNames; // Dim at the global level, hoisted
    // The constants global code declares, wherever their Const stands, defined with the
    // unit (the compiler takes their statements out of the code).
    struct Constant {
        std::u16string name;
        Value value;
    };
    std::vector<Constant> constants;
    bool optionExplicit = false;
    ast::ExprPtr expression; // Eval
    // Filled by the compiler: the compact form (bytecode.h) of the statements, or of the
    // expression.
    std::shared_ptr<const Bytecode> bytecode;
};

} // namespace vbs
