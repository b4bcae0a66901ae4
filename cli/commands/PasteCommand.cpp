// `vantorel paste FILE [--into GROUP_PATH] [--json]`: inserts the items of pasteboard data read
// from standard input (as `vantorel copy` writes it) into a document, as one "Paste" step with
// fresh identifiers, and saves the document atomically.

#include <CLI/CLI.hpp>

#include <nlohmann/json.hpp>

#include <istream>
#include <iterator>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "Vantorel/editing/Pasteboard.h"
#include "Vantorel/shell/Document.h"
#include "Vantorel/platform/OutputText.h"
#include "Vantorel/shell/ItemNamePath.h"
#include "cli/CommandRegistry.h"
#include "cli/FileArguments.h"

namespace vantorel::cli {
namespace {

struct PasteArguments {
    std::string file;
    std::string into;
    bool json = false;
};

struct Destination {
    std::optional<ItemPath> position;  // none: the end of the top level
    std::optional<std::string> error;
};

// The end of the group named by `groupPath`.
Destination destinationIn(const QuenzColorProject& project, const std::string& groupPath, const std::string& file) {
    const auto names = shell::parseItemNamePath(groupPath);
    if (!names) return {std::nullopt, "'" + groupPath + "' is not a group name path"};
    std::vector<ProjectItemPtr> groups;
    for (const ProjectItemPtr& item : shell::itemsAtNamePath(project, *names)) {
        if (item->isGroup()) groups.push_back(item);
    }
    if (groups.empty()) return {std::nullopt, "no group '" + groupPath + "' in '" + file + "'"};
    if (groups.size() > 1) return {std::nullopt, "'" + groupPath + "' names " + std::to_string(groups.size()) + " groups"};
    ItemPath path = project.indexPath(groups.front()->uuid()).value_or(ItemPath{});
    path.push_back(groups.front()->group()->items().size());
    return {std::move(path), std::nullopt};
}

int runPaste(CommandIO& io, const PasteArguments& args) {
    const std::string payload{std::istreambuf_iterator<char>(io.in), std::istreambuf_iterator<char>()};

    if (const auto problem = inputFileProblem(args.file)) return fail(io, exitBadUsage, *problem);
    const auto opened = shell::Document::open(args.file);
    if (!opened.document) return fail(io, exitBadUsage, opened.error->message);
    shell::Document& document = *opened.document;
    if (!document.fileIsDocument()) {
        return fail(io, exitBadUsage, "'" + args.file + "' is not a Vantorel document; it was left unchanged");
    }

    std::optional<ItemPath> position;
    if (!args.into.empty()) {
        Destination destination = destinationIn(*document.project(), args.into, args.file);
        if (destination.error) return fail(io, exitBadUsage, *destination.error);
        position = std::move(destination.position);
    }

    InProcessPasteboard pasteboard;
    PasteboardItem entry;
    entry.setData(projectItemsPasteboardType, payload);
    pasteboard.setItems({entry});
    const std::vector<ProjectItemPtr> pasted = document.paste(pasteboard, position);
    if (pasted.empty()) {
        return fail(io, exitJobFailed,
                    "the input holds no readable item (expected the output of 'vantorel copy'); '" + args.file +
                        "' was left unchanged");
    }
    document.settle();
    if (const auto error = document.save()) return fail(io, exitJobFailed, error->message);

    if (args.json) {
        nlohmann::json items = nlohmann::json::array();
        for (const ProjectItemPtr& item : pasted) {
            items.push_back({{"id", item->uuid()}, {"name", item->name()}, {"type", caseName(item->itemType())}});
        }
        io.out << platform::jsonOutputText(nlohmann::json{{"file", args.file}, {"pasted", items}}) << '\n';
    } else {
        io.out << "Pasted " << pasted.size() << (pasted.size() == 1 ? " item" : " items") << " into " << args.file
               << '\n';
    }
    return exitSuccess;
}

const CommandRegistration registration{Command{
    "paste",
    "Insert items from 'vantorel copy' into a document",
    31,
    [](CLI::App& app) -> CommandRunner {
        auto args = std::make_shared<PasteArguments>();
        app.add_option("FILE", args->file, "The document to paste into; it is saved in place")->required();
        app.add_option("--into", args->into,
                       "Paste at the end of this group, named by its groups' names joined by '/' "
                       "(default: the end of the top level)");
        app.add_flag("--json", args->json, "Print the pasted items (identifier, name, type) as JSON");
        app.footer(
            "Reads pasteboard data from standard input. The pasted items and everything inside them get new "
            "identifiers; the document is replaced atomically. Example:\n"
            "  vantorel copy Brand.vantorel Brand/Primary | vantorel paste Product.vantorel --into Colors");
        return [args](CommandIO& io) { return runPaste(io, *args); };
    },
}};

}  // namespace
}  // namespace vantorel::cli
