#include "Vantorel/build/OutputBuffer.h"

#include <cstddef>
#include <utility>

namespace vantorel::build {

namespace {

// Well above the largest output of a ten-thousand-item document; a larger buffer goes back.
constexpr std::size_t keptCapacityLimit = std::size_t{32} << 20;

std::string& keptBuffer() {
    thread_local std::string kept;
    return kept;
}

}  // namespace

std::string takeOutputBuffer() {
    std::string text = std::move(keptBuffer());
    keptBuffer() = std::string();
    text.clear();
    return text;
}

void keepOutputBuffer(std::string text) {
    if (text.capacity() > keptCapacityLimit || text.capacity() <= keptBuffer().capacity()) return;
    keptBuffer() = std::move(text);
}

}  // namespace vantorel::build
