#include "Vantorel/build/BuildRequirement.h"

#include <unistd.h>

#include <algorithm>
#include <iterator>
#include <system_error>

#include "Vantorel/build/BuildLocations.h"

namespace vantorel::build {

namespace fs = std::filesystem;
using Kind = BuildRequirement::Kind;
using Problem = BuildRequirement::Problem;

std::string_view statusLabel(const std::optional<Problem>& problem) {
    if (!problem) return "Ready";
    return *problem == Problem::missing ? "Missing" : "Need Permission";
}

std::string_view explanation(Kind kind, const std::optional<Problem>& problem) {
    if (!problem) return "Vantorel can reach this.";
    if (kind == Kind::exportFolder) {
        return *problem == Problem::missing
                   ? "Vantorel can't create this folder."
                   : "Vantorel isn't allowed to write to this folder. Choose it to give Vantorel permission.";
    }
    return *problem == Problem::missing
               ? "Vantorel can't find this template."
               : "Vantorel isn't allowed to read this file. Choose it to give Vantorel permission.";
}

std::string_view commandLineExplanation(Kind kind, const std::optional<Problem>& problem) {
    if (!problem) return explanation(kind, problem);
    if (kind == Kind::exportFolder) {
        return *problem == Problem::missing
                   ? "Vantorel can't create this folder: a file is in its place."
                   : "Vantorel isn't allowed to write to this folder. Give Vantorel write access to it, or export into "
                     "another folder.";
    }
    return *problem == Problem::missing
               ? "Vantorel can't find this template file. Set the task's template to a file that exists."
               : "Vantorel isn't allowed to read this template file. Give Vantorel read access to it, or use another "
                 "file.";
}

std::string locationText(const BuildRequirement& requirement) {
    return requirement.location ? requirement.location->string() : std::string("Not set");
}

std::string requirementTitle(const BuildRequirement& requirement) {
    if (requirement.kind == Kind::customTemplate) return "Template";
    return "Export folder · " + locationText(requirement);
}

std::string chooserMessage(const BuildRequirement& requirement) {
    const std::string taskName = requirement.task ? requirement.task->name() : std::string();
    if (requirement.kind == Kind::exportFolder) return "Choose the folder “" + taskName + "” exports into.";
    return "Locate the template file “" + taskName + "” uses.";
}

FileProbe FileProbe::system() {
    return {
        [](const fs::path& path) {
            std::error_code error;
            return fs::exists(path, error);
        },
        [](const fs::path& path) {
            std::error_code error;
            return fs::is_directory(path, error);
        },
        [](const fs::path& path) { return ::access(path.c_str(), W_OK) == 0; },
        [](const fs::path& path) { return ::access(path.c_str(), R_OK) == 0; },
    };
}

namespace {

std::optional<fs::path> requiredLocation(Kind kind, const BuildTask& task, const fs::path& baseFolder) {
    if (kind == Kind::exportFolder) return taskOutputFolder(baseFolder, task.exportFileFolder());
    return customTemplateFile(baseFolder, task);
}

std::optional<Problem> folderProblem(const fs::path& folder, FileAccessManager& access, const FileProbe& probe) {
    if (!access.isReachable(folder)) return Problem::noAccess;
    // A folder that does not exist yet is fine when the build can create it: look at the
    // nearest part of its path that exists.
    fs::path existing = folder;
    while (!probe.exists(existing) && std::distance(existing.begin(), existing.end()) > 1) {
        existing = existing.parent_path();
    }
    // A file in the way can never become the folder.
    if (probe.exists(existing) && !probe.isFolder(existing)) return Problem::missing;
    return probe.isWritable(existing) ? std::nullopt : std::optional(Problem::noAccess);
}

std::optional<Problem> templateProblem(const std::optional<fs::path>& file, FileAccessManager& access,
                                       const FileProbe& probe) {
    if (!file) return Problem::missing;
    if (!access.isReachable(*file)) return Problem::noAccess;
    if (!probe.exists(*file)) return Problem::missing;
    return probe.isReadable(*file) ? std::nullopt : std::optional(Problem::noAccess);
}

}  // namespace

std::vector<BuildRequirement> buildRequirements(const QuenzColorProject& project,
                                                const std::vector<std::string>& groupsToBuild,
                                                const fs::path& documentURL) {
    const fs::path baseFolder = documentFolder(documentURL);
    std::vector<BuildRequirement> requirements;
    for (const auto& group : project.buildGroups()) {
        if (!group) continue;
        if (std::find(groupsToBuild.begin(), groupsToBuild.end(), group->name()) == groupsToBuild.end()) continue;
        for (const auto& task : group->tasks()) {
            if (!task) continue;
            requirements.push_back({task, group->name(), Kind::exportFolder, std::nullopt,
                                    requiredLocation(Kind::exportFolder, *task, baseFolder)});
            if (task->exportFileType() == BuildFileType::customTemplate) {
                requirements.push_back({task, group->name(), Kind::customTemplate, std::nullopt,
                                        requiredLocation(Kind::customTemplate, *task, baseFolder)});
            }
        }
    }
    return requirements;
}

void checkRequirement(BuildRequirement& requirement, const fs::path& documentURL, FileAccessManager& access,
                      const FileProbe& probe) {
    if (!requirement.task) {
        requirement.problem = Problem::missing;
        return;
    }
    const BuildTask& task = *requirement.task;
    requirement.location = requiredLocation(requirement.kind, task, documentFolder(documentURL));
    if (requirement.kind == Kind::exportFolder) {
        requirement.problem = folderProblem(*requirement.location, access, probe);
    } else if (task.exportFileType() != BuildFileType::customTemplate) {
        requirement.problem.reset();
    } else {
        requirement.problem = templateProblem(requirement.location, access, probe);
    }
}

std::vector<BuildRequirement> unmetBuildRequirements(const QuenzColorProject& project,
                                                     const std::vector<std::string>& groupsToBuild,
                                                     const fs::path& documentURL, FileAccessManager& access,
                                                     const FileProbe& probe) {
    auto requirements = buildRequirements(project, groupsToBuild, documentURL);
    for (auto& requirement : requirements) checkRequirement(requirement, documentURL, access, probe);
    std::erase_if(requirements, [](const BuildRequirement& requirement) { return requirement.isReady(); });
    return requirements;
}

}  // namespace vantorel::build
