// `vantorel info FILE [--tree] [--json]`: what a document holds: its description, how many
// items of each kind, its build groups with their tasks and its test groups with their tests;
// with --tree also every item with its light value, appearance and assignments.

#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorOperations.h"
#include "VantorelData/format/NumberText.h"
#include "Vantorel/platform/OutputText.h"
#include "VantorelData/model/Project.h"
#include "cli/CommandRegistry.h"
#include "cli/DocumentArgument.h"
#include "cli/ItemListing.h"

namespace vantorel::cli {
namespace {

using nlohmann::json;

struct InfoArguments {
    std::string file;
    bool tree = false;
    bool json = false;
};

struct Counter {
    const char* key;
    const char* label;
    int QuenzColorProjectStatistics::*count;
};

constexpr std::array<Counter, 13> counters = {{
    {"colorItemCount", "Colors", &QuenzColorProjectStatistics::colorItemCount},
    {"colorSetCount", "Color sets", &QuenzColorProjectStatistics::colorSetCount},
    {"colorAliasCount", "Color aliases", &QuenzColorProjectStatistics::colorAliasCount},
    {"groupCount", "Groups", &QuenzColorProjectStatistics::groupCount},
    {"numberCount", "Numbers", &QuenzColorProjectStatistics::numberCount},
    {"numberAliasCount", "Number aliases", &QuenzColorProjectStatistics::numberAliasCount},
    {"booleanCount", "Booleans", &QuenzColorProjectStatistics::booleanCount},
    {"booleanAliasCount", "Boolean aliases", &QuenzColorProjectStatistics::booleanAliasCount},
    {"stringCount", "Strings", &QuenzColorProjectStatistics::stringCount},
    {"stringAliasCount", "String aliases", &QuenzColorProjectStatistics::stringAliasCount},
    {"shadowCount", "Shadows", &QuenzColorProjectStatistics::shadowCount},
    {"shadowSetCount", "Shadow sets", &QuenzColorProjectStatistics::shadowSetCount},
    {"shadowAliasCount", "Shadow aliases", &QuenzColorProjectStatistics::shadowAliasCount},
}};

std::string testTaskSummary(const TestTask& test) {
    std::string text(displayName(test.taskType()));
    std::vector<std::string> details;
    if (const auto threshold = test.threshold()) details.push_back("threshold " + numberText(*threshold));
    if (const auto type = test.thresholdType()) details.emplace_back(displayName(*type));
    if (const auto size = test.minFontSize()) details.push_back(fmt::format("min. {} px", *size));
    if (const auto weight = test.minFontWeight()) details.push_back("weight " + std::string(rawString(*weight)));
    for (std::size_t i = 0; i < details.size(); ++i) text += (i == 0 ? " (" : ", ") + details[i];
    if (!details.empty()) text += ")";
    return text;
}

// ---- JSON -----------------------------------------------------------------------------------


json infoJSON(const std::string& file, const QuenzColorProject& project, bool tree) {
    const auto statistics = project.statistics();
    json counts = json::object();
    for (const auto& counter : counters) counts[counter.key] = statistics.*counter.count;

    json buildGroups = json::array();
    for (const auto& group : project.buildGroups()) {
        json tasks = json::array();
        for (const auto& task : group->tasks()) {
            tasks.push_back({{"name", task->name()},
                             {"fileType", displayName(task->exportFileType())},
                             {"outputFileName", task->outputFileName()},
                             {"folder", task->exportFileFolder()}});
        }
        buildGroups.push_back({{"name", group->name()}, {"id", group->uuid()}, {"tasks", tasks}});
    }
    json testGroups = json::array();
    for (const auto& group : project.testGroups()) {
        json tests = json::array();
        for (const auto& test : group->tests()) {
            json entry = {{"name", test->name()}, {"type", displayName(test->taskType())}};
            if (const auto threshold = test->threshold()) entry["threshold"] = *threshold;
            if (const auto type = test->thresholdType()) entry["thresholdType"] = rawString(*type);
            if (const auto size = test->minFontSize()) entry["minFontSize"] = *size;
            if (const auto weight = test->minFontWeight()) entry["minFontWeight"] = rawString(*weight);
            tests.push_back(entry);
        }
        testGroups.push_back({{"name", group->name()}, {"id", group->uuid()}, {"tests", tests}});
    }
    json data = {{"file", file},
                 {"description", project.projectDescription()},
                 {"statistics", counts},
                 {"buildGroups", buildGroups},
                 {"testGroups", testGroups}};
    // The items are written into the list by `writeItemTreeJSON`.
    if (tree) data["items"] = json::array();
    return data;
}

// ---- Text -----------------------------------------------------------------------------------

void printInfo(std::ostream& out, const std::string& file, const QuenzColorProject& project, bool tree) {
    out << "Document: " << file << '\n';
    out << "Description: " << (project.projectDescription().empty() ? "(none)" : project.projectDescription()) << "\n\n";

    out << "Items:\n";
    const auto statistics = project.statistics();
    for (const auto& counter : counters) out << fmt::format("  {:<16} {}\n", counter.label, statistics.*counter.count);

    out << "\nBuild groups:" << (project.buildGroups().empty() ? " (none)" : "") << '\n';
    for (const auto& group : project.buildGroups()) {
        out << "  " << group->name() << '\n';
        for (const auto& task : group->tasks()) {
            out << fmt::format("    {}: {} -> {} in {}\n", task->name(), displayName(task->exportFileType()),
                               task->outputFileName(), task->exportFileFolder());
        }
    }
    out << "\nTest groups:" << (project.testGroups().empty() ? " (none)" : "") << '\n';
    for (const auto& group : project.testGroups()) {
        out << "  " << group->name() << '\n';
        for (const auto& test : group->tests()) out << "    " << test->name() << ": " << testTaskSummary(*test) << '\n';
    }
    if (tree) {
        out << "\nItem tree:" << (project.items().empty() ? " (empty)" : "") << '\n';
        printItemTree(out, project, project.items());
    }
}

int runInfo(CommandIO& io, const InfoArguments& args) {
    int exitCode = exitSuccess;
    const auto project = readDocumentArgument(io, args.file, exitCode);
    if (!project) return exitCode;
    if (args.json) {
        const json data = infoJSON(args.file, *project, args.tree);
        if (args.tree) {
            writeItemTreeJSON(io.out, data, *project, project->items());
        } else {
            io.out << platform::jsonOutputText(data);
        }
        io.out << '\n';
    } else {
        printInfo(io.out, args.file, *project, args.tree);
    }
    return exitSuccess;
}

const CommandRegistration registration{Command{
    "info",
    "Show what a document holds: item counts, build and test groups, and the item tree",
    11,
    [](CLI::App& app) -> CommandRunner {
        auto args = std::make_shared<InfoArguments>();
        app.add_option("FILE", args->file, "The document to describe")->required();
        app.add_flag("--tree", args->tree, "Also list every item with its light value, appearance and assignments");
        app.add_flag("--json", args->json, "Print the same as JSON data");
        return [args](CommandIO& io) { return runInfo(io, *args); };
    },
}};

}  // namespace
}  // namespace vantorel::cli
