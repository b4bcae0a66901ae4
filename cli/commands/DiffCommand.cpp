// `vantorel diff OLD NEW [--json | --markdown]`: what changed between two documents, matched by
// identifier, and the version bump it calls for. Exits like `diff`: 0 equal, 1 different, 2 when
// a document cannot be read, so that scripts and git can use it.

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "Vantorel/compare/DiffReport.h"
#include "Vantorel/compare/DocumentDiff.h"
#include "cli/CommandRegistry.h"
#include "cli/DocumentArgument.h"

namespace vantorel::cli {
namespace {

struct DiffArguments {
    std::vector<std::string> files;
    bool json = false;
    bool markdown = false;
};

// Git names a file that does not exist on one side /dev/null: an empty document.
QuenzColorProjectPtr readSide(CommandIO& io, const std::string& file, int& exitCode) {
    if (file == "/dev/null") return std::make_shared<QuenzColorProject>();
    return readDocumentArgument(io, file, exitCode);
}

int runDiff(CommandIO& io, const DiffArguments& args) {
    // As git's external diff the command gets seven arguments (path, old file, old hash, old mode,
    // new file, new hash, new mode) and must exit 0 unless it failed, or git stops.
    const bool fromGit = args.files.size() == 7;
    if (!fromGit && args.files.size() != 2) return fail(io, exitBadUsage, "diff takes two documents: OLD NEW");
    const std::string& oldFile = fromGit ? args.files[1] : args.files[0];
    const std::string& newFile = fromGit ? args.files[4] : args.files[1];
    int exitCode = exitSuccess;
    auto before = readSide(io, oldFile, exitCode);
    if (!before) return exitCode;
    auto after = readSide(io, newFile, exitCode);
    if (!after) return exitCode;
    if (fromGit) io.out << "vantorel diff a/" << args.files[0] << " b/" << args.files[0] << '\n';
    const auto diff = compare::diffDocuments(std::move(before), std::move(after));
    if (args.json) {
        io.out << compare::jsonReport(diff);
    } else if (args.markdown) {
        io.out << compare::markdownReport(diff);
    } else {
        io.out << compare::textReport(diff);
    }
    return diff.equal() || fromGit ? exitSuccess : exitJobFailed;
}

const CommandRegistration registration{Command{
    "diff",
    "Show what changed between two documents and the version bump it calls for",
    13,
    [](CLI::App& app) -> CommandRunner {
        auto args = std::make_shared<DiffArguments>();
        app.add_option("OLD NEW", args->files, "The earlier and the later document")->required()->expected(2, 7);
        auto* json = app.add_flag("--json", args->json, "Print the differences as JSON");
        app.add_flag("--markdown", args->markdown, "Print a Markdown table for a pull-request comment")->excludes(json);
        app.footer("Items are matched by identifier: a renamed item shows as renamed, not as removed and added.\n"
                   "Exit status: 0 when the documents are equal, 1 when they differ, 2 when one cannot be read.\n"
                   "As git's diff (git config diff.vantorel.command 'vantorel diff') it takes git's seven arguments.");
        return [args](CommandIO& io) { return runDiff(io, *args); };
    },
}};

}  // namespace
}  // namespace vantorel::cli
