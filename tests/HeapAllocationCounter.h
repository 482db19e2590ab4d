#pragma once

// Counts the heap allocations of the whole process. A program that counts links
// tests/HeapAllocationCounter.cpp, which replaces the C allocation functions (operator new, the C++
// library and fmt all end in malloc) or, under a sanitizer whose allocator owns malloc, listens to
// that allocator instead. Counting is process-wide: count only while no other thread is busy, and
// give the counting code a program of its own so that other tests keep the system's malloc.

#include <cstdint>

namespace tarn {

// Allocations since the program started.
std::uint64_t heapAllocationCount();

} // namespace tarn
