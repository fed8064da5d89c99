#include "quiz/shuffle.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

#include "quiz/random_generator.h"

namespace {

using Order = std::vector<std::uint32_t>;

// state <- state * (0x15A * 2^32 + 0x4E35) + 1; a draw is the upper half without its top bit.
TEST(RandomGeneratorTest, DrawsFromAState) {
    struct Case {
        std::uint64_t state;
        Order draws;
    } const cases[] = {
        {1, {346, 13854878, 1621890440, 816282396, 1778554774}},  // the first after a start
        {0xFFFFFFFFFFFFFFFFull, {0x7FFFFEA5}},  // wraps modulo 2^64, top bit cleared
        {0x0000000100000000ull, {0x00004E35}},  // only the low word of a reaches the top
    };
    for (const Case& c : cases) {
        RandomGenerator generator(c.state);
        for (const std::uint32_t draw : c.draws) EXPECT_EQ(generator.NextRandom(), draw) << c.state;
    }
}

// The shuffle exactly as the steps say, on a plain list.
Order NaiveShuffle(std::uint32_t count, RandomGenerator& generator) {
    Order list(count);
    std::iota(list.begin(), list.end(), 0u);
    for (std::uint32_t k = 0; k < count; ++k) {
        const std::uint32_t taken = list[k];
        list.erase(list.begin() + k);
        const std::uint32_t r = count > 1 ? generator.NextRandom() % (count - 1) : 0;
        list.insert(list.begin() + r, taken);
    }
    return list;
}

// Same order and same draws as the step-by-step shuffle, for every small size and some
// large ones, with small blocks that force the list to be laid out again.
TEST(ShuffleOrderTest, EqualsTheStepByStepShuffle) {
    Order counts(201);
    std::iota(counts.begin(), counts.end(), 0u);
    counts.insert(counts.end(), {1009, 4096, 9973});
    for (const std::uint64_t seed : {1ull, 2ull, 0xDEADBEEFCAFEF00Dull, 0ull}) {
        for (const std::uint32_t fill : {0u, 1u, 3u, 7u, 40u}) {
            for (const std::uint32_t count : counts) {
                RandomGenerator fast(seed);
                RandomGenerator slow(seed);
                const Order order = ShuffleOrder(count, fast, fill);
                ASSERT_EQ(order, NaiveShuffle(count, slow))
                    << "count " << count << " fill " << fill << " seed " << seed;
                ASSERT_EQ(fast.State(), slow.State()) << "count " << count;
                // Whatever the draws, the last question never ends last.
                ASSERT_TRUE(count < 2 || order.back() != count - 1) << "count " << count;
            }
        }
    }
}

}  // namespace
