#include <gtest/gtest.h>

#include "BuilderTestSupport.h"
#include "Vantorel/build/Builder.h"

using namespace vantorel;
using namespace vantorel::build;
using namespace vantorel::build::testing;

namespace {

// A notification service whose answers the test chooses.
class ScriptedNotificationCenter final : public platform::UserNotificationCenter {
public:
    PermissionAnswer answer{platform::NotificationPermission::granted, std::nullopt};
    std::optional<platform::NotificationError> postError;
    std::vector<platform::UserNotification> posted;
    int permissionRequests = 0;

    PermissionAnswer requestPermission() override {
        ++permissionRequests;
        return answer;
    }
    std::optional<platform::NotificationError> post(const platform::UserNotification& notification) override {
        posted.push_back(notification);
        return postError;
    }
};

QuenzColorProjectPtr oneGroup(bool withItems) {
    auto project = std::make_shared<QuenzColorProject>();
    auto web = buildGroup("Web", {});
    auto a = colorNamed("A");
    if (withItems) assign({a}, web);
    project->setItems({a});
    project->setBuildGroups({web});
    return project;
}

}  // namespace

TEST(BuilderNotification, PostsBuildCompletedWithTheDocumentName) {
    ScratchFolder scratch("notify");
    auto project = oneGroup(true);
    ScriptedNotificationCenter center;
    Builder first(*project, scratch.document(), "Brand Colors", {"Web"});
    first.setNotificationCenter(&center);
    ASSERT_TRUE(first.build().succeeded());
    Builder second(*project, scratch.document(), "Brand Colors", {"Web"});
    second.setNotificationCenter(&center);
    ASSERT_TRUE(second.build().succeeded());

    ASSERT_EQ(center.posted.size(), 2u);
    const auto& note = center.posted[0];
    EXPECT_EQ(note.title, "Build Completed");
    EXPECT_EQ(note.body, "Brand Colors");
    EXPECT_TRUE(note.playsDefaultSound);
    EXPECT_EQ(note.delay, std::chrono::seconds(1));
    EXPECT_EQ(note.identifier.size(), 36u);
    EXPECT_NE(note.identifier, center.posted[1].identifier);
}

// Neither a refusal nor a failure of the notification service fails the build; a build that
// fails asks for nothing.
TEST(BuilderNotification, NeitherRefusalNorFailureFailsTheBuild) {
    const platform::UserNotificationCenter::PermissionAnswer granted{platform::NotificationPermission::granted,
                                                                     std::nullopt};
    const struct {
        const char* name;
        platform::UserNotificationCenter::PermissionAnswer answer;
        std::optional<platform::NotificationError> postError;
        std::size_t postsTried;
        std::size_t logLines;
        bool builds = true;
        int permissionRequests = 1;
    } cases[] = {
        {"refused", {platform::NotificationPermission::refused, std::nullopt}, std::nullopt, 0, 0},
        {"permission request failed",
         {platform::NotificationPermission::granted, platform::NotificationError{"no service"}}, std::nullopt, 0, 0},
        {"posting failed", granted, platform::NotificationError{"queue full"}, 1, 1},
        {"the build failed", granted, std::nullopt, 0, 0, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder scratch("refused");
        auto project = oneGroup(c.builds);
        ScriptedNotificationCenter center;
        center.answer = c.answer;
        center.postError = c.postError;
        CapturedLog log;
        Builder builder(*project, scratch.document(), "Colors", {"Web"});
        builder.setNotificationCenter(&center);
        const auto result = builder.build();
        EXPECT_EQ(result.succeeded(), c.builds);
        if (!c.builds) {
            EXPECT_TRUE(std::holds_alternative<EmptyBuildError>(*result.failure));
        }
        EXPECT_EQ(center.permissionRequests, c.permissionRequests);
        EXPECT_EQ(center.posted.size(), c.postsTried);
        ASSERT_EQ(log.lines.size(), c.logLines);
        if (c.logLines) {
            EXPECT_NE(log.lines[0].find("queue full"), std::string::npos) << log.lines[0];
        }
    }
}
