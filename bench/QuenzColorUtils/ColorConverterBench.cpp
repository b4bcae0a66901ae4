// Throughput of the color text formatter and parser, and of the sRGB → OKLCH → sRGB round trip
// that every oklch() export and ramp step pays.

#include <benchmark/benchmark.h>

#include <random>
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

// Writes the colors in turn in the format of the benchmark's argument, to four places.
void formatInTurn(benchmark::State& state, const std::vector<ColorValue>& colors, ColorSpace space) {
    const auto format = static_cast<ColorFormat>(state.range(0));
    ColorConverterOptions options;
    options.roundedTo = 4;
    std::size_t i = 0;
    for (auto _ : state) {
        auto result = ColorConverter::formatColor(colors[i++ % colors.size()], format, space, options);
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::string(caseName(format)));
}

void BM_formatColor(benchmark::State& state) { formatInTurn(state, sampleColors(), ColorSpace::sRGB); }
BENCHMARK(BM_formatColor)->DenseRange(0, static_cast<int>(std::size(allColorFormats)) - 1);

// oklab() and oklch() of many different colors, bytes and extended values among them, in sRGB
// and Display P3, so that no cache of a few inputs and no lucky rounding carries the figure.
void BM_formatOKColorsOfEveryKind(benchmark::State& state) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> unit(0, 1), extended(-0.2, 1.2);
    std::vector<ColorValue> colors;
    for (int i = 0; i < 4096; ++i) {
        switch (i % 4) {
            case 0: colors.push_back({RGBSpace::sRGB, unit(random), unit(random), unit(random), 1}); break;
            case 1: colors.push_back({RGBSpace::sRGB, (i % 256) / 255.0, (i * 7 % 256) / 255.0, (i * 31 % 256) / 255.0, 1});
                break;
            case 2: colors.push_back({RGBSpace::extendedSRGB, extended(random), extended(random), extended(random), 0.5});
                break;
            default: colors.push_back({RGBSpace::displayP3, unit(random), unit(random), unit(random), 1}); break;
        }
    }
    formatInTurn(state, colors, ColorSpace::sRGBExtended);
}
BENCHMARK(BM_formatOKColorsOfEveryKind)
    ->Arg(static_cast<int>(ColorFormat::cssOKLAB))
    ->Arg(static_cast<int>(ColorFormat::cssOKLCH));

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
