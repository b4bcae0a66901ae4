#pragma once
// The Builder runs the build tasks of a document: it walks the project's build groups in
// order, takes those whose names were asked for, and has each task's exporter write the
// items assigned to the group into the task's folder beside the document. The first failure
// stops the build; what was written before it stays. A build that exports no item at all is
// an EmptyBuildError. Success posts the "Build Completed" notification.
//
// One Builder per build, used on the document's thread; tasks run one after another.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Vantorel/build/BuildTaskExporter.h"
#include "Vantorel/build/ExporterFactory.h"
#include "Vantorel/platform/UserNotifications.h"
#include "VantorelData/model/Project.h"

namespace vantorel::build {

// The selected groups have no items assigned: there is nothing to export.
struct EmptyBuildError {};

using BuildFailure = std::variant<BuildError, EmptyBuildError>;

inline constexpr std::string_view buildCompletedTitle = "Build Completed";
inline constexpr std::string_view nothingToBuildTitle = "Nothing to Build";
inline constexpr std::string_view nothingToBuildText =
    "To export, create a build group with at least one build task, and assign colors to the build group.";
inline constexpr std::string_view buildErrorTitle = "Build Error";
inline constexpr std::string_view buildErrorLead = "An error occurred while building: ";

// How the document window shows a failed build.
struct BuildAlert {
    std::string title;
    std::string text;
    bool offersHelp = false;  // a "Learn More" button that opens the help page on exporting
};
BuildAlert alertFor(const BuildFailure& failure);

// Reported before each task runs.
struct BuildProgress {
    std::size_t taskNumber = 0;  // 1-based
    std::size_t taskCount = 0;   // tasks this build will run
    const BuildGroup& group;
    const BuildTask& task;
};

struct BuildResult {
    std::vector<std::filesystem::path> outputs;  // files and folders written, in order
    std::size_t exportedItemCount = 0;           // items of the selected groups
    std::optional<BuildFailure> failure;
    bool succeeded() const { return !failure; }
};

class Builder {
public:
    // `documentURL` is the document file; its folder is the base of every output folder.
    // `documentName` is the display name shown in the completion notification.
    Builder(const QuenzColorProject& project, std::filesystem::path documentURL, std::string documentName,
            std::vector<std::string> groupsToBuild);

    // Exporters come from makeExporter unless replaced.
    void setExporterFactory(ExporterFactory factory) { factory_ = std::move(factory); }
    // Where "Build Completed" is posted; none means no notification.
    void setNotificationCenter(platform::UserNotificationCenter* center) { notifications_ = center; }
    void setProgressHandler(std::function<void(const BuildProgress&)> handler) { progress_ = std::move(handler); }

    BuildResult build();

private:
    const QuenzColorProject& project_;
    std::filesystem::path documentURL_;
    std::string documentName_;
    std::vector<std::string> groupsToBuild_;
    ExporterFactory factory_ = makeExporter;
    platform::UserNotificationCenter* notifications_ = nullptr;
    std::function<void(const BuildProgress&)> progress_;
};

// The names of all the project's build groups, in order: what "build all" asks for.
std::vector<std::string> allBuildGroupNames(const QuenzColorProject& project);

}  // namespace vantorel::build
