// The counting replacement of the global operator new. It lives in a file of its own so that the
// compiler never inlines it into a caller beside the library's own delete and takes the pair for
// a mismatch; the count is a relaxed atomic, cheap beside the allocation itself.
#include "bench/VantorelData/AllocationCount.h"

#include <cstddef>
#include <cstdlib>
#include <new>

std::atomic<long long> allocationCount{0};

void* operator new(std::size_t size) {
    allocationCount.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
