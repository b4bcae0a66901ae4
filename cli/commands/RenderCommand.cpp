// `vantorel render`: renders a template file and prints the result. The context is either a
// JSON object, or the build context of one build group of a document: its items as template
// records under the naming and color settings of one of its tasks, exactly as a build renders
// a custom template (build tags, "smart" trim, no include or extends).

#include <CLI/CLI.hpp>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>

#include "Stencil/FileRendering.h"
#include "Stencil/JsonValue.h"
#include "Vantorel/build/templates/TemplateExporter.h"
#include "Vantorel/build/templates/TemplateFiles.h"
#include "Vantorel/build/templates/TemplateItemCollector.h"
#include "Vantorel/build/templates/TemplateTags.h"
#include "Vantorel/platform/OutputText.h"
#include "Vantorel/platform/UserLocale.h"
#include "cli/CommandRegistry.h"
#include "cli/DocumentArgument.h"
#include "cli/FileArguments.h"
#include "cli/LocaleOption.h"

namespace vantorel::cli {
namespace {

namespace fs = std::filesystem;

struct RenderArguments {
    std::string templateFile;
    std::string contextFile;
    std::string templatesFolder;
    std::string trim;
    std::string document;
    std::string group;
    std::string task;
    std::string locale;
    bool printContext = false;
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

int renderWithJSONContext(CommandIO& io, const RenderArguments& arguments) {
    std::error_code error;
    stencil::FileRenderOptions options;
    if (!arguments.templatesFolder.empty()) {
        if (!fs::exists(arguments.templatesFolder, error)) {
            return fail(io, exitBadUsage, "the template folder '" + arguments.templatesFolder + "' does not exist");
        }
        if (!fs::is_directory(arguments.templatesFolder, error)) {
            return fail(io, exitBadUsage, "'" + arguments.templatesFolder + "' is a file, not a folder of templates");
        }
        options.templatesFolder = arguments.templatesFolder;
    }
    options.trim = stencil::trimBehaviourNamed(arguments.trim.empty() ? "none" : arguments.trim)
                       .value_or(stencil::TrimBehaviour::nothing());
    // The build tags and filters work here too, so that a template can be tried on sample data.
    options.extensions.push_back(build::makeTemplateExtension());

    if (!arguments.contextFile.empty() && arguments.contextFile != "-") {
        if (const auto problem = inputFileProblem(arguments.contextFile)) return fail(io, exitBadUsage, *problem);
    }
    auto context = readContext(arguments.contextFile, io);
    if (!context) {
        return fail(io, exitBadUsage, context.error().describe());
    }
    auto rendered = stencil::renderTemplateFile(arguments.templateFile, *context, options);
    if (!rendered) {
        return fail(io, exitJobFailed, rendered.error().describe());
    }
    io.out << *rendered;
    return exitSuccess;
}

std::string quotedList(const std::vector<std::string>& names) {
    std::string list;
    for (const auto& name : names) list += (list.empty() ? "" : ", ") + ("'" + name + "'");
    return list.empty() ? std::string("none") : list;
}

// The settings a render without --task uses: names as written, colors in their own space, and
// the template's own name as the export file name.
BuildTask neutralTask(const std::string& templateFile) {
    BuildTaskFields fields;
    fields.name = "Render";
    fields.exportFileType = BuildFileType::customTemplate;
    fields.exportFileName = fs::path(templateFile).stem().string();
    return BuildTask(std::move(fields));
}

int renderWithDocument(CommandIO& io, const RenderArguments& arguments) {
    if (arguments.group.empty()) {
        return fail(io, exitBadUsage, "--document needs --group NAME: the build group whose items the template renders");
    }
    platform::ScopedUserLocale locale(arguments.locale);

    int exitCode = exitSuccess;
    auto project = readDocumentArgument(io, arguments.document, exitCode);
    if (!project) return exitCode;

    std::vector<std::string> groupNames;
    BuildGroupPtr group;
    for (const auto& candidate : project->buildGroups()) {
        if (!candidate) continue;
        groupNames.push_back(candidate->name());
        if (!group && candidate->name() == arguments.group) group = candidate;
    }
    if (!group) {
        return fail(io, exitBadUsage, "'" + arguments.document + "' has no build group named '" + arguments.group +
                                          "' (it has " + quotedList(groupNames) + ")");
    }

    std::optional<BuildTask> neutral;
    const BuildTask* task = nullptr;
    if (arguments.task.empty()) {
        neutral.emplace(neutralTask(arguments.templateFile));
        task = &*neutral;
    } else {
        std::vector<std::string> taskNames;
        for (const auto& candidate : group->tasks()) {
            if (!candidate) continue;
            taskNames.push_back(candidate->name());
            if (!task && candidate->name() == arguments.task) task = candidate.get();
        }
        if (!task) {
            return fail(io, exitBadUsage, "The build group '" + arguments.group + "' has no task named '" +
                                              arguments.task + "' (it has " + quotedList(taskNames) + ")");
        }
    }

    const auto items = build::collectTemplateItems(*project, *task, project->itemsInBuildGroup(*group));
    if (arguments.printContext) {
        auto records = build::TemplateJSON::array();
        for (const auto& item : items) records.push_back(item->toJSON());
        const build::TemplateJSON context{{"items", std::move(records)},
                                          {"exportFileName", task->baseFileName()},
                                          {"exportFileNameWithExtension", task->outputFileName()}};
        io.out << platform::jsonOutputText(context) << '\n';
        return exitSuccess;
    }

    auto source = build::readTemplateFile(arguments.templateFile);
    if (source.error) return fail(io, exitBadUsage, source.error->message);
    build::TemplateRenderOptions options;
    options.templateName = arguments.templateFile;
    if (!arguments.trim.empty()) {
        options.trim = stencil::trimBehaviourNamed(arguments.trim).value_or(stencil::TrimBehaviour::smart());
    }
    auto rendered = build::renderTemplateText(source.text, build::templateRenderContext(items, *task), options);
    if (rendered.error) return fail(io, exitJobFailed, rendered.error->message);
    io.out << rendered.text;
    return exitSuccess;
}

CommandRunner defineRender(CLI::App& app) {
    auto arguments = std::make_shared<RenderArguments>();
    app.add_option("TEMPLATE", arguments->templateFile, "Template file to render")->required();
    auto* context = app.add_option("--context", arguments->contextFile,
                                   "JSON file holding an object whose keys the template reads (\"-\" reads standard input)");
    auto* templates = app.add_option("--templates", arguments->templatesFolder,
                                     "Folder that `include` and `extends` load templates from (JSON contexts only; "
                                     "build templates stand alone)");
    app.add_option("--trim", arguments->trim,
                   "Whitespace removed around block tags: none, smart or all (default: none for JSON contexts, smart "
                   "for documents, as builds render)")
        ->check(CLI::IsMember({"none", "smart", "all"}));
    auto* document = app.add_option("--document", arguments->document,
                                    "Render against a .vantorel document's build context instead of JSON");
    app.add_option("--group", arguments->group, "With --document: the build group whose items the template sees");
    app.add_option("--task", arguments->task,
                   "With --document: the group's task whose naming, prefix, suffix, color space and file name apply "
                   "(default: names as written, colors in their own space)");
    addLocaleOption(app, arguments->locale,
                    "With --document: write number texts for this locale, e.g. de_DE (default: the user's locale)");
    app.add_flag("--print-context", arguments->printContext,
                 "With --document: print the build context as JSON instead of rendering");
    document->excludes(context)->excludes(templates);

    return [arguments](CommandIO& io) -> int {
        if (const auto problem = inputFileProblem(arguments->templateFile)) return fail(io, exitBadUsage, *problem);
        if (arguments->document.empty()) {
            if (!arguments->group.empty() || !arguments->task.empty() || arguments->printContext ||
                !arguments->locale.empty()) {
                return fail(io, exitBadUsage, "--group, --task, --locale and --print-context need --document FILE");
            }
            return renderWithJSONContext(io, *arguments);
        }
        return renderWithDocument(io, *arguments);
    };
}

const CommandRegistration registration{Command{
    "render",
    "Render a template file against a JSON context or a document's build group",
    80,
    defineRender,
}};

}  // namespace
}  // namespace vantorel::cli
