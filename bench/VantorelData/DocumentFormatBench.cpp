// Opening and saving documents of 1k, 10k and 100k items, beside pugixml's bare parse and print
// of the same bytes: the reader and writer should stay within twice the cost of the XML work
// alone. The parse followed by a bare visit of the tree shows how much of that allowance merely
// reading pugixml's tree takes. Live heap bytes per item after opening, and the allocations an
// open makes per item, are reported as counters.

#include <benchmark/benchmark.h>

#include <pugixml.hpp>

#include <malloc.h>

#include <atomic>
#include <limits>
#include <map>
#include <memory>
#include <string>

#include "bench/VantorelData/AllocationCount.h"
#include "VantorelData/format/FlatXmlDocument.h"
#include "VantorelData/format/QuenzColorFileReader.h"
#include "VantorelData/format/QuenzColorFileWriter.h"

// Heap bytes in use, for the memory-per-item counter: read from the allocator's own books once,
// before the timed runs, since reading them reshapes the heap (it merges freed chunks).
namespace {
long long heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long long>(info.uordblks + info.hblkhd);
}

// Every side is measured on a warm heap: the allocator keeps what was freed instead of handing
// it back to the kernel, so no run pays for fresh pages, which on a virtual machine can cost
// more than the parse itself and would make the figures depend on the heap's last trim.
const bool warmHeap = [] {
    mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
    mallopt(M_MMAP_THRESHOLD, std::numeric_limits<int>::max());
    return true;
}();

template <class Open>
double allocationsPerItem(const Open& open, long long items) {
    const long long before = allocationCount.load(std::memory_order_relaxed);
    const auto opened = open();
    return static_cast<double>(allocationCount.load(std::memory_order_relaxed) - before) / static_cast<double>(items);
}

template <class Open>
double heapBytesPerItem(const Open& open, long long items) {
    const long long before = heapInUse();
    const auto opened = open();
    return static_cast<double>(heapInUse() - before) / static_cast<double>(items);
}
}  // namespace

namespace vantorel::format {
namespace {

quenz::ColorValue gray(double level, double alpha = 1) { return {quenz::RGBSpace::sRGB, level, level * 0.9, level * 0.8, alpha, 0}; }

// About `count` items: groups of twelve, one of each kind, every fourth group nested in the
// previous one, aliases pointing at the group's set, number, boolean, string and shadow set.
QuenzColorProjectPtr generatedProject(int count) {
    auto project = std::make_shared<QuenzColorProject>();
    auto web = std::make_shared<BuildGroup>("Web", std::vector<BuildTaskPtr>{BuildTask::makeDefault()});
    auto contrast = std::make_shared<TestGroup>("Contrast", std::vector<TestTaskPtr>{std::make_shared<TestTask>()});
    project->setBuildGroups({web});
    project->setTestGroups({contrast});
    std::vector<ProjectItemPtr> top;
    std::shared_ptr<QuenzColorGroup> previous;
    const CommonValueFields lightDark{AppearanceType::lightAndDark, 0.5, false, std::nullopt};
    for (int made = 0, g = 0; made < count; ++g) {
        std::vector<ProjectItemPtr> items;
        const double level = (g % 100) / 100.0;
        auto color = QuenzColorProjectItem::make(
            "Color " + std::to_string(g),
            std::make_shared<QuenzColorItem>(ThemeableColor(gray(level), {}, gray(1 - level)), ColorPresentation{}, lightDark));
        std::vector<ThemeableColor> steps;
        for (int s = 0; s < 5; ++s) steps.emplace_back(gray(s / 4.0), std::nullopt, std::nullopt, std::nullopt, std::to_string(100 * (s + 1)));
        auto set = QuenzColorProjectItem::make("Ramp", std::make_shared<QuenzColorSet>(steps, SetParameters{}));
        auto number = QuenzColorProjectItem::make("Space", std::make_shared<QuenzColorNumber>(ThemeableNumber(g * 0.25), 0.0, 100.0, 10));
        auto boolean = QuenzColorProjectItem::make("Flag", std::make_shared<QuenzColorBoolean>(ThemeableBoolean(g % 2 == 0)));
        auto string = QuenzColorProjectItem::make("Font", std::make_shared<QuenzColorString>(ThemeableString("Inter, sans-serif")));
        const ShadowDetails details(gray(0, 0.25), 0, 2, 8, 0);
        auto shadow = QuenzColorProjectItem::make("Card", std::make_shared<QuenzColorShadow>(ThemeableShadow(details)));
        auto shadowSet = QuenzColorProjectItem::make(
            "Levels", std::make_shared<QuenzColorShadowSet>(std::vector<ThemeableShadow>{ThemeableShadow(details), ThemeableShadow(details),
                                                                                         ThemeableShadow(details)},
                                                            SetParameters{}));
        color->setBuildGroup(web);
        color->setTestGroup(contrast);
        items = {color, set, number, boolean, string, shadow, shadowSet};
        items.push_back(QuenzColorProjectItem::make(
            "Primary", std::make_shared<QuenzColorAlias>(AliasSetTargets{AliasSetType::setItem(set->uuid(), 2), {}, AliasSetType::set(set->uuid()), {}})));
        items.push_back(QuenzColorProjectItem::make("Gap", std::make_shared<QuenzColorNumberAlias>(ItemAliasTargets{ItemAliasType::item(number->uuid()), {}, {}, {}})));
        items.push_back(QuenzColorProjectItem::make("On", std::make_shared<QuenzColorBooleanAlias>(ItemAliasTargets{ItemAliasType::item(boolean->uuid()), {}, {}, {}})));
        items.push_back(QuenzColorProjectItem::make("Body", std::make_shared<QuenzColorStringAlias>(ItemAliasTargets{ItemAliasType::item(string->uuid()), {}, {}, {}})));
        items.push_back(QuenzColorProjectItem::make("Raised", std::make_shared<QuenzColorShadowAlias>(AliasSetTargets{AliasSetType::setItem(shadowSet->uuid(), 1), {}, {}, {}})));
        auto payload = std::make_shared<QuenzColorGroup>(std::move(items), g % 2 == 0);
        auto group = QuenzColorProjectItem::make("Group " + std::to_string(g), payload);
        made += 13;
        if (previous && g % 4 != 0) {
            previous->appendItem(group);
        } else {
            top.push_back(group);
        }
        previous = payload;
    }
    project->setItems(std::move(top));
    project->linkReferences();
    return project;
}

const std::string& documentBytes(int count) {
    static std::map<int, std::string> cache;
    auto& bytes = cache[count];
    if (bytes.empty()) bytes = QuenzColorFileWriter::write(*generatedProject(count)).bytes;
    return bytes;
}

struct StringWriter : pugi::xml_writer {
    std::string& out;
    explicit StringWriter(std::string& target) : out(target) {}
    void write(const void* data, std::size_t size) override { out.append(static_cast<const char*>(data), size); }
};

void BM_Open(benchmark::State& state) {
    const std::string& bytes = documentBytes(static_cast<int>(state.range(0)));
    state.counters["heapBytesPerItem"] = heapBytesPerItem([&] { return QuenzColorFileReader::read(bytes); }, state.range(0));
    state.counters["allocationsPerItem"] = allocationsPerItem([&] { return QuenzColorFileReader::read(bytes); }, state.range(0));
    for (auto _ : state) {
        auto project = QuenzColorFileReader::read(bytes);
        benchmark::DoNotOptimize(project);
        // Closing a document is not part of opening it.
        state.PauseTiming();
        project.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_BareParse(benchmark::State& state) {
    const std::string& bytes = documentBytes(static_cast<int>(state.range(0)));
    const auto parse = [&] {
        auto document = std::make_unique<pugi::xml_document>();
        document->load_buffer(bytes.data(), bytes.size(), documentParseOptions, pugi::encoding_auto);
        return document;
    };
    state.counters["heapBytesPerItem"] = heapBytesPerItem(parse, state.range(0));
    state.counters["allocationsPerItem"] = allocationsPerItem(parse, state.range(0));
    for (auto _ : state) {
        auto document = parse();
        benchmark::DoNotOptimize(document);
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// The flat reader's pass over the same bytes, building its element list and nothing else: the
// share of an open that goes to XML before any item is made.
void BM_FlatParse(benchmark::State& state) {
    const std::string& bytes = documentBytes(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto document = FlatXmlDocument::parse(bytes, TextPieces::firstOnly);
        benchmark::DoNotOptimize(document);
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// The least any reader of pugixml's tree pays: the parse, then one visit of every node through
// pugixml's interface (its first child, next sibling, name and value), building nothing.
std::size_t visitEveryNode(pugi::xml_node node) {
    std::size_t touched = 0;
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        touched += static_cast<unsigned char>(child.name()[0]) + static_cast<unsigned char>(child.value()[0]);
        touched += visitEveryNode(child);
    }
    return touched;
}

void BM_BareParseAndVisit(benchmark::State& state) {
    const std::string& bytes = documentBytes(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto document = std::make_unique<pugi::xml_document>();
        document->load_buffer(bytes.data(), bytes.size(), documentParseOptions, pugi::encoding_auto);
        benchmark::DoNotOptimize(visitEveryNode(*document));
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_Save(benchmark::State& state) {
    const auto project = QuenzColorFileReader::read(documentBytes(static_cast<int>(state.range(0))));
    std::size_t size = 0;
    for (auto _ : state) {
        auto written = QuenzColorFileWriter::write(*project);
        size = written.bytes.size();
        benchmark::DoNotOptimize(written);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void BM_BarePrint(benchmark::State& state) {
    const std::string& bytes = documentBytes(static_cast<int>(state.range(0)));
    pugi::xml_document document;
    document.load_buffer(bytes.data(), bytes.size(), documentParseOptions, pugi::encoding_auto);
    for (auto _ : state) {
        std::string out;
        out.reserve(bytes.size());
        StringWriter writer(out);
        document.save(writer, "  ", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK(BM_Open)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareParse)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FlatParse)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareParseAndVisit)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BarePrint)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantorel::format
