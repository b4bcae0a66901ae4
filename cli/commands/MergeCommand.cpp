// `vantorel merge BASE OURS THEIRS [-o OUT]`: a three-way merge by identifier and by field, made
// to serve as git's merge driver. The result replaces OURS (or goes to OUT) atomically and is always
// a complete document; fields changed differently on both sides keep ours, are listed on standard
// error and make the exit status 1, which git takes as a conflict.

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>
#include <string>

#include "Vantorel/compare/DocumentMerge.h"
#include "Vantorel/platform/AtomicFile.h"
#include "cli/CommandRegistry.h"
#include "cli/FileArguments.h"

namespace vantorel::cli {
namespace {

struct MergeArguments {
    std::string base;
    std::string ours;
    std::string theirs;
    std::string output;
};

int runMerge(CommandIO& io, const MergeArguments& args) {
    int exitCode = exitSuccess;
    const auto base = readInputFile(io, args.base, exitCode);
    if (!base) return exitCode;
    const auto ours = readInputFile(io, args.ours, exitCode);
    if (!ours) return exitCode;
    const auto theirs = readInputFile(io, args.theirs, exitCode);
    if (!theirs) return exitCode;
    const std::string& target = args.output.empty() ? args.ours : args.output;
    if (const auto problem = outputFileProblem(target)) return fail(io, exitBadUsage, *problem);

    const auto merged = compare::mergeDocuments(*base, *ours, *theirs);
    if (merged.error) return fail(io, exitBadUsage, "cannot merge '" + args.ours + "': " + *merged.error);
    if (const auto error = platform::writeFileAtomically(target, merged.bytes)) {
        return fail(io, exitJobFailed, error->message);
    }
    for (const auto& conflict : merged.conflicts) {
        io.err << "conflict: " << (conflict.path.empty() ? std::string("document") : "'" + conflict.path + "'") << ' '
               << conflict.property << ": base " << conflict.base << ", ours " << conflict.ours << ", theirs "
               << conflict.theirs << " (kept ours)\n";
    }
    return merged.conflicts.empty() ? exitSuccess : exitJobFailed;
}

const CommandRegistration registration{Command{
    "merge",
    "Merge two edited versions of a document with their common base",
    14,
    [](CLI::App& app) -> CommandRunner {
        auto args = std::make_shared<MergeArguments>();
        app.add_option("BASE", args->base, "The common ancestor")->required();
        app.add_option("OURS", args->ours, "Our version; replaced by the result unless -o is given")->required();
        app.add_option("THEIRS", args->theirs, "Their version")->required();
        app.add_option("-o,--output", args->output, "Write the result to this file instead of OURS");
        app.footer("As a git merge driver: git config merge.vantorel.driver 'vantorel merge %O %A %B'.\n"
                   "Exit status 1 lists the conflicts on standard error; the result keeps our side of each.");
        return [args](CommandIO& io) { return runMerge(io, *args); };
    },
}};

}  // namespace
}  // namespace vantorel::cli
