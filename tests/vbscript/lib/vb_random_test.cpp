// Tests of Rnd and Randomize: the language's generator and its reseeding rules.
#include "vbscript/lib/vb_random.h"

#include <gtest/gtest.h>

using namespace vbs::lib;

namespace {

TEST(VbRandom, StartsWithTheLanguagesSequence) {
    VbRandom random;
    EXPECT_FLOAT_EQ(random.next(), 0.7055475f);
    EXPECT_FLOAT_EQ(random.next(), 0.533424f);
    EXPECT_FLOAT_EQ(random.rnd(1), 0.5795186f);
}

TEST(VbRandom, ZeroRepeatsTheLastNumber) {
    VbRandom random;
    EXPECT_FLOAT_EQ(random.rnd(0), 327680.0f / 16777216.0f);
    const float first = random.next();
    EXPECT_EQ(random.rnd(0), first);
    EXPECT_EQ(random.rnd(0), first);
}

TEST(VbRandom, NegativeNumberRestartsFromIt) {
    VbRandom random;
    EXPECT_FLOAT_EQ(random.rnd(-1), 0.2240070f);
    random.next();
    EXPECT_FLOAT_EQ(random.rnd(-1), 0.2240070f);
    const float afterSeven = random.rnd(-7);
    VbRandom other;
    other.next();
    EXPECT_EQ(other.rnd(-7), afterSeven);
    const float next = random.next();
    EXPECT_EQ(other.next(), next);
}

TEST(VbRandom, NumbersStayWithinZeroAndOne) {
    VbRandom random;
    for (int i = 0; i < 100000; ++i) {
        const float value = random.next();
        ASSERT_GE(value, 0.0f);
        ASSERT_LT(value, 1.0f);
    }
}

TEST(VbRandom, RandomizeKeepsTheLowByte) {
    VbRandom a;
    VbRandom b;
    a.randomize(42);
    b.randomize(42);
    EXPECT_EQ(a.state(), b.state());
    EXPECT_EQ(a.state() & 0xFF, VbRandom::kInitialSeed & 0xFF);
    EXPECT_LT(a.state(), 1u << 24);
    b.randomize(43);
    EXPECT_NE(a.state(), b.state());
}

TEST(VbRandom, NegativeRndThenRandomizeRepeatsTheSequence) {
    VbRandom a;
    VbRandom b;
    b.next();
    b.next();
    a.rnd(-3);
    a.randomize(10);
    b.rnd(-3);
    b.randomize(10);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(a.next(), b.next());
}

TEST(VbRandom, RandomizeFromTimerKeepsStateInRange) {
    VbRandom random;
    random.randomizeFromTimer();
    EXPECT_LT(random.state(), 1u << 24);
}

} // namespace
