#include "app/tools/ScreenColorSampler.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <cmath>

#ifdef VANTOREL_HAVE_DBUS
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#endif

namespace vantorel::app {
namespace {

constexpr const char* portalService = "org.freedesktop.portal.Desktop";
constexpr const char* portalPath = "/org/freedesktop/portal/desktop";

bool isX11() { return QGuiApplication::platformName() == QLatin1String("xcb"); }
bool isWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

quenz::ColorValue srgb(const QColor& color) {
    return {quenz::RGBSpace::sRGB, color.redF(), color.greenF(), color.blueF(), 1, 0};
}

// The grabbed screen, full size and frameless, under a cross-hair: a click picks the pixel,
// Escape gives up.
class ScreenGrabOverlay final : public QWidget {
public:
    ScreenGrabOverlay(QWidget* parent, QScreen& screen, std::function<void(std::optional<QColor>)> done)
        : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
          shot_(screen.grabWindow(0).toImage()),
          done_(std::move(done)) {
        setWindowModality(Qt::ApplicationModal);
        setAttribute(Qt::WA_DeleteOnClose);
        setCursor(Qt::CrossCursor);
        setMouseTracking(true);
        setGeometry(screen.geometry());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(rect(), shot_);
    }
    void mousePressEvent(QMouseEvent* event) override {
        const qreal scale = shot_.width() / static_cast<qreal>(std::max(1, width()));
        const QPoint pixel(static_cast<int>(event->position().x() * scale), static_cast<int>(event->position().y() * scale));
        finish(shot_.valid(pixel) ? std::optional<QColor>(shot_.pixelColor(pixel)) : std::nullopt);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape) finish(std::nullopt);
    }

private:
    void finish(std::optional<QColor> color) {
        if (done_) std::exchange(done_, nullptr)(color);
        close();
    }

    QImage shot_;
    std::function<void(std::optional<QColor>)> done_;
};

}  // namespace

bool ScreenColorSampler::isAvailable() {
    if (isX11()) return true;
#ifdef VANTOREL_HAVE_DBUS
    if (isWayland()) {
        const QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected() || !bus.interface()) return false;
        const QString service = QString::fromLatin1(portalService);
        if (bus.interface()->isServiceRegistered(service)) return true;
        const QDBusReply<QStringList> activatable = bus.interface()->activatableServiceNames();
        return activatable.isValid() && activatable.value().contains(service);
    }
#endif
    return false;
}

void ScreenColorSampler::start(QWidget* parent) {
    if (isX11()) {
        startOnX11(parent);
    } else {
        startOnPortal(parent);
    }
}

void ScreenColorSampler::startOnX11(QWidget* parent) {
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) {
        emit cancelled();
        return;
    }
    auto* overlay = new ScreenGrabOverlay(parent, *screen, [this](std::optional<QColor> color) {
        if (color) {
            emit picked(srgb(*color));
        } else {
            emit cancelled();
        }
    });
    overlay->show();
    overlay->activateWindow();
}

void ScreenColorSampler::startOnPortal(QWidget* parent) {
    (void)parent;
#ifdef VANTOREL_HAVE_DBUS
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(portalService), QString::fromLatin1(portalPath),
                                                       QStringLiteral("org.freedesktop.portal.Screenshot"),
                                                       QStringLiteral("PickColor"));
    call << QString() << QVariantMap();
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
        const QString handle = qvariant_cast<QDBusObjectPath>(reply.arguments().constFirst()).path();
        // The portal answers later, with a Response signal on the request object it named.
        if (!handle.isEmpty() &&
            QDBusConnection::sessionBus().connect(QString::fromLatin1(portalService), handle,
                                                  QStringLiteral("org.freedesktop.portal.Request"),
                                                  QStringLiteral("Response"), this,
                                                  SLOT(portalResponse(uint, QVariantMap)))) {
            return;
        }
    }
#endif
    emit cancelled();
}

std::optional<quenz::ColorValue> ScreenColorSampler::portalColor(uint response, const QVariantMap& results) {
    if (response != 0) return std::nullopt;  // 1: the user cancelled, 2: the portal failed
#ifdef VANTOREL_HAVE_DBUS
    const QVariant value = results.value(QStringLiteral("color"));
    if (value.userType() != qMetaTypeId<QDBusArgument>()) return std::nullopt;
    const QDBusArgument argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("(ddd)")) return std::nullopt;
    double red = 0, green = 0, blue = 0;
    argument.beginStructure();
    argument >> red >> green >> blue;
    argument.endStructure();
    const auto unit = [](double c) { return std::isfinite(c) ? std::clamp(c, 0.0, 1.0) : 0.0; };
    return quenz::ColorValue{quenz::RGBSpace::sRGB, unit(red), unit(green), unit(blue), 1, 0};
#else
    (void)results;
    return std::nullopt;
#endif
}

void ScreenColorSampler::portalResponse(uint response, const QVariantMap& results) {
    if (const auto color = portalColor(response, results)) {
        emit picked(*color);
    } else {
        emit cancelled();
    }
}

}  // namespace vantorel::app
