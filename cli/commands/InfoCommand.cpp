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
#include "VantorelData/model/ItemTreeWalk.h"
#include "VantorelData/model/Project.h"
#include "cli/CommandRegistry.h"
#include "cli/DocumentArgument.h"

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

// ---- Values as text -------------------------------------------------------------------------

// A color in the item's own format and space, as the editor shows it.
std::string colorText(const quenz::ColorValue& color, quenz::ColorFormat format, quenz::ColorSpace space) {
    const quenz::ColorSpace shownSpace = quenz::fitSpace(space, format);
    const quenz::ColorValue prepared = quenz::convert(color, quenz::rgbSpaceFor(shownSpace)).value_or(color);
    const auto result = quenz::ColorConverter::formatColor(prepared, format, shownSpace, {});
    if (result.colorString) return *result.colorString;
    return fmt::format("{} {} {} {}", color.red, color.green, color.blue, color.alpha);
}

std::string numberText(double value) {
    const auto text = format::measuredNumberText(value);
    return text ? std::string(text->view()) : fmt::format("{}", value);
}

std::string shadowText(const ShadowDetails& shadow, quenz::ColorFormat format, quenz::ColorSpace space) {
    return fmt::format("{} {} {} {} {}", numberText(shadow.xOffset), numberText(shadow.yOffset),
                       numberText(shadow.blur), numberText(shadow.spread), colorText(shadow.color, format, space));
}

std::string targetText(const QuenzColorProject& project, const AliasSetType& target) {
    if (!target.isSet()) return "not set";
    const auto item = project.itemWithId(target.uuid);
    const std::string name = item ? "'" + item->name() + "'" : "missing item " + target.uuid;
    if (target.kind == AliasSetType::Kind::setItem) return fmt::format("{} step {}", name, target.index);
    if (target.kind == AliasSetType::Kind::set) return name + " (middle step)";
    return name;
}

std::string targetText(const QuenzColorProject& project, const ItemAliasType& target) {
    if (!target.isSet()) return "not set";
    const auto item = project.itemWithId(target.uuid);
    return item ? "'" + item->name() + "'" : "missing item " + target.uuid;
}

template <class Alias>
std::string aliasText(const QuenzColorProject& project, const Alias& alias) {
    return "-> " + targetText(project, alias.aliasType());
}

// The light value of a value item, or its target for an alias; empty for groups and sets.
std::string lightValueText(const QuenzColorProject& project, const QuenzColorProjectItem& item) {
    switch (item.itemType()) {
        case ProjectItemType::color: {
            const auto color = item.color();
            return colorText(color->color().lightVariant, color->colorFormat(), color->colorSpace());
        }
        case ProjectItemType::number: return numberText(item.number()->value().lightVariant);
        case ProjectItemType::boolean: return item.boolean()->value().lightVariant ? "true" : "false";
        case ProjectItemType::string: return json(item.string()->value().lightVariant).dump();
        case ProjectItemType::shadow: {
            const auto shadow = item.shadow();
            return shadowText(shadow->shadow().lightVariant, shadow->colorFormat(), shadow->colorSpace());
        }
        case ProjectItemType::colorAlias: return aliasText(project, *item.colorAlias());
        case ProjectItemType::shadowAlias: return aliasText(project, *item.shadowAlias());
        case ProjectItemType::numberAlias: return aliasText(project, *item.numberAlias());
        case ProjectItemType::booleanAlias: return aliasText(project, *item.booleanAlias());
        case ProjectItemType::stringAlias: return aliasText(project, *item.stringAlias());
        case ProjectItemType::group:
        case ProjectItemType::colorSet:
        case ProjectItemType::shadowSet: return {};
    }
    return {};
}

// The steps of a set as (name, light value) pairs.
std::vector<std::pair<std::string, std::string>> setSteps(const QuenzColorProjectItem& item) {
    std::vector<std::pair<std::string, std::string>> steps;
    if (const auto set = item.colorSet()) {
        for (const auto& step : set->colors()) {
            steps.emplace_back(step.name, colorText(step.lightVariant, set->colorFormat(), set->colorSpace()));
        }
    } else if (const auto shadows = item.shadowSet()) {
        for (const auto& step : shadows->shadows()) {
            steps.emplace_back(step.name, shadowText(step.lightVariant, shadows->colorFormat(), shadows->colorSpace()));
        }
    }
    return steps;
}

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

json itemJSON(const QuenzColorProject& project, const QuenzColorProjectItem& item) {
    json entry = {{"kind", caseName(item.itemType())}, {"name", item.name()}, {"id", item.uuid()}};
    if (const auto value = item.valueItem()) {
        entry["appearance"] = rawString(value->appearanceType());
        if (value->deprecated()) entry["deprecated"] = true;
        if (const auto& reason = value->deprecatedReason()) entry["deprecatedReason"] = *reason;
    }
    if (const std::string value = lightValueText(project, item); !value.empty()) entry["value"] = value;
    const auto steps = setSteps(item);
    if (!steps.empty() || item.colorSet() || item.shadowSet()) {
        json list = json::array();
        for (const auto& [name, value] : steps) list.push_back({{"name", name}, {"value", value}});
        entry["steps"] = list;
    }
    if (const auto& group = item.buildGroup()) entry["buildGroup"] = group->name();
    if (const auto& group = item.testGroup()) {
        entry["testGroup"] = group->name();
        entry["testPosition"] = rawString(item.testPosition());
    }
    if (const auto group = item.group()) {
        entry["providesNamespace"] = group->providesNamespace();
        json children = json::array();
        for (const auto& child : group->items()) children.push_back(itemJSON(project, *child));
        entry["items"] = children;
    }
    return entry;
}

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
    if (tree) {
        json items = json::array();
        for (const auto& item : project.items()) items.push_back(itemJSON(project, *item));
        data["items"] = items;
    }
    return data;
}

// ---- Text -----------------------------------------------------------------------------------

// Levels of the tree that are indented; deeper items keep the indentation of the last one, so
// that deeply nested groups do not print the square of their depth in blanks.
constexpr std::size_t indentedLevels = 32;

void printItem(std::ostream& out, const QuenzColorProject& project, const QuenzColorProjectItem& item, std::size_t depth) {
    const std::string indent(std::min(depth, indentedLevels) * 2 + 2, ' ');
    std::string line = fmt::format("{}{} '{}'", indent, caseName(item.itemType()), item.name());
    if (const std::string value = lightValueText(project, item); !value.empty()) line += "  " + value;
    if (const auto value = item.valueItem(); value && value->appearanceType() != AppearanceType::none) {
        line += fmt::format("  [{}]", rawString(value->appearanceType()));
    }
    if (const auto group = item.group(); group && group->providesNamespace()) line += "  [namespace]";
    if (const auto& group = item.buildGroup()) line += "  build: " + group->name();
    if (const auto& group = item.testGroup()) {
        line += fmt::format("  test: {} ({})", group->name(), rawString(item.testPosition()));
    }
    if (const auto value = item.valueItem(); value && value->deprecated()) line += "  (deprecated)";
    out << line << '\n';
    for (const auto& [name, value] : setSteps(item)) out << indent << "  - " << name << "  " << value << '\n';
}

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
        walkItemTree(project.items(), [&](const ProjectItemPtr& item, const ItemPlace& place) {
            printItem(out, project, *item, place.depth);
        });
    }
}

int runInfo(CommandIO& io, const InfoArguments& args) {
    int exitCode = exitSuccess;
    const auto project = readDocumentArgument(io, args.file, exitCode);
    if (!project) return exitCode;
    if (args.json) {
        io.out << infoJSON(args.file, *project, args.tree).dump(2) << '\n';
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
