// Any bytes as an SVG drawing: reading never crashes and fails only without a root element.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Vantorel/import/SVGImporter.h"

using namespace vantorel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QuenzColorGroup group;
    (void)import::SVGImporter::importText(std::string_view(reinterpret_cast<const char*>(data), size), group);
    (void)import::SVGStyleSheet::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
