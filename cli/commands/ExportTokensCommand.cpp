// `vantorel export-tokens FILE [-o OUT]`: the whole project as one design-token JSON file, as
// the application's "Export Design Tokens" menu action writes it: every top-level item, names
// unchanged, one tree per appearance.

#include <CLI/CLI.hpp>

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include "Vantorel/build/exporters/JsonDesignNonBuildExporter.h"
#include "Vantorel/platform/UserLocale.h"
#include "cli/CommandRegistry.h"
#include "cli/DocumentArgument.h"
#include "cli/FileArguments.h"
#include "cli/LocaleOption.h"

namespace vantorel::cli {
namespace {

namespace fs = std::filesystem;

struct ExportTokensArguments {
    std::string file;
    std::string output;
    std::string locale;
};

// The file name the export offers when none is given, beside the document.
constexpr const char* defaultFileName = "vantorel.json";

int runExportTokens(CommandIO& io, const ExportTokensArguments& args) {
    int exitCode = exitSuccess;
    const auto project = readDocumentArgument(io, args.file, exitCode);
    if (!project) return exitCode;

    fs::path output = args.output.empty() ? fs::path(args.file).parent_path() / defaultFileName : fs::path(args.output);
    if (!output.has_filename()) return fail(io, exitBadUsage, "'" + args.output + "' names a folder, not a file");
    if (const auto problem = outputFileProblem(output.string())) return fail(io, exitBadUsage, *problem);

    // Shadow offsets are written as the user's short number texts.
    const auto result = [&] {
        platform::ScopedUserLocale locale(args.locale);
        return build::JsonDesignNonBuildExporter(*project).exportTo(output);
    }();

    if (result.error) return fail(io, exitJobFailed, result.error->message);
    for (const auto& written : result.outputs) io.out << written.string() << '\n';
    return exitSuccess;
}

const CommandRegistration registration{Command{
    "export-tokens",
    "Export every item of a document as a design-token JSON file",
    25,
    [](CLI::App& app) -> CommandRunner {
        auto args = std::make_shared<ExportTokensArguments>();
        app.add_option("FILE", args->file, "The .vantorel document")->required();
        app.add_option("-o,--output", args->output,
                       "The JSON file to write (default: vantorel.json beside the document; a name without an "
                       "extension gets .json)");
        addLocaleOption(app, args->locale,
                        "Write shadow offsets for this locale, e.g. de_DE (default: the user's locale)");
        app.footer(
            "The file holds the light values at the top level, or, when any item has a dark or high-contrast "
            "value, the trees \"Light\", \"Dark\", \"High Contrast\" and \"Dark High Contrast\". It prints the "
            "path it wrote. Exit status: 0 written, 1 the file could not be written, 2 bad usage or an "
            "unreadable document.");
        return [args](CommandIO& io) { return runExportTokens(io, *args); };
    },
}};

}  // namespace
}  // namespace vantorel::cli
