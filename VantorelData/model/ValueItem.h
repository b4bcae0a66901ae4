#pragma once
// The fields every value item shares (all kinds except groups): which appearances it uses,
// the strength of its automatic high contrast and its deprecation; and, for the kinds that
// hold colors, the space the user edits them in and their text format.

#include <optional>
#include <string>

#include "QuenzColorUtils/ColorFormat.h"
#include "QuenzColorUtils/ColorSpace.h"
#include "VantorelData/model/Appearance.h"
#include "VantorelData/model/Observable.h"

namespace vantorel {

inline constexpr double defaultAutoContrastAmount = 0.5;

struct CommonValueFields {
    AppearanceType appearanceType = AppearanceType::none;
    double autoContrastAmount = defaultAutoContrastAmount;
    bool deprecated = false;
    std::optional<std::string> deprecatedReason;
};

class QuenzValueItem : public Observable {
public:
    AppearanceType appearanceType() const { return common_.appearanceType; }
    double autoContrastAmount() const { return common_.autoContrastAmount; }
    bool deprecated() const { return common_.deprecated; }
    const std::optional<std::string>& deprecatedReason() const { return common_.deprecatedReason; }
    const CommonValueFields& commonFields() const { return common_; }

    void setAppearanceType(AppearanceType type);
    void setAutoContrastAmount(double amount);
    void setDeprecated(bool deprecated) { update(common_.deprecated, deprecated, PropertyId::deprecated); }
    void setDeprecatedReason(std::optional<std::string> reason) {
        update(common_.deprecatedReason, std::move(reason), PropertyId::deprecatedReason);
    }

protected:
    explicit QuenzValueItem(CommonValueFields common) : common_(std::move(common)) {}

    // Hooks for kinds whose stored values follow these fields (colors recompute their
    // automatic high contrast). They run after the new value is stored, before observers hear.
    virtual void appearanceTypeDidChange() {}
    virtual void autoContrastAmountDidChange() {}

private:
    CommonValueFields common_;
};

struct ColorPresentation {
    quenz::ColorSpace colorSpace = quenz::ColorSpace::sRGB;
    quenz::ColorFormat colorFormat = quenz::ColorFormat::floatRGBA;
};

// Value items that hold colors: color items, color sets, shadows and shadow sets.
class QuenzColoredItem : public QuenzValueItem {
public:
    quenz::ColorSpace colorSpace() const { return presentation_.colorSpace; }
    quenz::ColorFormat colorFormat() const { return presentation_.colorFormat; }
    bool ignoreColorspaceChange() const { return ignoreColorspaceChange_; }

    // Converts the stored colors into the new space's RGB space, unless
    // `ignoreColorspaceChange` is set (used when the colors already are in the new space).
    void setColorSpace(quenz::ColorSpace space);
    void setColorFormat(quenz::ColorFormat format) {
        update(presentation_.colorFormat, format, PropertyId::colorFormat);
    }
    void setIgnoreColorspaceChange(bool ignore) {
        update(ignoreColorspaceChange_, ignore, PropertyId::ignoreColorspaceChange);
    }

protected:
    QuenzColoredItem(ColorPresentation presentation, CommonValueFields common)
        : QuenzValueItem(std::move(common)), presentation_(presentation) {}

    // Converts every stored color into `target`; colors that cannot be converted stay as
    // they are.
    virtual void convertStoredColors(quenz::RGBSpace target) = 0;

private:
    ColorPresentation presentation_;
    bool ignoreColorspaceChange_ = false;
};

}  // namespace vantorel
