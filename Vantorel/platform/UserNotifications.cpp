#include "Vantorel/platform/UserNotifications.h"

#include "Vantorel/platform/Log.h"

namespace vantorel::platform {

bool notifyUser(UserNotificationCenter& center, const UserNotification& notification) {
    auto answer = center.requestPermission();
    if (answer.error || answer.permission != NotificationPermission::granted) return false;
    if (auto error = center.post(notification)) {
        LogChannel("UserNotifications").write("Couldn't post the notification \"" + notification.title + "\": " +
                                              error->message);
        return false;
    }
    return true;
}

std::optional<NotificationError> CallbackNotificationCenter::post(const UserNotification& notification) {
    if (receiver_) receiver_(notification);
    return std::nullopt;
}

}  // namespace vantorel::platform
