#include "Vantorel/build/Builder.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <system_error>

#include "Vantorel/build/BuildLocations.h"
#include "Vantorel/build/templates/TemplateItemCollector.h"
#include "VantorelData/model/Uuid.h"

namespace vantorel::build {

namespace fs = std::filesystem;

namespace {

// A selected group whose tasks will run over its assigned items.
struct GroupToRun {
    const BuildGroup* group;
    std::vector<ProjectItemPtr> items;
};

std::optional<BuildError> createOutputFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (!error && !fs::is_directory(folder, error)) error = std::make_error_code(std::errc::not_a_directory);
    if (error) return BuildError{"Couldn't create the folder \"" + folder.string() + "\": " + error.message()};
    return std::nullopt;
}

ExportResult runExporter(BuildTaskExporter& exporter, const ExportRequest& request) {
    // Exporters report failures as values; anything thrown past them is still only this
    // task's failure, never the application's.
    try {
        return exporter.exportTask(request);
    } catch (const std::exception& error) {
        return ExportResult::failure(error.what());
    }
}

}  // namespace

BuildAlert alertFor(const BuildFailure& failure) {
    if (std::holds_alternative<EmptyBuildError>(failure)) {
        return {std::string(nothingToBuildTitle), std::string(nothingToBuildText), true};
    }
    return {std::string(buildErrorTitle), std::string(buildErrorLead) + std::get<BuildError>(failure).message, false};
}

Builder::Builder(const QuenzColorProject& project, fs::path documentURL, std::string documentName,
                 std::vector<std::string> groupsToBuild)
    : project_(project),
      documentURL_(std::move(documentURL)),
      documentName_(std::move(documentName)),
      groupsToBuild_(std::move(groupsToBuild)) {}

BuildResult Builder::build() {
    BuildResult result;

    // Select first, so that progress can say how many tasks there are.
    std::vector<GroupToRun> groups;
    std::size_t taskCount = 0;
    for (const auto& group : project_.buildGroups()) {
        if (!group) continue;
        if (std::find(groupsToBuild_.begin(), groupsToBuild_.end(), group->name()) == groupsToBuild_.end()) continue;
        auto items = project_.itemsInBuildGroup(*group);
        if (items.empty()) continue;  // tasks of a group without items do not run
        result.exportedItemCount += items.size();
        taskCount += group->tasks().size();
        groups.push_back({group.get(), std::move(items)});
    }

    const fs::path baseFolder = documentFolder(documentURL_);
    // The style sheets and sources of a group name and convert its items alike: their records
    // (and each color's formatted text) are made once for all of them.
    SharedTemplateItems sharedItems(project_);
    std::size_t taskNumber = 0;
    for (const auto& [group, items] : groups) {
        for (const auto& task : group->tasks()) {
            if (!task) continue;
            ++taskNumber;
            if (progress_) progress_(BuildProgress{taskNumber, taskCount, *group, *task});

            auto exporter = factory_ ? factory_(task->exportFileType(), project_) : nullptr;
            if (!exporter) {
                result.failure = BuildError{"No exporter writes " + std::string(displayName(task->exportFileType())) +
                                            " files in this version of Vantorel."};
                return result;
            }
            const fs::path folder = taskOutputFolder(baseFolder, task->exportFileFolder());
            if (auto error = createOutputFolder(folder)) {
                result.failure = std::move(*error);
                return result;
            }
            ExportRequest request{project_, baseFolder, folder, *task, items, &sharedItems};
            ExportResult exported = runExporter(*exporter, request);
            result.outputs.insert(result.outputs.end(), exported.outputs.begin(), exported.outputs.end());
            if (exported.error) {
                result.failure = std::move(*exported.error);
                return result;
            }
        }
    }

    if (result.exportedItemCount == 0) {
        result.failure = EmptyBuildError{};
        return result;
    }
    if (notifications_) {
        platform::notifyUser(*notifications_, platform::UserNotification{makeUuid(), std::string(buildCompletedTitle),
                                                                          documentName_, true, std::chrono::seconds(1)});
    }
    return result;
}

std::vector<std::string> allBuildGroupNames(const QuenzColorProject& project) {
    std::vector<std::string> names;
    for (const auto& group : project.buildGroups()) {
        if (group) names.push_back(group->name());
    }
    return names;
}

}  // namespace vantorel::build
