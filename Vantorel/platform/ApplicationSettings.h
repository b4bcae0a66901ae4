#pragma once
// The user's application settings: a persistent key/value store shared by every document,
// kept as one JSON object in "settings.json" under $XDG_CONFIG_HOME/vantorel/ (or
// ~/.config/vantorel/). Each change is written at once and atomically, merged into what is on
// disk at that moment, so keys written by another Vantorel process or a newer version stay.

#include <nlohmann/json.hpp>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "Vantorel/platform/AtomicFile.h"

namespace vantorel::platform {

class ApplicationSettings {
public:
    // "$XDG_CONFIG_HOME/vantorel/settings.json"; a relative or empty XDG_CONFIG_HOME counts as
    // unset, and then the home folder's ".config" is used.
    static std::filesystem::path defaultFile();

    // Reads the file; a missing file is an empty store, a damaged one is an empty store that
    // reports readError() and refuses to be overwritten.
    explicit ApplicationSettings(std::filesystem::path file = defaultFile());

    const std::filesystem::path& file() const { return file_; }
    const std::optional<FileError>& readError() const { return readError_; }

    // The stored value under `key`; none when absent.
    std::optional<nlohmann::json> value(std::string_view key) const;
    // The stored string under `key`; none when absent or not a string.
    std::optional<std::string> stringValue(std::string_view key) const;

    // Stores the value and writes the file (creating its folder). On failure the store and the
    // file keep their earlier contents.
    std::optional<FileError> setValue(std::string_view key, nlohmann::json value);
    std::optional<FileError> removeValue(std::string_view key);

    // Reads the file again, dropping what this object held.
    void reload();

private:
    std::optional<FileError> change(std::string_view key, std::optional<nlohmann::json> value);

    std::filesystem::path file_;
    nlohmann::json values_ = nlohmann::json::object();
    std::optional<FileError> readError_;
};

}  // namespace vantorel::platform
