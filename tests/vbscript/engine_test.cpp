// The engine's C++ API: adding code, running procedures by name, listing procedures,
// host objects, nested calls from host methods, errors and stopping a script.
#include "vbscript/convert.h"
#include "vbscript/engine.h"

#include <gtest/gtest.h>

#include <new>
#include <optional>

#include "support/script_errors.h"

namespace vbs {
namespace {

using testsupport::errorNumberOf;

// A host object recording what scripts do with it.
class Probe : public TableHostObject {
public:
    Probe() {
        using K = MemberInfo::Kind;
        addMember({u"Value", K::Property, 0, 0, true,
                   [this](std::span<Value>) { return Value::longValue(value); },
                   [this](std::span<Value>, const Value& v) { value = toLong(v); }});
        addMember({u"Twice", K::Method, 1, 1, true,
                   [](std::span<Value> a) { return Value::longValue(toLong(a[0]) * 2); }, nullptr});
        addMember({u"Log", K::Method, 1, 1, false,
                   [this](std::span<Value> a) {
                       log += toText(a[0]) + u";";
                       if (onLog)
                           onLog();
                       return Value();
                   },
                   nullptr});
    }
    std::u16string typeName() const override { return u"Probe"; }

    int value = 0;
    std::u16string log;
    std::function<void()> onLog;
};

TEST(Engine, AddCodeRunsStatementsAndDefinesProcedures) {
    Engine engine;
    engine.addCode(u"Dim total\ntotal = 2\nFunction Add(a, b)\nAdd = a + b\nEnd Function");
    EXPECT_EQ(toLong(engine.eval(u"total")), 2);
    EXPECT_EQ(toLong(engine.run(u"add", {Value::integer(3), Value::integer(4)})), 7);
}

TEST(Engine, CompileErrorAddsNothing) {
    Engine engine;
    try {
        engine.addCode(u"Sub Early\nEnd Sub\nx = 1\nIf x Then");
        FAIL() << "no compile error";
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::Compile);
        EXPECT_EQ(e.number(), cerr::ExpectedEnd);
        EXPECT_EQ(e.description(), u"Expected 'End'");
        EXPECT_EQ(e.line(), 4);
    }
    EXPECT_TRUE(engine.procedures().empty());
    EXPECT_TRUE(engine.eval(u"IsEmpty(x)").asBool());
}

TEST(Engine, RuntimeErrorStopsStatementsButKeepsProcedures) {
    Engine engine;
    try {
        engine.addCode(u"Sub Kept\nEnd Sub\nx = 1\ny = 1 / 0\nz = 1");
        FAIL() << "no runtime error";
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::Runtime);
        EXPECT_EQ(e.number(), err::DivisionByZero);
        EXPECT_EQ(e.line(), 4);
        EXPECT_EQ(e.column(), 1);
    }
    ASSERT_EQ(engine.procedures().size(), 1u);
    EXPECT_EQ(toLong(engine.eval(u"x")), 1);
    EXPECT_TRUE(engine.eval(u"IsEmpty(z)").asBool());
}

TEST(Engine, ProceduresAreListedInDefinitionOrder) {
    Engine engine;
    engine.addCode(u"Sub Zeta(a, b)\nEnd Sub\nFunction Alpha()\nEnd Function");
    engine.addCode(u"Sub Mid1(x)\nEnd Sub");
    auto procs = engine.procedures();
    ASSERT_EQ(procs.size(), 3u);
    EXPECT_EQ(procs[0].name, u"Zeta");
    EXPECT_EQ(procs[0].numArgs, 2);
    EXPECT_FALSE(procs[0].hasReturnValue);
    EXPECT_EQ(procs[1].name, u"Alpha");
    EXPECT_TRUE(procs[1].hasReturnValue);
    EXPECT_EQ(procs[2].name, u"Mid1");
}

TEST(Engine, RedefiningAProcedureReplacesIt) {
    Engine engine;
    engine.addCode(u"Function F\nF = 1\nEnd Function\nSub G\nEnd Sub");
    engine.addCode(u"Function F\nF = 2\nEnd Function");
    EXPECT_EQ(toLong(engine.run(u"F")), 2);
    auto procs = engine.procedures();
    ASSERT_EQ(procs.size(), 2u);
    EXPECT_EQ(procs[1].name, u"F");
}

TEST(Engine, RunRefusesEmptyAndUnknownNames) {
    Engine engine;
    EXPECT_EQ(errorNumberOf([&] { engine.run(u""); }), err::SubNotDefined);
    EXPECT_EQ(errorNumberOf([&] { engine.run(u"Nope"); }), err::SubNotDefined);
    engine.addCode(u"Sub One(a)\nEnd Sub");
    EXPECT_EQ(errorNumberOf([&] { engine.run(u"One"); }), err::WrongArgCount);
}

TEST(Engine, HostObjectMembersAreReachedByNameInAnyCase) {
    Engine engine;
    auto probe = makeRef<Probe>();
    engine.addObject(u"Probe", probe);
    engine.addCode(u"probe.VALUE = 21\nPROBE.log \"a\"\nx = Probe.Twice(Probe.value)");
    EXPECT_EQ(probe->value, 21);
    EXPECT_EQ(probe->log, u"a;");
    EXPECT_EQ(toLong(engine.eval(u"x")), 42);
    EXPECT_EQ(errorNumberOf([&] { engine.addCode(u"Probe.Missing"); }), err::NoSuchMember);
}

TEST(Engine, AddMembersMakesMembersGlobalNames) {
    Engine engine;
    auto probe = makeRef<Probe>();
    engine.addObject(u"P", probe, true);
    engine.addCode(u"Value = 5\nLog \"m\"\ny = Twice(4)");
    EXPECT_EQ(probe->value, 5);
    EXPECT_EQ(probe->log, u"m;");
    EXPECT_EQ(toLong(engine.eval(u"y")), 8);
}

TEST(Engine, RefusesDuplicateAndInvalidObjectNames) {
    Engine engine;
    engine.addObject(u"Obj", makeRef<Probe>());
    EXPECT_EQ(errorNumberOf([&] { engine.addObject(u"obj", makeRef<Probe>()); }), err::KeyExists);
    EXPECT_EQ(errorNumberOf([&] { engine.addObject(u"", makeRef<Probe>()); }), err::InvalidCall);
    EXPECT_EQ(errorNumberOf([&] { engine.addObject(u"1abc", makeRef<Probe>()); }),
              err::InvalidCall);
    EXPECT_EQ(errorNumberOf([&] { engine.addObject(u"a b", makeRef<Probe>()); }), err::InvalidCall);
}

TEST(Engine, HostMethodMayAddCodeAndRunWhileAScriptRuns) {
    Engine engine;
    auto probe = makeRef<Probe>();
    engine.addObject(u"Probe", probe);
    probe->onLog = [&] {
        probe->onLog = nullptr;
        engine.addCode(u"Function Nested(n)\nNested = n * 10\nEnd Function\ninner = 1");
        engine.executeStatement(u"inner = inner + 1");
        probe->value = toLong(engine.run(u"Nested", {Value::integer(4)}));
    };
    engine.addCode(u"Dim result\nSub Outer\nDim local\nlocal = 7\nProbe.Log \"x\"\n"
                   u"result = local + Nested(1) + inner\nEnd Sub\nOuter");
    EXPECT_EQ(probe->value, 40);
    EXPECT_EQ(toLong(engine.eval(u"result")), 19);
}

TEST(Engine, NestedCompileErrorReachesTheScriptAsARuntimeError) {
    Engine engine;
    auto probe = makeRef<Probe>();
    engine.addObject(u"Probe", probe);
    probe->onLog = [&] { engine.addCode(u"x = (((("); };
    engine.addCode(u"On Error Resume Next\nProbe.Log 1\nn = Err.Number\nafter = True");
    EXPECT_EQ(toLong(engine.eval(u"n")), cerr::ExpectedExpression);
    EXPECT_TRUE(engine.eval(u"after").asBool());
}

TEST(Engine, StepHookStopsARunawayScriptAndTheEngineStaysUsable) {
    Engine engine;
    int calls = 0;
    engine.setStepHook([&] {
        if (++calls == 3)
            raise(err::Stopped);
    });
    engine.addCode(u"Sub Spin\nOn Error Resume Next\nDo\nLoop\nEnd Sub\n"
                   u"Sub Count\nFor i = 1 To 2000000000\nNext\nEnd Sub\n"
                   u"Sub Wait\nDo While True\nLoop\nEnd Sub");
    for (const char16_t* name : {u"Spin", u"Count", u"Wait"}) {
        calls = 0;
        EXPECT_EQ(errorNumberOf([&] { engine.run(name); }), err::Stopped);
    }
    engine.setStepHook(nullptr);
    EXPECT_EQ(toLong(engine.eval(u"1 + 1")), 2);
}

TEST(Engine, StatementsOfAProcedureThatCountStepsReachTheHook) {
    // A long body of statements that count a step of their own (ReDim, whose time grows
    // with the size) must reach the step hook like the same statements in global code,
    // without loops or calls.
    Engine engine;
    int calls = 0;
    engine.setStepHook([&] { ++calls; });
    std::u16string body = u"Sub Long\n";
    for (int i = 0; i < 3000; ++i)
        body += u"ReDim o(1)\n";
    engine.addCode(body + u"End Sub");
    engine.run(u"Long");
    EXPECT_GE(calls, 2);
}

TEST(Engine, StepHookReachesLoopsInGlobalCode) {
    // Global code runs in the compact form too: its loops count steps on every turn; so
    // does code Execute runs inside a procedure.
    Engine engine;
    int calls = 0;
    engine.setStepHook([&] {
        if (++calls == 3)
            raise(err::Stopped);
    });
    for (const char16_t* code :
         {u"Do\nLoop", u"x = 0\nDo While True\nx = x + 1\nLoop", u"While 1 < 2\nReDim o(1)\nWend",
          u"For i = 1 To 2000000000\nNext",
          u"ReDim a(100000)\nFor Each x In a\nSelect Case x\nCase 1\nEnd Select\nNext",
          u"Sub P\nExecute \"Do\" & vbLf & \"Loop\"\nEnd Sub\nP"}) {
        calls = 0;
        EXPECT_EQ(errorNumberOf([&] { engine.addCode(code); }), err::Stopped);
    }
}

TEST(Engine, ByRefParameterSurvivesCodeAddedAndRunWhileItIsBound) {
    // A host call in the middle of a procedure adds code whose recursion takes far more
    // frame storage than there is: the caller's variable bound ByRef stays where it was.
    Engine engine;
    auto probe = makeRef<Probe>();
    engine.addObject(u"Probe", probe);
    probe->onLog = [&] {
        engine.addCode(u"Function Deep(k)\nDim a, b, c, d, e, f, g, h\n"
                       u"If k > 0 Then Deep = Deep(k - 1) + 1 Else Deep = 0\nEnd Function\n"
                       u"depth = Deep(2500)");
    };
    engine.addCode(
        u"Dim result, depth, top\nSub Bump(ByRef v)\nProbe.Log \"x\"\nv = v + depth\nEnd Sub\n"
        u"Sub Outer\nDim n\nn = 1\nBump n\nresult = n\nEnd Sub\n"
        u"Outer\ntop = 5\nBump top");
    EXPECT_EQ(toLong(engine.eval(u"result")), 2501);
    EXPECT_EQ(toLong(engine.eval(u"top")), 2505);
}

TEST(Engine, RequestStopEndsTheRunningScript) {
    Engine engine;
    auto probe = makeRef<Probe>();
    engine.addObject(u"Probe", probe);
    probe->onLog = [&] { engine.requestStop(); };
    EXPECT_EQ(
        errorNumberOf([&] { engine.addCode(u"On Error Resume Next\nProbe.Log 1\nDo\nLoop"); }),
        err::Stopped);
}

TEST(Engine, StopAskedForWhileIdleDoesNotStopTheNextScript) {
    Engine engine;
    engine.requestStop();
    engine.addCode(u"x = 1");
    EXPECT_EQ(toLong(engine.eval(u"x")), 1);
}

TEST(Engine, EvalGivesValuesAndErrors) {
    Engine engine;
    EXPECT_EQ(toText(engine.eval(u"\"a\" & 1 + 2")), u"a3");
    EXPECT_EQ(errorNumberOf([&] { engine.eval(u"1 +"); }), cerr::ExpectedExpression);
    EXPECT_EQ(errorNumberOf([&] { engine.eval(u"1 / 0"); }), err::DivisionByZero);
}

TEST(Engine, ObjectsLeftInGlobalsTerminateWithTheEngine) {
    auto probe = makeRef<Probe>();
    {
        Engine engine;
        engine.addObject(u"Probe", probe);
        engine.addCode(u"Class T\nSub Class_Terminate\nProbe.Log \"gone\"\nEnd Sub\nEnd Class\n"
                       u"Set keep = New T");
        EXPECT_EQ(probe->log, u"");
    }
    EXPECT_EQ(probe->log, u"gone;");
}

TEST(Engine, ScriptObjectOutlivingTheEngineIsHarmless) {
    Value kept;
    {
        Engine engine;
        engine.addCode(u"Class T\nPublic V\nSub Class_Terminate\nEnd Sub\nEnd Class\n"
                       u"Set keep = New T");
        kept = engine.eval(u"keep");
    }
    EXPECT_EQ(errorNumberOf([&] { kept.asObject()->getProperty(u"V", {}); }), err::ObjectRequired);
}

// Objects referring to each other are freed with the engine (the sanitizer build's leak
// check sees the difference); their Class_Terminate does not run then.
TEST(Engine, ReferenceCyclesAreFreedWithTheEngine) {
    auto probe = makeRef<Probe>();
    {
        Engine engine;
        engine.addObject(u"Probe", probe);
        engine.addCode(u"Class Node\nPublic Other\nSub Class_Terminate\nProbe.Log \"t\"\nEnd Sub\n"
                       u"End Class\nSet a = New Node\nSet b = New Node\nSet a.Other = b\n"
                       u"Set b.Other = a\nSet d = CreateObject(\"Scripting.Dictionary\")\n"
                       u"d.Add \"me\", d\nSet a = Nothing\nSet b = Nothing\nSet d = Nothing");
    }
    EXPECT_EQ(probe->log, u"");
}

// Memory running out, wherever in the engine, is error 7: a statement's failure that On
// Error Resume Next can catch, and the engine goes on.
TEST(Engine, OutOfMemoryIsErrorSevenAndTheEngineGoesOn) {
    Engine engine;
    auto probe = makeRef<Probe>();
    engine.addObject(u"Probe", probe);
    probe->onLog = [] { throw std::bad_alloc(); };
    EXPECT_EQ(errorNumberOf([&] { engine.addCode(u"Probe.Log 1"); }), err::OutOfMemory);
    engine.addCode(u"Dim n, d\nSub InProcedure\nOn Error Resume Next\nProbe.Log 2\nn = Err.Number\n"
                   u"d = Err.Description\nEnd Sub\nInProcedure");
    EXPECT_EQ(toLong(engine.eval(u"n")), err::OutOfMemory);
    EXPECT_EQ(toText(engine.eval(u"d")), u"Out of memory");
    EXPECT_EQ(errorNumberOf([&] { engine.eval(u"Probe.Log(3)"); }), err::OutOfMemory);
    probe->onLog = nullptr;
    engine.addCode(u"Probe.Log 4");
    EXPECT_EQ(probe->log, u"1;2;3;4;");
}

struct HostLeaves {};

// An exception of the host's own thrown in Class_Terminate (a runner's Quit) cannot pass
// through the release that ran it: the script stops at its next step, and the exception
// reaches the host from there.
TEST(Engine, HostExceptionInClassTerminateStopsTheScript) {
    Engine engine;
    auto probe = makeRef<Probe>();
    engine.addObject(u"Probe", probe);
    probe->onLog = [&] {
        if (probe->log == u"leave;")
            throw HostLeaves{};
    };
    engine.addCode(u"Class T\nSub Class_Terminate\nProbe.Log \"leave\"\nEnd Sub\nEnd Class\n"
                   u"Sub Drop\nSet o = New T\nSet o = Nothing\nProbe.Log \"after drop\"\nEnd Sub");
    EXPECT_THROW(engine.run(u"Drop"), HostLeaves);
    EXPECT_EQ(probe->log, u"leave;");
    probe->log.clear();
    EXPECT_THROW(engine.addCode(u"On Error Resume Next\nSet o = New T\nSet o = Nothing\n"
                                u"Probe.Log \"after drop\""),
                 HostLeaves);
    EXPECT_EQ(probe->log, u"leave;");
    // With no statement after it, the exception comes out when the run ends.
    probe->log.clear();
    EXPECT_THROW(engine.addCode(u"Set o = New T\nSet o = Nothing"), HostLeaves);
    probe->onLog = nullptr;
    engine.addCode(u"Probe.Log \"again\"");
    EXPECT_EQ(probe->log, u"leave;again;");
}

TEST(Engine, HostExceptionFromATerminateWhileIdleStopsTheNextScript) {
    Engine engine;
    auto probe = makeRef<Probe>();
    engine.addObject(u"Probe", probe);
    engine.addCode(u"Class T\nSub Class_Terminate\nProbe.Log \"leave\"\nEnd Sub\nEnd Class");
    Value held = engine.eval(u"New T");
    probe->onLog = [] { throw HostLeaves{}; };
    held = Value(); // the host lets go while no script runs
    probe->onLog = nullptr;
    EXPECT_THROW(engine.addCode(u"Probe.Log \"not run\""), HostLeaves);
    EXPECT_EQ(probe->log, u"leave;");
}

TEST(Engine, StopInClassTerminateStopsTheScript) {
    Engine engine;
    auto probe = makeRef<Probe>();
    engine.addObject(u"Probe", probe);
    probe->onLog = [&] { engine.requestStop(); };
    EXPECT_EQ(errorNumberOf([&] {
                  engine.addCode(u"Class T\nSub Class_Terminate\nProbe.Log 1\nEnd Sub\nEnd Class\n"
                                 u"On Error Resume Next\nSet o = New T\nSet o = Nothing\nDo\nLoop");
              }),
              err::Stopped);
}

TEST(Engine, ErrorsKeepTheirDescriptionsWhenCopied) {
    ScriptError known(ErrorKind::Runtime, err::OutOfMemory);
    EXPECT_EQ(known.description(), u"Out of memory");
    EXPECT_STREQ(known.what(), "Out of memory");
    std::optional<ScriptError> own(std::in_place, ErrorKind::Runtime, 1234, u"Mine \u00e9");
    ScriptError copy = *own;
    ScriptError assigned = known;
    assigned = copy;
    own.reset();
    EXPECT_EQ(copy.description(), u"Mine \u00e9");
    EXPECT_STREQ(copy.what(), "Mine \xc3\xa9");
    EXPECT_EQ(assigned.description(), u"Mine \u00e9");
    EXPECT_EQ(ScriptError(ErrorKind::Runtime, 99999).description(), u"Unknown runtime error");
    EXPECT_EQ(errorDescription(err::Overflow), u"Overflow");
}

TEST(Engine, MsgBoxWithoutAHostIsPermissionDenied) {
    Engine engine;
    EXPECT_EQ(errorNumberOf([&] { engine.addCode(u"MsgBox \"hi\""); }), err::PermissionDenied);
}

} // namespace
} // namespace vbs
