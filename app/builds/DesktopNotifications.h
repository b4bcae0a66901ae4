#pragma once
// DesktopNotifications: "Build Completed" through the desktop's notification service, the
// freedesktop org.freedesktop.Notifications interface on the session bus. Without a session
// bus or without the service, permission is refused and nothing is shown: a build never fails
// for want of a notification.

#include "Vantorel/platform/UserNotifications.h"

namespace vantorel::app {

class DesktopNotifications final : public platform::UserNotificationCenter {
public:
    // Granted when the session bus has a notification service.
    PermissionAnswer requestPermission() override;
    // Shown after the notification's delay; an error when the service refused the call.
    std::optional<platform::NotificationError> post(const platform::UserNotification& notification) override;
};

}  // namespace vantorel::app
