#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "CliTestSupport.h"

namespace {

namespace fs = std::filesystem;
using vantorel::cli::testing::runCli;

class RenderCommand : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("vantorel-render-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "templates");
        write("context.json", R"({"title": "Colors", "colors": {"zeta": "#FFF", "alpha": "#000"}, "ratio": 4.0})");
        write("list.stencil", "{{ title }}:\n  {% for name, value in colors %}\n  {{ name }}={{ value }}\n  {% endfor %}\n{{ ratio }}\n");
        write("templates/base.stencil", "<{% block body %}base{% endblock %}>");
        write("templates/row.stencil", "[{{ title|uppercase }}]");
        write("child.stencil", "{% extends \"base.stencil\" %}{% block body %}{% include \"row.stencil\" %}{% endblock %}");
        write("broken.stencil", "ok\n  {% frobnicate %}");
        write("array.json", "[1, 2]");
        write("bad.json", "{\"title\": ");
    }
    void TearDown() override { fs::remove_all(folder_); }

    void write(const std::string& name, const std::string& text) { std::ofstream(folder_ / name) << text; }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    fs::path folder_;
};

TEST_F(RenderCommand, RendersWithContextTrimAndTemplateFolder) {
    struct Case {
        std::vector<std::string> args;
        std::string out;
    };
    const Case cases[] = {
        {{"render", path("list.stencil"), "--context", path("context.json"), "--trim", "smart"},
         "Colors:\n  alpha=#000\n  zeta=#FFF\n4.0\n"},
        {{"render", path("list.stencil"), "--context", path("context.json"), "--trim", "all"},
         "Colors:alpha=#000zeta=#FFF4.0\n"},
        {{"render", path("list.stencil"), "--context", path("context.json")},
         "Colors:\n  \n  alpha=#000\n  \n  zeta=#FFF\n  \n4.0\n"},
        {{"render", path("child.stencil"), "--context", path("context.json"), "--templates", path("templates")},
         "<[COLORS]>"},
        {{"render", path("templates/row.stencil")}, "[]"},
    };
    for (const auto& c : cases) {
        auto result = runCli(c.args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, c.out);
    }
}

TEST_F(RenderCommand, ReadsTheContextFromStandardInput) {
    auto result = runCli({"render", path("templates/row.stencil"), "--context", "-"}, R"({"title": "stdin"})");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "[STDIN]");
}

TEST_F(RenderCommand, FailuresExitWithTheRightCode) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    };
    const Case cases[] = {
        {{"render", path("broken.stencil")}, 1, path("broken.stencil") + ":2:3: Unknown tag 'frobnicate'"},
        {{"render", path("child.stencil")}, 1, "no template loader"},
        {{"render", path("child.stencil"), "--templates", path("")}, 1, "'base.stencil' does not exist"},
        {{"render", path("missing.stencil")}, 2, "does not exist"},
        {{"render", path("list.stencil"), "--context", path("bad.json")}, 2, "Invalid JSON"},
        {{"render", path("list.stencil"), "--context", path("array.json")}, 2, "must be a JSON object"},
        {{"render", path("list.stencil"), "--context", path("none.json")}, 2, "does not exist"},
        {{"render", path("list.stencil"), "--templates", path("nofolder")}, 2, "does not exist"},
        {{"render", path("list.stencil"), "--trim", "some"}, 2, "trim"},
        {{"render"}, 2, "TEMPLATE"},
    };
    for (const auto& c : cases) {
        auto result = runCli(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << ::testing::PrintToString(c.args) << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty()) << result.out;
    }
}

}  // namespace
