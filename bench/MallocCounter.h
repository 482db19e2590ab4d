#pragma once

// Counts every heap allocation of the process, by replacing the C allocation functions (operator
// new, the C++ library and fmt all end in malloc). Include in exactly one file of a benchmark
// program. Counting is process-wide: benchmarks using it run without other busy threads.

#include <atomic>
#include <cstddef>
#include <cstdint>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* memory, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
}

namespace tarn::bench {

inline std::atomic<std::uint64_t> gMallocCalls {0};

} // namespace tarn::bench

extern "C" {

void* malloc(std::size_t size)
{
    tarn::bench::gMallocCalls.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size)
{
    tarn::bench::gMallocCalls.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}

void* realloc(void* memory, std::size_t size)
{
    tarn::bench::gMallocCalls.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(memory, size);
}

void* aligned_alloc(std::size_t alignment, std::size_t size)
{
    tarn::bench::gMallocCalls.fetch_add(1, std::memory_order_relaxed);
    return __libc_memalign(alignment, size);
}

void* memalign(std::size_t alignment, std::size_t size)
{
    tarn::bench::gMallocCalls.fetch_add(1, std::memory_order_relaxed);
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** memory, std::size_t alignment, std::size_t size)
{
    tarn::bench::gMallocCalls.fetch_add(1, std::memory_order_relaxed);
    *memory = __libc_memalign(alignment, size);
    return *memory == nullptr ? 12 /* ENOMEM */ : 0;
}

} // extern "C"
