#include "cli/DocumentArgument.h"

#include "Vantorel/platform/AtomicFile.h"
#include "VantorelData/format/QuenzColorFileReader.h"

namespace vantorel::cli {

QuenzColorProjectPtr readDocumentArgument(CommandIO& io, const std::string& file, int& exitCode) {
    const auto contents = platform::readWholeFile(file);
    if (contents.error) {
        exitCode = fail(io, exitBadUsage, contents.error->message);
        return nullptr;
    }
    if (!format::QuenzColorFileReader::isWellFormed(contents.bytes)) {
        exitCode =
            fail(io, exitBadUsage, "'" + file + "' is not a Vantorel document: it is not well-formed XML");
        return nullptr;
    }
    return format::QuenzColorFileReader::read(contents.bytes);
}

}  // namespace vantorel::cli
