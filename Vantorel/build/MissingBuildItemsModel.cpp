#include "Vantorel/build/MissingBuildItemsModel.h"

#include <algorithm>

#include "Vantorel/build/BuildLocations.h"

namespace vantorel::build {

MissingBuildItemsModel::MissingBuildItemsModel(std::vector<BuildRequirement> requirements,
                                               std::filesystem::path documentURL, FileAccessManager& access,
                                               std::function<void()> onContinue, FileProbe probe)
    : requirements_(std::move(requirements)),
      documentURL_(std::move(documentURL)),
      access_(access),
      onContinue_(std::move(onContinue)),
      probe_(std::move(probe)) {}

bool MissingBuildItemsModel::allReady() const {
    return std::all_of(requirements_.begin(), requirements_.end(),
                       [](const BuildRequirement& requirement) { return requirement.isReady(); });
}

std::string_view MissingBuildItemsModel::confirmButtonTitle() const {
    return allReady() ? "Continue" : "Continue Anyway";
}

void MissingBuildItemsModel::refresh() {
    for (auto& requirement : requirements_) checkRequirement(requirement, documentURL_, access_, probe_);
}

bool MissingBuildItemsModel::choose(std::size_t row, const std::filesystem::path& chosen) {
    if (row >= requirements_.size() || !requirements_[row].task) return false;
    if (!access_.grant(chosen)) return false;
    BuildRequirement& requirement = requirements_[row];
    const std::string stored = relativeLocation(documentFolder(documentURL_), chosen);
    if (requirement.kind == BuildRequirement::Kind::exportFolder) {
        requirement.task->setExportFileFolder(stored);
    } else {
        requirement.task->setCustomValue(std::optional(CustomTemplateLocation{stored}));
    }
    refresh();
    return true;
}

void MissingBuildItemsModel::confirm() const {
    if (onContinue_) onContinue_();
}

}  // namespace vantorel::build
