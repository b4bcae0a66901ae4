// Any bytes as a color set's "Contents.json", and as one component text.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Vantorel/import/AssetCatalogImporter.h"

using namespace vantorel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)import::AssetCatalogImporter::colorSetItem("Fuzz", bytes);
    (void)import::AssetCatalogImporter::componentValue(bytes, size % 2 == 0);
    return 0;
}
