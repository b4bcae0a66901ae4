// Throughput of the color text formatter and parser, and of the sRGB → OKLCH → sRGB round trip
// that every oklch() export and ramp step pays.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorOperations.h"

namespace {

using namespace quenz;

std::vector<ColorValue> sampleColors() {
    std::vector<ColorValue> colors;
    for (int i = 0; i < 64; ++i) {
        double t = i / 63.0;
        colors.push_back({RGBSpace::sRGB, t, 1 - t, (i * 37 % 64) / 63.0, i % 4 == 0 ? 0.5 : 1});
    }
    return colors;
}

void BM_formatColor(benchmark::State& state) {
    auto format = static_cast<ColorFormat>(state.range(0));
    auto colors = sampleColors();
    ColorConverterOptions options;
    options.roundedTo = 4;
    std::size_t i = 0;
    for (auto _ : state) {
        auto result = ColorConverter::formatColor(colors[i++ % colors.size()], format, ColorSpace::sRGB, options);
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::string(caseName(format)));
}
BENCHMARK(BM_formatColor)->DenseRange(0, static_cast<int>(std::size(allColorFormats)) - 1);

void BM_parseColor(benchmark::State& state) {
    auto format = static_cast<ColorFormat>(state.range(0));
    ColorConverterOptions options;
    options.roundedTo = 4;
    std::vector<std::string> texts;
    for (const auto& color : sampleColors()) {
        texts.push_back(*ColorConverter::formatColor(color, format, fitSpace(ColorSpace::sRGB, format), options)
                             .colorString);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        auto parsed = ColorConverter::parseColor(texts[i++ % texts.size()], format, ColorSpace::sRGB, true);
        benchmark::DoNotOptimize(parsed);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::string(caseName(format)));
}
BENCHMARK(BM_parseColor)->DenseRange(0, static_cast<int>(std::size(allColorFormats)) - 1);

// The slowest detection path: the preferred format misses and every other form is tried.
void BM_parseColorFallingThrough(benchmark::State& state) {
    const std::string text = "0.25 0.5 0.75 1";
    for (auto _ : state) {
        auto parsed = ColorConverter::parseColor(text, ColorFormat::htmlRGB, ColorSpace::sRGB, true);
        benchmark::DoNotOptimize(parsed);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_parseColorFallingThrough);

void BM_sRGBToOKLCHAndBack(benchmark::State& state) {
    auto colors = sampleColors();
    std::size_t i = 0;
    for (auto _ : state) {
        auto lch = toOKLCH(colors[i++ % colors.size()]);
        auto back = convert(fromOKLCH(*lch), RGBSpace::sRGB);
        benchmark::DoNotOptimize(back);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_sRGBToOKLCHAndBack);

}  // namespace
