// A call frame: the storage of one procedure call (or of one run of global code) and the
// state that belongs to it — its slots, its class instance, On Error Resume Next, the
// With objects. FrameScope makes a frame current and restores the previous one however
// the call ends, which is what lets a host call back into a running engine. PooledFrame
// reuses the frames of finished calls.
#pragma once

#include "vbscript/interpreter.h"

namespace vbs {

struct Interpreter::Frame {
    // Empties the frame for its next call, keeping the vectors' room.
    void reset() {
        storage.clear();
        slots.clear();
        withObjects.clear();
        proc = nullptr;
        me = nullptr;
        resumeNext = false;
        explicitNames = false;
    }

    // Slot i points at storage[i], or at the caller's variable for a ByRef parameter.
    std::vector<Value*> slots;
    std::vector<Value> storage;
    const Procedure* proc = nullptr;
    ClassInstance* me = nullptr;
    bool resumeNext = false;
    bool explicitNames = false;
    std::vector<Value> withObjects;
};

// A procedure call's frame, taken from the interpreter's spare frames and handed back
// empty when the call ends, so that a call allocates nothing once the spares have room.
class Interpreter::PooledFrame {
public:
    explicit PooledFrame(Interpreter& interp) : interp_(interp) {
        if (interp.spareFrames_.empty()) {
            frame_ = std::make_unique<Frame>();
        } else {
            frame_ = std::move(interp.spareFrames_.back());
            interp.spareFrames_.pop_back();
        }
    }
    ~PooledFrame() {
        // Emptying may run Class_Terminate, which may call procedures and take frames.
        frame_->reset();
        if (interp_.spareFrames_.size() < kMaxSpareFrames)
            interp_.spareFrames_.push_back(std::move(frame_));
    }
    PooledFrame(const PooledFrame&) = delete;
    PooledFrame& operator=(const PooledFrame&) = delete;
    Frame& operator*() const { return *frame_; }

private:
    // Enough for the deepest recursion of a typical script; deeper ones allocate.
    static constexpr std::size_t kMaxSpareFrames = 256;
    Interpreter& interp_;
    std::unique_ptr<Frame> frame_;
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
