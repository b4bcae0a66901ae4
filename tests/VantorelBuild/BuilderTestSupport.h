#pragma once
// Shared pieces of the builder and pre-build check tests: projects assembled in code, a
// scratch folder that holds the document, and an exporter that records what it was asked.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Vantorel/build/BuildTaskExporter.h"
#include "Vantorel/platform/Log.h"
#include "VantorelData/model/ColorItem.h"
#include "VantorelData/model/Project.h"
#include "tests/support/ScratchFolder.h"

namespace vantorel::build::testing {

namespace fs = std::filesystem;

// Log lines ("channel: message") written while it lives.
struct CapturedLog {
    std::vector<std::string> lines;
    platform::LogSink previous;
    CapturedLog() {
        previous = platform::setLogSink([this](std::string_view channel, std::string_view message) {
            lines.push_back(std::string(channel) + ": " + std::string(message));
        });
    }
    ~CapturedLog() { platform::setLogSink(previous); }
};

using vantorel::testing::ScratchFolder;

inline ProjectItemPtr colorNamed(const std::string& name) {
    return QuenzColorProjectItem::make(
        name, std::make_shared<QuenzColorItem>(ThemeableColor(quenz::ColorValue{quenz::RGBSpace::sRGB, 0.2, 0.4, 0.6, 1, 0})));
}

inline ProjectItemPtr groupNamed(const std::string& name, std::vector<ProjectItemPtr> children) {
    return QuenzColorProjectItem::make(name, std::make_shared<QuenzColorGroup>(std::move(children)));
}

inline BuildTaskPtr task(const std::string& name, BuildFileType type = BuildFileType::text,
                         const std::string& folder = "./", const std::string& fileName = {}) {
    BuildTaskFields fields;
    fields.name = name;
    fields.exportFileFolder = folder;
    fields.exportFileName = fileName.empty() ? name : fileName;
    fields.exportFileType = type;
    return std::make_shared<BuildTask>(fields);
}

inline BuildGroupPtr buildGroup(const std::string& name, std::vector<BuildTaskPtr> tasks) {
    return std::make_shared<BuildGroup>(name, std::move(tasks));
}

inline void assign(const std::vector<ProjectItemPtr>& items, const BuildGroupPtr& group) {
    for (const auto& item : items) item->setBuildGroup(group);
}

// What one export was asked to do.
struct ExportCall {
    std::string taskName;
    fs::path outputFolder;
    std::vector<std::string> itemNames;
};

// Writes the task's output file with one line per item, or fails when told to.
class RecordingExporter final : public BuildTaskExporter {
public:
    RecordingExporter(std::vector<ExportCall>& calls, std::function<bool(const BuildTask&)> fails)
        : calls_(calls), fails_(std::move(fails)) {}

    ExportResult exportTask(const ExportRequest& request) override {
        ExportCall call{request.task.name(), request.outputFolder, {}};
        for (const auto& item : request.items) call.itemNames.push_back(item->name());
        calls_.push_back(call);
        if (fails_ && fails_(request.task)) return ExportResult::failure("The task \"" + request.task.name() + "\" failed.");
        fs::path output = request.outputFolder / request.task.outputFileName();
        std::ofstream(output) << request.items.size() << '\n';
        return ExportResult::written(output);
    }

private:
    std::vector<ExportCall>& calls_;
    std::function<bool(const BuildTask&)> fails_;
};

}  // namespace vantorel::build::testing
