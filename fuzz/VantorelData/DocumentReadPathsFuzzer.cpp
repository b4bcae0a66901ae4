// Any bytes read both ways, by the flat reader and by pugixml: whatever the flat reader takes,
// pugixml must take too and give a project that saves to the same bytes.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "tests/VantorelData/ReadPathComparison.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto outcome = vantorel::format::testing::compareReadPaths(bytes);
    if (!outcome.difference.empty()) {
        std::fprintf(stderr, "%s\n", outcome.difference.c_str());
        std::abort();
    }
    return 0;
}
