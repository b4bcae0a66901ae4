// Any bytes as a design-token file, read both as documented and leniently: reading never
// crashes, and every item it makes can be written into a document.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "Vantorel/import/JsonDesignImporter.h"
#include "VantorelData/format/QuenzColorFileWriter.h"

using namespace vantorel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const bool lenient : {false, true}) {
        auto group = std::make_shared<QuenzColorGroup>();
        if (import::JsonDesignImporter(import::ImportOptions{lenient}).importText(text, *group)) continue;
        QuenzColorProject project;
        project.setItems({QuenzColorProjectItem::make("Import", group)});
        project.linkReferences();
        const auto written = format::QuenzColorFileWriter::write(project);
        // Text that came from valid JSON is valid UTF-8, so the document always encodes.
        if (written.error) std::abort();
    }
    return 0;
}
