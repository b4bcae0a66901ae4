#pragma once
// QCUColor: the color of the color picker and the random color generator. It keeps its values
// natively in RGB, OKLab or OKLCH so that editing in one model never drifts through another.
// Invariant: exactly the record that matches colorSpace() is set.

#include <optional>

#include "QuenzColorUtils/ColorSpace.h"
#include "QuenzColorUtils/ColorValue.h"

namespace quenz {

struct RawRGBValues {
    double red = 0, green = 0, blue = 0, alpha = 1;
    friend bool operator==(const RawRGBValues&, const RawRGBValues&) = default;
};
// l in 0…1.
struct RawLABValues {
    double l = 0, a = 0, b = 0, alpha = 1;
    friend bool operator==(const RawLABValues&, const RawLABValues&) = default;
};
// lightness in 0…1, hue in radians.
struct RawLCHValues {
    double lightness = 0, chroma = 0, hue = 0, alpha = 1;
    friend bool operator==(const RawLCHValues&, const RawLCHValues&) = default;
};

class QCUColor {
public:
    // Opaque white in sRGB.
    QCUColor();
    // sRGB and displayP3 clamp every value to 0…1 (NaN becomes 0); sRGBExtended keeps them.
    // Asking for oklab or oklch is a programming error and stops the program.
    QCUColor(ColorSpace space, double red, double green, double blue, double alpha);
    // The value converted into the space; a value that cannot be converted stops the program.
    QCUColor(const ColorValue& color, ColorSpace space);

    static QCUColor black();
    static QCUColor clear();
    static QCUColor fromOKLab(const RawLABValues& values);
    static QCUColor fromOKLCH(const RawLCHValues& values);

    ColorSpace colorSpace() const { return colorSpace_; }
    const std::optional<RawRGBValues>& rgbValues() const { return rgbValues_; }
    const std::optional<RawLABValues>& labValues() const { return labValues_; }
    const std::optional<RawLCHValues>& lchValues() const { return lchValues_; }

    // RGB records in their own space; OKLab and OKLCH as extended linear sRGB.
    std::optional<ColorValue> colorValue() const;
    bool isRGB() const;
    double alpha() const;
    // 0…1 around the hue circle.
    double hue() const;
    double saturation() const;
    double brightness() const;
    double relativeBrightness() const;

    friend bool operator==(const QCUColor&, const QCUColor&) = default;

private:
    // Colors held natively in OKLab or OKLCH, with no RGB record.
    explicit QCUColor(const RawLABValues& values);
    explicit QCUColor(const RawLCHValues& values);

    ColorSpace colorSpace_ = ColorSpace::sRGB;
    std::optional<RawRGBValues> rgbValues_;
    std::optional<RawLABValues> labValues_;
    std::optional<RawLCHValues> lchValues_;
};

}  // namespace quenz
