// `vantorel new FILE [--force]`: a new document, a copy of the default document that ships in
// the resources. An existing file is only replaced when asked to.

#include <CLI/CLI.hpp>

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <system_error>

#include "Vantorel/platform/AtomicFile.h"
#include "cli/CommandRegistry.h"
#include "cli/FileArguments.h"

namespace vantorel::cli {
namespace {

struct NewArguments {
    std::string file;
    bool force = false;
};

std::filesystem::path defaultDocumentPath() {
    return std::filesystem::path(VANTOREL_RESOURCES_DIR) / "Defaults" / "Default.vantorel";
}

int runNew(CommandIO& io, const NewArguments& args) {
    std::error_code error;
    if (std::filesystem::exists(args.file, error) && !args.force) {
        return fail(io, exitBadUsage, "'" + args.file + "' already exists; use --force to replace it");
    }
    if (const auto problem = outputFileProblem(args.file)) return fail(io, exitBadUsage, *problem);
    const auto defaults = platform::readWholeFile(defaultDocumentPath());
    if (defaults.error) return fail(io, exitJobFailed, "cannot read the default document: " + defaults.error->message);
    if (const auto written = platform::writeFileAtomically(args.file, defaults.bytes)) {
        return fail(io, exitJobFailed, written->message);
    }
    io.out << "Created " << args.file << '\n';
    return exitSuccess;
}

const CommandRegistration registration{Command{
    "new",
    "Create a new, empty document",
    10,
    [](CLI::App& app) -> CommandRunner {
        auto args = std::make_shared<NewArguments>();
        app.add_option("FILE", args->file, "The document to create, e.g. Tokens.vantorel")->required();
        app.add_flag("--force", args->force, "Replace the file if it already exists");
        return [args](CommandIO& io) { return runNew(io, *args); };
    },
}};

}  // namespace
}  // namespace vantorel::cli
