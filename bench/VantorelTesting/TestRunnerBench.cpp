// A test run over one group of 200 foregrounds and 200 backgrounds, each with its own color in
// all four appearances: 160,000 pairs per test. Reports pairs per second for a WCAG and an APCA
// test, and the report's rendering speed.

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <variant>
#include <vector>

#include "Vantorel/testing/TestReport.h"
#include "Vantorel/testing/TestRunner.h"
#include "VantorelData/model/Model.h"

using namespace vantorel;

namespace {

quenz::ColorValue randomColor(std::mt19937& random, std::size_t i) {
    std::uniform_real_distribution<double> unit(0, 1);
    // Mostly opaque sRGB, some Display P3, some translucent text.
    const quenz::RGBSpace space = i % 5 == 0 ? quenz::RGBSpace::displayP3 : quenz::RGBSpace::sRGB;
    const double alpha = i % 7 == 0 ? 0.7 : 1.0;
    return {space, unit(random), unit(random), unit(random), alpha};
}

QuenzColorProjectPtr projectWith(std::size_t foregrounds, std::size_t backgrounds, TestTaskPtr task) {
    auto project = std::make_shared<QuenzColorProject>("Bench");
    auto group = std::make_shared<TestGroup>("Everything", std::vector{std::move(task)});
    project->appendTestGroup(group);
    std::mt19937 random(11);
    std::vector<ProjectItemPtr> items;
    for (std::size_t i = 0; i < foregrounds + backgrounds; ++i) {
        ThemeableColor color(randomColor(random, i), randomColor(random, i), randomColor(random, i),
                             randomColor(random, i));
        auto item = QuenzColorProjectItem::make("Color " + std::to_string(i), std::make_shared<QuenzColorItem>(color));
        item->setTestGroup(group);
        item->setTestPosition(i < foregrounds ? TestPosition::foreground : TestPosition::background);
        items.push_back(std::move(item));
    }
    project->setItems(std::move(items));
    return project;
}

TestRunEnvironment fixedEnvironment() {
    TestRunEnvironment environment;
    environment.testTime = [] { return std::string("Mar 5, 2025, 2:07:09 PM"); };
    return environment;
}

void runGroup(benchmark::State& state, TestTaskPtr task) {
    const auto project = projectWith(200, 200, std::move(task));
    const Tester tester(project, std::nullopt, fixedEnvironment());
    std::size_t pairs = 0;
    for (auto _ : state) {
        auto results = tester.runAll();
        pairs += results.front().tests.front().testColors.size();
        benchmark::DoNotOptimize(results);
    }
    state.counters["pairs/s"] = benchmark::Counter(static_cast<double>(pairs), benchmark::Counter::kIsRate);
}

TestTaskPtr task(TestTaskType type, double threshold) {
    TestTaskFields fields;
    fields.name = "Contrast";
    fields.taskType = type;
    fields.threshold = threshold;
    return std::make_shared<TestTask>(fields);
}

void BM_TestRunWCAG(benchmark::State& state) { runGroup(state, task(TestTaskType::wcagContrastTest, 4.5)); }
void BM_TestRunAPCA(benchmark::State& state) { runGroup(state, task(TestTaskType::apcaContrastTest, 60)); }

// The report of 50 × 50 colors in four appearances: 10,000 table rows.
void BM_TestReportRender(benchmark::State& state) {
    const auto project = projectWith(50, 50, task(TestTaskType::wcagContrastTest, 4.5));
    const auto results = Tester(project, std::nullopt, fixedEnvironment()).runAll();
    auto pages = loadTestReportPages();
    if (auto* error = std::get_if<TestReportError>(&pages)) {
        state.SkipWithError(error->message.c_str());
        return;
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        auto html = renderTestReport(results, std::get<TestReportPages>(pages));
        bytes += std::get<std::string>(html).size();
        benchmark::DoNotOptimize(html);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * 10'000,
                                                  benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_TestRunWCAG)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TestRunAPCA)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TestReportRender)->Unit(benchmark::kMillisecond);
