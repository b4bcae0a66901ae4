#pragma once
// When a test group ran, written as the user's locale writes a medium date and a medium time
// ("Mar 5, 2025, 2:07:09 PM" in en_US, "05.03.2025, 14:07:09" in de_DE).

#include <chrono>
#include <string>

namespace vantorel {

// `timeZoneId` is an Olson name such as "Europe/Berlin"; empty means the system's zone.
// Unknown locales fall back to ICU's root patterns; an unknown zone reads as GMT.
std::string mediumDateTimeText(std::chrono::system_clock::time_point moment, const std::string& localeName,
                               const std::string& timeZoneId = {});

}  // namespace vantorel
