#include "heap_count.h"

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <new>

#if defined(__GNUC__) && !defined(__clang__)
// The replaced operator delete frees with free() what the replaced operator new took from
// malloc(); GCC cannot see that pairing once it inlines them.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

namespace heap {
bool counting = false;
std::int64_t live = 0;
std::int64_t peak = 0;

void Start() {
    live = peak = 0;
    counting = true;
}
void Stop() { counting = false; }
}  // namespace heap

void* operator new(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) throw std::bad_alloc();
    if (heap::counting) {
        heap::live += static_cast<std::int64_t>(malloc_usable_size(block));
        heap::peak = std::max(heap::peak, heap::live);
    }
    return block;
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* block) noexcept {
    if (block != nullptr && heap::counting) {
        heap::live -= static_cast<std::int64_t>(malloc_usable_size(block));
    }
    std::free(block);
}
void operator delete[](void* block) noexcept { operator delete(block); }
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }
void operator delete[](void* block, std::size_t) noexcept { operator delete(block); }
