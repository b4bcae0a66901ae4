#pragma once
// The "Missing Build Items" window behind a build that cannot reach everything it needs: the
// rows of the pre-build check, re-checked on request, fixed one at a time by choosing a
// location, and a confirm button that starts the build whether or not every row is ready.
// Lives while its window is open, on the user-interface thread.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Vantorel/build/BuildRequirement.h"
#include "Vantorel/build/FileAccessManager.h"

namespace vantorel::build {

inline constexpr std::string_view missingBuildItemsTitle = "Missing Build Items";
inline constexpr std::string_view chooseButtonTitle = "Choose";
inline constexpr std::string_view cancelButtonTitle = "Cancel";

class MissingBuildItemsModel {
public:
    MissingBuildItemsModel(std::vector<BuildRequirement> requirements, std::filesystem::path documentURL,
                           FileAccessManager& access, std::function<void()> onContinue,
                           FileProbe probe = FileProbe::system());

    const std::vector<BuildRequirement>& requirements() const { return requirements_; }
    bool allReady() const;
    // "Continue" when every row is ready, "Continue Anyway" otherwise.
    std::string_view confirmButtonTitle() const;

    // Checks every row again.
    void refresh();

    // The user chose a location for a row: it is granted, stored in the row's task (relative to
    // the document's folder) and every row is checked again. False when the row does not exist
    // or the location cannot be granted.
    bool choose(std::size_t row, const std::filesystem::path& chosen);

    // Starts the build.
    void confirm() const;

private:
    std::vector<BuildRequirement> requirements_;
    std::filesystem::path documentURL_;
    FileAccessManager& access_;
    std::function<void()> onContinue_;
    FileProbe probe_;
};

}  // namespace vantorel::build
