#pragma once
// Notifications to the user outside the document window, such as "Build Completed". The
// host's notification service asks the user for permission first; a refusal or a failure is
// never an error of the job that wanted to notify. On Linux the notification is handed to a
// callback (the command line prints it).

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace vantorel::platform {

struct UserNotification {
    std::string identifier;  // unique per notification
    std::string title;
    std::string body;
    bool playsDefaultSound = true;
    std::chrono::seconds delay{0};  // delivered this long after posting, once
};

struct NotificationError {
    std::string message;
};

enum class NotificationPermission { granted, refused };

class UserNotificationCenter {
public:
    virtual ~UserNotificationCenter() = default;
    // Permission to show alerts with sound; an error means the service could not answer.
    struct PermissionAnswer {
        NotificationPermission permission = NotificationPermission::refused;
        std::optional<NotificationError> error;
    };
    virtual PermissionAnswer requestPermission() = 0;
    virtual std::optional<NotificationError> post(const UserNotification& notification) = 0;
};

// Asks for permission and posts: a refusal or a failed request ends silently, a failed post is
// written to the log channel "UserNotifications". Returns whether the notification was posted.
bool notifyUser(UserNotificationCenter& center, const UserNotification& notification);

// Always permitted; hands every notification to a callback at once (the delay is the
// receiver's business). With no callback, notifications are dropped.
class CallbackNotificationCenter final : public UserNotificationCenter {
public:
    using Receiver = std::function<void(const UserNotification&)>;
    explicit CallbackNotificationCenter(Receiver receiver = {}) : receiver_(std::move(receiver)) {}

    PermissionAnswer requestPermission() override { return {NotificationPermission::granted, std::nullopt}; }
    std::optional<NotificationError> post(const UserNotification& notification) override;

private:
    Receiver receiver_;
};

}  // namespace vantorel::platform
