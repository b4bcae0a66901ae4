#include "Vantorel/build/GrantedLocation.h"

namespace vantorel::build {

void to_json(nlohmann::json& json, const GrantedLocation& location) {
    json = {{"id", location.id}, {"path", location.path}, {"bookmark", location.bookmark}};
}

namespace {

std::optional<std::string> stringField(const nlohmann::json& entry, const char* key) {
    auto found = entry.find(key);
    if (found == entry.end() || !found->is_string()) return std::nullopt;
    return found->get<std::string>();
}

}  // namespace

std::vector<GrantedLocation> storedGrantedLocations(const platform::ApplicationSettings& settings) {
    std::vector<GrantedLocation> locations;
    auto stored = settings.value(grantedLocationsKey);
    if (!stored || !stored->is_array()) return locations;
    for (const auto& entry : *stored) {
        if (!entry.is_object()) continue;
        auto id = stringField(entry, "id");
        auto path = stringField(entry, "path");
        auto bookmark = stringField(entry, "bookmark");
        if (!id || !path || !bookmark) continue;
        locations.push_back({std::move(*id), std::move(*path), std::move(*bookmark)});
    }
    return locations;
}

std::optional<platform::FileError> storeGrantedLocations(platform::ApplicationSettings& settings,
                                                         const std::vector<GrantedLocation>& locations) {
    return settings.setValue(grantedLocationsKey, nlohmann::json(locations));
}

}  // namespace vantorel::build
