#pragma once
// The two ways the document reader reads a whole document. The flat reader takes the plain XML
// that documents are written in straight into the model; whatever it refuses, pugixml parses,
// with every rule and decision of its own. Both feed the same element readers, so a document
// gives the same project either way; tests and the differential fuzz target hold them to it.

#include <cstddef>
#include <string_view>

#include "VantorelData/model/Project.h"

namespace vantorel::format {

// The project of bytes in the plain subset; null when they hold anything outside it.
QuenzColorProjectPtr readPlainDocument(std::string_view bytes);

// The project of bytes parsed by pugixml; null when they are not well-formed XML.
QuenzColorProjectPtr readDocumentThroughLibrary(std::string_view bytes);

// How many documents each way has read in this process.
struct DocumentReadCounts {
    std::size_t plain = 0;
    std::size_t library = 0;
};
DocumentReadCounts documentReadCounts();

}  // namespace vantorel::format
