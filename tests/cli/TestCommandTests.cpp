#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <nlohmann/json.hpp>

#include <filesystem>

#include "CliTestSupport.h"
#include "tests/support/FileContents.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/SmallProjects.h"

using vantorel::cli::testing::CliResult;
using vantorel::cli::testing::runCli;
namespace fs = std::filesystem;
using namespace vantorel;

namespace {

using vantorel::testing::fileContents;

class TestCommand : public ::testing::Test {
protected:
    // "Text" tests Ink and Haze on Paper at 4.5 (Haze fails); "Large" tests Ink on Paper at 3.
    fs::path writeDocument(bool withFailure = true, const char* inkName = "Ink") {
        auto project = std::make_shared<QuenzColorProject>("Palette");
        auto taskFields = [](const char* name, double threshold) {
            TestTaskFields fields;
            fields.name = name;
            fields.taskType = TestTaskType::wcagContrastTest;
            fields.threshold = threshold;
            return std::make_shared<TestTask>(fields);
        };
        auto text = std::make_shared<TestGroup>("Text", std::vector{taskFields("Body AA", 4.5)});
        auto large = std::make_shared<TestGroup>("Large", std::vector{taskFields("Large AA", 3.0)});
        auto empty = std::make_shared<TestGroup>("Empty", std::vector{taskFields("Nothing", 3.0)});
        project->appendTestGroup(text);
        project->appendTestGroup(large);
        project->appendTestGroup(empty);
        std::vector<ProjectItemPtr> items;
        auto add = [&](const char* name, double gray, TestPosition position, const TestGroupPtr& group) {
            auto item = vantorel::testing::srgbColorItem(name, gray, gray, gray);
            item->setTestGroup(group);
            item->setTestPosition(position);
            items.push_back(item);
        };
        add(inkName, 0, TestPosition::foreground, text);
        if (withFailure) add("Haze", 0.8, TestPosition::foreground, text);
        add("Paper", 1, TestPosition::background, text);
        add("Black", 0, TestPosition::foreground, large);
        add("White", 1, TestPosition::background, large);
        project->setItems(items);
        const fs::path file = folder_ / "Palette.vantorel";
        vantorel::testing::writeFileContents(file, vantorel::testing::documentBytes(*project));
        return file;
    }

    vantorel::testing::ScratchFolder folder_{"test-command"};
};

}  // namespace

TEST_F(TestCommand, PrintsSummariesWritesTheReportBesideTheDocumentAndFailsOnFailures) {
    const auto document = writeDocument();
    CliResult result = runCli({"test", document.string(), "--locale", "en_US"});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_EQ(result.err, "");
    for (const char* expected : {"Text (", "  4 passed (50%)\n", "  4 failed (50%)\n",
                                 "    FAIL Body AA › Haze on Paper (Light): Fail with 1.6 (min 4.5 required)\n",
                                 "Large (", "  4 passed (100%)\n", "  0 failed (0%)\n"}) {
        EXPECT_NE(result.out.find(expected), std::string::npos) << expected << "\n" << result.out;
    }
    EXPECT_EQ(result.out.find("Empty"), std::string::npos) << "a group without pairs has no result";
    const auto report = fileContents(folder_ / "Vantorel Test Report.html");
    EXPECT_NE(report.find("<h2>Text</h2>"), std::string::npos);
    EXPECT_NE(report.find("Palette"), std::string::npos);
}

TEST_F(TestCommand, ExitCodesTellPassFromFailFromBadUsage) {
    const auto passing = writeDocument(false);
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* errorPart;
    } cases[] = {
        {{"test", passing.string()}, 0, ""},
        {{"test", passing.string(), "--group", "Large"}, 0, ""},
        {{"test", passing.string(), "--group", "Nope"}, 2, "no test group named 'Nope' (it has 'Text', 'Large', 'Empty')"},
    };
    for (const auto& c : cases) {
        CliResult result = runCli(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_NE(result.err.find(c.errorPart), std::string::npos) << result.err;
    }
}

TEST_F(TestCommand, OneGroupOnlyWithJSONAndJUnit) {
    const auto document = writeDocument();
    const auto report = folder_ / "out" / "report.html";
    fs::create_directories(report.parent_path());
    const auto junit = folder_ / "results.xml";
    CliResult result = runCli(
        {"test", document.string(), "--group", "Text", "-o", report.string(), "--junit", junit.string(), "--json"});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    auto data = nlohmann::json::parse(result.out);
    EXPECT_EQ(data["report"], report.string());
    EXPECT_EQ(data["passed"], false);
    ASSERT_EQ(data["groups"].size(), 1u);
    const auto& group = data["groups"][0];
    EXPECT_EQ(group["name"], "Text");
    EXPECT_EQ(group["passSummary"], "4 passed (50%)");
    EXPECT_EQ(group["resultPassPercent"], 50);
    ASSERT_EQ(group["tests"][0]["results"].size(), 8u);
    EXPECT_EQ(group["tests"][0]["results"][1]["foreground"], "Haze");
    EXPECT_EQ(group["tests"][0]["results"][1]["appearance"], "light");
    EXPECT_EQ(group["tests"][0]["results"][1]["passed"], false);
    EXPECT_TRUE(fs::exists(report));
    EXPECT_FALSE(fs::exists(folder_ / "Vantorel Test Report.html"));

    pugi::xml_document xml;
    ASSERT_TRUE(xml.load_file(junit.c_str()));
    auto suite = xml.child("testsuites").child("testsuite");
    EXPECT_STREQ(suite.attribute("name").value(), "Body AA");
    EXPECT_EQ(suite.attribute("tests").as_int(), 8);
    EXPECT_EQ(suite.attribute("failures").as_int(), 4);
    EXPECT_FALSE(suite.next_sibling("testsuite"));
}

TEST_F(TestCommand, ADocumentWithoutResultsGetsTheNoResultsPage) {
    const auto document = writeDocument();
    CliResult result = runCli({"test", document.string(), "--group", "Empty"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("No test results"), std::string::npos) << result.out;
    EXPECT_NE(fileContents(folder_ / "Vantorel Test Report.html").find("No test results"), std::string::npos);
}

// A name that is not valid UTF-8 is written with U+FFFD in the JSON results, the JUnit XML and
// the document's JSON description alike, so that every reader accepts them.
TEST_F(TestCommand, NamesThatAreNotUTF8StayReadableInEveryDataOutput) {
    // Our writer refuses such names; a document edited elsewhere can hold them.
    const auto document = writeDocument(false, "InkMark");
    std::string bytes = fileContents(document);
    bytes.replace(bytes.find("InkMark"), 7, "Ink\xFF\xE2\x82");
    vantorel::testing::writeFileContents(document, bytes);
    const auto junit = folder_ / "results.xml";
    const std::string shown = "Ink\xEF\xBF\xBD\xEF\xBF\xBD";

    CliResult tested = runCli({"test", document.string(), "--group", "Text", "--junit", junit.string(), "--json"});
    EXPECT_EQ(tested.exitCode, 0) << tested.err;
    const auto data = nlohmann::json::parse(tested.out);
    EXPECT_EQ(data["groups"][0]["tests"][0]["results"][0]["foreground"], shown);

    pugi::xml_document xml;
    ASSERT_TRUE(xml.load_file(junit.c_str()));
    const std::string caseName = xml.child("testsuites").child("testsuite").child("testcase").attribute("name").value();
    EXPECT_EQ(caseName.substr(0, shown.size()), shown);

    CliResult described = runCli({"info", document.string(), "--tree", "--json"});
    EXPECT_EQ(described.exitCode, 0) << described.err;
    const auto description = nlohmann::json::parse(described.out);
    bool found = false;
    for (const auto& item : description["items"]) found = found || item["name"] == shown;
    EXPECT_TRUE(found) << described.out;
}
