#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "Vantorel/platform/AtomicFile.h"
#include "Vantorel/platform/OutputText.h"
#include "Vantorel/platform/UserLocale.h"
#include "tests/support/ScratchFolder.h"

namespace fs = std::filesystem;
using namespace vantorel::platform;

using vantorel::testing::ScratchFolder;

TEST(AtomicFile, ReplacesContentsKeepingPermissionsAndLeavesNoTemporaryFiles) {
    ScratchFolder folder("replace");
    fs::path file = folder / "Doc.vantorel";
    ASSERT_FALSE(writeFileAtomically(file, "first"));
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(file, mode);
    ASSERT_FALSE(writeFileAtomically(file, "second, longer"));
    EXPECT_EQ(readWholeFile(file).bytes, "second, longer");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, mode);
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"Doc.vantorel"});
}

TEST(AtomicFile, FailureNamesThePath) {
    ScratchFolder folder("fail");
    auto error = writeFileAtomically(folder / "missing" / "Doc.vantorel", "x");
    ASSERT_TRUE(error);
    EXPECT_NE(error->message.find("Doc.vantorel"), std::string::npos);
    auto unreadable = readWholeFile(folder / "nothing-here");
    ASSERT_TRUE(unreadable.error);
    EXPECT_NE(unreadable.error->message.find("nothing-here"), std::string::npos);
}

// A write through a symbolic link replaces the file the link names (through a chain of links,
// relative or absolute, or creating the file a dangling link names) and leaves the link a link.
TEST(AtomicFile, WritesThroughSymbolicLinksToTheirTargets) {
    ScratchFolder scratch("links");
    const fs::path folder = scratch.path();
    fs::create_directories(folder / "real");
    const struct {
        const char* description;
        std::vector<std::pair<fs::path, fs::path>> links;  // link, target
        fs::path written;
        fs::path target;
    } cases[] = {
        {"relative link", {{"Doc.vantorel", "real/a.vantorel"}}, "Doc.vantorel", "real/a.vantorel"},
        {"absolute link", {{"Abs.vantorel", folder / "real/b.vantorel"}}, "Abs.vantorel", "real/b.vantorel"},
        {"chain of links", {{"real/c-link", "c.vantorel"}, {"Chain.vantorel", "real/c-link"}}, "Chain.vantorel",
         "real/c.vantorel"},
        {"dangling link", {{"Dangling.vantorel", "real/new.vantorel"}}, "Dangling.vantorel", "real/new.vantorel"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        for (const auto& [link, target] : c.links) fs::create_symlink(target, folder / link);
        if (std::string(c.description) != "dangling link") {
            ASSERT_FALSE(writeFileAtomically(folder / c.target, "old"));
        }
        ASSERT_FALSE(writeFileAtomically(folder / c.written, "new"));
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder / c.written)));
        EXPECT_EQ(readWholeFile(folder / c.target).bytes, "new");
    }
    // Nothing but the links and their targets: no temporary file is left anywhere.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 5);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "real"), fs::directory_iterator()), 5);
}

TEST(UserLocale, POSIXNamesBecomeICUNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "en_US_POSIX"},           {"C", "en_US_POSIX"},       {"POSIX", "en_US_POSIX"},
        {"C.UTF-8", "en_US_POSIX"},    {"de_DE.UTF-8", "de_DE"},   {"fr_CH", "fr_CH"},
        {"sr_RS@latin", "sr_RS@latin"}, {"ca_ES.UTF-8@valencia", "ca_ES@valencia"},
    };
    for (const auto& [posix, icu] : cases) EXPECT_EQ(icuLocaleNameFromPOSIX(posix), icu) << posix;
}

TEST(UserLocale, KnownLocalesHaveALanguageWithDataAndARealCountry) {
    const std::pair<const char*, bool> cases[] = {
        {"C", true},      {"POSIX", true},  {"de_DE.UTF-8", true}, {"fr_CH", true},  {"en", true},
        {"sr_RS@latin", true}, {"pt-BR", true}, {"xx_YY", false},   {"de_QQ", false}, {"klingon", false},
        {"12", false},
    };
    for (const auto& [name, known] : cases) EXPECT_EQ(isKnownLocale(name), known) << name;
}

// Ill-formed UTF-8 becomes one U+FFFD per maximal ill-formed subsequence.
TEST(OutputText, IllFormedUTF8BecomesReplacementCharacters) {
    const std::string r = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> cases[] = {
        {"Ink", "Ink"},
        {"Gr\xC3\xBCn \xE2\x82\xAC \xF0\x9F\x8E\xA8", "Gr\xC3\xBCn \xE2\x82\xAC \xF0\x9F\x8E\xA8"},
        {"a\x80" "b", "a" + r + "b"},                 // a lone continuation byte
        {"\xC0\x80", r + r},                         // an overlong form of NUL
        {"\xE2\x82" "a", r + "a"},                   // a sequence cut short
        {"\xED\xA0\x80", r + r + r},                // a surrogate
        {"\xF4\x90\x80\x80", r + r + r + r},       // above U+10FFFF
        {"end\xF0\x9F\x8E", "end" + r},             // cut short at the end
        {std::string("nul\0ok", 6), std::string("nul\0ok", 6)},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(validUTF8(text), expected) << ::testing::PrintToString(text);
        EXPECT_EQ(isValidUTF8(text), text == expected) << ::testing::PrintToString(text);
    }
    const nlohmann::json data = {{"name\xFF", {"x\xC3", {{"deeper", "\x80"}}}}, {"ok", 1}};
    EXPECT_EQ(jsonOutputText(data, -1),
              "{\"name" + r + "\":[\"x" + r + "\",{\"deeper\":\"" + r + "\"}],\"ok\":1}");
}

TEST(UserLocale, OverrideWinsOverEnvironment) {
    overrideUserLocale("de_DE");
    EXPECT_EQ(userLocaleName(), "de_DE");
    EXPECT_EQ(userLocaleName(LocaleCategory::time), "de_DE");
    overrideUserLocale("");
}
