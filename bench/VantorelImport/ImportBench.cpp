// Import speed on large files: a design-token file of 10,000 tokens, and a 1 MB style sheet
// written the way frameworks write theirs (custom properties, utility classes, most
// declarations not colors). Reports bytes read per second.

#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include <string>

#include "Vantorel/import/CSSFileImporter.h"
#include "Vantorel/import/JsonDesignImporter.h"
#include "Vantorel/import/StyleSheetColors.h"

namespace {

using namespace vantorel;

// 10,000 tokens in 400 groups of 25: colors (which become sets), numbers and shadows, with
// light and dark trees as the exporter writes them.
std::string tokenFile() {
    std::string mode[2];
    for (int m = 0; m < 2; ++m) {
        std::string groups;
        for (int g = 0; g < 200; ++g) {
            std::string tokens;
            for (int t = 0; t < 25; ++t) {
                const double v = (g * 25 + t + m * 7) % 100 / 100.0;
                if (!tokens.empty()) tokens += ",";
                if (g % 4 == 3) {
                    tokens += fmt::format(R"("{}":{{"$type":"number","$value":{}}})", t, v * 64);
                } else if (g % 4 == 2) {
                    tokens += fmt::format(
                        R"("{}":{{"$type":"shadow","$value":{{"color":"#000000","offsetX":"0px","offsetY":"{}px","blur":"{}px","spread":"0px"}}}})",
                        t, t, t * 2);
                } else {
                    tokens += fmt::format(
                        R"("{}":{{"$type":"color","$value":{{"colorSpace":"srgb","components":[{},{},{}],"hex":"#000000"}}}})",
                        t, v, 1 - v, v / 2);
                }
            }
            groups += fmt::format(R"({}"group {}":{{{}}})", g ? "," : "", g, tokens);
        }
        mode[m] = "{" + groups + "}";
    }
    return R"({"Light":)" + mode[0] + R"(,"Dark":)" + mode[1] + "}";
}

std::string styleSheet(std::size_t size) {
    std::string css = ":root {\n";
    for (int i = 0; i < 200; ++i)
        css += fmt::format("  --palette-{}-{}: #{:06X};\n", i / 10, (i % 10 + 1) * 100, i * 83421 % 0xFFFFFF);
    css += "}\n";
    for (int i = 0; css.size() < size; ++i) {
        css += fmt::format(
            ".component-{0} {{\n  display: flex;\n  margin: 0 auto;\n  padding: {1}px {2}px;\n  font: "
            "14px/1.5 system-ui, sans-serif;\n"
            "  border: 1px solid rgba({3}, {4}, {5}, 0.5);\n  color: var(--palette-{6}-500);\n  "
            "background-color: #{7:06X};\n"
            "  transition: opacity .15s ease-in-out;\n}}\n.component-{0}:hover {{ box-shadow: 0 0 0 .25rem "
            "hsl({8} 60% 40% / .25); }}\n",
            i, i % 16, i % 24, i % 256, (i * 7) % 256, (i * 13) % 256, i % 20, i * 2654435761u % 0xFFFFFF,
            i % 360);
    }
    return css;
}

void tokenImport(benchmark::State& state) {
    const std::string text = tokenFile();
    for (auto _ : state) {
        QuenzColorGroup group;
        benchmark::DoNotOptimize(import::JsonDesignImporter().importText(text, group));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["tokens/s"] =
        benchmark::Counter(20000.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(tokenImport)->Unit(benchmark::kMillisecond);

void styleSheetExtraction(benchmark::State& state) {
    const std::string text = styleSheet(1 << 20);
    for (auto _ : state) {
        import::StyleSheetColors colors;
        colors.extract(text);
        benchmark::DoNotOptimize(colors.records().size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(styleSheetExtraction)->Unit(benchmark::kMillisecond);

void styleSheetImport(benchmark::State& state) {
    const std::string text = styleSheet(1 << 20);
    for (auto _ : state) {
        QuenzColorGroup group;
        import::CSSFileImporter::importText(text, false, group);
        benchmark::DoNotOptimize(group.items().size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(styleSheetImport)->Unit(benchmark::kMillisecond);

}  // namespace
