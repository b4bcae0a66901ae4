#include "Vantorel/build/FileAccessManager.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <system_error>

#include "Vantorel/build/BuildLocations.h"
#include "VantorelData/model/Uuid.h"

namespace vantorel::build {

namespace fs = std::filesystem;

namespace {

// The host's bookmark service on a system without security-scoped bookmarks: a bookmark is
// the location's real path; it resolves when that path still exists, and is stale when the
// real path has changed since (a folder replaced by a link, say).
struct Bookmark {
    std::string data;
    std::optional<std::string> error;
};

Bookmark makeBookmark(const fs::path& location) {
    std::error_code error;
    fs::path real = fs::canonical(location, error);
    if (error) return {{}, error.message()};
    return {real.string(), std::nullopt};
}

struct ResolvedBookmark {
    fs::path location;
    bool isStale = false;
    std::optional<std::string> error;
};

ResolvedBookmark resolveBookmark(const std::string& bookmark) {
    if (bookmark.empty()) return {{}, false, "the bookmark is empty"};
    std::error_code error;
    fs::path real = fs::canonical(bookmark, error);
    if (error) return {{}, false, error.message()};
    return {real, real.string() != bookmark, std::nullopt};
}

bool startAccessing(const fs::path& location) { return ::access(location.c_str(), R_OK) == 0; }

// The real path of a location that may not exist yet: its existing part resolved, the rest
// kept as written.
fs::path realPath(const fs::path& location) {
    std::error_code error;
    fs::path absolute = fs::absolute(location, error);
    if (error) absolute = location;
    fs::path real = fs::weakly_canonical(standardisedPath(absolute), error);
    return error ? standardisedPath(absolute) : standardisedPath(real);
}

bool isSameOrBelow(const fs::path& location, const fs::path& granted) {
    return std::mismatch(granted.begin(), granted.end(), location.begin(), location.end()).first == granted.end();
}

}  // namespace

bool runsInSandbox() { return std::getenv("APP_SANDBOX_CONTAINER_ID") != nullptr; }

FileAccessManager::FileAccessManager(platform::ApplicationSettings& settings, bool sandboxed)
    : settings_(settings), sandboxed_(sandboxed) {}

void FileAccessManager::start() {
    if (hasStarted_) return;
    hasStarted_ = true;

    auto locations = storedGrantedLocations(settings_);
    std::size_t restored = 0;
    bool refreshed = false;
    for (auto& location : locations) {
        auto resolved = resolveBookmark(location.bookmark);
        if (resolved.error) {
            log_.write("Couldn't resolve the granted location " + location.path + ": " + *resolved.error);
            continue;
        }
        const std::string requested = location.path;
        if (resolved.isStale) {
            auto fresh = makeBookmark(resolved.location);
            if (fresh.error) {
                log_.write("Couldn't refresh stale bookmark for " + location.path);
            } else {
                log_.write("Refreshed granted location " + location.path + " -> " + resolved.location.string());
                location.path = resolved.location.string();
                location.bookmark = std::move(fresh.data);
                refreshed = true;
            }
        }
        if (!startAccessing(resolved.location)) {
            log_.write("Refused access to " + resolved.location.string());
            continue;
        }
        accessedUrls_[requested] = resolved.location;
        ++restored;
    }
    if (refreshed) {
        if (auto error = storeGrantedLocations(settings_, locations)) log_.write(error->message);
    }
    log_.write("Restored " + std::to_string(restored) + " of " + std::to_string(locations.size()) +
               " granted locations");
}

bool FileAccessManager::isReachable(const fs::path& location) {
    if (!sandboxed_) return true;
    start();
    const fs::path real = realPath(location);
    return std::any_of(accessedUrls_.begin(), accessedUrls_.end(),
                       [&](const auto& entry) { return isSameOrBelow(real, entry.second); });
}

std::optional<GrantedLocation> FileAccessManager::grant(const fs::path& location) {
    start();
    auto bookmark = makeBookmark(location);
    if (bookmark.error) {
        log_.write("Couldn't bookmark " + location.string());
        return std::nullopt;
    }
    if (!startAccessing(bookmark.data)) {
        log_.write("Refused access to " + bookmark.data);
        return std::nullopt;
    }
    accessedUrls_[bookmark.data] = bookmark.data;

    auto locations = storedGrantedLocations(settings_);
    auto known = std::find_if(locations.begin(), locations.end(),
                              [&](const GrantedLocation& stored) { return stored.path == bookmark.data; });
    if (known != locations.end()) return *known;

    GrantedLocation granted{makeUuid(), bookmark.data, bookmark.data};
    locations.push_back(granted);
    if (auto error = storeGrantedLocations(settings_, locations)) {
        // Usable for this run even though it will not be remembered.
        log_.write("Couldn't remember the granted location " + granted.path + ": " + error->message);
    }
    return granted;
}

}  // namespace vantorel::build
