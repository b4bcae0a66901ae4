#pragma once
// Remembers the folders and files the user granted Vantorel access to and decides whether a
// location can be reached. Outside the host's sandbox every location can; inside it, a
// location can when it is a granted one or lies below one. Grants are restored from the
// application settings on first use and stay open for the whole run.
//
// One per application, used on the user-interface thread.

#include <filesystem>
#include <map>
#include <optional>

#include "Vantorel/build/GrantedLocation.h"
#include "Vantorel/platform/ApplicationSettings.h"
#include "Vantorel/platform/Log.h"

namespace vantorel::build {

// Whether this process runs in the host's sandbox ("APP_SANDBOX_CONTAINER_ID" is set).
bool runsInSandbox();

class FileAccessManager {
public:
    explicit FileAccessManager(platform::ApplicationSettings& settings, bool sandboxed = runsInSandbox());

    bool sandboxed() const { return sandboxed_; }
    bool hasStarted() const { return hasStarted_; }
    // Each stored location as requested → the location it resolved to, being accessed.
    const std::map<std::filesystem::path, std::filesystem::path>& accessedUrls() const { return accessedUrls_; }

    // Restores the stored grants once; later calls do nothing.
    void start();

    // Whether the location may be used: always outside the sandbox; inside it, when its path,
    // standardised and with symbolic links resolved, is a granted location or below one.
    bool isReachable(const std::filesystem::path& location);

    // Remembers a location the user chose and starts accessing it. None when no bookmark can
    // be made for it (it does not exist) or the grants cannot be stored; both are logged.
    std::optional<GrantedLocation> grant(const std::filesystem::path& location);

private:
    platform::ApplicationSettings& settings_;
    bool sandboxed_;
    bool hasStarted_ = false;
    std::map<std::filesystem::path, std::filesystem::path> accessedUrls_;
    platform::LogChannel log_{"FileAccessManager"};
};

}  // namespace vantorel::build
