#include "Vantorel/platform/ApplicationSettings.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace vantorel::platform {
namespace {

namespace fs = std::filesystem;

struct StoredSettings {
    nlohmann::json values = nlohmann::json::object();
    std::optional<FileError> error;
};

fs::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return fs::current_path();
}

StoredSettings readSettings(const fs::path& file) {
    std::error_code ignored;
    if (!fs::exists(file, ignored)) return {};
    auto contents = readWholeFile(file);
    if (contents.error) return {nlohmann::json::object(), contents.error};
    // An empty file (made by hand, say) holds no settings yet.
    if (contents.bytes.find_first_not_of(" \t\r\n") == std::string::npos) return {};
    auto parsed = nlohmann::json::parse(contents.bytes, nullptr, false);
    if (parsed.is_discarded() || !parsed.is_object()) {
        return {nlohmann::json::object(),
                FileError{"The settings file \"" + file.string() +
                          "\" is damaged (it is not a JSON object). Repair or remove it to keep new settings."}};
    }
    return {std::move(parsed), std::nullopt};
}

}  // namespace

fs::path ApplicationSettings::defaultFile() {
    fs::path configHome;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg && fs::path(xdg).is_absolute()) {
        configHome = xdg;
    } else {
        configHome = homeFolder() / ".config";
    }
    return configHome / "vantorel" / "settings.json";
}

ApplicationSettings::ApplicationSettings(fs::path file) : file_(std::move(file)) { reload(); }

void ApplicationSettings::reload() {
    auto stored = readSettings(file_);
    values_ = std::move(stored.values);
    readError_ = std::move(stored.error);
}

std::optional<nlohmann::json> ApplicationSettings::value(std::string_view key) const {
    auto found = values_.find(key);
    if (found == values_.end()) return std::nullopt;
    return *found;
}

std::optional<std::string> ApplicationSettings::stringValue(std::string_view key) const {
    auto found = values_.find(key);
    if (found == values_.end() || !found->is_string()) return std::nullopt;
    return found->get<std::string>();
}

std::optional<FileError> ApplicationSettings::setValue(std::string_view key, nlohmann::json value) {
    return change(key, std::move(value));
}

std::optional<FileError> ApplicationSettings::removeValue(std::string_view key) { return change(key, std::nullopt); }

std::optional<FileError> ApplicationSettings::change(std::string_view key, std::optional<nlohmann::json> value) {
    // Start from the file as it is now, so that another process's changes are not undone.
    auto stored = readSettings(file_);
    if (stored.error) return stored.error;
    if (value) {
        stored.values[std::string(key)] = std::move(*value);
    } else {
        stored.values.erase(std::string(key));
    }

    std::error_code folderError;
    fs::create_directories(file_.parent_path(), folderError);
    if (folderError) {
        return FileError{"Could not create the settings folder \"" + file_.parent_path().string() +
                         "\": " + folderError.message()};
    }
    // Invalid UTF-8 (from a file name, say) is replaced rather than failing the whole write.
    const std::string text = stored.values.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    if (auto error = writeFileAtomically(file_, text)) return error;
    values_ = std::move(stored.values);
    readError_.reset();
    return std::nullopt;
}

}  // namespace vantorel::platform
