// Change notifications of model objects, and new identifiers.

#include <regex>
#include <set>

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
}

TEST(Identifiers, AreUpperCaseVersion4Uuids) {
    const std::regex canonical("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}");
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) {
        const std::string uuid = makeUuid();
        EXPECT_TRUE(std::regex_match(uuid, canonical)) << uuid;
        seen.insert(uuid);
    }
    EXPECT_EQ(seen.size(), 200u);
}

}  // namespace
}  // namespace vantorel
