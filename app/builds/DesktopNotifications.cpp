#include "app/builds/DesktopNotifications.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QTimer>
#include <QVariantMap>

#include "app/ItemPresentation.h"

namespace vantorel::app {
namespace {

const QString serviceName = QStringLiteral("org.freedesktop.Notifications");
const QString servicePath = QStringLiteral("/org/freedesktop/Notifications");

bool serviceAvailable() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()) return false;
    const QDBusReply<bool> registered = bus.interface()->isServiceRegistered(serviceName);
    return registered.isValid() && registered.value();
}

}  // namespace

platform::UserNotificationCenter::PermissionAnswer DesktopNotifications::requestPermission() {
    return {serviceAvailable() ? platform::NotificationPermission::granted : platform::NotificationPermission::refused,
            std::nullopt};
}

std::optional<platform::NotificationError> DesktopNotifications::post(const platform::UserNotification& notification) {
    auto interface = std::make_shared<QDBusInterface>(serviceName, servicePath, serviceName, QDBusConnection::sessionBus());
    if (!interface->isValid()) return platform::NotificationError{interface->lastError().message().toStdString()};
    QVariantMap hints;
    if (notification.playsDefaultSound) hints.insert(QStringLiteral("sound-name"), QStringLiteral("complete"));
    const QString title = qText(notification.title);
    const QString body = qText(notification.body);
    // The service has no delivery time of its own: the call waits for the delay, without a reply.
    QTimer::singleShot(std::chrono::milliseconds(notification.delay), [interface, title, body, hints] {
        interface->asyncCall(QStringLiteral("Notify"), QStringLiteral("Vantorel"), 0u, QStringLiteral("vantorel-editor"),
                             title, body, QStringList(), hints, -1);
    });
    return std::nullopt;
}

}  // namespace vantorel::app
