#pragma once
// The document read both ways, the flat reader and pugixml, and saved again: where the flat
// reader takes the bytes, both must give the same saved bytes, or the same error. Shared by the
// format tests and the differential fuzz target.

#include <string>
#include <string_view>

#include "VantorelData/format/DocumentReadPaths.h"
#include "VantorelData/format/QuenzColorFileWriter.h"

namespace vantorel::format::testing {

// The saved bytes, with identifiers that reading mints (aliases always get one, items and tasks
// stored without one too) replaced by a mark, since those differ on every read.
inline std::string comparableSave(const QuenzColorProject& project, std::string_view input) {
    const auto written = QuenzColorFileWriter::write(project);
    if (written.error) return "error: " + written.error->message;
    constexpr std::string_view open = "<id>";
    constexpr std::size_t uuidLength = 36;
    std::string bytes = written.bytes;
    for (std::size_t at = bytes.find(open); at != std::string::npos; at = bytes.find(open, at + 1)) {
        const std::size_t start = at + open.size();
        if (start + uuidLength > bytes.size() || bytes.compare(start + uuidLength, 5, "</id>") != 0) continue;
        if (input.find(std::string_view(bytes).substr(start, uuidLength)) != std::string_view::npos) continue;
        bytes.replace(start, uuidLength, "minted");
    }
    return bytes;
}

struct ReadPathOutcome {
    bool plainTook = false;
    std::string difference;  // empty when both ways agree
};

inline ReadPathOutcome compareReadPaths(std::string_view bytes) {
    ReadPathOutcome outcome;
    const auto plain = readPlainDocument(bytes);
    outcome.plainTook = plain != nullptr;
    if (!plain) return outcome;  // pugixml reads these bytes, as it always did
    const auto library = readDocumentThroughLibrary(bytes);
    if (!library) {
        outcome.difference = "the flat reader took bytes that pugixml refuses";
        return outcome;
    }
    const std::string fromPlain = comparableSave(*plain, bytes);
    const std::string fromLibrary = comparableSave(*library, bytes);
    if (fromPlain != fromLibrary) {
        // Where they part, with a little of what comes before.
        std::size_t at = 0;
        while (at < fromPlain.size() && at < fromLibrary.size() && fromPlain[at] == fromLibrary[at]) ++at;
        const std::size_t from = at > 60 ? at - 60 : 0;
        outcome.difference = "saved bytes differ\n--- flat reader:\n" + fromPlain.substr(from, 160) +
                             "\n--- pugixml:\n" + fromLibrary.substr(from, 160);
    }
    return outcome;
}

}  // namespace vantorel::format::testing
