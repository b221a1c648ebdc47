// A call frame: the state that belongs to one procedure call (or to one run of global
// code) — its slots, its class instance, On Error Resume Next, the With objects. The
// slots live on the interpreter's frame stack (CallStorage); FrameScope makes a frame
// current and restores the previous one however the call ends, which is what lets a host
// call back into a running engine.
#pragma once

#include "vbscript/bytecode.h"
#include "vbscript/class_instance.h"
#include "vbscript/interpreter.h"

namespace vbs {

struct Interpreter::Frame {
    // Slot i points at the call's own storage, or at the caller's variable for a ByRef
    // parameter; the temporaries of the compact form follow. Global code has no slots of
    // its own (slotCount 0), only temporaries.
    Value** slots = nullptr;
    std::size_t slotCount = 0;
    const Procedure* proc = nullptr;
    ClassInstance* me = nullptr;
    bool resumeNext = false;
    bool explicitNames = false;
    std::vector<Value> withObjects;

    // Makes this the frame of a call of `p` whose slots are `region`.
    void enter(const Procedure& p, ClassInstance* object, const FrameStack::Region& region) {
        slots = region.pointers;
        slotCount = region.size;
        proc = &p;
        me = object;
        resumeNext = false;
        explicitNames = p.explicitNames;
        for (const auto& [slot, value] : p.constants)
            *slots[slot] = value;
    }
};

// The frame of a call the compact form runs in its own loop (interpreter_bytecode.cpp):
// also what the loop needs to go back to the caller.
struct Interpreter::LoopFrame : Frame {
    Frame* caller = nullptr;
    const Bytecode* callerCode = nullptr;
    FrameStack::Region region;
    const Instruction* returnTo = nullptr; // the caller's next instruction
    std::int32_t resultRegister = -1;      // the caller's for the result, if it wants one (>= 0)
    // The object whose method this is, alive for the call: held by the caller's temporary
    // `object`, emptied after the call, or else by `keepAlive`. Both null in a frame not
    // in use.
    Ref<HostObject> keepAlive;
    Value* object = nullptr;
};

// A call's room on the frame stack, given back emptied however the call ends.
class Interpreter::CallStorage {
public:
    CallStorage(Interpreter& interp, const Procedure& p)
        : CallStorage(interp, *p.bytecode, p.params.size()) {}
    // `bindable` slots first, which a caller's variables may stand for.
    CallStorage(Interpreter& interp, const Bytecode& bc, std::size_t bindable)
        : stack_(interp.frameStack_),
          region_(stack_.push(static_cast<std::size_t>(bc.registers), bindable)) {}
    ~CallStorage() { stack_.pop(region_); }
    CallStorage(const CallStorage&) = delete;
    CallStorage& operator=(const CallStorage&) = delete;
    const FrameStack::Region& region() const { return region_; }

private:
    FrameStack& stack_;
    FrameStack::Region region_;
};

class Interpreter::FrameScope {
public:
    FrameScope(Interpreter& interp, Frame& frame) : interp_(interp), saved_(interp.frame_) {
        interp_.frame_ = &frame;
        ++interp_.depth_;
    }
    ~FrameScope() {
        interp_.frame_ = saved_;
        --interp_.depth_;
    }
    FrameScope(const FrameScope&) = delete;
    FrameScope& operator=(const FrameScope&) = delete;

private:
    Interpreter& interp_;
    Frame* saved_;
};

inline void Interpreter::copyByValArguments(const Procedure& p, const FrameStack::Region& region) {
    if (!p.anyByVal)
        return;
    for (std::size_t i = 0; i < p.params.size(); ++i) {
        if (p.params[i].byVal && region.pointers[i] != &region.values[i]) {
            region.values[i] = *region.pointers[i];
            region.pointers[i] = &region.values[i];
        }
    }
}

} // namespace vbs
