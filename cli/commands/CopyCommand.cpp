// `vantorel copy FILE ITEM... [--id UUID]...`: the pasteboard payload of the named items on
// standard output, exactly as copying them in the app puts it on the pasteboard, so that a
// script can carry items to another document with `vantorel paste`.

#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "Vantorel/editing/PasteboardPayload.h"
#include "Vantorel/shell/Document.h"
#include "Vantorel/shell/ItemNamePath.h"
#include "cli/CommandRegistry.h"
#include "cli/FileArguments.h"

namespace vantorel::cli {
namespace {

struct CopyArguments {
    std::string file;
    std::vector<std::string> namePaths;
    std::vector<std::string> ids;
};

int runCopy(CommandIO& io, const CopyArguments& args) {
    if (args.namePaths.empty() && args.ids.empty()) {
        return fail(io, exitBadUsage, "name at least one item to copy, e.g. 'Brand/Primary' or --id UUID");
    }
    if (const auto problem = inputFileProblem(args.file)) return fail(io, exitBadUsage, *problem);
    const auto opened = shell::Document::open(args.file);
    if (!opened.document) return fail(io, exitBadUsage, opened.error->message);
    if (!opened.document->fileIsDocument()) {
        return fail(io, exitBadUsage, "'" + args.file + "' is not a Vantorel document");
    }
    const QuenzColorProject& project = *opened.document->project();

    std::vector<ProjectItemPtr> items;
    const auto add = [&items](const ProjectItemPtr& item) {
        if (std::find(items.begin(), items.end(), item) == items.end()) items.push_back(item);
    };
    for (const std::string& text : args.namePaths) {
        const auto names = shell::parseItemNamePath(text);
        if (!names) return fail(io, exitBadUsage, "'" + text + "' is not an item name path");
        const std::vector<ProjectItemPtr> found = shell::itemsAtNamePath(project, *names);
        if (found.empty()) return fail(io, exitBadUsage, "no item '" + text + "' in '" + args.file + "'");
        if (found.size() > 1) {
            return fail(io, exitBadUsage,
                        "'" + text + "' names " + std::to_string(found.size()) +
                            " items; copy one of them with --id (see 'vantorel info --tree --json')");
        }
        add(found.front());
    }
    for (const std::string& id : args.ids) {
        const ProjectItemPtr item = project.itemWithId(id);
        if (!item) return fail(io, exitBadUsage, "no item with identifier " + id + " in '" + args.file + "'");
        add(item);
    }

    std::string diagnostic;
    const auto payload = pasteboard::encodeItems(items, [&](std::string_view message) { diagnostic = message; });
    if (!payload) return fail(io, exitJobFailed, diagnostic.empty() ? "the items could not be encoded" : diagnostic);
    io.out << *payload;
    return exitSuccess;
}

const CommandRegistration registration{Command{
    "copy",
    "Write the pasteboard data of items, for 'vantorel paste'",
    30,
    [](CLI::App& app) -> CommandRunner {
        auto args = std::make_shared<CopyArguments>();
        app.add_option("FILE", args->file, "The document to copy from")->required();
        app.add_option("ITEM", args->namePaths,
                       "An item by its groups' names and its own name joined by '/', e.g. Brand/Primary "
                       "(write '\\/' for a '/' inside a name)");
        // One identifier per --id, so that names may follow it.
        app.add_option("--id", args->ids, "An item by its identifier (repeatable)")->allow_extra_args(false);
        app.footer(
            "The items are written to standard output as the app's pasteboard data (a JSON array of compressed "
            "items), named items first, then those given by --id. Example:\n"
            "  vantorel copy Brand.vantorel Brand/Primary | vantorel paste Product.vantorel");
        return [args](CommandIO& io) { return runCopy(io, *args); };
    },
}};

}  // namespace
}  // namespace vantorel::cli
