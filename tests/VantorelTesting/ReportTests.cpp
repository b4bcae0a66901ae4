#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <chrono>
#include <string>
#include <variant>
#include <vector>

#include "Vantorel/testing/JUnitReport.h"
#include "Vantorel/testing/TestReport.h"

using namespace vantorel;

namespace {

TestColorResult pair(std::string foreground, std::string background, TestedAppearance source, bool passed,
                     std::string summary) {
    return TestColorResult{std::move(foreground), "color(srgb 0 0 0)", std::move(background), "color(srgb 1 1 1)",
                           source, std::string(sourceCSSId(source)), std::move(summary), passed};
}

std::vector<ColorTestGroupResult> sampleResults() {
    ColorTestGroupResult text{"Text & <Links>", "Mar 5, 2025, 2:07:09 PM", "2 passed (66%)", "1 failed (33%)", 66, {}};
    text.tests.push_back({"Body AA",
                          {pair("Ink", "Paper", TestedAppearance::light, true, "Pass with 21"),
                           pair("Haze", "Paper", TestedAppearance::dark, false, "Fail with 1.6 (min 4.5 required)")}});
    text.tests.push_back({"Empty", {}});
    text.tests.push_back({"APCA", {pair("Ink", "Paper", TestedAppearance::darkHighContrast, true, "Pass with Lc 106.0")}});
    ColorTestGroupResult buttons{"Buttons", "Mar 5, 2025, 2:07:10 PM", "1 passed (100%)", "0 failed (0%)", 100, {}};
    buttons.tests.push_back({"AA", {pair("Label", "Fill", TestedAppearance::lightHighContrast, true, "Pass with 5")}});
    return {text, buttons};
}

std::string rendered(const std::vector<ColorTestGroupResult>& results, const TestReportPages& pages) {
    auto report = renderTestReport(results, pages, {"Showcase"});
    if (auto* error = std::get_if<TestReportError>(&report)) {
        ADD_FAILURE() << error->message;
        return {};
    }
    return std::get<std::string>(report);
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

}  // namespace

TEST(TestReport, TemplatesSeeEveryFieldOfTheResults) {
    const TestReportPages pages{
        "{% for g in results %}{{ g.testGroupName }}|{{ g.testTime }}|{{ g.passSummary }}|{{ g.failSummary }}|"
        "{{ g.resultPassPercent }}|{{ g.passedCount }}/{{ g.failedCount }}/{{ g.resultCount }}\n"
        "{% for t in g.tests %}> {{ t.testSummaryName }} {{ t.passedCount }}/{{ t.failedCount }}/{{ t.resultCount }}\n"
        "{% for p in t.testColors %}>> {{ p.foregroundColorName }} {{ p.foregroundCSSColorString }} "
        "{{ p.backgroundColorName }} {{ p.backgroundCSSColorString }} {{ p.source }} {{ p.sourceName }} "
        "{{ p.sourceCSSId }} {{ p.testResultSummary }} {{ p.passed }}\n"
        "{% endfor %}{% endfor %}{% endfor %}{{ documentName }} {{ passedCount }}/{{ failedCount }}/{{ resultCount }}",
        ""};
    auto results = sampleResults();
    results.resize(1);
    EXPECT_EQ(rendered(results, pages),
              "Text & <Links>|Mar 5, 2025, 2:07:09 PM|2 passed (66%)|1 failed (33%)|66|2/1/3\n"
              "> Body AA 1/1/2\n"
              ">> Ink color(srgb 0 0 0) Paper color(srgb 1 1 1) light Light light Pass with 21 true\n"
              ">> Haze color(srgb 0 0 0) Paper color(srgb 1 1 1) dark Dark dark Fail with 1.6 (min 4.5 required) false\n"
              "> Empty 0/0/0\n"
              "> APCA 1/0/1\n"
              ">> Ink color(srgb 0 0 0) Paper color(srgb 1 1 1) darkHighContrast Dark High Contrast "
              "dark-high-contrast Pass with Lc 106.0 true\n"
              "Showcase 2/1/3");
}

TEST(TestReport, NoResultsShowsThePageAsItIs) {
    const TestReportPages pages{"{% this is not even valid %}", "<p>{{ not a template }}</p>"};
    EXPECT_EQ(rendered({}, pages), "<p>{{ not a template }}</p>");
}

TEST(TestReport, EngineErrorsNameTheTemplate) {
    const struct {
        const char* source;
    } cases[] = {{"{% for g in results %}no end"}, {"{% unknownTag %}"}, {"{{ results|noSuchFilter }}"}};
    for (const auto& c : cases) {
        auto report = renderTestReport(sampleResults(), TestReportPages{c.source, ""});
        auto* error = std::get_if<TestReportError>(&report);
        ASSERT_NE(error, nullptr) << c.source;
        EXPECT_NE(error->message.find("TestOutput"), std::string::npos) << error->message;
    }
}

TEST(TestReport, EscapesTextForHTML) {
    const struct {
        const char* text;
        const char* escaped;
    } cases[] = {
        {"plain", "plain"},
        {"Text & <Links>", "Text &amp; &lt;Links&gt;"},
        {"say \"hi\" it's", "say &quot;hi&quot; it&#39;s"},
        {"", ""},
        {"Grün · 緑", "Grün · 緑"},
    };
    for (const auto& c : cases) EXPECT_EQ(escapeHTML(c.text), c.escaped);
}

TEST(TestReport, BuiltInReportShowsEveryPairWithItsColorsAndVerdict) {
    auto loaded = loadTestReportPages(std::string(VANTOREL_SOURCE_DIR) + "/resources");
    ASSERT_TRUE(std::holds_alternative<TestReportPages>(loaded)) << std::get<TestReportError>(loaded).message;
    const auto& pages = std::get<TestReportPages>(loaded);

    const std::string html = rendered(sampleResults(), pages);
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(html.find("Text &amp; &lt;Links&gt;"), std::string::npos);
    EXPECT_EQ(html.find("<Links>"), std::string::npos);
    EXPECT_EQ(occurrences(html, "<tr class=\"pass\">"), 3u);
    EXPECT_EQ(occurrences(html, "<tr class=\"fail\">"), 1u);
    EXPECT_NE(html.find("style=\"color: color(srgb 0 0 0); background: color(srgb 1 1 1)\""), std::string::npos);
    EXPECT_NE(html.find("Fail with 1.6 (min 4.5 required)"), std::string::npos);
    EXPECT_NE(html.find("Light High Contrast"), std::string::npos);
    EXPECT_NE(html.find("Showcase"), std::string::npos);
    // Self-contained: nothing is fetched from elsewhere.
    for (const char* external : {"<link", "<script src", "@import", "url(http", "src=\"http"}) {
        EXPECT_EQ(html.find(external), std::string::npos) << external;
    }
    // Block tags leave no blank lines behind.
    EXPECT_EQ(html.find("\n\n"), std::string::npos);

    EXPECT_EQ(rendered({}, pages), pages.noResultsPage);
    EXPECT_NE(pages.noResultsPage.find("No test results"), std::string::npos);
}

TEST(TestReport, MissingResourcesAreReportedWithTheFile) {
    auto loaded = loadTestReportPages("/nonexistent/resources");
    ASSERT_TRUE(std::holds_alternative<TestReportError>(loaded));
    EXPECT_NE(std::get<TestReportError>(loaded).message.find("TestOutput.stencil"), std::string::npos)
        << std::get<TestReportError>(loaded).message;
}

TEST(JUnitReport, ASuitePerGroupAndTestACasePerPair) {
    JUnitReportOptions options{std::chrono::system_clock::time_point(std::chrono::seconds(1741183629)), "ci-runner"};
    const std::string xml = junitReportXML(sampleResults(), options);
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(xml.c_str())) << xml;

    const struct {
        const char* name;
        const char* package;
        int tests;
        int failures;
    } suites[] = {
        {"Body AA", "Text & <Links>", 2, 1},
        {"Empty", "Text & <Links>", 0, 0},
        {"APCA", "Text & <Links>", 1, 0},
        {"AA", "Buttons", 1, 0},
    };
    auto suite = document.child("testsuites").child("testsuite");
    for (int id = 0; id < 4; ++id, suite = suite.next_sibling("testsuite")) {
        ASSERT_TRUE(suite) << id;
        EXPECT_STREQ(suite.attribute("name").value(), suites[id].name);
        EXPECT_STREQ(suite.attribute("package").value(), suites[id].package);
        EXPECT_EQ(suite.attribute("id").as_int(-1), id);
        EXPECT_EQ(suite.attribute("tests").as_int(-1), suites[id].tests);
        EXPECT_EQ(suite.attribute("failures").as_int(-1), suites[id].failures);
        EXPECT_EQ(suite.attribute("errors").as_int(-1), 0);
        EXPECT_STREQ(suite.attribute("timestamp").value(), "2025-03-05T14:07:09");
        EXPECT_STREQ(suite.attribute("hostname").value(), "ci-runner");
        EXPECT_STREQ(suite.attribute("time").value(), "0");
        // The schema's order: properties, the cases, then the two output elements.
        EXPECT_STREQ(suite.first_child().name(), "properties");
        EXPECT_STREQ(suite.last_child().name(), "system-err");
        EXPECT_STREQ(suite.last_child().previous_sibling().name(), "system-out");
    }
    EXPECT_FALSE(suite);

    auto first = document.child("testsuites").child("testsuite");
    auto passing = first.child("testcase");
    EXPECT_STREQ(passing.attribute("name").value(), "Ink on Paper (Light)");
    EXPECT_STREQ(passing.attribute("classname").value(), "Text & <Links>.Body AA");
    EXPECT_FALSE(passing.child("failure"));
    auto failing = passing.next_sibling("testcase");
    EXPECT_STREQ(failing.attribute("name").value(), "Haze on Paper (Dark)");
    EXPECT_STREQ(failing.child("failure").attribute("message").value(), "Fail with 1.6 (min 4.5 required)");
    EXPECT_STREQ(failing.child("failure").attribute("type").value(), "contrast");
}

TEST(JUnitReport, NamesStayWellFormedAndNonEmpty) {
    ColorTestGroupResult group{"", "", "0 passed (0%)", "1 failed (100%)", 0, {}};
    group.tests.push_back({"", {pair("Bell\x07", "Tab\tStop", TestedAppearance::light, false, "Fail\x01 with 1")}});
    const std::string xml = junitReportXML({group}, {});
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(xml.c_str())) << xml;
    auto suite = document.child("testsuites").child("testsuite");
    EXPECT_STREQ(suite.attribute("name").value(), "Untitled test");
    EXPECT_STREQ(suite.attribute("package").value(), "Untitled group");
    EXPECT_STREQ(suite.attribute("hostname").value(), "localhost");
    EXPECT_STREQ(suite.attribute("timestamp").value(), "1970-01-01T00:00:00");
    EXPECT_STREQ(suite.child("testcase").attribute("name").value(), "Bell  on Tab\tStop (Light)");
    EXPECT_EQ(xml.find('\x07'), std::string::npos);
    EXPECT_EQ(xml.find('\x01'), std::string::npos);
}
