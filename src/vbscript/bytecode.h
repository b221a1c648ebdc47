// The compact form of a procedure's body or of global code: its statements and
// expressions flattened into one array of instructions on registers, run by one loop
// (interpreter_bytecode.cpp). Registers are the frame's slots — parameters, result and
// locals first, then temporaries for the values in between — so a local variable is an
// operand like any other; global code has temporaries only. A call with an argument
// `a(...)` has two forms: the usual one, and one that binds `a(...)` by reference when `a`
// turns out, as the argument's turn comes, to be an array variable; the call checks
// first which it needs (ElementCheck). What a statement holds while its body runs
// (Select's subject, the With object, For Each's collection) is let go of at its end and
// on every Exit out of it. Names other than locals are looked up when they run, so code
// compiled before a procedure or variable of that name was defined reaches it; what each
// use of a name found is remembered here (NameCache), and an operator reads and writes a
// global variable where it lives while it is still one (NamedBinary), as global code's
// variables all are globals. Steps (Interpreter::checkStep) are counted when a call
// begins, when a loop goes round and when an array is sized, which bounds the time
// between two counts.
#pragma once

#include "vbscript/ast.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace vbs {

struct Builtin;
struct GlobalEntry;

// Where a name lives, decided by the compiler and kept by the builder (NameCache).
enum class Scope : std::uint8_t {
    Global, // looked up in the global table when it runs
    Local,  // frame slot `index` (parameters, Dim'd and implicit locals, function result)
    Field,  // field `index` of the running class instance
    Method, // a procedure of the running class (`proc`)
};

struct Slot {
    Scope scope = Scope::Global;
    int index = -1;
    // In a procedure, a name nobody declared becomes a local unless a global of that name
    // exists when it is first used: this is its fallback slot (-1 at the global level).
    int fallbackLocal = -1;
    Procedure* proc = nullptr;
};

enum class Opcode : std::uint8_t {
    StepJump,      // counts a step, then on to `target` (the end of a loop's body)
    Jump,          // on to `target`
    JumpIf,        // on to `target` when the truth of operand `a` is `when`
    CompareJumpIf, // on to `target` when whether `a op b` holds is `when`
    Binary,        // register dst = a op b
    Add,           // Binary with op +, and
    Subtract,      // with op -: the commonest have handlers of their own
    NamedBinary,   // Binary with names read or written where they live (Bytecode::named[name]):
                   // the LoadName of a or b and the StoreName of dst it stands for, which it
                   // does itself, in that order, unless every name is a variable known before
                   // (NameCache), every operand a whole number (Integer or Long) and the
                   // registers of the names hold no object or array: then nothing runs
                   // between the reads and the write, and none of those registers is needed
    NamedCompareJumpIf, // CompareJumpIf with names read where they live, likewise
    Unary,              // register dst = op a
    Copy,               // register dst = a
    Assign,             // variable dst = a as `=` assigns: an object gives its default value
    LoadName,           // register dst = the value of `expr`, a name that is not a local
                        // variable (a global, a field, a procedure called without arguments),
                        // looked up when it runs
    LoadMe,             // register dst = the object whose method or property is running (Me)
    LoadWith,           // register dst = the innermost With object, for `.name` (424 if none)
    New,                // register dst = a new object of class `expr`, host classes first
    BindName,           // argument `expr`, a name, of call site calls[a] among computed ones, taken
                        // at its place: register dst = its value when the callee takes values (a
                        // built-in, an array's subscripts) or when it is no variable (a constant, a
                        // function called); a variable passed by reference is bound by the call
    StoreName,          // `expr`, a name that is not a local variable, = a as `=` assigns
    Store,              // `expr`, a name or an element with plain subscripts, = a; Set when
                        // `when`
    Prepare,            // register dst = a as `=` assigns it (an object gives its default value),
                        // or as Set does when `when` (424 unless an object)
    StoreMember,        // member `expr` (`o.P` or `o.P(...)`) of object b, or of the With object
                        // when it names none, = a, already prepared; the subscripts in registers
                        // dst onwards, one for each of `expr`'s; Set when `when`
    StoreIndexed,       // `expr`, `name(...)` whose subscripts are computed, = a, already
                        // prepared; the subscripts in registers dst onwards; Set when `when`.
                        // Any other target that is not a name nor a member raises 501 there
    Constant,           // constant `expr` = a
    OnError,            // On Error Resume Next when `when`, else On Error GoTo 0: Err is cleared
    Clear,              // registers [a, a + b) emptied, the last first: what a statement held
                        // while its body ran
    WithPush,           // a, which must be an object, becomes the innermost With object
    WithPop,            // the innermost With object is let go
    ForEachInit,        // register dst = what For Each goes over in collection a (its items or
                        // elements, taken once), register b = where it stands (0)
    ForEachNext,        // counts a step and assigns the next of those to counter `expr` (with Set
                        // for an object), else on to `target`
    Append,             // `expr` = a & b, a being what `expr` held: in place when it holds text
                        // no one else holds (Interpreter::append)
    Declare,            // global variable `expr` exists from here on (Dim in global code)
    ArrayVariable,      // `expr` is found as Dim, ReDim or Erase (`stmt`) finds it, before the
                        // bounds are: ReDim of a fixed array fails here
    Bound,              // register dst = a made a Long, an array's upper bound
    SizeArray,          // counts a step, then `expr` is sized by Dim or ReDim (`stmt`) to the
                        // bounds in registers [a, a + b)
    Erase,              // Erase `expr`
    Numeric,            // register dst = a made a number, as For takes its start, end and step
    ForInit,            // For's counter `expr` = a, after a, b (the end) and dst (the step) are
                        // checked not to be Null
    ForTest,            // on to `target` when counter `expr` is past the end a for step b;
                        // dst: the counter's register when it is a local, else -1
    ForNext,            // counter `expr` += step b, counts a step, then on to `target`; dst
                        // as for ForTest
    Element,            // register dst = `expr`, an element of an array variable, else call site
                        // calls[a] (its one argument a literal or a name)
    ArrayArgument,      // on to `target` unless argument `expr`, `a(...)`, of call site calls[a]
                        // is an element of an array variable, which that call takes by reference
    ReadElement,        // register dst = argument `expr`, that element, its subscripts being
                        // call site calls[a]'s arguments; they are kept made Longs in registers
                        // dst + 2 onwards, and register dst + 1 marks the element, for the call
                        // to bind and write back
    CheckCallee,        // `expr`, the name a call begins with, is found before the arguments
                        // run: a name nothing defines is an error before they run
    ElementCheck,       // on to `target`, the call's second form, when an argument `a(...)` of
                        // call `expr` is an element of an array variable
    Call,               // call site calls[a]; its result to register dst unless -1, `when` if a
                        // value is wanted
    Return,             // Exit Sub, Function or Property: Err is cleared
    Leave,              // the end of the body
};

struct Instruction {
    Opcode code;
    ast::Op op = ast::Op::Add;
    bool when = false;
    // Operand a or b is a temporary read for the last time: it is emptied after use, so a
    // value lives no longer than its statement needs it (an object's Class_Terminate runs
    // when its last reference goes).
    bool consumeA = false;
    bool consumeB = false;
    // Operands: a register (>= 0) or constant number -1 - n (< 0).
    std::int32_t dst = 0;
    std::int32_t a = 0;
    std::int32_t b = 0;
    std::int32_t target = -1;
    // The statement the instruction belongs to (Bytecode::statements): an error is that
    // statement's.
    std::int32_t statement = 0;
    // Of an instruction on a name (`expr`, or the name of the array an element assigned,
    // tested or read belongs to): its entry, where it lives and what it denotes
    // (Bytecode::nameCaches); an element assigned has its subscripts' entries after it,
    // ElementCheck one entry per argument of its call, of each `a(...)`'s array name. Of
    // NamedBinary and NamedCompareJumpIf: its names (Bytecode::named).
    std::int32_t name = -1;
    const ast::Expr* expr = nullptr;
    const ast::Stmt* stmt = nullptr;
};

// Where one use of a name lives and, for a global, what it was found to denote: run-time
// state of the compiled form, kept out of the syntax tree. A global is remembered for good, as
// globals are never removed and the table never moves its entries; a built-in only while
// the global table has the size it had when the built-in was found, as a global of the
// same name defined later hides it.
struct NameCache {
    // Where the name lives, as the compiler found: only a global is looked up.
    Slot slot;
    GlobalEntry* global = nullptr;
    const Builtin* builtin = nullptr;
    std::uint32_t builtinAtGlobals = 0;
    // The global's value, found to be a variable that may be assigned: so it stays while no
    // entry of the global table has been made a procedure or a constant since
    // (Interpreter::rememberedVariable).
    Value* variable = nullptr;
    std::uint64_t variableAt = 0;
};
// What a name is known to denote where no entry is kept: nothing until looked up.
inline constexpr NameCache kNothingKnown{};

struct Bytecode {
    struct Statement {
        const ast::Stmt* stmt;
        // Where the next statement begins: On Error Resume Next goes on from there.
        std::int32_t resume = 0;
    };
    std::vector<Instruction> code;
    std::vector<Value> constants;
    std::vector<Statement> statements;
    // An argument of a Call: a local variable passed by reference, a constant, a
    // temporary holding a value (moved into the call), or a name that is not a local
    // (`name`), bound as the call runs: a variable by reference, else its value.
    struct Passed {
        std::int32_t operand = 0;
        bool variable = false;
        const ast::Expr* name = nullptr;
        // The name was taken at its place (BindName): register `operand` holds its value,
        // unless it is a variable passed by reference.
        bool bound = false;
        // `a(...)` in a call's second form: when marked (ReadElement), an array
        // element bound by reference.
        const ast::Expr* element = nullptr;
        // The entry in nameCaches of the name, of a local variable (read in place as an
        // element's subscript), or of the array's name of `element`.
        std::int32_t cache = -1;
    };
    struct CallSite {
        // What the callee is as far as the builder knows; a name is looked up when it runs.
        // Itself: the running function's own name with as many arguments as it takes.
        // Computed: a callee that is neither a name nor a member (`f(1)(2)`, `(o)(i)`),
        // found into register `object`: an array's element or an object's default member.
        // Subscripts: no call, the subscripts of an array element passed by reference
        // (ReadElement), names among which are bound as a procedure's arguments are.
        enum class Callee : std::uint8_t {
            Member,
            Global,
            Method,
            Itself,
            Variable,
            Computed,
            Subscripts
        };
        const ast::Expr* callee = nullptr; // a name, a member or a computed callee
        Callee kind = Callee::Global;
        std::int32_t object = 0; // of a member or a computed callee: the register holding it
        bool objectIsTemporary = false;
        std::int32_t first = 0; // its arguments: passed[first, first + count)
        std::int32_t count = 0;
        // Some are names bound as the call runs, or array elements (Passed::element).
        bool names = false;
        std::int32_t calleeCache = -1; // a name's entry in nameCaches
        // What the member named in the class of the last script object met: run-time
        // state of the compiled form, kept out of the syntax tree.
        mutable ClassMember member;
    };
    std::vector<CallSite> calls;
    std::vector<Passed> passed;
    mutable std::vector<NameCache> nameCaches; // run-time state, see NameCache
    // Of NamedBinary and NamedCompareJumpIf: which of operands a and b and result dst are
    // names (null for a register or a constant), with their entries in nameCaches.
    struct NamedOperand {
        const ast::Expr* name = nullptr;
        std::int32_t cache = -1;
    };
    struct NamedOperands {
        NamedOperand a, b, dst;
    };
    std::vector<NamedOperands> named;
    // The frame's slots plus the temporaries.
    int registers = 0;
};

// Where each use of a name in a piece of code lives, as the compiler resolved it: the
// builder's input, kept in the compiled form, as the syntax tree stays as parsed.
using NameSlots = std::unordered_map<const ast::Expr*, Slot>;

// Flattens a procedure whose names the compiler has resolved (`slots`).
Bytecode buildBytecode(const Procedure& p, const NameSlots& slots);
// Flattens code compiled at the global level (a script's statements outside any
// procedure).
Bytecode buildBytecode(const ast::Block& globalCode, const NameSlots& slots);
// Flattens code Execute runs, or an expression Eval finds, in the scope of procedure
// `scope` (null: global code), whose names the compiler has resolved there. Its registers
// begin with that procedure's slots; an expression's value is left in the register after
// them. An expression has no statements: its error is the calling statement's.
Bytecode buildBytecode(const ast::Block& statements, const Procedure* scope,
                       const NameSlots& slots);
Bytecode buildBytecode(const ast::Expr& expression, const Procedure* scope, const NameSlots& slots);

} // namespace vbs
