// Any bytes as a Figma file: a ZIP archive when they start with "PK", else the "canvas.fig"
// entry itself (so that mutations reach the chunks past the archive's checksums). Import fails
// or succeeds; it never crashes, hangs or inflates past its limit.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Vantorel/import/FigmaImporter.h"
#include "Vantorel/platform/Log.h"

using namespace vantorel;

// Every chunk that is not DEFLATE logs a line; a fuzzer makes millions.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    platform::setLogSink([](std::string_view, std::string_view) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(bytes), size);
    constexpr std::size_t limit = 16 << 20;
    QuenzColorGroup group;
    if (file.substr(0, 2) == "PK") {
        (void)import::FigmaImporter::importBytes(file, group, limit);
    } else {
        (void)import::FigmaImporter::importCanvas(file, group, limit);
    }
    return 0;
}
