// What vbsrun --dump prints (Engine::listing): one unit for the global code, each
// procedure and each class's procedures, every instruction with the source line of its
// statement, global code of every shape included.
#include "vbscript/engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace vbs {
namespace {

struct Instr {
    int line;
    std::string opcode;
};

struct Listing {
    int units = 0;
    std::vector<Instr> instructions;
};

// An instruction line is "PC  line N  OPCODE OPERANDS"; a unit begins with "unit ".
Listing read(const std::u16string& source) {
    Listing out;
    std::istringstream text(Engine::listing(source));
    std::string line;
    while (std::getline(text, line)) {
        if (line.rfind("unit ", 0) == 0) {
            ++out.units;
            continue;
        }
        std::istringstream fields(line);
        std::string pc, word;
        Instr in{};
        if (fields >> pc >> word && word == "line" && fields >> in.line >> in.opcode)
            out.instructions.push_back(in);
    }
    return out;
}

const std::u16string kScript = u"Dim total\n"                                  // 1
                               u"total = 0\n"                                  // 2
                               u"Do While total < 10\n"                        // 3
                               u"    total = total + Twice(1)\n"               // 4
                               u"Loop\n"                                       // 5
                               u"Function Twice(n)\n"                          // 6
                               u"    Twice = n * 2\n"                          // 7
                               u"End Function\n"                               // 8
                               u"Sub Show\nEnd Sub\n"                          // 9, 10
                               u"Class Counter\n"                              // 11
                               u"    Public Count\n"                           // 12
                               u"    Sub Bump : Count = Count + 1 : End Sub\n" // 13
                               u"    Property Get Twice : Twice = 2 * Count : End Property\n"
                               u"End Class\n";

TEST(Listing, HasAUnitForTheGlobalCodeAndEachProcedure) {
    EXPECT_EQ(read(kScript).units, 5);
}

TEST(Listing, EveryInstructionCarriesItsSourceLine) {
    Listing l = read(kScript);
    ASSERT_FALSE(l.instructions.empty());
    for (const Instr& in : l.instructions) {
        EXPECT_GE(in.line, 1) << in.opcode;
        EXPECT_LE(in.line, 15) << in.opcode;
    }
    // The loop's back-edge is the loop statement's.
    auto back = std::find_if(l.instructions.begin(), l.instructions.end(),
                             [](const Instr& in) { return in.opcode == "StepJump"; });
    ASSERT_NE(back, l.instructions.end());
    EXPECT_EQ(back->line, 3);
}

TEST(Listing, GlobalCodeOfEveryShapeIsListedWithItsLines) {
    Listing l = read(u"total = 0\nk = 1\nDo While total < 100\ntotal = total + k * 2\n"
                     u"If total > 50 Then k = 0 Else k = k + 1\nLoop\n"
                     u"While k < 3 : k = k + 1 : Wend\n"
                     u"For i = 1 To k Step 2 : total = total - i : If i > 2 Then Exit For\n"
                     u"Next\nDim list(2), s\nFor Each x In list : s = s & x : Next\n"
                     u"Select Case s\nCase \"\", 1 : Erase list\nCase Else : ReDim list(k)\n"
                     u"End Select\n");
    EXPECT_EQ(l.units, 1);
    for (const Instr& in : l.instructions) {
        EXPECT_GE(in.line, 1) << in.opcode;
        EXPECT_LE(in.line, 15) << in.opcode;
    }
    for (const char* shape : {"ForEachInit", "Append", "SizeArray", "Erase", "Clear"})
        EXPECT_TRUE(std::any_of(l.instructions.begin(), l.instructions.end(), [&](const Instr& in) {
            return in.opcode == shape;
        })) << shape;
}

TEST(Listing, CompileErrorIsThrownAndNothingListed) {
    try {
        Engine::listing(u"x = (1 +\n");
        FAIL() << "no compile error";
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::Compile);
    }
}

} // namespace
} // namespace vbs
