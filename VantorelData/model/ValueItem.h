#pragma once
// The fields every value item shares (all kinds except groups): which appearances it uses,
// the strength of its automatic high contrast and its deprecation; and, for the kinds that
// hold colors, the space the user edits them in and their text format.

#include <memory>
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
    AppearanceType appearanceType() const { return appearanceType_; }
    double autoContrastAmount() const { return autoContrastAmount_; }
    bool deprecated() const { return deprecated_; }
    const std::optional<std::string>& deprecatedReason() const;
    CommonValueFields commonFields() const {
        return {appearanceType_, autoContrastAmount_, deprecated_, deprecatedReason()};
    }

    void setAppearanceType(AppearanceType type);
    void setAutoContrastAmount(double amount);
    void setDeprecated(bool deprecated) { update(deprecated_, deprecated, PropertyId::deprecated); }
    void setDeprecatedReason(std::optional<std::string> reason);

protected:
    explicit QuenzValueItem(CommonValueFields common);
    QuenzValueItem(const QuenzValueItem& other);
    QuenzValueItem& operator=(const QuenzValueItem& other);
    ~QuenzValueItem() override;

    // Hooks for kinds whose stored values follow these fields (colors recompute their
    // automatic high contrast). They run after the new value is stored, before observers hear.
    virtual void appearanceTypeDidChange() {}
    virtual void autoContrastAmountDidChange() {}

private:
    // The two small fields share the base's last word.
    bool deprecated_;
    AppearanceType appearanceType_;
    double autoContrastAmount_;
    // Few items are deprecated with a reason: the reason is kept apart, and only when there is one.
    std::unique_ptr<std::optional<std::string>> deprecatedReason_;
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
