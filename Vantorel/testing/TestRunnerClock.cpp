#include "Vantorel/testing/TestRunnerClock.h"

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <memory>

namespace vantorel {

std::string mediumDateTimeText(std::chrono::system_clock::time_point moment, const std::string& localeName,
                               const std::string& timeZoneId) {
    std::unique_ptr<icu::DateFormat> format(icu::DateFormat::createDateTimeInstance(
        icu::DateFormat::kMedium, icu::DateFormat::kMedium, icu::Locale::createCanonical(localeName.c_str())));
    if (!format) return {};
    if (!timeZoneId.empty()) {
        format->adoptTimeZone(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(timeZoneId)));
    }
    const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(moment.time_since_epoch());
    icu::UnicodeString text;
    format->format(static_cast<UDate>(milliseconds.count()), text);
    std::string written;
    text.toUTF8String(written);
    return written;
}

}  // namespace vantorel
