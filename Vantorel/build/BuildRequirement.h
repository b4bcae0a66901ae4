#pragma once
// The pre-build check: every output folder and custom template a build needs, one row each,
// with what stands in the way of reaching it. A folder is ready when it, or the nearest of its
// ancestors that exists, is a folder that can be written; a template when it exists and can be
// read; either only when the host lets Vantorel reach it at all.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Vantorel/build/FileAccessManager.h"
#include "VantorelData/model/Project.h"

namespace vantorel::build {

struct BuildRequirement {
    enum class Kind { exportFolder, customTemplate };
    enum class Problem { missing, noAccess };

    BuildTaskPtr task;
    std::string groupName;
    Kind kind = Kind::exportFolder;
    std::optional<Problem> problem;  // none: ready
    // The standardised folder or template file; none for a template that is not set.
    std::optional<std::filesystem::path> location;

    bool isReady() const { return !problem; }
};

// "Missing", "Need Permission" or "Ready".
std::string_view statusLabel(const std::optional<BuildRequirement::Problem>& problem);
// The sentence under a row, e.g. "Vantorel can't create this folder.".
std::string_view explanation(BuildRequirement::Kind kind, const std::optional<BuildRequirement::Problem>& problem);
// The same for a terminal, where nothing is chosen in a window: what is wrong with the file
// or folder and what the user can change, e.g. "Vantorel isn't allowed to write to this
// folder. Give Vantorel write access to it, or export into another folder.".
std::string_view commandLineExplanation(BuildRequirement::Kind kind,
                                        const std::optional<BuildRequirement::Problem>& problem);
// "Export folder · /path/to/folder" or "Template".
std::string requirementTitle(const BuildRequirement& requirement);
// The location's path, or "Not set".
std::string locationText(const BuildRequirement& requirement);
// The message of the chooser that fixes a row.
std::string chooserMessage(const BuildRequirement& requirement);

// How the check looks at the file system; replaceable where the real answers cannot be
// arranged (a process that may write anywhere).
struct FileProbe {
    std::function<bool(const std::filesystem::path&)> exists;
    std::function<bool(const std::filesystem::path&)> isFolder;
    std::function<bool(const std::filesystem::path&)> isWritable;
    std::function<bool(const std::filesystem::path&)> isReadable;
    static FileProbe system();
};

// The unchecked rows for the tasks of the groups named in `groupsToBuild`, in build order:
// one export folder per task, and a template for each custom-template task.
std::vector<BuildRequirement> buildRequirements(const QuenzColorProject& project,
                                                const std::vector<std::string>& groupsToBuild,
                                                const std::filesystem::path& documentURL);

// Checks one row again and sets its problem.
void checkRequirement(BuildRequirement& requirement, const std::filesystem::path& documentURL,
                      FileAccessManager& access, const FileProbe& probe = FileProbe::system());

// The rows with a problem, checked; empty when the build can start at once.
std::vector<BuildRequirement> unmetBuildRequirements(const QuenzColorProject& project,
                                                     const std::vector<std::string>& groupsToBuild,
                                                     const std::filesystem::path& documentURL,
                                                     FileAccessManager& access,
                                                     const FileProbe& probe = FileProbe::system());

}  // namespace vantorel::build
