#pragma once
// A folder or file the user has granted Vantorel access to, remembered across runs in the
// application settings under "GrantedLocations". On a host without security-scoped bookmarks
// the bookmark is the granted path itself.

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Vantorel/platform/ApplicationSettings.h"

namespace vantorel::build {

struct GrantedLocation {
    std::string id;
    std::string path;
    std::string bookmark;
    friend bool operator==(const GrantedLocation&, const GrantedLocation&) = default;
};

// Serialised as {"id": …, "path": …, "bookmark": …}.
void to_json(nlohmann::json& json, const GrantedLocation& location);

inline constexpr std::string_view grantedLocationsKey = "GrantedLocations";

// The stored grants in their stored order; entries that lack a string "id", "path" or
// "bookmark" are skipped. No setting means no grants.
std::vector<GrantedLocation> storedGrantedLocations(const platform::ApplicationSettings& settings);
std::optional<platform::FileError> storeGrantedLocations(platform::ApplicationSettings& settings,
                                                         const std::vector<GrantedLocation>& locations);

}  // namespace vantorel::build
