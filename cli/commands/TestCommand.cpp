// `vantorel test FILE`: runs the contrast tests of a document, all test groups or one, writes
// the HTML report (and JUnit XML on request) and prints each group's pass and fail summaries.
// Exits 1 when any pair failed, so that continuous integration stops on a regression.

#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include <nlohmann/json.hpp>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "Vantorel/platform/AtomicFile.h"
#include "Vantorel/platform/OutputText.h"
#include "Vantorel/platform/UserLocale.h"
#include "Vantorel/testing/JUnitReport.h"
#include "Vantorel/testing/TestReport.h"
#include "Vantorel/testing/TestRunner.h"
#include "Vantorel/testing/TestRunnerViewModel.h"
#include "cli/CommandRegistry.h"
#include "cli/DocumentArgument.h"
#include "cli/FileArguments.h"
#include "cli/LocaleOption.h"

namespace vantorel::cli {
namespace {

namespace fs = std::filesystem;

inline constexpr const char* defaultReportName = "Vantorel Test Report.html";
// Failed pairs listed per group on the terminal; the report has them all.
constexpr std::size_t listedFailuresPerGroup = 10;

struct TestArguments {
    std::string file;
    std::string group;
    std::string report;
    std::string junit;
    std::string locale;
    bool json = false;
};

std::string quotedNames(const std::vector<TestGroupPtr>& groups) {
    std::string names;
    for (const auto& group : groups) names += (names.empty() ? "'" : ", '") + group->name() + "'";
    return names;
}

TestGroupPtr groupNamed(const QuenzColorProject& project, const std::string& name) {
    for (const auto& group : project.testGroups()) {
        if (group && group->name() == name) return group;
    }
    return nullptr;
}

nlohmann::json resultsAsJSON(const std::vector<ColorTestGroupResult>& results) {
    auto groups = nlohmann::json::array();
    for (const auto& group : results) {
        auto tests = nlohmann::json::array();
        for (const auto& test : group.tests) {
            auto pairs = nlohmann::json::array();
            for (const auto& pair : test.testColors) {
                pairs.push_back({{"foreground", pair.foregroundColorName},
                                 {"foregroundColor", pair.foregroundCSSColorString},
                                 {"background", pair.backgroundColorName},
                                 {"backgroundColor", pair.backgroundCSSColorString},
                                 {"appearance", pair.sourceCSSId},
                                 {"summary", pair.testResultSummary},
                                 {"passed", pair.passed}});
            }
            tests.push_back({{"name", test.testSummaryName}, {"results", std::move(pairs)}});
        }
        groups.push_back({{"name", group.testGroupName},
                          {"testTime", group.testTime},
                          {"passSummary", group.passSummary},
                          {"failSummary", group.failSummary},
                          {"resultPassPercent", group.resultPassPercent},
                          {"tests", std::move(tests)}});
    }
    return groups;
}

void printSummaries(std::ostream& out, const std::vector<ColorTestGroupResult>& results) {
    for (const auto& group : results) {
        out << group.testGroupName << " (" << group.testTime << ")\n"
            << "  " << group.passSummary << '\n'
            << "  " << group.failSummary << '\n';
        std::size_t failures = 0;
        for (const auto& test : group.tests) {
            for (const auto& pair : test.testColors) {
                if (pair.passed) continue;
                if (failures++ < listedFailuresPerGroup) {
                    out << fmt::format("    FAIL {} › {}: {}\n", test.testSummaryName, junitTestCaseName(pair),
                                       pair.testResultSummary);
                }
            }
        }
        if (failures > listedFailuresPerGroup) {
            out << fmt::format("    … and {} more failed pairs in the report\n", failures - listedFailuresPerGroup);
        }
    }
    if (results.empty()) out << "No test results: no test group measured a pair of colors.\n";
}

int runTests(CommandIO& io, const TestArguments& args) {
    platform::ScopedUserLocale locale(args.locale);
    const auto startedAt = std::chrono::system_clock::now();

    int exitCode = exitSuccess;
    auto project = readDocumentArgument(io, args.file, exitCode);
    if (!project) return exitCode;

    TestRunOptions options;
    if (args.group.empty()) {
        options.runAll = true;
    } else {
        options.runGroup = groupNamed(*project, args.group);
        if (!options.runGroup) {
            const auto known = quotedNames(project->testGroups());
            return fail(io, exitBadUsage,
                        "'" + args.file + "' has no test group named '" + args.group + "'" +
                            (known.empty() ? std::string(" (it has none)") : " (it has " + known + ")"));
        }
    }

    for (const std::string& output : {args.report, args.junit}) {
        if (output.empty()) continue;
        if (const auto problem = outputFileProblem(output)) return fail(io, exitBadUsage, *problem);
    }

    auto pages = loadTestReportPages();
    if (auto* error = std::get_if<TestReportError>(&pages)) return fail(io, exitJobFailed, error->message);

    const fs::path document = fs::absolute(args.file);
    const fs::path reportFile = args.report.empty() ? document.parent_path() / defaultReportName : fs::path(args.report);
    TestRunViewModel model(Tester(project, reportFile), std::move(std::get<TestReportPages>(pages)),
                           TestReportOptions{document.stem().string()});
    model.runOptions = options;
    model.startRun();
    if (model.error()) return fail(io, exitJobFailed, model.error()->message);
    const auto& results = model.results();

    if (!args.junit.empty()) {
        const auto xml = junitReportXML(results, JUnitReportOptions{startedAt, localHostName()});
        if (auto error = platform::writeFileAtomically(args.junit, xml)) return fail(io, exitJobFailed, error->message);
    }

    if (args.json) {
        nlohmann::json data = {{"report", reportFile.string()},
                               {"junit", args.junit.empty() ? nlohmann::json(nullptr) : nlohmann::json(args.junit)},
                               {"passed", !anyPairFailed(results)},
                               {"groups", resultsAsJSON(results)}};
        io.out << platform::jsonOutputText(std::move(data)) << '\n';
    } else {
        printSummaries(io.out, results);
        io.out << "Report: " << reportFile.string() << '\n';
    }
    return anyPairFailed(results) ? exitJobFailed : exitSuccess;
}

const CommandRegistration registration{Command{
    "test",
    "Run the contrast tests of a document and write the HTML report",
    65,
    [](CLI::App& app) -> CommandRunner {
        auto args = std::make_shared<TestArguments>();
        app.add_option("FILE", args->file, "The .vantorel document")->required();
        app.add_option("--group", args->group, "Run only the test group with this name (default: every group)");
        app.add_option("-o,--output", args->report,
                       fmt::format("Where to write the HTML report (default: \"{}\" beside the document)",
                                   defaultReportName));
        app.add_option("--junit", args->junit, "Also write the results as JUnit XML to this file");
        addLocaleOption(app, args->locale,
                        "Write dates and numbers as this locale does, e.g. de_DE (default: from the environment)");
        app.add_flag("--json", args->json, "Print the results as JSON instead of the summaries");
        app.footer(
            "Every foreground is measured on every background of its group in the light, light high contrast, "
            "dark and dark high contrast appearances. Exits 1 when any pair fails, 0 when all pass.");
        return [args](CommandIO& io) { return runTests(io, *args); };
    },
}};

}  // namespace
}  // namespace vantorel::cli
