#include "tests/HeapAllocationCounter.h"

#include <atomic>
#include <cerrno>
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define TARN_SANITIZER_OWNS_MALLOC 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define TARN_SANITIZER_OWNS_MALLOC 1
#endif
#endif

namespace {

std::atomic<std::uint64_t> gAllocations {0};

void countAllocation()
{
    gAllocations.fetch_add(1, std::memory_order_relaxed);
}

} // namespace

std::uint64_t tarn::heapAllocationCount()
{
    return gAllocations.load(std::memory_order_relaxed);
}

#ifdef TARN_SANITIZER_OWNS_MALLOC

// The sanitizer must see every block it is asked to free, so malloc stays its own; its allocator
// calls these hooks on every allocation and release instead.
extern "C" int __sanitizer_install_malloc_and_free_hooks(
    void (*mallocHook)(const volatile void*, std::size_t), void (*freeHook)(const volatile void*));

namespace {

// Installed before main, so that every allocation of a test is seen. A counter that failed to
// install counts nothing, which a test notices by checking that an allocation of its own is counted.
[[maybe_unused]] const int gHooksInstalled = __sanitizer_install_malloc_and_free_hooks(
    [](const volatile void*, std::size_t) { countAllocation(); }, [](const volatile void*) {});

} // namespace

#else

extern "C" {

void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* memory, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);

void* malloc(std::size_t size)
{
    countAllocation();
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size)
{
    countAllocation();
    return __libc_calloc(count, size);
}

void* realloc(void* memory, std::size_t size)
{
    countAllocation();
    return __libc_realloc(memory, size);
}

void* aligned_alloc(std::size_t alignment, std::size_t size)
{
    countAllocation();
    return __libc_memalign(alignment, size);
}

void* memalign(std::size_t alignment, std::size_t size)
{
    countAllocation();
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** memory, std::size_t alignment, std::size_t size)
{
    countAllocation();
    *memory = __libc_memalign(alignment, size);
    return *memory == nullptr ? ENOMEM : 0;
}

} // extern "C"

#endif
