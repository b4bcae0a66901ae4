#include "Vantorel/testing/JUnitReport.h"

#include <pugixml.hpp>
#include <unistd.h>

#include <array>
#include <ctime>
#include <sstream>

#include "Vantorel/platform/OutputText.h"
#include "Vantorel/testing/TestRunnerPairing.h"
#include "VantorelData/model/Appearance.h"

namespace vantorel {
namespace {

// The schema's timestamp form: ISO 8601 without a zone, which we write in UTC.
std::string isoTimestamp(std::chrono::system_clock::time_point moment) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(moment);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    std::array<char, 32> text{};
    std::strftime(text.data(), text.size(), "%Y-%m-%dT%H:%M:%S", &utc);
    return text.data();
}

// Names come from documents and need not be valid UTF-8; XML 1.0 has no way to write most
// control characters, not even as references: they become spaces.
std::string xmlSafe(std::string_view name) {
    std::string text = platform::validUTF8(name);
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && c != '\t' && c != '\n' && c != '\r') c = ' ';
    }
    return text;
}

// Suite and case names are non-empty tokens in the schema.
std::string nonEmpty(const std::string& name, const char* fallback) {
    return name.empty() ? fallback : xmlSafe(name);
}

void addCase(pugi::xml_node suite, const std::string& className, const TestColorResult& pair) {
    auto testCase = suite.append_child("testcase");
    testCase.append_attribute("name") = xmlSafe(junitTestCaseName(pair)).c_str();
    testCase.append_attribute("classname") = className.c_str();
    testCase.append_attribute("time") = "0";
    if (pair.passed) return;
    auto failure = testCase.append_child("failure");
    failure.append_attribute("message") = xmlSafe(pair.testResultSummary).c_str();
    failure.append_attribute("type") = "contrast";
    const std::string details = pair.testResultSummary + "\nForeground " + pair.foregroundColorName + ": " +
                                pair.foregroundCSSColorString + "\nBackground " + pair.backgroundColorName + ": " +
                                pair.backgroundCSSColorString + "\nAppearance: " + pair.sourceCSSId;
    failure.text() = xmlSafe(details).c_str();
}

}  // namespace

std::string junitTestCaseName(const TestColorResult& pair) {
    return pair.foregroundColorName + " on " + pair.backgroundColorName + " (" +
           std::string(displayName(static_cast<ColorSource>(pair.source))) + ")";
}

std::string localHostName() {
    std::array<char, 256> name{};
    if (gethostname(name.data(), name.size() - 1) != 0 || name[0] == '\0') return "localhost";
    return name.data();
}

std::string junitReportXML(const std::vector<ColorTestGroupResult>& results, const JUnitReportOptions& options) {
    pugi::xml_document document;
    auto declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    auto suites = document.append_child("testsuites");

    const std::string timestamp = isoTimestamp(options.timestamp);
    const std::string hostname = options.hostname.empty() ? "localhost" : xmlSafe(options.hostname);
    int id = 0;
    for (const auto& group : results) {
        const std::string groupName = nonEmpty(group.testGroupName, "Untitled group");
        for (const auto& test : group.tests) {
            const std::string testName = nonEmpty(test.testSummaryName, "Untitled test");
            const TestCounts counts = countResults(test);
            auto suite = suites.append_child("testsuite");
            suite.append_attribute("name") = testName.c_str();
            suite.append_attribute("timestamp") = timestamp.c_str();
            suite.append_attribute("hostname") = hostname.c_str();
            suite.append_attribute("tests") = counts.total();
            suite.append_attribute("failures") = counts.failed;
            suite.append_attribute("errors") = 0;
            suite.append_attribute("time") = "0";
            suite.append_attribute("package") = groupName.c_str();
            suite.append_attribute("id") = id++;
            suite.append_child("properties");
            const std::string className = groupName + "." + testName;
            for (const auto& pair : test.testColors) addCase(suite, className, pair);
            suite.append_child("system-out");
            suite.append_child("system-err");
        }
    }
    std::ostringstream out;
    document.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

}  // namespace vantorel
