// A whole build of a large document: 10,000 items in nested groups, all assigned to one build
// group whose tasks write design-token JSON, an asset catalog, Android resources, or the
// template-rendered CSS, SCSS and SwiftUI outputs, one at a time and the five usual ones together. Reports items exported per second, counting
// each item once per task.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Vantorel/build/Builder.h"
#include "bench/VantorelBuild/LargeProject.h"

namespace {

using namespace vantorel;
namespace fs = std::filesystem;

using bench::buildTask;
using bench::largeProject;

void buildLargeDocument(benchmark::State& state, std::vector<BuildTaskPtr> tasks,
                        bench::ColorVariety variety = bench::ColorVariety::repeating) {
    const fs::path folder = fs::temp_directory_path() / ("vantorel-build-bench-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::size_t taskCount = tasks.size();
    auto group = std::make_shared<BuildGroup>("All", std::move(tasks));
    auto project = largeProject(group, variety);

    std::size_t exported = 0;
    for (auto _ : state) {
        build::Builder builder(*project, folder / "Large.vantorel", "Large", {"All"});
        auto result = builder.build();
        if (!result.succeeded()) {
            state.SkipWithError("the build failed");
            break;
        }
        exported += result.exportedItemCount * taskCount;
    }
    state.counters["items"] = benchmark::Counter(static_cast<double>(exported), benchmark::Counter::kIsRate);
    fs::remove_all(folder);
}

void BM_BuildJson(benchmark::State& state) {
    buildLargeDocument(state, {buildTask("JSON", BuildFileType::jsonDesignToken, "tokens")});
}
void BM_BuildAssetCatalog(benchmark::State& state) {
    buildLargeDocument(state, {buildTask("Catalog", BuildFileType::assetCatalog, "Colors")});
}
void BM_BuildAndroidResources(benchmark::State& state) {
    buildLargeDocument(state, {buildTask("Android", BuildFileType::androidResource, "colors")});
}
void BM_BuildAllThree(benchmark::State& state) {
    buildLargeDocument(state, {buildTask("JSON", BuildFileType::jsonDesignToken, "tokens"),
                               buildTask("Catalog", BuildFileType::assetCatalog, "Colors"),
                               buildTask("Android", BuildFileType::androidResource, "colors")});
}
void BM_BuildCSS(benchmark::State& state) {
    buildLargeDocument(state, {buildTask("CSS", BuildFileType::css, "tokens")});
}
void BM_BuildSCSS(benchmark::State& state) {
    buildLargeDocument(state, {buildTask("SCSS", BuildFileType::scss, "_tokens")});
}
void BM_BuildSwiftUI(benchmark::State& state) {
    buildLargeDocument(state, {buildTask("SwiftUI", BuildFileType::swiftUIEnum, "Tokens")});
}

// The figure the build is held to: the five outputs most projects build, together.
void BM_BuildFiveOutputs(benchmark::State& state) { buildLargeDocument(state, bench::fiveOutputTasks()); }
// The same with a color of its own for nearly every item.
void BM_BuildFiveOutputsDistinctColors(benchmark::State& state) {
    buildLargeDocument(state, bench::fiveOutputTasks(), bench::ColorVariety::distinct);
}

BENCHMARK(BM_BuildFiveOutputs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildFiveOutputsDistinctColors)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildJson)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildAssetCatalog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildAndroidResources)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildAllThree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildCSS)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildSCSS)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildSwiftUI)->Unit(benchmark::kMillisecond);

}  // namespace
