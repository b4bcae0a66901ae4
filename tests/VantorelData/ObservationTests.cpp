// Change notifications of model objects, and new identifiers.

#include <optional>
#include <set>
#include <utility>
#include <vector>
#include <string_view>

#include <gtest/gtest.h>

#include "ModelTestSupport.h"

namespace vantorel {
namespace {

using testing::srgb;

struct Recorder {
    std::vector<PropertyId> heard;
    ObserverCallback callback() {
        return [this](const Observable&, PropertyId property) { heard.push_back(property); };
    }
};

TEST(Observation, SettersNotifyOnlyRealChanges) {
    Recorder recorder;
    QuenzColorNumber number;
    number.addObserver(recorder.callback());
    number.setMinValue(1.0);
    number.setMinValue(1.0);
    number.setDeprecated(false);  // already false
    number.setDeprecated(true);
    number.setValue(ThemeableNumber(0.0));  // unchanged
    number.setValue(5.0, ColorSource::dark);
    EXPECT_EQ(recorder.heard,
              (std::vector<PropertyId>{PropertyId::minValue, PropertyId::deprecated, PropertyId::value}));
}

TEST(Observation, DerivedChangesAreReportedToo) {
    Recorder recorder;
    QuenzColorItem item(ThemeableColor(srgb(0.5, 0.5, 0.5)));
    item.addObserver(recorder.callback());
    item.setAppearanceType(AppearanceType::lightAndDark);
    EXPECT_EQ(recorder.heard, (std::vector<PropertyId>{PropertyId::color, PropertyId::appearanceType}));

    Recorder taskRecorder;
    BuildTask task = *BuildTask::makeDefault();
    task.addObserver(taskRecorder.callback());
    task.setExportFileType(BuildFileType::metal);
    EXPECT_EQ(taskRecorder.heard, (std::vector<PropertyId>{PropertyId::exportFormat, PropertyId::exportFileType}));
}

TEST(Observation, RemovingObserversAlsoFromInsideACallback) {
    QuenzColorGroup group;
    int first = 0;
    int second = 0;
    ObserverToken secondToken = 0;
    group.addObserver([&](const Observable&, PropertyId) {
        ++first;
        group.removeObserver(secondToken);
    });
    secondToken = group.addObserver([&](const Observable&, PropertyId) { ++second; });
    group.setProvidesNamespace(true);
    group.setProvidesNamespace(false);
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 0);
    EXPECT_TRUE(group.hasObservers());
}

TEST(Observation, CopiesStartWithoutObservers) {
    QuenzColorProject project;
    int calls = 0;
    project.addObserver([&](const Observable&, PropertyId) { ++calls; });
    QuenzColorProject copy = project;
    EXPECT_FALSE(copy.hasObservers());
    copy.setName("copy");
    EXPECT_EQ(calls, 0);

    // An object's listeners go with it: a new object in the same place starts unobserved.
    std::optional<QuenzColorGroup> place;
    place.emplace().addObserver([&](const Observable&, PropertyId) { ++calls; });
    place.emplace();
    EXPECT_FALSE(place->hasObservers());
    place->setProvidesNamespace(true);
    EXPECT_EQ(calls, 0);
}

// 8-4-4-4-12 upper-case hexadecimal digits, version 4, RFC 4122 variant.
bool isCanonicalVersion4(const std::string& uuid) {
    if (uuid.size() != 36) return false;
    for (std::size_t i = 0; i < uuid.size(); ++i) {
        const char c = uuid[i];
        const bool hyphen = i == 8 || i == 13 || i == 18 || i == 23;
        if (hyphen ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
    }
    return uuid[14] == '4' && std::string_view("89AB").find(uuid[19]) != std::string_view::npos;
}

TEST(Identifiers, AreUpperCaseVersion4Uuids) {
    EXPECT_TRUE(isCanonicalVersion4("3F2504E0-4F89-41D3-9A0C-0305E82C3301"));
    EXPECT_FALSE(isCanonicalVersion4("3f2504e0-4f89-41d3-9a0c-0305e82c3301"));
    // Every way of minting one: as text, kept inline, and the compact form of set steps (whose
    // copies keep their text).
    const std::vector<std::pair<const char*, std::string (*)()>> minters = {
        {"text", [] { return makeUuid(); }},
        {"inline", [] { return makeUuidIdentifier().str(); }},
        {"compact", [] {
             const CompactUuid uuid = CompactUuid::random();
             const CompactUuid copy = uuid;
             return copy.text() == uuid.text() ? uuid.text() : std::string("copy differs");
         }},
    };
    for (const auto& [kind, mint] : minters) {
        std::set<std::string> seen;
        for (int i = 0; i < 200; ++i) {
            const std::string uuid = mint();
            EXPECT_TRUE(isCanonicalVersion4(uuid)) << kind << ": " << uuid;
            seen.insert(uuid);
        }
        EXPECT_EQ(seen.size(), 200u) << kind;
    }
}

}  // namespace
}  // namespace vantorel
