#pragma once
// Shadows: the payload of a shadow item (one drop shadow per appearance) and of a shadow set
// (a ramp of shadows, generated like a color set).

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "VantorelData/model/ColorSet.h"
#include "VantorelData/model/SetBase.h"
#include "VantorelData/model/SingleValueBase.h"
#include "VantorelData/model/Themeable.h"
#include "VantorelData/model/ValueItem.h"

namespace vantorel {

class QuenzColorShadow : public QuenzSingleValueBase<ThemeableShadow> {
public:
    QuenzColorShadow();
    explicit QuenzColorShadow(ThemeableShadow shadow, ColorPresentation presentation = {},
                              CommonValueFields common = {});

    const ThemeableShadow& shadow() const { return storedValue(); }
    void setShadow(ThemeableShadow shadow) { setStoredValue(std::move(shadow)); }
    // Stores one variant; setting the light or dark shadow recomputes the automatic high contrast.
    void setShadow(const ShadowDetails& details, ColorSource source) { setStoredVariant(details, source); }
};

class QuenzColorShadowSet : public QuenzSetBase<ThemeableShadow> {
public:
    QuenzColorShadowSet();
    QuenzColorShadowSet(std::vector<ThemeableShadow> shadows, SetParameters parameters,
                        ColorPresentation presentation = {}, CommonValueFields common = {});
    // A new automatic shadow set between two or three anchors, filled by `regenerate`.
    static std::shared_ptr<QuenzColorShadowSet> makeAutomatic(const ThemeableShadow& first,
                                                              const std::optional<ThemeableShadow>& middle,
                                                              const ThemeableShadow& last,
                                                              const NewSetOptions& options);

    const std::vector<ThemeableShadow>& shadows() const { return stepValues(); }
    void setShadows(std::vector<ThemeableShadow> shadows) { setStepValues(std::move(shadows)); }
    std::optional<ThemeableShadow> middleShadow() const { return middleStep(); }

protected:
    ThemeableShadow templateStep() const override;
};

// A soft dark drop shadow, the starting point of new shadows.
ShadowDetails defaultShadowDetails();

using QuenzColorShadowPtr = std::shared_ptr<QuenzColorShadow>;
using QuenzColorShadowSetPtr = std::shared_ptr<QuenzColorShadowSet>;

}  // namespace vantorel
