// `vantorel import FILE [--kind KIND] [--into DOC] [--lenient] [--json]`: reads colors and
// tokens from another tool's file. Without --into it shows the group the import would add;
// with it the group goes into the document as one "Add Color" step and the document is saved
// atomically. A failed import leaves the document untouched.

#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "Vantorel/import/Importer.h"
#include "Vantorel/shell/Document.h"
#include "cli/CommandRegistry.h"
#include "cli/ItemListing.h"

namespace vantorel::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

struct ImportArguments {
    std::string file;
    std::string kind;
    std::string into;
    bool lenient = false;
    bool json = false;
};

std::string kindNames() {
    std::string names;
    for (const auto& kind : import::Importer::kinds())
        names += (names.empty() ? "" : ", ") + std::string(kind.commandName);
    return names;
}

// How many items of each kind the group holds, at any depth (the group itself not counted).
std::map<std::string, int> itemCounts(const QuenzColorGroup& group) {
    std::map<std::string, int> counts;
    for (const ProjectItemPtr& item : group.items()) {
        ++counts[std::string(caseName(item->itemType()))];
        if (const auto children = item->group()) {
            for (const auto& [kind, count] : itemCounts(*children)) counts[kind] += count;
        }
    }
    return counts;
}

std::string countsText(const std::map<std::string, int>& counts) {
    if (counts.empty()) return "no items";
    std::string text;
    for (const auto& [kind, count] : counts)
        text += (text.empty() ? "" : ", ") + std::to_string(count) + " " + kind;
    return text;
}

int preview(CommandIO& io, const ImportArguments& args, const ProjectItemPtr& group) {
    // A scratch project, so that aliases show the names of their targets.
    QuenzColorProject project;
    project.setItems({group});
    project.linkReferences();
    if (args.json) {
        io.out << json{{"file", args.file}, {"group", itemJSON(project, *group)}}.dump(
                      2, ' ', false, json::error_handler_t::replace)
               << '\n';
        return exitSuccess;
    }
    io.out << group->name() << ": " << countsText(itemCounts(*group->group())) << '\n';
    printItemTree(io.out, project, group->group()->items());
    return exitSuccess;
}

int insertInto(CommandIO& io, const ImportArguments& args, const ProjectItemPtr& group) {
    const auto opened = shell::Document::open(args.into);
    if (!opened.document) return fail(io, exitBadUsage, opened.error->message);
    shell::Document& document = *opened.document;
    if (!document.fileIsDocument()) {
        return fail(io, exitBadUsage,
                    "'" + args.into + "' is not a Vantorel document; it was left unchanged");
    }
    if (!import::Importer::insert(document, group)) {
        return fail(io, exitJobFailed,
                    "the group could not be inserted; '" + args.into + "' was left unchanged");
    }
    document.settle();
    if (const auto error = document.save()) return fail(io, exitJobFailed, error->message);

    const auto counts = itemCounts(*group->group());
    if (args.json) {
        io.out << json{{"file", args.into},
                       {"group", group->name()},
                       {"id", group->uuid()},
                       {"counts", counts}}
                      .dump(2, ' ', false, json::error_handler_t::replace)
               << '\n';
    } else {
        io.out << "Added '" << group->name() << "' to " << args.into << ": " << countsText(counts) << '\n';
    }
    return exitSuccess;
}

int runImport(CommandIO& io, ImportArguments args) {
    // "Colors.xcassets/" as a shell completes it names the catalog folder.
    while (args.file.size() > 1 && args.file.back() == '/') args.file.pop_back();
    const import::ImportKindInfo* kind = nullptr;
    if (!args.kind.empty()) {
        kind = import::Importer::kindNamed(args.kind);
        if (!kind)
            return fail(io, exitBadUsage,
                        "'" + args.kind + "' is not an import kind (kinds: " + kindNames() + ")");
    } else {
        kind = import::Importer::kindForFile(args.file);
        if (!kind) {
            return fail(io, exitBadUsage,
                        "cannot tell the kind of '" + args.file +
                            "' from its extension; name it with --kind (" + kindNames() + ")");
        }
    }
    std::error_code error;
    if (kind->kind == import::ImportKind::assetCatalog) {
        if (!fs::is_directory(args.file, error)) return fail(io, exitBadUsage, "'" + args.file + "' is not a folder");
    } else if (!fs::is_regular_file(args.file, error) || !std::ifstream(args.file)) {
        return fail(io, exitBadUsage, "'" + args.file + "' cannot be read");
    }

    import::ImportOptions options;
    options.lenient = args.lenient;
    const import::ImportResult result = import::Importer::importFile(kind->kind, args.file, options);
    if (result.error) return fail(io, exitJobFailed, import::importFailureMessage(*result.error));
    return args.into.empty() ? preview(io, args, result.group) : insertInto(io, args, result.group);
}

const CommandRegistration registration{Command{
    "import",
    "Import colors and tokens from design-token JSON, CSS, SCSS, HTML, SVG, Figma, Sketch, asset catalogs or images",
    32,
    [](CLI::App& app) -> CommandRunner {
        auto args = std::make_shared<ImportArguments>();
        app.add_option("FILE", args->file, "The file to import")->required();
        app.add_option("--kind", args->kind,
                       "The import kind: " + kindNames() + " (default: by the file's extension)");
        app.add_option(
            "--into", args->into,
            "Add the imported group to this .vantorel document (saved in place) instead of showing it");
        app.add_flag(
            "--lenient", args->lenient,
            "Design tokens: also read files as other tools write them (color strings, inherited $type, "
            "dimensions, {references} as aliases)");
        app.add_flag("--json", args->json, "Print the result as JSON");
        app.footer(
            "Kinds by extension: .json tokens; .css, .scss, .html, .htm css; .svg svg; .fig figma; .sketch sketch; a "
            ".xcassets folder asset-catalog; .png, .jpg, .jpeg, .jpe, .webp image (its dominant colors). "
            "Equal Sketch colors are imported once; hidden Sketch layers give no colors. The import makes one "
            "group, "
            "named like \"CSS Import - tokens.css\"; with --into it is added as one \"Add Color\" step, "
            "which one "
            "undo removes. Documents of the sibling .quenz format are not imported: that format has no files "
            "yet. "
            "A Figma file gives every solid color its nodes use as color or background color, each distinct "
            "color once (one swatch per color), in Display P3 when the document's color profile is Display P3. "
            "Exit status: 0 imported, 1 the import failed (the document is left unchanged), 2 bad usage or "
            "an "
            "unreadable file or document.");
        return [args](CommandIO& io) { return runImport(io, *args); };
    },
}};

}  // namespace
}  // namespace vantorel::cli
