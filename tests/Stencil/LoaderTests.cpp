#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Stencil/Environment.h"
#include "Stencil/FileRendering.h"
#include "Stencil/Loader.h"

namespace stencil {
namespace {

namespace fs = std::filesystem;

class FileSystemLoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        base_ = fs::temp_directory_path() /
                ("stencil-loader-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(base_);
        fs::create_directories(base_ / "templates" / "partials");
        write(base_ / "templates" / "page.html", "{% include \"partials/item.html\" %}!");
        write(base_ / "templates" / "partials" / "item.html", "[{{ name }}]");
        write(base_ / "secret.txt", "secret");
        fs::create_symlink(base_ / "secret.txt", base_ / "templates" / "escape.html");
        fs::create_symlink(base_ / "templates" / "page.html", base_ / "templates" / "alias.html");
    }
    void TearDown() override { fs::remove_all(base_); }

    static void write(const fs::path& file, const std::string& text) { std::ofstream(file) << text; }

    fs::path base_;
};

TEST_F(FileSystemLoaderTest, LoadsInsideTheRootAndRefusesEverythingElse) {
    FileSystemLoader loader(base_ / "templates");
    struct Case {
        std::string name;
        std::optional<ErrorKind> error;
    };
    const Case cases[] = {
        {"page.html", std::nullopt},
        {"partials/item.html", std::nullopt},
        {"./partials/item.html", std::nullopt},
        {"alias.html", std::nullopt},
        {"missing.html", ErrorKind::templateNotFound},
        {"partials", ErrorKind::templateNotFound},
        {"", ErrorKind::templateNotFound},
        {"../secret.txt", ErrorKind::accessDenied},
        {"partials/../../secret.txt", ErrorKind::accessDenied},
        {"partials/../page.html", ErrorKind::accessDenied},
        {(base_ / "secret.txt").string(), ErrorKind::accessDenied},
        {"escape.html", ErrorKind::accessDenied},
    };
    for (const auto& c : cases) {
        auto source = loader.loadSource(c.name);
        if (c.error) {
            ASSERT_FALSE(source) << c.name;
            EXPECT_EQ(source.error().kind, *c.error) << c.name << ": " << source.error().describe();
        } else {
            EXPECT_TRUE(source) << c.name << ": " << source.error().describe();
        }
    }
}

TEST_F(FileSystemLoaderTest, RendersFilesWithIncludesFromTheFolder) {
    FileRenderOptions options;
    options.templatesFolder = base_ / "templates";
    auto rendered = renderTemplateFile(base_ / "templates" / "page.html", Value(Dictionary{{"name", "n"}}), options);
    ASSERT_TRUE(rendered) << rendered.error().describe();
    EXPECT_EQ(*rendered, "[n]!");

    auto withoutLoader = renderTemplateFile(base_ / "templates" / "page.html", Value(Dictionary{}), {});
    ASSERT_FALSE(withoutLoader);
    EXPECT_EQ(withoutLoader.error().kind, ErrorKind::templateNotFound);
    EXPECT_EQ(withoutLoader.error().templateName, (base_ / "templates" / "page.html").string());
}

TEST(TrimNames, AreRecognised) {
    EXPECT_EQ(trimBehaviourNamed("none"), TrimBehaviour::nothing());
    EXPECT_EQ(trimBehaviourNamed("smart"), TrimBehaviour::smart());
    EXPECT_EQ(trimBehaviourNamed("all"), TrimBehaviour::all());
    EXPECT_EQ(trimBehaviourNamed("some"), std::nullopt);
}

}  // namespace
}  // namespace stencil
