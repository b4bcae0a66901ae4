// `vantorel save FILE [-o OUT]`: reads a document and writes it back in this version's form,
// atomically, in place or to another file. Bytes that are not a document would read as an empty
// project, so they are never overwritten, neither the input nor an existing output.

#include <CLI/CLI.hpp>

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include "Vantorel/platform/AtomicFile.h"
#include "Vantorel/shell/DocumentFile.h"
#include "VantorelData/format/QuenzColorFileReader.h"
#include "VantorelData/format/QuenzColorFileWriter.h"
#include "cli/CommandRegistry.h"
#include "cli/FileArguments.h"

namespace vantorel::cli {
namespace {

struct SaveArguments {
    std::string file;
    std::string output;
};

int runSave(CommandIO& io, const SaveArguments& args) {
    int exitCode = exitSuccess;
    const auto contents = readInputFile(io, args.file, exitCode);
    if (!contents) return exitCode;
    if (!shell::isDocument(*contents)) {
        return fail(io, exitBadUsage, "'" + args.file + "' is not a Vantorel document; it was left unchanged");
    }
    const std::string& target = args.output.empty() ? args.file : args.output;
    if (const auto problem = outputFileProblem(target)) return fail(io, exitBadUsage, *problem);
    const auto project = format::QuenzColorFileReader::read(*contents);
    const auto written = format::QuenzColorFileWriter::write(*project);
    if (written.error) return fail(io, exitJobFailed, "cannot save '" + args.file + "': " + written.error->message);

    if (!args.output.empty() && std::filesystem::exists(target)) {
        const auto existing = platform::readWholeFile(target);
        if (existing.error) return fail(io, exitBadUsage, existing.error->message);
        if (!shell::mayBeReplacedByDocument(existing.bytes)) {
            return fail(io, exitBadUsage, "'" + target + "' is not a Vantorel document; it was left unchanged");
        }
    }
    if (const auto error = platform::writeFileAtomically(target, written.bytes)) {
        return fail(io, exitJobFailed, error->message);
    }
    io.out << "Saved " << target << '\n';
    return exitSuccess;
}

const CommandRegistration registration{Command{
    "save",
    "Read a document and write it back in this version's form",
    12,
    [](CLI::App& app) -> CommandRunner {
        auto args = std::make_shared<SaveArguments>();
        app.add_option("FILE", args->file, "The document to read")->required();
        app.add_option("-o,--output", args->output, "Write to this file instead of replacing FILE");
        app.footer("The file is replaced atomically: readers see the old document or the new one, never a mix.");
        return [args](CommandIO& io) { return runSave(io, *args); };
    },
}};

}  // namespace
}  // namespace vantorel::cli
