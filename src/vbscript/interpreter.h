// The interpreter: runs compiled Units over the global module. It owns the global table
// (variables, constants, procedures, registered host objects), the script classes, the
// Err object and the call frames. Every entry point may be called again while a script
// is running (a host method may add code or run a procedure), because all per-run state
// lives in frames that are saved and restored around each call. Recursion is bounded by
// counting call depth and watching the thread's stack, so a runaway script ends with
// error 28 instead of crashing. Every unit of code runs in its compact form
// (bytecode.h).
#pragma once

#include "vbscript/ast.h"
#include "vbscript/bytecode.h"
#include "vbscript/compiler.h"
#include "vbscript/errors.h"
#include "vbscript/frame_stack.h"
#include "vbscript/host_api.h"
#include "vbscript/host_object.h"
#include "vbscript/inline_list.h"
#include "vbscript/lib/vb_random.h"
#include "vbscript/parser.h"
#include "vbscript/stack_limit.h"

#include <atomic>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

namespace vbs {

class ClassInstance;
class ErrObject;
struct Builtin;

// An argument as a procedure receives it: a variable that may be passed by reference, or a
// value.
struct Argument {
    // An array element passed by reference: the array variable and the element's
    // subscripts; a ByRef parameter's final value is written back there.
    struct Element {
        Value* array = nullptr;
        std::vector<std::int32_t> subscripts;
    };
    Value value;
    Value* ref = nullptr;
    std::unique_ptr<Element> element; // rare, so kept out of the way of every call
    const Value& get() const { return ref ? *ref : value; }
};
using ArgList = InlineList<Argument, 4>;
using Values = InlineList<Value, 4>;
using Subscripts = InlineList<std::int32_t, 4>;

// An entry of the global table. The compiled form remembers the entry a name denotes
// (NameCache).
struct GlobalEntry {
    std::u16string name;
    Value value;
    const Procedure* proc = nullptr;
    Ref<HostObject> memberOf; // a member of a host object added with addMembers
    bool isConst = false;
    bool isHostObject = false; // registered with addObject
};

class Interpreter {
public:
    // Script calls nested deeper than this end with "Out of stack space".
    static constexpr int kMaxCallDepth = 3000;
    // Refuse a call while fewer bytes than this remain on the thread's stack (or a
    // quarter of a small stack, see stack_limit.h): room for the host's own frames.
    static constexpr std::size_t kStackReserve = 512 * 1024;
    // How many steps run between two calls of the step hook: calls, loop turns and arrays
    // sized (bytecode.h).
    static constexpr std::uint32_t kStepInterval = 1024;

    Interpreter();
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    // Compiles `code` as part of the global module (nothing is added on a compile error),
    // then defines its procedures, classes and variables and runs its statements.
    void addCode(std::u16string_view code);
    // Evaluates an expression in the global module.
    Value evaluate(std::u16string_view expression);
    // Calls a global procedure by name with arguments passed by value.
    Value run(std::u16string_view name, std::vector<Value> args);
    // The global procedures in the order defined.
    std::vector<ProcedureInfo> procedures() const;
    // Registers a host object under a global name; with addMembers its members become
    // global names as well. A name already in use or not a valid name is refused (457 /
    // 5).
    void addObject(std::u16string_view name, Ref<HostObject> object, bool addMembers);

    // ProgIDs CreateObject knows besides Scripting.Dictionary.
    void registerProgId(std::u16string_view progId, ObjectFactory factory);
    // A class of the host's that New makes, as it does a script class (RegExp). It comes
    // before a script class of the same name: New RegExp is the built-in object whatever
    // the script declares.
    void registerClass(std::u16string_view name, ObjectFactory factory);
    void setUiHost(UiHost* host) { ui_ = host; }
    UiHost* uiHost() const { return ui_; }

    // Called every kStepInterval steps; may throw a ScriptError to stop the script.
    void setStepHook(std::function<void()> hook) { stepHook_ = std::move(hook); }
    // Asks the running script to stop at its next statement (any thread may call this).
    void requestStop() { stopRequested_ = true; }

    // ---- used by the built-in library and script objects ----
    Value evalInScope(std::u16string_view expression);   // Eval
    void executeInScope(std::u16string_view statements); // Execute
    void executeGlobal(std::u16string_view code);        // ExecuteGlobal
    Value createObject(std::u16string_view progId);
    Value procedureReference(std::u16string_view name); // GetRef
    ErrObject& errObject() { return *err_; }
    Value errValue() const;
    lib::VbRandom& random() { return random_; }
    // Arguments passed by value are moved into the call.
    Value callProcedure(const Procedure& p, ClassInstance* me, std::span<Argument> args);
    // `key` is the member's folded name (foldName), empty for the default member.
    static ClassMember findClassMember(const ClassDef& cls, std::u16string_view key);
    Value invokeClassMember(ClassInstance& obj, std::u16string_view key, std::span<Argument> args,
                            bool wantValue);
    Value invokeClassMember(ClassInstance& obj, const ClassMember& member, std::span<Argument> args,
                            bool wantValue);
    void assignClassMember(ClassInstance& obj, std::u16string_view name, std::span<Value> args,
                           const Value& value, bool isSet);
    void runTerminate(ClassInstance& obj);
    const std::shared_ptr<bool>& aliveToken() const { return alive_; }
    ClassInstance* currentMe() const;

private:
    using Global = GlobalEntry;
    struct Frame;
    class FrameScope;
    class CallStorage;
    class LoopCalls;
    class Nesting;

    std::unique_ptr<Unit> compileUnit(std::u16string_view code, ParseMode mode,
                                      const CompileScope& scope);
    void defineUnit(const std::shared_ptr<Unit>& unit);
    void runTopLevel(Unit& unit);
    int findGlobal(std::u16string_view key) const;
    int declareGlobal(const std::u16string& name);
    // A step (see kStepInterval): a stop asked for ends the script; every kStepInterval
    // steps the step hook runs.
    void checkStep() {
        if (++steps_ >= kStepInterval || stopRequested_.load(std::memory_order_relaxed))
            stopOrHook();
    }
    void stopOrHook();
    // Class_Terminate runs while a reference is being dropped, where nothing may be
    // thrown: a stop it raised or a host's exception (the runner's Quit) is held, the
    // script stops at its next step, and the exception is thrown from there, or when the
    // running entry point returns.
    void hold(std::exception_ptr e) noexcept;
    void throwHeld();
    void forgetStaleStop();
    // Raises "Out of stack space" when a call would nest too deep.
    void enterCall() {
        if (depth_ == 0 || stackLimit_ == 0)
            findStackLimit();
        if (depth_ >= kMaxCallDepth || stackPast(stackLimit_))
            raise(err::OutOfStack);
    }
    void findStackLimit();
    void writeBack(const Argument::Element& element, Value value);
    Value runCall(const Procedure& p, ClassInstance* me, const FrameStack::Region& region);
    // Once all arguments are bound: a ByVal parameter bound to a variable takes a copy.
    static void copyByValArguments(const Procedure& p, const FrameStack::Region& region);
    void runBytecode(const Bytecode& bc);
    // Runs code compiled in the running frame's scope (Execute, Eval): its registers are
    // the frame's slots, then temporaries of its own, as the frame's temporaries are in use
    // by the statement running it. Returns the register after the slots, where an
    // expression leaves its value.
    Value runInFrame(const Bytecode& bc);
    Value* plainElement(const ast::Expr& callee, const NameCache& calleeCache,
                        const std::vector<ast::ExprPtr>& args, const NameCache& indexCache,
                        bool forWrite);

    // names (interpreter_names.h): what a name denotes where it runs, `cache` being what
    // this use of it was found to denote before
    struct ResolvedName {
        Value* var = nullptr;
        const Procedure* proc = nullptr;
        const Builtin* builtin = nullptr;
        const Value* constant = nullptr;
        Global* global = nullptr;
        bool method = false; // a procedure of the running object's class
    };
    ResolvedName resolve(const ast::Expr& nameExpr, NameCache& cache, bool forWrite);
    ResolvedName resolveFirstUse(const ast::Expr& nameExpr, NameCache& cache, bool forWrite);
    ResolvedName globalName(Global& g);
    // Without looking anything up: the built-in this use of a name found, while no global
    // can have taken its name since (the global table has the size it had then), else null.
    const Builtin* knownBuiltin(const NameCache& cache) const;
    // Without looking anything up: the storage of a name known to be a variable, else null.
    Value* knownVariable(const ast::Expr& e, const NameCache& cache, bool forWrite);
    // The same, remembering a global variable in `cache` for the next time.
    Value* rememberedVariable(const ast::Expr& e, NameCache& cache, bool forWrite);
    // The storage of a name that denotes a variable (creating an implicit one), else null.
    Value* variable(const ast::Expr& nameExpr, NameCache& cache, bool forWrite);
    bool bindVariable(const ast::Expr& name, NameCache& cache, Argument& arg);
    ResolvedName resolveCallee(const ast::Expr& callee, NameCache& cache);
    bool isUnknownName(const ast::Expr& nameExpr, const NameCache& cache) const;
    bool callsItself(const NameCache& callee, std::size_t argCount) const;
    const ClassMember& classMemberOf(const ast::Expr& member, ClassMember& cache,
                                     const ClassInstance& inst);

    // statements
    // An error of statement s, as the statement sees it: an error of code compiled while
    // it ran becomes a runtime error, and the error takes the statement's position unless
    // it has one. Under On Error Resume Next (for an error that lets itself be caught) it
    // is recorded in Err and true returned: the code goes on with the next statement.
    bool recover(ScriptError& e, const ast::Stmt& s);
    // For's test and step on its counter, after its start, end and step are numbers.
    bool forCounterPassed(const ast::Expr& counter, NameCache& cache, const Value& end,
                          const Value& step);
    void stepForCounter(const ast::Expr& counter, NameCache& cache, const Value& step);
    // What For Each goes over: a copy of an array's elements or an object's items; 91 for
    // Nothing, 451 for anything else.
    static std::vector<Value> forEachItems(const Value& collection);
    void defineConstant(const ast::Expr& target, NameCache& cache, Value v);
    // Dim, ReDim and Erase of one name. The variable an array statement of `kind` works
    // on: ReDim declares its name also under Option Explicit, and a fixed array refuses
    // ReDim before the new bounds are read.
    Value& arrayVariable(const ast::Expr& target, NameCache& cache, ast::StmtKind kind);
    static void eraseArray(Value& var);
    // Dim or ReDim (s) of var with these upper bounds, once they are found.
    static void sizeArray(Value& var, const std::vector<std::int32_t>& bounds,
                          const ast::DeclStmt& s);

    // expressions
    Value evalName(const ast::Expr& e, NameCache& cache);
    Value memberCall(const ast::Expr& member, ClassMember& cache, const Value& target,
                     std::span<Argument> args, bool wantValue);
    // A call whose arguments are already found: `callee` a name.
    Value callName(const ast::Expr& callee, NameCache& cache, std::span<Argument> args,
                   bool wantValue);
    Value arrayCall(Value& var, std::span<Argument> args, bool wantValue);
    // A Call instruction whose callee the loop does not run itself (interpreter_bytecode.cpp).
    Value callFromCode(const Instruction& in, const Bytecode& bc, Value* const* regs);
    void bindName(const Instruction& in, const Bytecode& bc, Value* const* regs);
    ArgList boundArguments(const Bytecode::CallSite& site, const Bytecode& bc, Value* const* regs,
                           bool byValue);
    // `array`: the entry of the name of the array `arg`, `a(...)`, may be an element of.
    bool passesElementAt(const ast::Expr& arg, NameCache& array, const Bytecode& bc,
                         std::int32_t site);
    void elementArgument(const ast::Expr& arg, NameCache& array, const Bytecode::CallSite& site,
                         const Bytecode& bc, Value* const* block, Value* const* regs);
    std::unique_ptr<Argument::Element> elementPassed(const ast::Expr& arg, NameCache& array,
                                                     Value* const* block);
    void outOfLoop(const Instruction& in, const Bytecode& bc, Value* const* regs);
    // LoadName and StoreName: the value of a name that is not a local variable, and `=`
    // assigning to one.
    void loadName(const ast::Expr& name, NameCache& cache, Value& to);
    void storeName(const ast::Expr& name, NameCache& cache, Value v);
    // NamedBinary and NamedCompareJumpIf the general way: the loads, the operator and the
    // store they stand for, in turn.
    void loadNamedOperands(const Instruction& in, const Bytecode& bc, Value* const* regs);
    void namedBinary(const Instruction& in, const Bytecode& bc, Value* const* regs);
    bool namedComparisonHolds(const Instruction& in, const Bytecode& bc, Value* const* regs);
    Value callOnValue(const Value& target, std::span<Argument> args, bool wantValue);
    Value callBuiltin(const Builtin& b, std::span<Value> args);
    Value newInstance(const ast::Expr& e);
    Value* arrayArgument(const ast::Expr& arg, NameCache& array);
    // `arrays`: an entry per argument, of the array's name for each `a(...)`.
    bool passesElement(const std::vector<ast::ExprPtr>& argExprs, NameCache* arrays);
    Value withObject() const;
    Subscripts evalSubscripts(std::span<const Argument> args);
    // `cache` is the target name's, or that of the array's name of an element, which its
    // subscripts' entries follow (Builder::elementCaches).
    void assign(const ast::Expr& target, NameCache& cache, Value value, bool isSet);
    void assignMember(const Value& object, std::u16string_view name, std::span<Value> args,
                      const Value& v, bool isSet);
    void assignIndexed(const ast::Expr& callee, NameCache& cache, Values& values, Value& v,
                       bool isSet);
    Value prepareAssigned(Value value, bool isSet);

    Value callResolved(const ast::Expr& callee, const ResolvedName& r, std::span<Argument> args,
                       bool wantValue);
    Value callNameResolved(const ast::Expr& callee, const ResolvedName& r, std::span<Argument> args,
                           bool wantValue);
    bool resolvedFirst(const Bytecode& bc, std::int32_t site, ResolvedName& r);
    static bool takesValues(const ResolvedName& r, std::int32_t argCount);
    bool resolvedEarly(const Instruction& call, const Bytecode& bc, ResolvedName& r);
    Value callBuiltinFromCode(const Builtin& b, const Instruction& call, const Bytecode& bc,
                              Value* const* regs);

    std::deque<Global> globals_;
    // Counts the times entries of globals_ may have stopped being variables that may be
    // assigned (a procedure or a constant took the name): a variable remembered in a
    // NameCache is one while this is what it was when remembered.
    std::uint64_t globalKinds_ = 0;
    std::unordered_map<std::u16string, int> globalIndex_;
    std::vector<const Procedure*> procedureOrder_;
    struct ClassEntry {
        const ClassDef* cls;
        std::shared_ptr<const Unit> unit; // instances keep their class's code alive
    };
    std::unordered_map<std::u16string, ClassEntry> classes_;
    std::vector<std::shared_ptr<Unit>> units_;
    std::unordered_map<std::u16string, ObjectFactory> progIds_;
    std::unordered_map<std::u16string, ObjectFactory> hostClasses_;
    Ref<ErrObject> err_;
    Frame* frame_ = nullptr;
    FrameStack frameStack_;
    // The frames of calls the compact form runs in its own loop (LoopCalls), kept for
    // reuse; the first loopCallDepth_ are in use.
    struct LoopFrame;
    std::vector<std::unique_ptr<LoopFrame>> loopFrames_;
    std::size_t loopCallDepth_ = 0;
    int depth_ = 0;
    std::uintptr_t stackLimit_ = 0;
    std::uint32_t steps_ = 0;
    std::function<void()> stepHook_;
    std::atomic<bool> stopRequested_{false};
    std::exception_ptr held_;
    UiHost* ui_ = nullptr;
    lib::VbRandom random_;
    ObjectTracker created_; // objects made by New and CreateObject
    std::shared_ptr<bool> alive_;
};

} // namespace vbs
