// Listing a compiled Unit (see listing.h). Operands are shown as rN (a register) or kN
// (a constant, listed after the unit's instructions).
#include "vbscript/listing.h"

#include "vbscript/bytecode.h"
#include "vbscript/convert.h"
#include "vbscript/errors.h"
#include "vbscript/lib/text_ops.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace vbs {

namespace {

// In the order of Opcode.
constexpr std::array<std::string_view, 47> kOpcodeNames = {
    "StepJump",      "Jump",          "JumpIf",
    "CompareJumpIf", "Binary",        "Add",
    "Subtract",      "NamedBinary",   "NamedCompareJumpIf",
    "Unary",         "Copy",          "Assign",
    "LoadName",      "LoadMe",        "LoadWith",
    "New",           "BindName",      "StoreName",
    "Store",         "Prepare",       "StoreMember",
    "StoreIndexed",  "Constant",      "OnError",
    "Clear",         "WithPush",      "WithPop",
    "ForEachInit",   "ForEachNext",   "Append",
    "Declare",       "ArrayVariable", "Bound",
    "SizeArray",     "Erase",         "Numeric",
    "ForInit",       "ForTest",       "ForNext",
    "Element",       "ArrayArgument", "ReadElement",
    "CheckCallee",   "ElementCheck",  "Call",
    "Return",        "Leave",
};
static_assert(kOpcodeNames.size() == static_cast<std::size_t>(Opcode::Leave) + 1);

// In the order of ast::Op.
constexpr std::array<std::string_view, 22> kOperators = {
    "+", "-",  "*",  "/",  "\\",  "Mod", "^",   "&",   "=",   "<>", "<",
    ">", "<=", ">=", "Is", "And", "Or",  "Xor", "Eqv", "Imp", "-",  "Not",
};
static_assert(kOperators.size() == static_cast<std::size_t>(ast::Op::Not) + 1);

std::string opText(ast::Op op) {
    return std::string(kOperators[static_cast<std::size_t>(op)]);
}

std::string operand(std::int32_t o) {
    return o >= 0 ? "r" + std::to_string(o) : "k" + std::to_string(-1 - o);
}

std::string constantText(const Value& v) {
    if (v.isNull())
        return "Null";
    if (v.isString())
        return "\"" + lib::utf16ToUtf8(v.asString()) + "\"";
    try {
        return lib::utf16ToUtf8(toText(v));
    } catch (const ScriptError&) {
        return lib::utf16ToUtf8(typeName(v));
    }
}

// A call site's arguments, in parentheses.
std::string argumentsText(const Bytecode& bc, const Bytecode::CallSite& site) {
    std::string text = "(";
    for (std::int32_t i = 0; i < site.count; ++i) {
        const Bytecode::Passed& p = bc.passed[static_cast<std::size_t>(site.first + i)];
        text += i ? ", " : "";
        if (p.name)
            text += (p.bound ? "r" + std::to_string(p.operand) + " " : "") +
                    lib::utf16ToUtf8(p.name->name());
        else
            text += std::string(p.variable  ? "ByRef "
                                : p.element ? "element? "
                                            : "") +
                    operand(p.operand);
    }
    return text + ")";
}

std::string_view kindName(const Procedure& p) {
    switch (p.kind) {
    case Procedure::Kind::Sub:
        return "Sub";
    case Procedure::Kind::Function:
        return "Function";
    case Procedure::Kind::PropertyGet:
        return "Property Get";
    case Procedure::Kind::PropertyLet:
        return "Property Let";
    case Procedure::Kind::PropertySet:
        return "Property Set";
    }
    return "";
}

// What an instruction does with its operands, in the listing's words.
std::string operands(const Bytecode& bc, const Instruction& in) {
    std::string to = " -> " + std::to_string(in.target);
    std::string when = in.when ? " when true" : " when false";
    switch (in.code) {
    case Opcode::StepJump:
    case Opcode::Jump:
        return to;
    case Opcode::JumpIf:
        return " " + operand(in.a) + when + to;
    case Opcode::CompareJumpIf:
    case Opcode::Binary:
    case Opcode::Add:
    case Opcode::Subtract: {
        std::string op = " " + operand(in.a) + " " + opText(in.op) + " " + operand(in.b);
        if (in.code == Opcode::CompareJumpIf)
            return op + when + to;
        return " r" + std::to_string(in.dst) + " =" + op;
    }
    case Opcode::NamedBinary:
    case Opcode::NamedCompareJumpIf: {
        // A name read or written in place, its register after it.
        const Bytecode::NamedOperands& named = bc.named[static_cast<std::size_t>(in.name)];
        auto text = [](const Bytecode::NamedOperand& n, std::string o) {
            return n.name ? lib::utf16ToUtf8(n.name->name()) + " (" + o + ")" : o;
        };
        std::string op = " " + text(named.a, operand(in.a)) + " " + opText(in.op) + " " +
                         text(named.b, operand(in.b));
        if (in.code == Opcode::NamedCompareJumpIf)
            return op + when + to;
        return " " + text(named.dst, "r" + std::to_string(in.dst)) + " =" + op;
    }
    case Opcode::Unary:
        return " r" + std::to_string(in.dst) + " = " + opText(in.op) + " " + operand(in.a);
    case Opcode::Copy:
    case Opcode::Assign:
        return " r" + std::to_string(in.dst) + " = " + operand(in.a);
    case Opcode::OnError:
        return in.when ? " Resume Next" : " GoTo 0";
    case Opcode::Clear:
        return " r" + std::to_string(in.a) + ".." + "r" + std::to_string(in.a + in.b - 1);
    case Opcode::WithPush:
        return " " + operand(in.a);
    case Opcode::Append:
        return " " + lib::utf16ToUtf8(in.expr->name()) + " = " + operand(in.a) + " & " +
               operand(in.b);
    case Opcode::Declare:
    case Opcode::ArrayVariable:
    case Opcode::Erase:
        return " " + lib::utf16ToUtf8(in.expr->name());
    case Opcode::Bound:
        return " r" + std::to_string(in.dst) + " = Long " + operand(in.a);
    case Opcode::SizeArray:
        return " " + lib::utf16ToUtf8(in.expr->name()) + " to r" + std::to_string(in.a) + ".." +
               "r" + std::to_string(in.a + in.b - 1) +
               (static_cast<const ast::DeclStmt*>(in.stmt)->preserve ? " preserving" : "");
    case Opcode::WithPop:
        return "";
    case Opcode::ForEachInit:
        return " r" + std::to_string(in.dst) + " = items of " + operand(in.a) + ", r" +
               std::to_string(in.b) + " = 0";
    case Opcode::ForEachNext:
        return " " + lib::utf16ToUtf8(in.expr->name()) + " = next of r" + std::to_string(in.dst) +
               " at r" + std::to_string(in.b) + to;
    case Opcode::StoreName:
        return " " + lib::utf16ToUtf8(in.expr->name()) + " = " + operand(in.a);
    case Opcode::Store:
        return std::string(in.when ? " Set " : " ") + "target at column " +
               std::to_string(in.expr->column) + " = " + operand(in.a);
    case Opcode::Prepare:
        return " r" + std::to_string(in.dst) + " = " + (in.when ? "object " : "value ") +
               operand(in.a);
    case Opcode::StoreMember:
    case Opcode::StoreIndexed:
        return std::string(in.when ? " Set " : " ") + "target at column " +
               std::to_string(in.expr->column) + " = " + operand(in.a) + " subscripts from r" +
               std::to_string(in.dst) +
               (in.code == Opcode::StoreMember ? " object " + operand(in.b) : "");
    case Opcode::Constant:
        return " " + lib::utf16ToUtf8(in.expr->name()) + " = " + operand(in.a);
    case Opcode::Numeric:
        return " r" + std::to_string(in.dst) + " = number " + operand(in.a);
    case Opcode::ForInit:
        return " " + lib::utf16ToUtf8(in.expr->name()) + " = " + operand(in.a) + " to " +
               operand(in.b) + " step r" + std::to_string(in.dst);
    case Opcode::ForTest:
        return " " + lib::utf16ToUtf8(in.expr->name()) + " past " + operand(in.a) + " step " +
               operand(in.b) + to;
    case Opcode::ForNext:
        return " " + lib::utf16ToUtf8(in.expr->name()) + " += " + operand(in.b) + to;
    case Opcode::LoadName:
        return " r" + std::to_string(in.dst) + " = " + lib::utf16ToUtf8(in.expr->name());
    case Opcode::LoadMe:
        return " r" + std::to_string(in.dst) + " = Me";
    case Opcode::LoadWith:
        return " r" + std::to_string(in.dst) + " = With object";
    case Opcode::New:
        return " r" + std::to_string(in.dst) + " = New " + lib::utf16ToUtf8(in.expr->name());
    case Opcode::BindName:
        return " r" + std::to_string(in.dst) + " = " + lib::utf16ToUtf8(in.expr->name()) +
               " for call " + std::to_string(in.a);
    case Opcode::ArrayArgument:
        return " argument at column " + std::to_string(in.expr->column) + " of call " +
               std::to_string(in.a) + to;
    case Opcode::ReadElement:
        return " r" + std::to_string(in.dst) + " = element " +
               lib::utf16ToUtf8(in.expr->object->name()) +
               argumentsText(bc, bc.calls[static_cast<std::size_t>(in.a)]);
    case Opcode::ElementCheck:
        return " arguments at column " + std::to_string(in.expr->column) + to;
    case Opcode::CheckCallee:
        return " " + lib::utf16ToUtf8(in.expr->name());
    case Opcode::Element:
    case Opcode::Call: {
        const Bytecode::CallSite& site = bc.calls[static_cast<std::size_t>(in.a)];
        std::string text = in.dst >= 0 ? " r" + std::to_string(in.dst) + " = " : " ";
        if (site.kind == Bytecode::CallSite::Callee::Computed)
            text += operand(site.object);
        else if (site.callee->kind == ast::ExprKind::Member)
            text += operand(site.object) + ".";
        if (site.kind != Bytecode::CallSite::Callee::Computed)
            text += lib::utf16ToUtf8(site.callee->name());
        return text + argumentsText(bc, site);
    }
    case Opcode::Return:
    case Opcode::Leave:
        return "";
    }
    return "";
}

// `line` is where the unit begins, the line of an instruction that belongs to no
// statement (the end of an empty unit).
void listUnit(std::string& out, const std::string& title, const Bytecode& bc, int line) {
    out += "unit " + title + ": " + std::to_string(bc.code.size()) + " instructions, " +
           std::to_string(bc.registers) + " registers\n";
    char buffer[48];
    for (std::size_t pc = 0; pc < bc.code.size(); ++pc) {
        const Instruction& in = bc.code[pc];
        int at = bc.statements.empty()
                     ? line
                     : bc.statements[static_cast<std::size_t>(in.statement)].stmt->line;
        std::snprintf(buffer, sizeof buffer, "%6zu  line %-5d ", pc, at);
        out += buffer;
        out += kOpcodeNames[static_cast<std::size_t>(in.code)];
        out += operands(bc, in) + "\n";
    }
    for (std::size_t k = 0; k < bc.constants.size(); ++k)
        out += "    k" + std::to_string(k) + " = " + constantText(bc.constants[k]) + "\n";
}

void listProcedure(std::string& out, const Procedure& p, const ClassDef* owner) {
    std::string title = std::string(kindName(p)) + " ";
    if (owner)
        title += lib::utf16ToUtf8(owner->name) + ".";
    title += lib::utf16ToUtf8(p.name) + " (line " + std::to_string(p.line) + ")";
    listUnit(out, title, *p.bytecode, p.line);
}

} // namespace

std::string listing(const Unit& unit) {
    std::string out;
    if (unit.bytecode)
        listUnit(out, "global code", *unit.bytecode, 1);
    for (const auto& p : unit.procedures)
        listProcedure(out, *p, nullptr);
    for (const auto& c : unit.classes)
        for (const auto& p : c->procedures)
            listProcedure(out, *p, c.get());
    return out;
}

} // namespace vbs
