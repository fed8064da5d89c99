// The random generator of the Random Test: one 64-bit linear congruential generator for
// the whole program run, never reseeded, so the first test after a start always gives
// the same order.
#pragma once

#include <cstdint>

class RandomGenerator {
  public:
    static constexpr std::uint64_t kMultiplier = (std::uint64_t{0x15A} << 32) + 0x4E35;

    explicit RandomGenerator(std::uint64_t seed = 1) : state(seed) {}

    // A number from 0 to 2^31 - 1: the upper half of the new state, top bit cleared.
    std::uint32_t NextRandom() {
        state = state * kMultiplier + 1;  // unsigned: wraps modulo 2^64
        return static_cast<std::uint32_t>(state >> 32) & 0x7FFFFFFFu;
    }

    std::uint64_t State() const { return state; }

  private:
    std::uint64_t state;
};

// The program-wide instance; its state goes on from one Random Test to the next.
RandomGenerator& ProgramRandom();
