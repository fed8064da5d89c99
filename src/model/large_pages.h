// Large buffers on large pages. Where the kernel hands out memory a 4 KiB page at a time,
// the first touch of each page costs a fault; on a virtual machine that is microseconds,
// and filling 100 MB costs a quarter of a second in faults alone. Asking for 2 MiB pages
// makes that 512 times fewer.
#pragma once

#include <cstddef>

// Advises the system to back the whole 2 MiB pages inside [data, data + bytes) with large
// pages. Worth it only before the buffer is first touched; does nothing where the system
// has no such advice.
void AdviseLargePages(const void* data, std::size_t bytes);

// From a megabyte on, a block that starts on a 2 MiB boundary and is advised onto large
// pages; below, plain operator new. Either comes from operator new, the large one with up
// to 4 MiB more address space that is never touched. Throws std::bad_alloc.
void* AllocateLarge(std::size_t bytes);
void FreeLarge(void* block, std::size_t bytes);

// For the few big arrays of a question set.
template <typename T>
struct LargePageAllocator {
    using value_type = T;

    LargePageAllocator() = default;
    template <typename U>
    LargePageAllocator(const LargePageAllocator<U>&) {}  // NOLINT(google-explicit-constructor)

    T* allocate(std::size_t n) { return static_cast<T*>(AllocateLarge(n * sizeof(T))); }
    void deallocate(T* block, std::size_t n) { FreeLarge(block, n * sizeof(T)); }

    template <typename U>
    bool operator==(const LargePageAllocator<U>&) const {
        return true;
    }
    template <typename U>
    bool operator!=(const LargePageAllocator<U>&) const {
        return false;
    }
};
