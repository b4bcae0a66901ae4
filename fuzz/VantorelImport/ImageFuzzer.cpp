// Any bytes as a PNG, JPEG or WebP image: decoding and counting never crash, and a header that
// claims a huge picture is refused or fails quickly.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "Vantorel/import/ImageImporter.h"

using namespace vantorel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<import::ImportedColor> records;
    (void)import::ImageImporter::importImage(std::string_view(reinterpret_cast<const char*>(data), size), records);
    return 0;
}
