#pragma once
// The interface every exporter implements: one build task's output, written into one folder
// from the items assigned to the task's build group. The builder only ever sees this interface.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "VantorelData/model/BuildTask.h"
#include "VantorelData/model/Project.h"

namespace vantorel::build {

// A build failure with the text the user sees after "An error occurred while building: ".
struct BuildError {
    std::string message;
};

class SharedTemplateItems;

// What an exporter is given for one task.
struct ExportRequest {
    const QuenzColorProject& project;
    std::filesystem::path documentFolder;  // base of every relative location (templates, folders)
    std::filesystem::path outputFolder;    // already created by the builder
    const BuildTask& task;
    const std::vector<ProjectItemPtr>& items;  // assigned to the task's group, depth first
    // The template records the tasks of one build share; null for an export on its own.
    SharedTemplateItems* sharedItems = nullptr;
};

// What an exporter wrote, or why it could not.
struct ExportResult {
    std::vector<std::filesystem::path> outputs;  // files or folders written, in order
    std::optional<BuildError> error;

    static ExportResult failure(std::string message) { return {{}, BuildError{std::move(message)}}; }
    static ExportResult written(std::filesystem::path output) { return {{std::move(output)}, std::nullopt}; }
};

class BuildTaskExporter {
public:
    virtual ~BuildTaskExporter() = default;
    virtual ExportResult exportTask(const ExportRequest& request) = 0;
};

using BuildTaskExporterPtr = std::unique_ptr<BuildTaskExporter>;

}  // namespace vantorel::build
