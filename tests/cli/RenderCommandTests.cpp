// `vantorel render`: a template rendered against a JSON context, or with --document against a
// build group of a saved document under the naming and color settings of one of its tasks.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliTestSupport.h"
#include "VantorelData/format/QuenzColorFileWriter.h"
#include "VantorelData/model/ColorItem.h"
#include "VantorelData/model/PlainValueItems.h"
#include "VantorelData/model/Project.h"
#include "tests/support/FileContents.h"
#include "tests/support/ScratchFolder.h"

namespace {

using namespace vantorel;
using vantorel::cli::testing::runCli;

class RenderCommand : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(folder_ / "templates");
        write("context.json", R"({"title": "Colors", "colors": {"zeta": "#FFF", "alpha": "#000"}, "ratio": 4.0})");
        write("list.stencil", "{{ title }}:\n  {% for name, value in colors %}\n  {{ name }}={{ value }}\n  {% endfor %}\n{{ ratio }}\n");
        write("templates/base.stencil", "<{% block body %}base{% endblock %}>");
        write("templates/row.stencil", "[{{ title|uppercase }}]");
        write("child.stencil", "{% extends \"base.stencil\" %}{% block body %}{% include \"row.stencil\" %}{% endblock %}");
        write("broken.stencil", "ok\n  {% frobnicate %}");
        write("unclosed.stencil", "{% for item in items %}");
        write("array.json", "[1, 2]");
        write("bad.json", "{\"title\": ");
        write("names.stencil",
              "{{ exportFileNameWithExtension }}:\n{% for item in items %}\n{{ item.name }}{% if item.colorItem %}="
              "{% colorAsCSSHexRGB item.colorItem.color.light %}{% endif %};\n{% endfor %}");
        write("broken.vantorel", "<QuenzColorProject><unclosed>");
        saveDocument();
    }

    void write(const std::string& name, const std::string& text) { vantorel::testing::writeFileContents(folder_ / name, text); }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    // Group "Web" holds a namespace group "Brand" with "Primary Blue" (Display P3), and "Gap";
    // its tasks are "Tokens" (kebab-case, prefix "ds-", sRGB) and "Plain". "Empty" has nothing.
    void saveDocument() {
        auto web = std::make_shared<BuildGroup>("Web");
        BuildTaskFields tokens;
        tokens.name = "Tokens";
        tokens.exportFileType = BuildFileType::css;
        tokens.exportFileName = "web-tokens";
        tokens.nameTransform = BuildNameTransform::kebabCase;
        tokens.namePrefix = "ds-";
        tokens.colorSpaceConversion = ColorSpaceConversion::sRGB;
        BuildTaskFields plain;
        plain.name = "Plain";
        plain.exportFileName = "plain";
        web->setTasks({std::make_shared<BuildTask>(tokens), std::make_shared<BuildTask>(plain)});

        auto blue = QuenzColorProjectItem::make(
            "Primary Blue",
            std::make_shared<QuenzColorItem>(ThemeableColor(quenz::ColorValue{quenz::RGBSpace::displayP3, 0, 0.2, 1, 1, 0}),
                                             ColorPresentation{quenz::ColorSpace::displayP3, quenz::ColorFormat::floatRGBA}));
        auto brand = QuenzColorProjectItem::make("Brand", std::make_shared<QuenzColorGroup>(
                                                              std::vector<ProjectItemPtr>{blue}, true));
        auto gap = QuenzColorProjectItem::make("Gap", std::make_shared<QuenzColorNumber>(ThemeableNumber(8)));
        for (const auto& item : {brand, blue, gap}) item->setBuildGroup(web);
        QuenzColorProject project("Render");
        project.setItems({brand, gap});
        project.setBuildGroups({web, std::make_shared<BuildGroup>("Empty")});
        auto written = format::QuenzColorFileWriter::write(project);
        ASSERT_FALSE(written.error);
        write("Colors.vantorel", written.bytes);
    }

    vantorel::testing::ScratchFolder folder_{"render"};
};

TEST_F(RenderCommand, RendersWithContextTrimTemplateFolderOrDocument) {
    const std::string doc = path("Colors.vantorel");
    const std::string names = path("names.stencil");
    const struct {
        std::vector<std::string> args;
        std::string out;
        std::string input = {};
    } cases[] = {
        {{"render", path("list.stencil"), "--context", path("context.json"), "--trim", "smart"},
         "Colors:\n  alpha=#000\n  zeta=#FFF\n4.0\n"},
        {{"render", path("list.stencil"), "--context", path("context.json"), "--trim", "all"},
         "Colors:alpha=#000zeta=#FFF4.0\n"},
        {{"render", path("list.stencil"), "--context", path("context.json")},
         "Colors:\n  \n  alpha=#000\n  \n  zeta=#FFF\n  \n4.0\n"},
        {{"render", path("child.stencil"), "--context", path("context.json"), "--templates", path("templates")},
         "<[COLORS]>"},
        {{"render", path("templates/row.stencil")}, "[]"},
        {{"render", path("templates/row.stencil"), "--context", "-"}, "[STDIN]", R"({"title": "stdin"})"},
        // Tokens converts the Display P3 blue into sRGB, clipping it; the others keep it as it is.
        {{"render", names, "--document", doc, "--group", "Web", "--task", "Tokens"},
         "web-tokens.css:\nds-brand-primary-blue=#0034FF;\nds-gap;\n"},
        {{"render", names, "--document", doc, "--group", "Web", "--task", "Plain"},
         "plain.txt:\nBrandPrimary Blue=#0033FF;\nGap;\n"},
        {{"render", names, "--document", doc, "--group", "Web"}, "names.txt:\nBrandPrimary Blue=#0033FF;\nGap;\n"},
        {{"render", names, "--document", doc, "--group", "Web", "--task", "Tokens", "--trim", "none"},
         "web-tokens.css:\n\nds-brand-primary-blue=#0034FF;\n\nds-gap;\n"},
        {{"render", names, "--document", doc, "--group", "Empty"}, "names.txt:\n"},
    };
    for (const auto& c : cases) {
        auto result = runCli(c.args, c.input);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, c.out) << ::testing::PrintToString(c.args);
    }
}

TEST_F(RenderCommand, FailuresExitWithTheRightCode) {
    const std::string doc = path("Colors.vantorel");
    const std::string names = path("names.stencil");
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    } cases[] = {
        {{"render", path("broken.stencil")}, 1, path("broken.stencil") + ":2:3: Unknown tag 'frobnicate'"},
        {{"render", path("child.stencil")}, 1, "no template loader"},
        {{"render", path("child.stencil"), "--templates", path("")}, 1, "'base.stencil' does not exist"},
        {{"render", path("missing.stencil")}, 2, "does not exist"},
        {{"render", path("list.stencil"), "--context", path("bad.json")}, 2, "Invalid JSON"},
        {{"render", path("list.stencil"), "--context", path("array.json")}, 2, "must be a JSON object"},
        {{"render", path("list.stencil"), "--trim", "some"}, 2, "trim"},
        {{"render"}, 2, "TEMPLATE"},
        {{"render", names, "--document", doc}, 2, "--document needs --group NAME"},
        {{"render", names, "--document", doc, "--group", "iOS"}, 2,
         "has no build group named 'iOS' (it has 'Web', 'Empty')"},
        {{"render", names, "--document", doc, "--group", "Web", "--task", "Kotlin"}, 2,
         "The build group 'Web' has no task named 'Kotlin' (it has 'Tokens', 'Plain')"},
        {{"render", names, "--document", doc, "--group", "Empty", "--task", "Any"}, 2, "(it has none)"},
        {{"render", names, "--document", doc, "--group", "Web", "--context", path("x.json")}, 2, "excludes"},
        {{"render", names, "--document", doc, "--group", "Web", "--templates", path("")}, 2, "excludes"},
        {{"render", names, "--group", "Web"}, 2, "need --document FILE"},
        {{"render", names, "--document", path("missing.vantorel"), "--group", "Web"}, 2, "missing.vantorel"},
        {{"render", names, "--document", path("broken.vantorel"), "--group", "Web"}, 2, "not well-formed XML"},
        {{"render", path("unclosed.stencil"), "--document", doc, "--group", "Web"}, 1,
         path("unclosed.stencil") + ":1:1: Block is never closed"},
        {{"render", path("missing.stencil"), "--document", doc, "--group", "Web"}, 2, "does not exist"},
    };
    for (const auto& c : cases) {
        auto result = runCli(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << ::testing::PrintToString(c.args) << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty()) << result.out;
    }
}

TEST_F(RenderCommand, PrintsTheDocumentContextAsJSON) {
    auto result = runCli({"render", path("names.stencil"), "--document", path("Colors.vantorel"), "--group", "Web",
                          "--task", "Tokens", "--print-context"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    auto context = nlohmann::json::parse(result.out);
    EXPECT_EQ(context["exportFileName"], "web-tokens");
    EXPECT_EQ(context["exportFileNameWithExtension"], "web-tokens.css");
    ASSERT_EQ(context["items"].size(), 2u);
    EXPECT_EQ(context["items"][0]["name"], "ds-brand-primary-blue");
    EXPECT_EQ(context["items"][0]["colorItem"]["color"]["light"]["colorSpace"], "sRGB");
    EXPECT_EQ(context["items"][1]["number"]["value"]["light"], 8.0);
}

TEST_F(RenderCommand, JSONContextsSeeTheBuildFiltersAndTags) {
    write("context.json", R"({"name": "brand-primary 500"})");
    write("filters.stencil", "{{ name|replace:\"-\",\"_\" }} {% codeSafeName name %} {% colorAsHex name %}");
    auto result = runCli({"render", path("filters.stencil"), "--context", path("context.json")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "brand_primary 500 brandprimary500 Rendering color failed");
}

}  // namespace
