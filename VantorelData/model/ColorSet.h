#pragma once
// QuenzColorSet: the payload of a color set, a ramp of named color steps that is either
// interpolated between two or three anchors or edited step by step.

#include <memory>
#include <optional>
#include <vector>

#include "VantorelData/model/SetBase.h"

namespace vantorel {

// What the caller chooses for a new automatic set.
struct NewSetOptions {
    int steps = 10;
    InterpolationMethod interpolationMethod = InterpolationMethod::oklch;
    CurveType curveType = CurveType::linear;
    ColorNamingScheme namingScheme = ColorNamingScheme::largeNumeric;
    AppearanceType appearanceType = AppearanceType::none;
    quenz::ColorFormat colorFormat = quenz::ColorFormat::floatRGBA;
};

class QuenzColorSet : public QuenzSetBase<ThemeableColor> {
public:
    QuenzColorSet();
    // A set with these steps, as read from a document; `steps` is the number of steps given.
    QuenzColorSet(std::vector<ThemeableColor> colors, SetParameters parameters, ColorPresentation presentation = {},
                  CommonValueFields common = {});
    // A new automatic set between two anchors (`twoItems`), or three when `middle` is given
    // (`threeItems`), filled by `regenerate`. Its space is the anchors' space.
    static std::shared_ptr<QuenzColorSet> makeAutomatic(const ThemeableColor& first,
                                                        const std::optional<ThemeableColor>& middle,
                                                        const ThemeableColor& last, const NewSetOptions& options);

    const std::vector<ThemeableColor>& colors() const { return stepValues(); }
    void setColors(std::vector<ThemeableColor> colors) { setStepValues(std::move(colors)); }
    // The middle step, which an alias to the whole set shows.
    std::optional<ThemeableColor> middleColor() const { return middleStep(); }

protected:
    ThemeableColor templateStep() const override;
};

using QuenzColorSetPtr = std::shared_ptr<QuenzColorSet>;

// The anchor's variants as a new unnamed step with a fresh identifier.
template <class Step>
Step freshAnchor(const Step& anchor) {
    return Step(anchor.lightVariant, anchor.lightVariantHighContrast(), anchor.darkVariant(),
                anchor.darkVariantHighContrast());
}

}  // namespace vantorel
