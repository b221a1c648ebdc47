// The frame stack: regions handed out in call order, slots that point at their own
// values while free, storage that never moves, and emptying that may push more calls.
#include "vbscript/frame_stack.h"

#include "vbscript/host_object.h"

#include <gtest/gtest.h>

namespace vbs {
namespace {

void expectFresh(const FrameStack::Region& r) {
    for (std::size_t i = 0; i < r.size; ++i) {
        EXPECT_EQ(r.pointers[i], &r.values[i]) << "slot " << i;
        EXPECT_TRUE(r.values[i].isEmpty()) << "slot " << i;
    }
}

TEST(FrameStack, RegionsFollowEachOtherAndComeBackFresh) {
    FrameStack stack;
    auto outer = stack.push(3, 3);
    auto inner = stack.push(2, 2);
    EXPECT_EQ(inner.values, outer.values + 3);
    expectFresh(inner);

    Value caller = Value::longValue(7);
    inner.pointers[0] = &caller; // a ByRef parameter
    inner.values[1] = Value::string(u"text");
    stack.pop(inner);
    expectFresh(inner);

    EXPECT_EQ(stack.push(2, 2).values, inner.values) << "the room is used again";
}

TEST(FrameStack, StorageNeverMovesWhenTheStackGrows) {
    FrameStack stack;
    auto first = stack.push(10000, 10000);
    first.values[0] = Value::longValue(1);
    Value* held = &first.values[0];
    // These no longer fit beside the first: they go to new chunks, one of them bigger
    // than a chunk.
    auto second = stack.push(10000, 10000);
    auto huge = stack.push(50000, 50000);
    EXPECT_NE(second.values, first.values + 10000);
    expectFresh(huge);
    EXPECT_EQ(held, &first.values[0]);
    EXPECT_EQ(held->asLong(), 1);

    stack.pop(huge);
    stack.pop(second);
    // Back in the first chunk; a frame too big for the next chunk gets one that fits.
    auto again = stack.push(30000, 30000);
    expectFresh(again);
    again.values[29999] = Value::longValue(2);
    stack.pop(again);
    stack.pop(first);
    EXPECT_EQ(stack.push(1, 1).values, first.values);
}

// An object whose going makes a call of its own, as Class_Terminate does.
class CallsWhenGone : public HostObject {
public:
    CallsWhenGone(FrameStack& stack, Value** seen) : stack_(stack), seen_(seen) {}
    ~CallsWhenGone() override {
        auto r = stack_.push(2, 2);
        *seen_ = r.values;
        r.values[0] = Value::longValue(3);
        stack_.pop(r);
    }
    Value getProperty(std::u16string_view, std::span<Value>) override { return {}; }
    std::u16string typeName() const override { return u"CallsWhenGone"; }

private:
    FrameStack& stack_;
    Value** seen_;
};

TEST(FrameStack, EmptyingARegionMayPushAboveIt) {
    FrameStack stack;
    auto r = stack.push(4, 4);
    Value* seen = nullptr;
    r.values[1] = Value::object(makeRef<CallsWhenGone>(stack, &seen));
    stack.pop(r);
    EXPECT_EQ(seen, r.values + 4) << "the call made while emptying went above the region";
    expectFresh(r);
    EXPECT_EQ(stack.push(4, 4).values, r.values);
}

} // namespace
} // namespace vbs
