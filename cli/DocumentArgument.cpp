#include "cli/DocumentArgument.h"

#include "VantorelData/format/QuenzColorFileReader.h"
#include "cli/FileArguments.h"

namespace vantorel::cli {

QuenzColorProjectPtr readDocumentArgument(CommandIO& io, const std::string& file, int& exitCode) {
    const auto contents = readInputFile(io, file, exitCode);
    if (!contents) return nullptr;
    auto project = format::QuenzColorFileReader::readWellFormed(*contents);
    if (!project) {
        exitCode =
            fail(io, exitBadUsage, "'" + file + "' is not a Vantorel document: it is not well-formed XML");
    }
    return project;
}

}  // namespace vantorel::cli
