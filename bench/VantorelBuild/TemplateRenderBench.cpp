// Rendering a build template over a large group: 10,000 items in 100 namespace groups (colors
// with light and dark variants, every tenth a shadow), through a style-sheet-like template that
// names each item and writes its colors with the tags. Reports items per second for collecting
// the records alone, for rendering collected records, and for a whole export to a file.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Vantorel/build/templates/TemplateExporter.h"
#include "Vantorel/build/templates/TemplateItemCollector.h"
#include "VantorelData/model/ColorItem.h"
#include "VantorelData/model/Project.h"
#include "VantorelData/model/Shadow.h"

namespace {

using namespace vantorel;
namespace fs = std::filesystem;

constexpr int itemCount = 10'000;
constexpr int itemsPerGroup = 100;

const std::string styleSheet = R"(/* {{ exportFileNameWithExtension }} */
:root {
    {% for item in items %}
    {% if item.colorItem %}
    --{{ item.name }}: {% colorAsCSSHexRGB item.colorItem.color.light %};
    {% elif item.shadowItem %}
    --{{ item.name }}: {% shadowAsCSSBoxShadow item.shadowItem.shadow.light %};
    {% endif %}
    {% endfor %}
}
@media (prefers-color-scheme: dark) {
    :root {
        {% for item in items %}
        {% if item.colorItem.color.dark %}
        --{{ item.name|replace:"-","_" }}: {% lightDark item.colorItem.color.light item.colorItem.color.dark cssColor %};
        {% endif %}
        {% endfor %}
    }
}
)";

struct LargeDocument {
    QuenzColorProjectPtr project;
    std::vector<ProjectItemPtr> items;  // what the builder hands an exporter: groups, then children
    BuildTask task;
};

LargeDocument largeDocument() {
    auto project = std::make_shared<QuenzColorProject>("Large");
    std::vector<ProjectItemPtr> top, assigned;
    for (int g = 0; g < itemCount / itemsPerGroup; ++g) {
        std::vector<ProjectItemPtr> children;
        for (int i = 0; i < itemsPerGroup; ++i) {
            const double level = static_cast<double>(i) / itemsPerGroup;
            const quenz::ColorValue light{quenz::RGBSpace::sRGB, level, 0.5, 1 - level, 1, 0};
            const quenz::ColorValue dark{quenz::RGBSpace::displayP3, 1 - level, 0.4, level, 0.9, 0};
            ProjectItemPtr item;
            if (i % 10 == 9) {
                item = QuenzColorProjectItem::make(
                    "Shadow " + std::to_string(i),
                    std::make_shared<QuenzColorShadow>(ThemeableShadow(ShadowDetails(light, 0, i, 2.5 * i, 0))));
            } else {
                item = QuenzColorProjectItem::make(
                    "Color " + std::to_string(i),
                    std::make_shared<QuenzColorItem>(ThemeableColor(light, std::nullopt, dark)));
            }
            children.push_back(item);
        }
        auto group = QuenzColorProjectItem::make("Group " + std::to_string(g),
                                                 std::make_shared<QuenzColorGroup>(children, true));
        top.push_back(group);
        assigned.push_back(group);
        assigned.insert(assigned.end(), children.begin(), children.end());
    }
    project->setItems(std::move(top));
    BuildTaskFields fields;
    fields.name = "CSS";
    fields.exportFileType = BuildFileType::css;
    fields.exportFileName = "tokens";
    fields.nameTransform = BuildNameTransform::kebabCase;
    return {project, std::move(assigned), BuildTask(fields)};
}

void reportItems(benchmark::State& state) {
    state.counters["items"] = benchmark::Counter(static_cast<double>(state.iterations()) * itemCount,
                                                 benchmark::Counter::kIsRate);
}

void BM_CollectTemplateItems(benchmark::State& state) {
    const auto document = largeDocument();
    for (auto _ : state) {
        auto items = build::collectTemplateItems(*document.project, document.task, document.items);
        benchmark::DoNotOptimize(items.data());
    }
    reportItems(state);
}

void BM_RenderCollectedItems(benchmark::State& state) {
    const auto document = largeDocument();
    const auto context = build::templateRenderContext(
        build::collectTemplateItems(*document.project, document.task, document.items), document.task);
    for (auto _ : state) {
        auto rendered = build::renderTemplateText(styleSheet, context);
        if (rendered.error) {
            state.SkipWithError(rendered.error->message.c_str());
            break;
        }
        benchmark::DoNotOptimize(rendered.text.data());
    }
    reportItems(state);
}

void BM_TemplateExport(benchmark::State& state) {
    const auto document = largeDocument();
    const fs::path folder = fs::temp_directory_path() / ("vantorel-template-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    for (auto _ : state) {
        auto result = build::renderTemplate(
            styleSheet, build::ExportRequest{*document.project, folder, folder, document.task, document.items});
        if (result.error) {
            state.SkipWithError(result.error->message.c_str());
            break;
        }
    }
    reportItems(state);
    fs::remove_all(folder);
}

BENCHMARK(BM_CollectTemplateItems)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderCollectedItems)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TemplateExport)->Unit(benchmark::kMillisecond);

}  // namespace
