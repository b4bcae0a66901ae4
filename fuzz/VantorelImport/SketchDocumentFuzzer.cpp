// Any bytes as a Sketch document: as the archive itself, and as "document.json" whose every
// page is the same bytes. Reading never crashes and fails only with a message.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "Vantorel/import/SketchImporter.h"

using namespace vantorel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    QuenzColorGroup group;
    (void)import::SketchImporter::importArchive(bytes, group);
    (void)import::SketchImporter::readColors([&](const std::string&) {
        return import::ZipArchiveReader::Entry{import::ZipArchiveReader::EntryStatus::read, std::string(bytes)};
    });
    return 0;
}
