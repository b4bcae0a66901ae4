#pragma once
// Swatch proofing: every swatch of the editor can be shown as people with a color vision
// deficiency see it, without color, under a warm night-time display, or with the colors beyond
// sRGB marked. Proofing changes only what is drawn; the document never sees it.

#include <QColor>
#include <QObject>
#include <span>

namespace vantorel::app {

enum class ProofingMode {
    none,
    protanopia,     // no long-wave (red) cones
    deuteranopia,   // no medium-wave (green) cones
    tritanopia,     // no short-wave (blue) cones
    achromatopsia,  // no cone vision: brightness only
    greyscale,      // a greyscale display or print
    nightShift,     // a display that warms its white at night
    outsideSRGB,    // colors as they are, those beyond sRGB marked
};

struct ProofingModeEntry {
    ProofingMode mode;
    const char* title;       // the View › Proofing menu entry
    const char* objectName;  // of the menu action and the screenshot
};

// Every mode in menu order, "No Proofing" first.
std::span<const ProofingModeEntry> proofingModes();

// The color as a swatch shows it under `mode`: an sRGB QColor, clipped, alpha untouched.
QColor proofedColor(const QColor& color, ProofingMode mode);
// True when the screen color keeps components beyond sRGB (see screenColor).
bool isBeyondSRGB(const QColor& color);

// The one proofing mode of the application; every swatch view follows it.
class SwatchProofing final : public QObject {
    Q_OBJECT
public:
    static SwatchProofing& instance();
    ProofingMode mode() const { return mode_; }
    void setMode(ProofingMode mode);

signals:
    void modeChanged(vantorel::app::ProofingMode mode);

private:
    ProofingMode mode_ = ProofingMode::none;
};

}  // namespace vantorel::app
