#include "cli/DocumentArgument.h"

#include "VantorelData/format/QuenzColorFileReader.h"
#include "cli/FileArguments.h"

namespace vantorel::cli {

QuenzColorProjectPtr readDocumentArgument(CommandIO& io, const std::string& file, int& exitCode) {
    const auto contents = readInputFile(io, file, exitCode);
    if (!contents) return nullptr;
    if (!format::QuenzColorFileReader::isWellFormed(*contents)) {
        exitCode =
            fail(io, exitBadUsage, "'" + file + "' is not a Vantorel document: it is not well-formed XML");
        return nullptr;
    }
    return format::QuenzColorFileReader::read(*contents);
}

}  // namespace vantorel::cli
