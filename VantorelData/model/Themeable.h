#pragma once
// Themeable values: one value per appearance, of which only the light one is required.
// Reading an appearance falls back to the light value when that appearance has none (the dark
// high-contrast value falls back to light, not to dark). Themeable values are copied records;
// the item that holds one reports its changes.

#include <optional>
#include <string>
#include <utility>

#include "QuenzColorUtils/ColorValue.h"
#include "VantorelData/model/Appearance.h"
#include "VantorelData/model/ShadowDetails.h"
#include "VantorelData/model/Uuid.h"

namespace vantorel {

template <class V>
class Themeable {
public:
    using Value = V;

    Themeable() = default;
    explicit Themeable(V light, std::optional<V> lightHighContrast = std::nullopt, std::optional<V> dark = std::nullopt,
                       std::optional<V> darkHighContrast = std::nullopt)
        : lightVariant(std::move(light)),
          lightVariantHighContrast(std::move(lightHighContrast)),
          darkVariant(std::move(dark)),
          darkVariantHighContrast(std::move(darkHighContrast)) {}

    // The effective value for an appearance; never empty.
    const V& value(ColorSource source) const {
        switch (source) {
            case ColorSource::light: break;
            case ColorSource::lightHighContrast:
                if (lightVariantHighContrast) return *lightVariantHighContrast;
                break;
            case ColorSource::dark:
                if (darkVariant) return *darkVariant;
                break;
            case ColorSource::darkHighContrast:
                if (darkVariantHighContrast) return *darkVariantHighContrast;
                break;
        }
        return lightVariant;
    }

    // The stored variant for an appearance, which may be empty.
    std::optional<V> variant(ColorSource source) const {
        switch (source) {
            case ColorSource::light: return lightVariant;
            case ColorSource::lightHighContrast: return lightVariantHighContrast;
            case ColorSource::dark: return darkVariant;
            case ColorSource::darkHighContrast: return darkVariantHighContrast;
        }
        return lightVariant;
    }

    // Stores a variant; asking to empty the light variant is ignored (it is required).
    void setVariant(std::optional<V> newValue, ColorSource source) {
        switch (source) {
            case ColorSource::light:
                if (newValue) lightVariant = std::move(*newValue);
                return;
            case ColorSource::lightHighContrast: lightVariantHighContrast = std::move(newValue); return;
            case ColorSource::dark: darkVariant = std::move(newValue); return;
            case ColorSource::darkHighContrast: darkVariantHighContrast = std::move(newValue); return;
        }
    }

    friend bool operator==(const Themeable&, const Themeable&) = default;

    V lightVariant{};
    std::optional<V> lightVariantHighContrast;
    std::optional<V> darkVariant;
    std::optional<V> darkVariantHighContrast;
};

// A themeable value with a step name (inside a set) and an identifier of its own. The
// identifier is not stored in documents, so a value read from a file gets a fresh one; it is
// kept as bytes, since a large document mints thousands that nobody asks for.
template <class V>
class NamedThemeable : public Themeable<V> {
public:
    NamedThemeable() : uuid_(UuidBytes::random()) {}
    explicit NamedThemeable(V light, std::optional<V> lightHighContrast = std::nullopt,
                            std::optional<V> dark = std::nullopt, std::optional<V> darkHighContrast = std::nullopt,
                            std::string stepName = {})
        : Themeable<V>(std::move(light), std::move(lightHighContrast), std::move(dark), std::move(darkHighContrast)),
          name(std::move(stepName)),
          uuid_(UuidBytes::random()) {}

    std::string uuid() const { return uuid_.text(); }

    // Same variants and name; the identifiers may differ.
    bool sameValues(const NamedThemeable& other) const {
        return name == other.name && static_cast<const Themeable<V>&>(*this) == other;
    }

    friend bool operator==(const NamedThemeable&, const NamedThemeable&) = default;

    std::string name;

private:
    UuidBytes uuid_;
};

using ThemeableNumber = Themeable<double>;
using ThemeableBoolean = Themeable<bool>;
using ThemeableString = Themeable<std::string>;
using ThemeableColor = NamedThemeable<quenz::ColorValue>;
using ThemeableShadow = NamedThemeable<ShadowDetails>;

}  // namespace vantorel
