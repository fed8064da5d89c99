#include "model/large_pages.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

constexpr std::uintptr_t kLargePage = std::uintptr_t(2) << 20;
constexpr std::size_t kLargeFrom = std::size_t(1) << 20;

std::uintptr_t RoundUp(std::uintptr_t value) {
    return (value + kLargePage - 1) & ~(kLargePage - 1);
}

}  // namespace

void AdviseLargePages(const void* data, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    // Only the whole large pages inside the buffer: the advice holds for whole pages,
    // and the memory around the buffer is not ours to advise on.
    const std::uintptr_t begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = RoundUp(begin);
    const std::uintptr_t last = (begin + bytes) & ~(kLargePage - 1);
    if (last <= first) return;
    // Advice only: where it is refused, the buffer works as before.
    ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

void* AllocateLarge(std::size_t bytes) {
    if (bytes < kLargeFrom) return ::operator new(bytes);
    if (bytes > std::numeric_limits<std::size_t>::max() - 2 * kLargePage) throw std::bad_alloc();
    // Room to start on a boundary, with the block's own start kept just in front.
    const std::size_t whole = RoundUp(bytes);
    char* const raw = static_cast<char*>(::operator new(whole + kLargePage));
    const std::uintptr_t start = RoundUp(reinterpret_cast<std::uintptr_t>(raw) + sizeof(void*));
    char* const aligned = raw + (start - reinterpret_cast<std::uintptr_t>(raw));
    std::memcpy(aligned - sizeof(void*), &raw, sizeof(void*));
    AdviseLargePages(aligned, whole);
    return aligned;
}

void FreeLarge(void* block, std::size_t bytes) {
    if (block == nullptr) return;
    if (bytes < kLargeFrom) {
        ::operator delete(block);
        return;
    }
    void* raw = nullptr;
    std::memcpy(&raw, static_cast<char*>(block) - sizeof(void*), sizeof(void*));
    ::operator delete(raw);
}
