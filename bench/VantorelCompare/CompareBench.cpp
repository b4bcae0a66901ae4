// Diff and three-way merge of documents of 10,000 items from their bytes, as the commands run
// them: reading every side, comparing, and for the merge writing the result. Each side edits
// about one item in fifty: value changes, renames, additions and removals.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "Vantorel/compare/DocumentDiff.h"
#include "Vantorel/compare/DocumentIndex.h"
#include "Vantorel/compare/DocumentMerge.h"
#include "VantorelData/format/QuenzColorFileReader.h"
#include "VantorelData/format/QuenzColorFileWriter.h"
#include "VantorelData/model/Model.h"

namespace vantorel::compare {
namespace {

constexpr int groupCount = 100;
constexpr int itemsPerGroup = 99;  // with the groups, 10,000 items

std::string itemId(int group, int item) { return "ITEM-" + std::to_string(group) + "-" + std::to_string(item); }

// `seed` picks which items this side edits; 0 is the base.
std::string generatedDocument(int seed) {
    auto project = std::make_shared<QuenzColorProject>();
    std::vector<ProjectItemPtr> groups;
    for (int group = 0; group < groupCount; ++group) {
        std::vector<ProjectItemPtr> children;
        for (int item = 0; item < itemsPerGroup; ++item) {
            const bool edited = seed != 0 && (group * itemsPerGroup + item) % 50 == seed;
            if (edited && item % 3 == 2) continue;  // removed
            const double level = (item + (edited ? 0.5 : 0)) / itemsPerGroup;
            std::string name = "Item " + std::to_string(item) + (edited && item % 3 == 1 ? " renamed" : "");
            if (item % 2 == 0) {
                children.push_back(QuenzColorProjectItem::make(
                    itemId(group, item), name,
                    std::make_shared<QuenzColorItem>(ThemeableColor(quenz::ColorValue{quenz::RGBSpace::sRGB, level, 0.5,
                                                                                       1 - level, 1, 0}))));
            } else {
                children.push_back(QuenzColorProjectItem::make(
                    itemId(group, item), name, std::make_shared<QuenzColorNumber>(ThemeableNumber(level * 100))));
            }
            if (edited) {
                children.push_back(QuenzColorProjectItem::make(itemId(group, item) + "-ADDED-" + std::to_string(seed),
                                                               name + " added",
                                                               std::make_shared<QuenzColorNumber>(ThemeableNumber(1.0))));
            }
        }
        groups.push_back(QuenzColorProjectItem::make("GROUP-" + std::to_string(group), "Group " + std::to_string(group),
                                                     std::make_shared<QuenzColorGroup>(std::move(children), true)));
    }
    project->setItems(std::move(groups));
    return format::QuenzColorFileWriter::write(*project).bytes;
}

const std::string& document(int seed) {
    static std::map<int, std::string> documents;
    auto& bytes = documents[seed];
    if (bytes.empty()) bytes = generatedDocument(seed);
    return bytes;
}

// The floor under both: reading one side.
void readOf10kItems(benchmark::State& state) {
    const auto& bytes = document(0);
    for (auto _ : state) benchmark::DoNotOptimize(format::QuenzColorFileReader::read(bytes));
}
BENCHMARK(readOf10kItems)->Unit(benchmark::kMillisecond);

// Laying out one read side for the diff: the writer's fields of every item, keyed.
void indexOf10kItems(benchmark::State& state) {
    const auto project = format::QuenzColorFileReader::read(document(0));
    for (auto _ : state) benchmark::DoNotOptimize(DocumentIndex(project).items().entries.size());
}
BENCHMARK(indexOf10kItems)->Unit(benchmark::kMillisecond);

// One side as the merge takes it: parsed once and keyed on its own elements.
void parsedIndexOf10kItems(benchmark::State& state) {
    const auto& bytes = document(0);
    for (auto _ : state) {
        pugi::xml_document parsed;
        format::parseDocumentXml(parsed, bytes);
        benchmark::DoNotOptimize(DocumentIndex(parsed.document_element().child("project")).items().entries.size());
    }
}
BENCHMARK(parsedIndexOf10kItems)->Unit(benchmark::kMillisecond);

void diffOf10kItems(benchmark::State& state) {
    const auto& before = document(0);
    const auto& after = document(1);
    std::size_t changes = 0;
    for (auto _ : state) {
        const auto diff = diffDocuments(format::QuenzColorFileReader::read(before), format::QuenzColorFileReader::read(after));
        changes = diff.changes.size();
        benchmark::DoNotOptimize(changes);
    }
    state.counters["changes"] = static_cast<double>(changes);
}
BENCHMARK(diffOf10kItems)->Unit(benchmark::kMillisecond);

void mergeOf10kItems(benchmark::State& state) {
    const auto& base = document(0);
    const auto& ours = document(1);
    const auto& theirs = document(7);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto merged = mergeDocuments(base, ours, theirs);
        bytes = merged.bytes.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(mergeOf10kItems)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantorel::compare
