#pragma once
// The user's locale for number and date texts. On Linux it comes from the environment
// (LC_ALL, then the category's own variable, then LANG); unset, "C" and "POSIX" mean the
// fixed "en_US_POSIX" locale so that builds in CI are reproducible. Commands that format
// numbers take a `--locale` that overrides it for the whole process.

#include <string>

namespace vantorel::platform {

enum class LocaleCategory { numeric, time };

// An ICU locale identifier such as "de_DE" or "en_US_POSIX".
std::string userLocaleName(LocaleCategory category = LocaleCategory::numeric);

// Replaces the environment's choice for every category; an empty name restores it.
void overrideUserLocale(const std::string& localeName);

// "de_DE.UTF-8@euro" → "de_DE@euro"; "C"/"POSIX"/"" → "en_US_POSIX".
std::string icuLocaleNameFromPOSIX(const std::string& posixName);

// Whether texts can be written as `posixName` says: its language is one ICU has data for and
// its country, when given, is a known region. "C" and "POSIX" are known; "xx_YY" is not.
bool isKnownLocale(const std::string& posixName);

// A command's `--locale` for as long as the command runs: a POSIX name ("de_DE.UTF-8") or
// empty, which leaves the environment's choice alone.
class ScopedUserLocale {
public:
    explicit ScopedUserLocale(const std::string& posixName) : active_(!posixName.empty()) {
        if (active_) overrideUserLocale(icuLocaleNameFromPOSIX(posixName));
    }
    ~ScopedUserLocale() {
        if (active_) overrideUserLocale("");
    }
    ScopedUserLocale(const ScopedUserLocale&) = delete;
    ScopedUserLocale& operator=(const ScopedUserLocale&) = delete;

private:
    bool active_;
};

}  // namespace vantorel::platform
