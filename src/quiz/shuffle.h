// The Random Test's shuffle, computed on positions rather than on records: for k = 1..N
// the entry at position k is taken out and put back at r + 1, r = NextRandom() mod (N-1).
#pragma once

#include <cstdint>
#include <vector>

#include "quiz/random_generator.h"

// The shuffled order as 0-based positions of the set: entry i of the result is the
// position whose record comes i-th. Draws N numbers for N >= 2 and none for N <= 1.
// Each step finds its positions in O(log N) and moves at most one block of positions (a
// few hundred), instead of the O(N) record moves of doing it on a list of records.
std::vector<std::uint32_t> ShuffleOrder(std::uint32_t count, RandomGenerator& generator);

// The same with a chosen block size of the list it works on (0: chosen from `count`).
// Any size gives the same order; tests use small ones to exercise block handling.
std::vector<std::uint32_t> ShuffleOrder(std::uint32_t count, RandomGenerator& generator,
                                        std::uint32_t blockFill);
