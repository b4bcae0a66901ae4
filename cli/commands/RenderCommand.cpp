// `vantorel render`: renders a template file against a JSON context and prints the result.

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iterator>
#include <memory>
#include <string>

#include "Stencil/FileRendering.h"
#include "Stencil/JsonValue.h"
#include "cli/CommandRegistry.h"

namespace vantorel::cli {
namespace {

struct RenderArguments {
    std::string templateFile;
    std::string contextFile;
    std::string templatesFolder;
    std::string trim = "none";
};

// The render context: the JSON object of the file ("-" for standard input), or an empty one.
stencil::Result<stencil::Value> readContext(const std::string& file, CommandIO& io) {
    if (file.empty()) {
        return stencil::Value(stencil::Dictionary{});
    }
    auto value = file == "-" ? stencil::parseJsonValue(std::string(std::istreambuf_iterator<char>(io.in), {}))
                             : stencil::readJsonFile(file);
    if (value && !value->dictionary()) {
        return stencil::makeError(stencil::ErrorKind::syntax,
                                  "The context in '" + file + "' must be a JSON object, with the template's names as keys");
    }
    return value;
}

CommandRunner defineRender(CLI::App& app) {
    auto arguments = std::make_shared<RenderArguments>();
    app.add_option("TEMPLATE", arguments->templateFile, "Template file to render")->required();
    app.add_option("--context", arguments->contextFile,
                   "JSON file holding an object whose keys the template reads (\"-\" reads standard input)");
    app.add_option("--templates", arguments->templatesFolder,
                   "Folder that `include` and `extends` load templates from; without it they find none");
    app.add_option("--trim", arguments->trim, "Whitespace removed around block tags: none, smart or all")
        ->check(CLI::IsMember({"none", "smart", "all"}));

    return [arguments](CommandIO& io) -> int {
        std::error_code error;
        if (!std::filesystem::is_regular_file(arguments->templateFile, error)) {
            return fail(io, exitBadUsage, "Cannot read template '" + arguments->templateFile + "'");
        }
        stencil::FileRenderOptions options;
        if (!arguments->templatesFolder.empty()) {
            if (!std::filesystem::is_directory(arguments->templatesFolder, error)) {
                return fail(io, exitBadUsage, "Template folder '" + arguments->templatesFolder + "' is not a folder");
            }
            options.templatesFolder = arguments->templatesFolder;
        }
        options.trim = stencil::trimBehaviourNamed(arguments->trim).value_or(stencil::TrimBehaviour::nothing());

        auto context = readContext(arguments->contextFile, io);
        if (!context) {
            return fail(io, exitBadUsage, context.error().describe());
        }
        auto rendered = stencil::renderTemplateFile(arguments->templateFile, *context, options);
        if (!rendered) {
            return fail(io, exitJobFailed, rendered.error().describe());
        }
        io.out << *rendered;
        return exitSuccess;
    };
}

const CommandRegistration registration{Command{
    "render",
    "Render a template file against a JSON context",
    80,
    defineRender,
}};

}  // namespace
}  // namespace vantorel::cli
