// Any bytes read as pasteboard data without a crash, and what is read can be pasted and copied
// again: every read item that can be written comes back from its own payload.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "Vantorel/editing/PasteboardPayload.h"
#include "VantorelData/format/QuenzColorFileWriter.h"

using namespace vantorel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view payload(reinterpret_cast<const char*>(data), size);
    QuenzColorProject project;
    const std::vector<ProjectItemPtr> items = pasteboard::readItems(payload, project);
    if (items.empty()) return 0;

    project.insert(items);
    project.linkReferences();
    (void)pasteboard::describeItems(items);

    std::size_t writable = 0;
    for (const ProjectItemPtr& item : items) {
        if (format::QuenzColorFileWriter::itemText(*item)) ++writable;
    }
    const auto again = pasteboard::encodeItems(items);
    if (!again) std::abort();
    if (pasteboard::readItems(*again, project).size() != writable) std::abort();
    return 0;
}
