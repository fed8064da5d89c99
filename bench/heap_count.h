// Heap accounting for the benchmarks' --memory runs: the program that links heap_count.cpp
// replaces operator new and delete, which then count the bytes handed out while counting is
// on, net of those given back, and their high-water mark.
#pragma once

#include <cstdint>

namespace heap {
extern bool counting;
extern std::int64_t live;
extern std::int64_t peak;

void Start();
void Stop();
}  // namespace heap
