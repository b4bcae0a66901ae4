#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "Vantorel/platform/ApplicationSettings.h"
#include "tests/support/FileContents.h"
#include "tests/support/ScopedEnvironmentVariable.h"
#include "tests/support/ScratchFolder.h"

namespace fs = std::filesystem;
using vantorel::platform::ApplicationSettings;
using vantorel::testing::ScopedEnvironmentVariable;

using vantorel::testing::ScratchFolder;

TEST(ApplicationSettings, ValuesSurviveANewProcessAndUnknownKeysAreKept) {
    ScratchFolder folder("settings-roundtrip");
    fs::path file = folder / "nested" / "settings.json";
    {
        ApplicationSettings settings(file);
        EXPECT_FALSE(settings.readError());
        EXPECT_FALSE(settings.value("randomColorAlgorithm"));
        ASSERT_FALSE(settings.setValue("randomColorAlgorithm", "golden"));
        ASSERT_FALSE(settings.setValue("GrantedLocations", nlohmann::json::array({{{"id", "1"}}})));
        ASSERT_FALSE(settings.setValue("Unicode", "Grün – ✓"));
    }
    // Another process (or a newer version) adds a key this one does not know.
    {
        ApplicationSettings other(file);
        ASSERT_FALSE(other.setValue("futureKey", 42));
    }
    ApplicationSettings settings(file);
    EXPECT_EQ(settings.stringValue("randomColorAlgorithm"), "golden");
    EXPECT_EQ(settings.value("GrantedLocations"), nlohmann::json::array({{{"id", "1"}}}));
    EXPECT_EQ(settings.stringValue("Unicode"), "Grün – ✓");
    EXPECT_EQ(settings.value("futureKey"), 42);
    EXPECT_FALSE(settings.stringValue("futureKey"));  // not a string

    ASSERT_FALSE(settings.removeValue("randomColorAlgorithm"));
    EXPECT_FALSE(ApplicationSettings(file).value("randomColorAlgorithm"));
    EXPECT_EQ(ApplicationSettings(file).value("futureKey"), 42);
}

TEST(ApplicationSettings, AChangeMergesWithWhatIsOnDisk) {
    ScratchFolder folder("settings-merge");
    fs::path file = folder / "settings.json";
    ApplicationSettings first(file);
    ApplicationSettings second(file);
    ASSERT_FALSE(first.setValue("a", 1));
    ASSERT_FALSE(second.setValue("b", 2));  // does not undo "a"
    ApplicationSettings reread(file);
    EXPECT_EQ(reread.value("a"), 1);
    EXPECT_EQ(reread.value("b"), 2);
}

// A damaged file is reported and never overwritten; an empty one holds no settings yet.
TEST(ApplicationSettings, ADamagedFileIsReportedAndNeverOverwritten) {
    const std::pair<const char*, bool> cases[] = {
        {"{ not json", true}, {"[1, 2, 3]", true}, {"\"text\"", true}, {"{} trailing", true}, {" \n", false}};
    for (const auto& [text, damaged] : cases) {
        SCOPED_TRACE(text);
        ScratchFolder folder("settings-damaged");
        fs::path file = folder / "settings.json";
        std::ofstream(file) << text;

        ApplicationSettings settings(file);
        ASSERT_EQ(settings.readError().has_value(), damaged);
        EXPECT_FALSE(settings.value("anything"));
        EXPECT_EQ(settings.setValue("key", "value").has_value(), damaged);
        if (damaged) {
            EXPECT_NE(settings.readError()->message.find(file.string()), std::string::npos);
            EXPECT_EQ(vantorel::testing::fileContents(file), text);
        } else {
            EXPECT_EQ(ApplicationSettings(file).stringValue("key"), "value");
        }
    }
}

TEST(ApplicationSettings, AFailedWriteKeepsTheEarlierValues) {
    ScratchFolder folder("settings-blocked");
    std::ofstream(folder / "vantorel") << "a file where the settings folder should be";
    ApplicationSettings settings(folder / "vantorel" / "settings.json");
    auto error = settings.setValue("key", "value");
    ASSERT_TRUE(error);
    EXPECT_NE(error->message.find("vantorel"), std::string::npos) << error->message;
    EXPECT_FALSE(settings.value("key"));
}

TEST(ApplicationSettings, DefaultFileFollowsTheXDGConfigFolder) {
    const struct {
        std::optional<std::string> xdgConfigHome;
        std::string home;
        const char* expected;
    } cases[] = {
        {"/config", "/home/ada", "/config/vantorel/settings.json"},
        {std::nullopt, "/home/ada", "/home/ada/.config/vantorel/settings.json"},
        {"", "/home/ada", "/home/ada/.config/vantorel/settings.json"},
        {"relative/config", "/home/ada", "/home/ada/.config/vantorel/settings.json"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xdgConfigHome.value_or("(unset)"));
        const ScopedEnvironmentVariable xdg("XDG_CONFIG_HOME", c.xdgConfigHome);
        const ScopedEnvironmentVariable home("HOME", c.home);
        EXPECT_EQ(ApplicationSettings::defaultFile(), fs::path(c.expected));
    }
}
