// Large buffers on large pages. Where the kernel hands out memory a 4 KiB page at a time,
// the first touch of each page costs a fault; on a virtual machine that is microseconds,
// and filling 100 MB costs a quarter of a second in faults alone. Asking for 2 MiB pages
// makes that 512 times fewer.
#pragma once

#include <cstddef>

// Advises the system to back [data, data + bytes) with large pages. Worth it only before
// the buffer is first touched, and only for buffers of megabytes; does nothing where the
// system has no such advice.
void AdviseLargePages(const void* data, std::size_t bytes);
