#include "QuenzColorUtils/QCUColor.h"

#include <algorithm>
#include <cmath>

#include "QuenzColorUtils/ColorOperations.h"
#include "QuenzColorUtils/Precondition.h"

namespace quenz {

namespace {

double clampUnit(double value) { return std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0); }

// A hue angle in radians as a fraction of the full circle, 0…1. Mixed hues may have gone
// round the circle more than once, so the angle is wrapped first.
double turnFromRadians(double radians) {
    const double degrees = std::fmod(degreesFromRadians(radians), 360.0);
    return (degrees < 0 ? degrees + 360 : degrees) / 360;
}

}  // namespace

QCUColor::QCUColor() : rgbValues_(RawRGBValues{1, 1, 1, 1}) {}

QCUColor::QCUColor(const RawLABValues& values) : colorSpace_(ColorSpace::oklab), labValues_(values) {}

QCUColor::QCUColor(const RawLCHValues& values) : colorSpace_(ColorSpace::oklch), lchValues_(values) {}

QCUColor::QCUColor(ColorSpace space, double red, double green, double blue, double alpha) : colorSpace_(space) {
    switch (space) {
        case ColorSpace::sRGB:
        case ColorSpace::displayP3:
            rgbValues_ = RawRGBValues{clampUnit(red), clampUnit(green), clampUnit(blue), clampUnit(alpha)};
            return;
        case ColorSpace::sRGBExtended: rgbValues_ = RawRGBValues{red, green, blue, alpha}; return;
        case ColorSpace::oklab:
        case ColorSpace::oklch: break;
    }
    preconditionFailure("oklab and oklch color spaces not supported for RGB values");
}

QCUColor::QCUColor(const ColorValue& color, ColorSpace space) : colorSpace_(space) {
    static constexpr std::string_view failure = "The color could not be converted into the requested color space";
    switch (space) {
        case ColorSpace::sRGB:
        case ColorSpace::sRGBExtended:
        case ColorSpace::displayP3: {
            const std::optional<ColorValue> converted = convert(color, rgbSpaceFor(space));
            precondition(converted.has_value(), failure);
            rgbValues_ = RawRGBValues{converted->red, converted->green, converted->blue, converted->alpha};
            return;
        }
        case ColorSpace::oklab: {
            const std::optional<OKLabValues> lab = toOKLab(color);
            precondition(lab.has_value(), failure);
            labValues_ = RawLABValues{lab->l, lab->a, lab->b, lab->alpha};
            return;
        }
        case ColorSpace::oklch: {
            const std::optional<OKLCHValues> lch = toOKLCH(color);
            precondition(lch.has_value(), failure);
            lchValues_ = RawLCHValues{lch->lightness, lch->chroma, lch->hue, lch->alpha};
            return;
        }
    }
}

QCUColor QCUColor::black() { return QCUColor(ColorSpace::sRGB, 0, 0, 0, 1); }

QCUColor QCUColor::clear() { return QCUColor(ColorSpace::sRGB, 0, 0, 0, 0); }

QCUColor QCUColor::fromOKLab(const RawLABValues& values) { return QCUColor(values); }

QCUColor QCUColor::fromOKLCH(const RawLCHValues& values) { return QCUColor(values); }

std::optional<ColorValue> QCUColor::colorValue() const {
    switch (colorSpace_) {
        case ColorSpace::sRGB:
        case ColorSpace::sRGBExtended:
        case ColorSpace::displayP3:
            if (!rgbValues_) {
                return std::nullopt;
            }
            return ColorValue{rgbSpaceFor(colorSpace_), rgbValues_->red, rgbValues_->green, rgbValues_->blue,
                              rgbValues_->alpha};
        case ColorSpace::oklab:
            if (!labValues_) {
                return std::nullopt;
            }
            return quenz::fromOKLab(OKLabValues{labValues_->l, labValues_->a, labValues_->b, labValues_->alpha});
        case ColorSpace::oklch:
            if (!lchValues_) {
                return std::nullopt;
            }
            return quenz::fromOKLCH(
                OKLCHValues{lchValues_->lightness, lchValues_->chroma, lchValues_->hue, lchValues_->alpha});
    }
    return std::nullopt;
}

bool QCUColor::isRGB() const {
    return colorSpace_ == ColorSpace::sRGB || colorSpace_ == ColorSpace::sRGBExtended ||
           colorSpace_ == ColorSpace::displayP3;
}

double QCUColor::alpha() const {
    switch (colorSpace_) {
        case ColorSpace::oklab: return labValues_ ? labValues_->alpha : 0;
        case ColorSpace::oklch: return lchValues_ ? lchValues_->alpha : 0;
        default: return rgbValues_ ? rgbValues_->alpha : 0;
    }
}

double QCUColor::hue() const {
    if (colorSpace_ == ColorSpace::oklab) {
        return labValues_ ? turnFromRadians(std::atan2(labValues_->b, labValues_->a)) : 0;
    }
    if (colorSpace_ == ColorSpace::oklch) {
        return lchValues_ ? turnFromRadians(lchValues_->hue) : 0;
    }
    const std::optional<ColorValue> value = colorValue();
    return value ? hsb(*value).hue : 0;
}

double QCUColor::saturation() const {
    const std::optional<ColorValue> value = colorValue();
    return value ? hsb(*value).saturation : 0;
}

double QCUColor::brightness() const {
    const std::optional<ColorValue> value = colorValue();
    return value ? hsb(*value).brightness : 0;
}

double QCUColor::relativeBrightness() const {
    const std::optional<ColorValue> value = colorValue();
    return value ? quenz::relativeBrightness(*value) : 0;
}

}  // namespace quenz
