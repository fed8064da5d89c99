#include "quiz/shuffle.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <random>
#include <vector>

#include "quiz/random_generator.h"

namespace {

TEST(RandomGeneratorTest, FirstDrawsAfterStart) {
    // state <- state * (0x15A * 2^32 + 0x4E35) + 1; upper half without its top bit.
    const std::uint32_t expected[] = {346, 13854878, 1621890440, 816282396, 1778554774};
    RandomGenerator generator;
    for (const std::uint32_t value : expected) EXPECT_EQ(generator.NextRandom(), value);
}

TEST(RandomGeneratorTest, DrawsComeFromTheFullStateAndClearTheTopBit) {
    struct Case {
        std::uint64_t state;
        std::uint32_t next;
    } const cases[] = {
        {0, 0},                               // 0 * a + 1 = 1: upper half 0
        {0xFFFFFFFFFFFFFFFFull, 0x7FFFFEA5},  // wraps modulo 2^64
        {0x0000000100000000ull, 0x00004E35},  // only the low word of a reaches the top
    };
    for (const Case& c : cases) {
        RandomGenerator generator(c.state);
        const std::uint32_t value = generator.NextRandom();
        EXPECT_EQ(value, c.next) << std::hex << "state " << c.state;
        EXPECT_EQ(generator.State(), c.state * RandomGenerator::kMultiplier + 1);
        EXPECT_LE(value, 0x7FFFFFFFu);
    }
}

TEST(RandomGeneratorTest, TheProgramHasOneGeneratorThatGoesOn) {
    RandomGenerator& generator = ProgramRandom();
    EXPECT_EQ(&generator, &ProgramRandom());
    RandomGenerator copy(generator.State());
    EXPECT_EQ(NextRandom(), copy.NextRandom());
    EXPECT_EQ(NextRandom(), copy.NextRandom());
    EXPECT_EQ(ProgramRandom().State(), copy.State());
}

// The shuffle exactly as the steps say, on a plain list.
std::vector<std::uint32_t> NaiveShuffle(std::uint32_t count, RandomGenerator& generator) {
    std::vector<std::uint32_t> list(count);
    std::iota(list.begin(), list.end(), 0u);
    for (std::uint32_t k = 0; k < count; ++k) {
        const std::uint32_t taken = list[k];
        list.erase(list.begin() + k);
        const std::uint32_t remaining = count - 1;
        const std::uint32_t r = remaining > 0 ? generator.NextRandom() % remaining : 0;
        list.insert(list.begin() + r, taken);
    }
    return list;
}

TEST(ShuffleOrderTest, EqualsTheStepByStepShuffleForEverySmallSize) {
    const std::uint64_t seeds[] = {1, 2, 0xDEADBEEFCAFEF00Dull, 0};
    const std::uint32_t fills[] = {0, 1, 2, 3, 7};  // small blocks force refills
    for (const std::uint64_t seed : seeds) {
        for (const std::uint32_t fill : fills) {
            for (std::uint32_t count = 0; count <= 200; ++count) {
                RandomGenerator fast(seed);
                RandomGenerator slow(seed);
                ASSERT_EQ(ShuffleOrder(count, fast, fill), NaiveShuffle(count, slow))
                    << "count " << count << " fill " << fill << " seed " << seed;
                ASSERT_EQ(fast.State(), slow.State()) << "count " << count;
            }
        }
    }
}

TEST(ShuffleOrderTest, EqualsTheStepByStepShuffleForLargerSizes) {
    std::mt19937 random(7);
    for (int round = 0; round < 6; ++round) {
        const std::uint32_t count = 1000 + random() % 9000;
        const std::uint64_t seed = (std::uint64_t{random()} << 32) | random();
        for (const std::uint32_t fill : {0u, 5u, 40u}) {
            RandomGenerator fast(seed);
            RandomGenerator slow(seed);
            ASSERT_EQ(ShuffleOrder(count, fast, fill), NaiveShuffle(count, slow))
                << "count " << count << " fill " << fill << " seed " << seed;
            ASSERT_EQ(fast.State(), slow.State());
        }
    }
}

TEST(ShuffleOrderTest, GoesOnFromWhereTheGeneratorStands) {
    RandomGenerator generator;
    const std::vector<std::uint32_t> first = ShuffleOrder(4, generator);
    const std::vector<std::uint32_t> second = ShuffleOrder(4, generator);
    EXPECT_EQ(first, (std::vector<std::uint32_t>{3, 1, 2, 0}));
    EXPECT_EQ(second, (std::vector<std::uint32_t>{3, 0, 1, 2}));
}

TEST(ShuffleOrderTest, OneEntryDrawsNothing) {
    RandomGenerator generator;
    EXPECT_EQ(ShuffleOrder(1, generator), std::vector<std::uint32_t>{0});
    EXPECT_EQ(generator.State(), 1u);
}

}  // namespace
