// Figma import speed on a 20 MB ".fig" file shaped like a real design: node changes with
// identifiers, names, transforms, fills from a palette of a few hundred colors, backgrounds and
// small blobs, the data chunk in Zstandard as current writers make it. Reports inflated bytes
// per second: the whole import (archive, inflating, reading the colors), decoding the whole
// tree alone, and the import's own read of the colors alone.

#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include <array>
#include <random>

#include "Vantorel/import/FigmaImporter.h"
#include "Vantorel/import/figma/FigmaColorScan.h"
#include "Vantorel/import/figma/KiwiDecoder.h"
#include "Vantorel/platform/Log.h"
#include "tests/VantorelImport/FigmaTestFiles.h"

namespace {

using namespace vantorel;
using namespace vantorel::import::testing;

struct Design {
    std::string schema;
    std::string message;  // inflated
    std::string file;
};

std::string nodes(std::size_t count, std::mt19937& random) {
    std::uniform_real_distribution<float> unit(0, 1);
    std::uniform_int_distribution<int> colorIndex(0, 299);
    std::vector<std::array<float, 4>> palette(300);
    for (auto& color : palette) color = {unit(random), unit(random), unit(random), 1};
    KiwiWriter out;
    for (std::size_t i = 0; i < count; ++i) {
        out.field(1).varUint(1).varUint(i);
        out.field(2).string(fmt::format("Layer {} {:x}", i % 97, random()));
        const int fills = static_cast<int>(i % 3);
        out.field(3).varUint(static_cast<std::uint64_t>(fills));
        for (int f = 0; f < fills; ++f) {
            const auto& c = palette[static_cast<std::size_t>(colorIndex(random))];
            out.field(1).color(c[0], c[1], c[2], c[3]).field(2).varFloat(unit(random)).field(3).byte(1).end();
        }
        if (i % 5 == 0) {
            const auto& c = palette[static_cast<std::size_t>(colorIndex(random))];
            out.field(4).color(c[0], c[1], c[2], c[3]);
        }
        out.field(5).varFloat(1).varFloat(0).varFloat(unit(random) * 1000).varFloat(0).varFloat(1).varFloat(unit(random) * 1000);
        out.field(8).varUint(random() % 4000).field(9).varInt(static_cast<int>(random() % 200) - 100);
        if (i % 16 == 0) {
            out.field(10).varUint(64);
            for (int b = 0; b < 64; ++b) out.byte(static_cast<std::uint8_t>(random()));
        }
        out.end();
    }
    return std::move(out.bytes);
}

// Nodes are added until the file reaches 20 MB.
const Design& design() {
    static const Design made = [] {
        Design d;
        d.schema = encodeSchema(figmaLikeSchema());
        std::mt19937 random(15);
        std::string body;
        std::size_t count = 0;
        while (d.file.size() < 20'000'000) {
            const std::size_t more = count ? count * 20'000'000 / d.file.size() - count + 1000 : 200'000;
            body += nodes(more, random);
            count += more;
            KiwiWriter head;
            head.field(1).varUint(1).field(3).varUint(1).field(2).varUint(count);
            d.message = head.bytes + body + std::string(1, '\0');
            d.file = figmaFile(d.schema, d.message, Compression::deflate, Compression::zstd);
        }
        return d;
    }();
    return made;
}

void FigmaImportWhole(benchmark::State& state) {
    platform::setLogSink([](std::string_view, std::string_view) {});
    const Design& d = design();
    for (auto _ : state) {
        QuenzColorGroup group;
        if (import::FigmaImporter::importBytes(d.file, group)) state.SkipWithError("import failed");
        benchmark::DoNotOptimize(group.items().size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * d.message.size()));
    state.counters["file MB"] = static_cast<double>(d.file.size()) / 1e6;
    state.counters["inflated MB"] = static_cast<double>(d.message.size()) / 1e6;
}
BENCHMARK(FigmaImportWhole)->Unit(benchmark::kMillisecond);

void KiwiDecodeOnly(benchmark::State& state) {
    const Design& d = design();
    std::string error;
    const auto schema = import::figma::KiwiSchema::parse(d.schema, error);
    const import::figma::KiwiDecoder decoder(*schema);
    for (auto _ : state) {
        auto value = decoder.decode(d.message, "Message", error);
        if (!value) state.SkipWithError("decoding failed");
        benchmark::DoNotOptimize(value);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * d.message.size()));
}
BENCHMARK(KiwiDecodeOnly)->Unit(benchmark::kMillisecond);

// What the import reads the data with: the colors straight from the bytes, no tree.
void FigmaColorScanOnly(benchmark::State& state) {
    const Design& d = design();
    std::string error;
    const auto schema = import::figma::KiwiSchema::parse(d.schema, error);
    const import::figma::KiwiDecoder decoder(*schema, {{"GUID", {}}, {"Matrix", {}}});
    for (auto _ : state) {
        auto found = import::figma::scanFigmaColors(decoder, d.message, "Message");
        if (!std::holds_alternative<import::figma::FigmaColors>(found)) state.SkipWithError("scan failed");
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * d.message.size()));
}
BENCHMARK(FigmaColorScanOnly)->Unit(benchmark::kMillisecond);

}  // namespace
