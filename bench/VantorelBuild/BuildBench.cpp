// A whole build of a large document: 10,000 items in nested groups, all assigned to one build
// group whose tasks write design-token JSON, an asset catalog, Android resources, or the
// template-rendered CSS, SCSS and SwiftUI outputs. Reports items exported per second, counting
// each item once per task.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Vantorel/build/Builder.h"
#include "VantorelData/model/ColorItem.h"
#include "VantorelData/model/Project.h"

namespace {

using namespace vantorel;
namespace fs = std::filesystem;

constexpr int itemCount = 10'000;
constexpr int itemsPerGroup = 100;

BuildTaskPtr task(const std::string& name, BuildFileType type, const std::string& file) {
    BuildTaskFields fields;
    fields.name = name;
    fields.exportFileType = type;
    fields.exportFileFolder = "out";
    fields.exportFileName = file;
    fields.nameTransform = BuildNameTransform::kebabCase;
    return std::make_shared<BuildTask>(fields);
}

// 100 groups of 100 colors with light and dark variants, every item assigned to `group`.
QuenzColorProjectPtr largeProject(const BuildGroupPtr& group) {
    auto project = std::make_shared<QuenzColorProject>("Large");
    std::vector<ProjectItemPtr> top;
    for (int g = 0; g < itemCount / itemsPerGroup; ++g) {
        std::vector<ProjectItemPtr> colors;
        for (int i = 0; i < itemsPerGroup; ++i) {
            const double level = static_cast<double>(i) / itemsPerGroup;
            ThemeableColor value(quenz::ColorValue{quenz::RGBSpace::sRGB, level, 0.5, 1 - level, 1, 0}, std::nullopt,
                                 quenz::ColorValue{quenz::RGBSpace::sRGB, 1 - level, 0.4, level, 1, 0});
            auto item = QuenzColorProjectItem::make("Color " + std::to_string(i),
                                                    std::make_shared<QuenzColorItem>(std::move(value)));
            item->setBuildGroup(group);
            colors.push_back(std::move(item));
        }
        top.push_back(QuenzColorProjectItem::make("Group " + std::to_string(g),
                                                  std::make_shared<QuenzColorGroup>(std::move(colors), true)));
    }
    project->setItems(std::move(top));
    project->setBuildGroups({group});
    return project;
}

void buildLargeDocument(benchmark::State& state, std::vector<BuildTaskPtr> tasks) {
    const fs::path folder = fs::temp_directory_path() / ("vantorel-build-bench-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::size_t taskCount = tasks.size();
    auto group = std::make_shared<BuildGroup>("All", std::move(tasks));
    auto project = largeProject(group);

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
    buildLargeDocument(state, {task("JSON", BuildFileType::jsonDesignToken, "tokens")});
}
void BM_BuildAssetCatalog(benchmark::State& state) {
    buildLargeDocument(state, {task("Catalog", BuildFileType::assetCatalog, "Colors")});
}
void BM_BuildAndroidResources(benchmark::State& state) {
    buildLargeDocument(state, {task("Android", BuildFileType::androidResource, "colors")});
}
void BM_BuildAllThree(benchmark::State& state) {
    buildLargeDocument(state, {task("JSON", BuildFileType::jsonDesignToken, "tokens"),
                               task("Catalog", BuildFileType::assetCatalog, "Colors"),
                               task("Android", BuildFileType::androidResource, "colors")});
}
void BM_BuildCSS(benchmark::State& state) {
    buildLargeDocument(state, {task("CSS", BuildFileType::css, "tokens")});
}
void BM_BuildSCSS(benchmark::State& state) {
    buildLargeDocument(state, {task("SCSS", BuildFileType::scss, "_tokens")});
}
void BM_BuildSwiftUI(benchmark::State& state) {
    buildLargeDocument(state, {task("SwiftUI", BuildFileType::swiftUIEnum, "Tokens")});
}

BENCHMARK(BM_BuildJson)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildAssetCatalog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildAndroidResources)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildAllThree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildCSS)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildSCSS)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildSwiftUI)->Unit(benchmark::kMillisecond);

}  // namespace
