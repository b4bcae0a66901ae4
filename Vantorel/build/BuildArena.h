#pragma once
// Memory for the short-lived records of one export or build. Ten thousand items make tens of
// thousands of small records (and a few large tables) that all die together when the export
// ends: they are carved out of a few large blocks and released at once. The blocks themselves
// are kept by the thread for the next export (up to a bound), so that the next task or build
// reuses pages already mapped instead of giving them back to the system and faulting them in
// again.

#include <cstddef>
#include <memory>
#include <memory_resource>
#include <utility>

namespace vantorel::build {

class BuildArena {
public:
    BuildArena();
    BuildArena(const BuildArena&) = delete;
    BuildArena& operator=(const BuildArena&) = delete;

    std::pmr::memory_resource* resource() { return &buffer_; }

private:
    std::pmr::monotonic_buffer_resource buffer_;
};

// A record in `memory` (the heap when null), held like any other shared record.
template <class R, class... Args>
std::shared_ptr<const R> makeRecord(std::pmr::memory_resource* memory, Args&&... args) {
    if (!memory) return std::make_shared<const R>(std::forward<Args>(args)...);
    return std::allocate_shared<R>(std::pmr::polymorphic_allocator<R>(memory), std::forward<Args>(args)...);
}

}  // namespace vantorel::build
