// A call frame: the storage of one procedure call (or of one run of global code) and the
// state that belongs to it — its slots, its class instance, On Error Resume Next, the
// With objects. FrameScope makes a frame current and restores the previous one however
// the call ends, which is what lets a host call back into a running engine.
#pragma once

#include "vbscript/interpreter.h"

namespace vbs {

struct Interpreter::Frame {
    // Slot i points at storage[i], or at the caller's variable for a ByRef parameter.
    std::vector<Value*> slots;
    std::vector<Value> storage;
    const Procedure* proc = nullptr;
    ClassInstance* me = nullptr;
    bool resumeNext = false;
    bool explicitNames = false;
    std::vector<Value> withObjects;
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

} // namespace vbs
