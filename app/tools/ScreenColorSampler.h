#pragma once
// The screen color sampler: the user clicks anywhere on the screen and gets that pixel's color.
// On X11 the screen is grabbed and shown under a cross-hair; on Wayland the desktop portal's
// Screenshot.PickColor asks the compositor, which alone may read the screen. Elsewhere (and
// when the portal is missing) there is no sampler, and the picker hides its button.

#include <QObject>
#include <QVariantMap>

#include "QuenzColorUtils/ColorValue.h"

class QWidget;

namespace vantorel::app {

class ScreenColorSampler final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    static bool isAvailable();
    // Starts sampling; exactly one of picked or cancelled follows.
    void start(QWidget* parent);

    // The color of the portal's reply, or none when the reply carries no readable color.
    static std::optional<quenz::ColorValue> portalColor(uint response, const QVariantMap& results);

signals:
    void picked(const quenz::ColorValue& color);  // in sRGB
    void cancelled();

private slots:
    void portalResponse(uint response, const QVariantMap& results);

private:
    void startOnX11(QWidget* parent);
    void startOnPortal(QWidget* parent);
};

}  // namespace vantorel::app
