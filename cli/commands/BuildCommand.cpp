// `vantorel build FILE`: runs the build tasks of a document, all build groups or the named
// ones, after checking that every output folder and custom template can be reached. Prints
// each written file or folder, relative to the current folder, or the outputs as JSON data.

#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "Vantorel/build/BuildRequirement.h"
#include "Vantorel/build/Builder.h"
#include "Vantorel/build/FileAccessManager.h"
#include "Vantorel/build/MissingBuildItemsModel.h"
#include "Vantorel/platform/ApplicationSettings.h"
#include "Vantorel/platform/OutputText.h"
#include "Vantorel/platform/UserLocale.h"
#include "Vantorel/platform/UserNotifications.h"
#include "cli/BuildWatch.h"
#include "cli/CommandRegistry.h"
#include "cli/DocumentArgument.h"
#include "cli/LocaleOption.h"

namespace vantorel::cli {
namespace {

namespace fs = std::filesystem;
using build::BuildRequirement;

struct BuildArguments {
    std::string file;
    std::vector<std::string> groups;
    bool continueAnyway = false;
    bool json = false;
    bool watch = false;
    std::string locale;
};

// Builds with at least this many tasks show a progress line on a terminal.
constexpr std::size_t progressTaskThreshold = 4;

std::string shownPath(const fs::path& path) {
    std::error_code error;
    const fs::path here = fs::current_path(error);
    if (error) return path.string();
    return path.lexically_proximate(here).string();
}

std::string_view kindName(BuildRequirement::Kind kind) {
    return kind == BuildRequirement::Kind::exportFolder ? "exportFolder" : "customTemplate";
}

nlohmann::json requirementsAsJSON(const std::vector<BuildRequirement>& requirements) {
    auto rows = nlohmann::json::array();
    for (const auto& requirement : requirements) {
        rows.push_back({
            {"group", requirement.groupName},
            {"task", requirement.task ? requirement.task->name() : std::string()},
            {"kind", kindName(requirement.kind)},
            {"title", build::requirementTitle(requirement)},
            {"location", requirement.location ? nlohmann::json(requirement.location->string()) : nlohmann::json(nullptr)},
            {"status", build::statusLabel(requirement.problem)},
            {"explanation", build::commandLineExplanation(requirement.kind, requirement.problem)},
        });
    }
    return rows;
}

void printRequirements(std::ostream& out, const std::vector<BuildRequirement>& requirements) {
    out << build::missingBuildItemsTitle << '\n';
    for (const auto& requirement : requirements) {
        out << "  " << requirement.groupName << " › " << (requirement.task ? requirement.task->name() : "") << ": "
            << build::requirementTitle(requirement);
        if (requirement.kind == BuildRequirement::Kind::customTemplate) out << " · " << build::locationText(requirement);
        out << '\n'
            << "    " << build::statusLabel(requirement.problem) << ": "
            << build::commandLineExplanation(requirement.kind, requirement.problem) << '\n';
    }
}

struct Report {
    nlohmann::json data = {{"outputs", nlohmann::json::array()}, {"exportedItems", 0}, {"error", nullptr}};
    void setError(std::string_view title, std::string_view message) {
        data["error"] = {{"title", title}, {"message", message}};
    }
};

int runBuild(CommandIO& io, const BuildArguments& args) {
    platform::ScopedUserLocale locale(args.locale);

    int exitCode = exitSuccess;
    auto project = readDocumentArgument(io, args.file, exitCode);
    if (!project) return exitCode;
    const fs::path documentURL = fs::absolute(args.file);
    const std::string documentName = documentURL.stem().string();

    std::vector<std::string> groups = build::allBuildGroupNames(*project);
    if (!args.groups.empty()) {
        for (const auto& name : args.groups) {
            if (std::find(groups.begin(), groups.end(), name) == groups.end()) {
                std::string known;
                for (const auto& group : groups) known += (known.empty() ? "" : ", ") + ("'" + group + "'");
                return fail(io, exitBadUsage,
                            "'" + args.file + "' has no build group named '" + name + "'" +
                                (known.empty() ? std::string(" (it has none)") : " (it has " + known + ")"));
            }
        }
        groups = args.groups;
    }

    Report report;
    platform::ApplicationSettings settings;
    build::FileAccessManager access(settings);
    auto unmet = build::unmetBuildRequirements(*project, groups, documentURL, access);
    if (!unmet.empty()) {
        if (args.json) {
            report.data["missingBuildItems"] = requirementsAsJSON(unmet);
        } else {
            printRequirements(io.err, unmet);
        }
        if (!args.continueAnyway) {
            const std::string message =
                "some output folders or templates can't be reached; fix them, or build with --continue-anyway";
            if (!args.json) return fail(io, exitJobFailed, message);
            report.setError(build::missingBuildItemsTitle, message);
            io.out << platform::jsonOutputText(report.data) << '\n';
            return exitJobFailed;
        }
    }

    build::Builder builder(*project, documentURL, documentName, groups);
    std::optional<std::string> completed;
    platform::CallbackNotificationCenter notifications(
        [&completed](const platform::UserNotification& note) { completed = note.title + ": " + note.body; });
    builder.setNotificationCenter(&notifications);
    bool showedProgress = false;
    if (io.terminal && !args.json) {
        builder.setProgressHandler([&io, &showedProgress](const build::BuildProgress& progress) {
            if (progress.taskCount < progressTaskThreshold) return;
            io.err << fmt::format("\r\033[K[{}/{}] {} › {}", progress.taskNumber, progress.taskCount,
                                  progress.group.name(), progress.task.name())
                   << std::flush;
            showedProgress = true;
        });
    }
    auto result = builder.build();
    if (showedProgress) io.err << "\r\033[K" << std::flush;

    for (const auto& output : result.outputs) {
        if (args.json) {
            report.data["outputs"].push_back(shownPath(output));
        } else {
            io.out << shownPath(output) << '\n';
        }
    }
    report.data["exportedItems"] = result.exportedItemCount;

    if (result.failure) {
        auto alert = build::alertFor(*result.failure);
        if (!args.json) return fail(io, exitJobFailed, alert.title + ": " + alert.text);
        report.setError(alert.title, alert.text);
        io.out << platform::jsonOutputText(report.data) << '\n';
        return exitJobFailed;
    }
    if (args.json) {
        io.out << platform::jsonOutputText(report.data) << '\n';
    } else if (completed) {
        io.err << *completed << '\n';
    }
    return exitSuccess;
}

const CommandRegistration registration{Command{
    "build",
    "Run the build tasks of a document and write their outputs",
    20,
    [](CLI::App& app) -> CommandRunner {
        auto args = std::make_shared<BuildArguments>();
        app.add_option("FILE", args->file, "The .vantorel document")->required();
        app.add_option("--group", args->groups,
                       "Build only the build group with this name (repeat for several; default: all groups)")
            ->allow_extra_args(false);
        app.add_flag("--continue-anyway", args->continueAnyway,
                     "Build even when an output folder or template can't be reached");
        app.add_flag("--json", args->json,
                     "Print the result as JSON: outputs, exportedItems, error and any missingBuildItems");
        app.add_flag("--watch", args->watch,
                     "Build, then build again whenever the document or a custom template changes (Ctrl-C ends)");
        addLocaleOption(app, args->locale,
                        "Write number texts for this locale, e.g. de_DE (default: the user's locale)");
        app.footer(
            "Outputs are written into each task's folder, relative to the document's folder; the build stops at "
            "the first task that fails and keeps what was written before it. Exit status: 0 built, 1 nothing to "
            "build, a build error or unreachable locations, 2 bad usage or an unreadable document.");
        return [args](CommandIO& io) {
            if (!args->watch) return runBuild(io, *args);
            return watchAndBuild(io, args->file, args->groups, [args](CommandIO& each) { return runBuild(each, *args); });
        };
    },
}};

}  // namespace
}  // namespace vantorel::cli
