// Dominant colors of a 12-megapixel photo (4000 × 3000) as JPEG and as PNG: decoding and
// counting together. A photo-like picture: smooth gradients with sensor noise, so that millions
// of distinct colors are counted. Reports pixels per second and the peak resident memory of
// the process.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <random>

#include "Vantorel/import/ImageImporter.h"
#include "tests/VantorelImport/ImageEncoding.h"

namespace {

using namespace vantorel;

constexpr std::uint32_t photoWidth = 4000;
constexpr std::uint32_t photoHeight = 3000;

const import::testing::RGBAImage& photo() {
    static const import::testing::RGBAImage image = [] {
        import::testing::RGBAImage result(photoWidth, photoHeight);
        std::mt19937 random(7);
        std::uniform_int_distribution<int> noise(-6, 6);
        const auto channel = [&](int value) { return static_cast<std::uint32_t>(std::clamp(value + noise(random), 0, 255)); };
        for (std::uint32_t y = 0; y < photoHeight; ++y) {
            for (std::uint32_t x = 0; x < photoWidth; ++x) {
                const int sky = static_cast<int>(y * 160 / photoHeight);
                const std::uint32_t rgba = channel(60 + sky) << 24 | channel(90 + sky / 2) << 16 |
                                           channel(200 - static_cast<int>(x * 120 / photoWidth)) << 8 | 0xFF;
                result.set(std::size_t{y} * photoWidth + x, rgba);
            }
        }
        return result;
    }();
    return image;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void importPhoto(benchmark::State& state, const std::string& bytes) {
    for (auto _ : state) {
        std::vector<import::ImportedColor> records;
        const auto error = import::ImageImporter::importImage(bytes, records);
        if (error) state.SkipWithError(error->description.c_str());
        benchmark::DoNotOptimize(records);
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t{photoWidth} * photoHeight);
    state.counters["peak_MB"] = peakMegabytes();
}

void BM_DominantColorsOfJPEGPhoto(benchmark::State& state) {
    static const std::string bytes = import::testing::encodeJPEG(photo(), 90);
    importPhoto(state, bytes);
}
BENCHMARK(BM_DominantColorsOfJPEGPhoto)->Unit(benchmark::kMillisecond);

// The same photo with a run of its coded data overwritten by 0xFF bytes a tenth of the way in,
// as a failed transfer leaves it: refused, and soon.
void BM_RejectsDamagedJPEGPhoto(benchmark::State& state) {
    static const std::string bytes = [] {
        std::string damaged = import::testing::encodeJPEG(photo(), 90);
        for (std::size_t i = damaged.size() / 10; i < damaged.size() / 10 + 64; ++i) damaged[i] = '\xFF';
        return damaged;
    }();
    for (auto _ : state) {
        std::vector<import::ImportedColor> records;
        if (!import::ImageImporter::importImage(bytes, records)) state.SkipWithError("the damaged photo was imported");
    }
}
BENCHMARK(BM_RejectsDamagedJPEGPhoto)->Unit(benchmark::kMillisecond);

void BM_DominantColorsOfPNGPhoto(benchmark::State& state) {
    static const std::string bytes = import::testing::encodePNG(photo());
    importPhoto(state, bytes);
}
BENCHMARK(BM_DominantColorsOfPNGPhoto)->Unit(benchmark::kMillisecond);

}  // namespace
