// Pairs per second for the contrast measures and the evaluation a test run makes per pair.

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "Vantorel/testing/APCAContrast.h"
#include "Vantorel/testing/AccessibilityTables.h"
#include "Vantorel/testing/ContrastPairEvaluation.h"
#include "Vantorel/testing/WCAGContrast.h"

using namespace vantorel;

namespace {

// A test group's worth of colors: mostly opaque sRGB, some translucent, some Display P3.
std::vector<TestedColor> sampleColors(std::size_t count) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<TestedColor> colors;
    for (std::size_t i = 0; i < count; ++i) {
        quenz::RGBSpace space = i % 5 == 0 ? quenz::RGBSpace::displayP3 : quenz::RGBSpace::sRGB;
        double alpha = i % 7 == 0 ? 0.6 : 1.0;
        colors.push_back({std::to_string(i), "Color " + std::to_string(i),
                          quenz::ColorValue{space, unit(random), unit(random), unit(random), alpha}});
    }
    return colors;
}

template <typename Measure>
void runPairs(benchmark::State& state, Measure measure) {
    auto colors = sampleColors(64);
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& foreground = colors[i % colors.size()];
        const auto& background = colors[(i * 7 + 3) % colors.size()];
        benchmark::DoNotOptimize(measure(foreground, background));
        ++i;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_WCAGRatio(benchmark::State& state) {
    runPairs(state, [](const TestedColor& f, const TestedColor& b) { return wcagContrastRatio(*f.color, *b.color); });
}

void BM_APCALightnessContrast(benchmark::State& state) {
    runPairs(state,
             [](const TestedColor& f, const TestedColor& b) { return apcaLightnessContrast(*f.color, *b.color); });
}

void BM_EvaluateWCAGPair(benchmark::State& state) {
    WCAGCriteria criteria{4.5};
    runPairs(state, [&](const TestedColor& f, const TestedColor& b) {
        return evaluateWCAGPair(f, b, TestedAppearance::light, criteria);
    });
}

void BM_EvaluateAPCAPairTextSize(benchmark::State& state) {
    APCACriteria criteria{{}, 16, APCAFontWeight::fourHundred, APCAThresholdKind::textSize};
    runPairs(state, [&](const TestedColor& f, const TestedColor& b) {
        return evaluateAPCAPair(f, b, TestedAppearance::dark, criteria);
    });
}

void BM_InspectContrast(benchmark::State& state) {
    runPairs(state, [](const TestedColor& f, const TestedColor& b) { return inspectContrast(*f.color, *b.color); });
}

}  // namespace

BENCHMARK(BM_WCAGRatio);
BENCHMARK(BM_APCALightnessContrast);
BENCHMARK(BM_EvaluateWCAGPair);
BENCHMARK(BM_EvaluateAPCAPairTextSize);
BENCHMARK(BM_InspectContrast);
