// Throughput and ratio of the LZFSE codec on XML shaped like document snapshots.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "LZFSE/Lzfse.h"

namespace {

// Deterministic XML resembling a design document: nested groups of named color and number
// values with identifiers, so repetition is realistic rather than trivial.
std::string snapshotXml(size_t size) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<document version=\"3\">\n";
    uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return seed >> 8;
    };
    static const char* const kNames[] = {"primary", "secondary", "accent",  "background", "surface",
                                         "error",   "warning",   "success", "border",     "shadow"};
    static const char* const kHex = "0123456789ABCDEF";
    for (int group = 0; xml.size() < size; ++group) {
        xml +=
            "  <group name=\"Group " + std::to_string(group) + "\" id=\"" + std::to_string(next()) + "\">\n";
        for (int i = 0; i < 12 && xml.size() < size; ++i) {
            const char* name = kNames[next() % 10];
            if (next() % 3 == 0) {
                xml += "    <number name=\"" + std::string(name) + "-spacing-" + std::to_string(i) +
                       "\" id=\"" + std::to_string(next()) + "\" value=\"" + std::to_string(next() % 64) +
                       "\" unit=\"pt\"/>\n";
            } else {
                std::string hex;
                for (int k = 0; k < 6; ++k) hex += kHex[next() % 16];
                xml += "    <color name=\"" + std::string(name) + "-" + std::to_string(i) + "\" id=\"" +
                       std::to_string(next()) + "\" light=\"#" + hex + "\" dark=\"#" + hex.substr(3) +
                       hex.substr(0, 3) + "\" alpha=\"1.0\"/>\n";
            }
        }
        xml += "  </group>\n";
    }
    xml.resize(size);
    return xml;
}

void BM_Encode(benchmark::State& state) {
    const std::string xml = snapshotXml(static_cast<size_t>(state.range(0)));
    size_t compressed = 0;
    for (auto _ : state) {
        auto out = lzfse::encode(xml);
        compressed = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(xml.size()));
    state.counters["ratio"] = static_cast<double>(xml.size()) / static_cast<double>(compressed);
}

void BM_Decode(benchmark::State& state) {
    const std::string xml = snapshotXml(static_cast<size_t>(state.range(0)));
    const std::vector<uint8_t> stream = lzfse::encode(xml);
    for (auto _ : state) {
        auto out = lzfse::decode(stream);
        if (!out || out->size() != xml.size()) state.SkipWithError("round trip failed");
        benchmark::DoNotOptimize(out->data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(xml.size()));
    state.counters["ratio"] = static_cast<double>(xml.size()) / static_cast<double>(stream.size());
}

}  // namespace

BENCHMARK(BM_Encode)->Arg(4 << 10)->Arg(64 << 10)->Arg(1 << 20);
BENCHMARK(BM_Decode)->Arg(4 << 10)->Arg(64 << 10)->Arg(1 << 20);
