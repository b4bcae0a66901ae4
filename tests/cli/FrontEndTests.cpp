#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "VantorelData/format/QuenzColorFileWriter.h"
#include "VantorelData/model/Model.h"
#include "tests/support/FileContents.h"
#include "tests/support/ScratchFolder.h"

namespace vantorel {
namespace {

using cli::testing::runCli;
using vantorel::testing::fileContents;
using vantorel::testing::writeFileContents;

// A document with the build group "Web" and the test group "Text", a file that is not a
// document, a folder, and a template, side by side.
class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        QuenzColorProject project("Usage");
        project.appendBuildGroup(std::make_shared<BuildGroup>("Web"));
        project.appendTestGroup(std::make_shared<TestGroup>("Text"));
        writeFileContents(document, format::QuenzColorFileWriter::write(project).bytes);
        writeFileContents(broken, "<vantorel><unclosed>");
        writeFileContents(templateFile, "{{ title }}");
        std::filesystem::create_directory(folder);
    }

    vantorel::testing::ScratchFolder scratch{"command-line"};
    const std::string document = scratch.document().string();
    const std::string broken = (scratch / "broken.vantorel").string();
    const std::string folder = (scratch / "folder.vantorel").string();
    const std::string missing = (scratch / "missing.vantorel").string();
    const std::string templateFile = (scratch / "row.stencil").string();
    const std::string noFolder = (scratch / "no").string();
};

TEST_F(CommandLine, UsageErrorsNameWhatIsWrongAndExitWithTwo) {
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string errorPart;
    } cases[] = {
        {{"--help"}, 0, ""},
        {{"--version"}, 0, ""},
        {{}, 2, "vantorel: "},
        {{"infoo", document}, 2, "vantorel: unknown command 'infoo' (did you mean 'info'?)\n"},
        {{"biuld"}, 2, "unknown command 'biuld' (did you mean 'build'?)"},
        {{"exp"}, 2, "(did you mean 'export-tokens'?)"},
        {{"frobnicate"}, 2, "vantorel: unknown command 'frobnicate'\nRun 'vantorel --help' for usage.\n"},
        {{"info"}, 2, "FILE is required"},
        {{"info", document, "--bogus"}, 2, "Run 'vantorel info --help' for usage."},
        {{"info", ""}, 2, "vantorel: FILE is empty\nRun 'vantorel info --help' for usage.\n"},
        {{"info", missing}, 2, "vantorel: '" + missing + "' does not exist\n"},
        {{"info", folder}, 2, "vantorel: '" + folder + "' is a folder, not a file\n"},
        {{"info", broken}, 2, "vantorel: '" + broken + "' is not a Vantorel document: it is not well-formed XML\n"},
        {{"test", missing}, 2, "vantorel: '" + missing + "' does not exist\n"},
        {{"build", folder}, 2, "is a folder, not a file"},
        {{"copy", missing, "A"}, 2, "vantorel: '" + missing + "' does not exist\n"},
        {{"paste", folder}, 2, "is a folder, not a file"},
        {{"render", folder}, 2, "is a folder, not a file"},
        {{"render", templateFile, "--context", missing}, 2, "'" + missing + "' does not exist"},
        {{"render", templateFile, "--templates", missing}, 2, "the template folder '" + missing + "' does not exist"},
        {{"render", templateFile, "--templates", templateFile}, 2, "is a file, not a folder of templates"},
        {{"save", document, "-o", ""}, 2, "vantorel: --output is empty\n"},
        {{"save", document, "-o", folder}, 2, "'" + folder + "' is a folder; give the name of a file to write"},
        {{"save", document, "-o", noFolder + "/Copy.vantorel"}, 2,
         "cannot write '" + noFolder + "/Copy.vantorel': the folder '" + noFolder + "' does not exist"},
        {{"save", document, "-o", document + "/Copy.vantorel"}, 2, "'" + document + "' is not a folder"},
        {{"new", noFolder + "/New.vantorel"}, 2, "the folder '" + noFolder + "' does not exist"},
        {{"new", folder, "--force"}, 2, "is a folder"},
        {{"export-tokens", document, "-o", noFolder + "/t.json"}, 2, "the folder '" + noFolder + "' does not exist"},
        {{"test", document, "-o", noFolder + "/r.html"}, 2, "the folder '" + noFolder + "' does not exist"},
        {{"test", document, "--junit", noFolder + "/r.xml"}, 2, "the folder '" + noFolder + "' does not exist"},
        {{"test", document, "--locale", "xx_YY"}, 2, "unknown locale 'xx_YY'"},
        {{"test", document, "--locale", "de_QQ"}, 2, "unknown locale 'de_QQ'"},
        {{"test", document, "--locale", ""}, 2, "--locale is empty"},
        {{"build", document, "--locale", "xx"}, 2, "unknown locale 'xx'"},
        {{"contrast", "#000", "#FFF", "--locale", "xx_YY"}, 2, "unknown locale 'xx_YY'"},
        {{"test", document, "--group", "Nope"}, 2, "has no test group named 'Nope' (it has 'Text')"},
        {{"build", document, "--group", "Nope"}, 2, "has no build group named 'Nope' (it has 'Web')"},
        {{"build", document, "--group"}, 2, "vantorel: "},
        {{"contrast", "#000000"}, 2, "BACKGROUND is required"},
        {{"contrast", "nonsense", "#FFFFFF"}, 2, "vantorel: cannot read a color from 'nonsense'\n"},
        {{"contrast", "#000", "#FFF", "--format", "hex"}, 2,
         "vantorel: unknown color format 'hex' (choose floatRGBA, floatHSVA, htmlRGB, "},
        {{"contrast", "#000", "#FFF", "--space", "srgb"}, 2,
         "vantorel: unknown color space 'srgb' (choose sRGB, sRGBExtended, displayP3, oklab, oklch)\n"},
        {{"contrast", "#000000", "#FFFFFF", "--json", "--markdown"}, 2, "excludes"},
    };
    const std::string before = fileContents(document);
    for (const auto& c : cases) {
        const auto result = runCli(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << ::testing::PrintToString(c.args) << result.err;
        EXPECT_NE(result.err.find(c.errorPart), std::string::npos) << ::testing::PrintToString(c.args) << result.err;
        if (c.exitCode != 0) {
            EXPECT_EQ(result.out, "") << ::testing::PrintToString(c.args);
        }
    }
    EXPECT_EQ(fileContents(document), before) << "no usage error touches the input";
    EXPECT_FALSE(std::filesystem::exists(noFolder));
}

TEST(FrontEnd, EveryCommandHasHelp) {
    for (const auto& command : cli::registeredCommands()) {
        auto result = runCli({command.name, "--help"});
        EXPECT_EQ(result.exitCode, 0) << command.name;
        EXPECT_NE(result.out.find(command.name), std::string::npos) << command.name;
    }
}

}  // namespace
}  // namespace vantorel
