// What one edit costs on large documents, against a full save of the same document: renaming
// one item, changing one color, undoing and redoing, and the memory that a full undo history
// of 128 such steps holds. The naive snapshot (compressing every element) is measured beside
// them for comparison.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <string>
#include <vector>

#include "Vantorel/editing/InMemoryColorDocument.h"
#include "Vantorel/editing/SnapshotCodec.h"
#include "VantorelData/format/QuenzColorFileWriter.h"

namespace vantorel {
namespace {

// A document of `count` top-level color items with light and dark variants.
QuenzColorProjectPtr palette(int count) {
    auto project = std::make_shared<QuenzColorProject>();
    std::vector<ProjectItemPtr> items;
    for (int i = 0; i < count; ++i) {
        const double shade = (i % 100) / 100.0;
        quenz::ColorValue light{quenz::RGBSpace::sRGB, shade, 0.4, 1 - shade, 1, 0};
        quenz::ColorValue dark{quenz::RGBSpace::sRGB, shade / 2, 0.2, 0.5, 1, 0};
        auto payload = std::make_shared<QuenzColorItem>(ThemeableColor(light, std::nullopt, dark));
        payload->setAppearanceType(AppearanceType::lightAndDark);
        items.push_back(QuenzColorProjectItem::make("Color " + std::to_string(i), payload));
    }
    project->setItems(items);
    return project;
}

std::string middleItem(const QuenzColorProject& project) {
    const auto& group = project.items()[project.items().size() / 2];
    return group->isGroup() ? group->group()->items()[5]->uuid() : group->uuid();
}

std::size_t bytesInUse() { return mallinfo2().uordblks; }

void FullSave(benchmark::State& state) {
    const auto project = palette(static_cast<int>(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state) {
        const auto written = format::QuenzColorFileWriter::write(*project);
        size = written.bytes.size();
        benchmark::DoNotOptimize(size);
    }
    state.counters["fileBytes"] = static_cast<double>(size);
}

void NaiveSnapshot(benchmark::State& state) {
    const auto project = palette(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<CompressedElementPtr> entries;
        for (const auto& item : project->items()) entries.push_back(snapshot::compress(*item));
        benchmark::DoNotOptimize(entries);
    }
}

void RenameOneItem(benchmark::State& state) {
    const auto document = InMemoryColorDocument::make(palette(static_cast<int>(state.range(0))));
    auto& editor = document->editor();
    const std::string target = middleItem(*document->project());
    editor.snapshot(TransactionScope::items);
    int round = 0;
    for (auto _ : state) editor.changeName(target, "Renamed " + std::to_string(++round));
}

void ChangeOneColor(benchmark::State& state) {
    const auto document = InMemoryColorDocument::make(palette(static_cast<int>(state.range(0))));
    auto& editor = document->editor();
    const std::string target = middleItem(*document->project());
    editor.snapshot(TransactionScope::items);
    int round = 0;
    for (auto _ : state) {
        const double red = (++round % 1000) / 1000.0;
        editor.changeColor(target, quenz::ColorValue{quenz::RGBSpace::sRGB, red, 0.5, 0.5, 1, 0}, ColorSource::light);
    }
}

void UndoRedoRename(benchmark::State& state) {
    const auto document = InMemoryColorDocument::make(palette(static_cast<int>(state.range(0))));
    document->editor().changeName(middleItem(*document->project()), "Renamed");
    for (auto _ : state) {
        document->undo();
        document->redo();
    }
}

void UndoRedoColor(benchmark::State& state) {
    const auto document = InMemoryColorDocument::make(palette(static_cast<int>(state.range(0))));
    document->editor().changeColor(middleItem(*document->project()),
                                   quenz::ColorValue{quenz::RGBSpace::sRGB, 1, 0, 0, 1, 0}, ColorSource::light);
    for (auto _ : state) {
        document->undo();
        document->redo();
    }
}

// Memory held by a full history of 128 steps, each renaming one item and changing one color.
void HistoryMemory(benchmark::State& state) {
    for (auto _ : state) {
        const auto document = InMemoryColorDocument::make(palette(static_cast<int>(state.range(0))));
        auto& editor = document->editor();
        editor.snapshot(TransactionScope::items);  // the document's own cache, not history
        const std::size_t before = bytesInUse();
        const auto& items = document->project()->items();
        for (int step = 0; step < 128; ++step) {
            const auto& element = items[static_cast<std::size_t>(step * 37) % items.size()];
            const std::string target = element->isGroup() ? element->group()->items()[0]->uuid() : element->uuid();
            if (step % 2 == 0) {
                editor.changeName(target, "Step " + std::to_string(step));
            } else {
                editor.changeColor(target, quenz::ColorValue{quenz::RGBSpace::sRGB, step / 128.0, 0, 0, 1, 0},
                                   ColorSource::light);
            }
        }
        const std::size_t after = bytesInUse();
        state.counters["historyBytes"] = static_cast<double>(after - before);
        state.counters["steps"] = static_cast<double>(document->enhancedUndoManager().stepCount());
        benchmark::DoNotOptimize(document);
    }
}

BENCHMARK(FullSave)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(NaiveSnapshot)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(RenameOneItem)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ChangeOneColor)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(UndoRedoRename)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(UndoRedoColor)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(HistoryMemory)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantorel
