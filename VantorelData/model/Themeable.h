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
#include "VantorelData/model/OtherVariants.h"
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
          others_(std::move(lightHighContrast), std::move(dark), std::move(darkHighContrast)) {}

    // The effective value for an appearance; never empty.
    const V& value(ColorSource source) const {
        const std::optional<V>& stored = storedVariant(source);
        return stored ? *stored : lightVariant;
    }

    // The stored variant for an appearance, which may be empty.
    std::optional<V> variant(ColorSource source) const {
        if (source == ColorSource::light) return lightVariant;
        return storedVariant(source);
    }

    // These references hold only until the next setVariant of this value.
    const std::optional<V>& lightVariantHighContrast() const { return storedVariant(ColorSource::lightHighContrast); }
    const std::optional<V>& darkVariant() const { return storedVariant(ColorSource::dark); }
    const std::optional<V>& darkVariantHighContrast() const { return storedVariant(ColorSource::darkHighContrast); }

    // Stores a variant; asking to empty the light variant is ignored (it is required).
    void setVariant(std::optional<V> newValue, ColorSource source) {
        if (source == ColorSource::light) {
            if (newValue) lightVariant = std::move(*newValue);
            return;
        }
        others_.set(slotOf(source), std::move(newValue));
    }

    friend bool operator==(const Themeable& a, const Themeable& b) {
        return a.lightVariant == b.lightVariant && a.lightVariantHighContrast() == b.lightVariantHighContrast() &&
               a.darkVariant() == b.darkVariant() && a.darkVariantHighContrast() == b.darkVariantHighContrast();
    }

    V lightVariant{};

private:
    static int slotOf(ColorSource source) {
        if (source == ColorSource::lightHighContrast) return 0;
        return source == ColorSource::dark ? 1 : 2;
    }
    const std::optional<V>& storedVariant(ColorSource source) const {
        static const std::optional<V> none;
        return source == ColorSource::light ? none : others_.get(slotOf(source));
    }

    OtherVariants<V> others_;
};

// A themeable value with a step name (inside a set) and an identifier of its own. The
// identifier is not stored in documents, so a value read from a file gets a fresh one; it is
// kept compact, since a large document mints thousands that nobody asks for.
template <class V>
class NamedThemeable : public Themeable<V> {
public:
    NamedThemeable() : uuid_(CompactUuid::random()) {}
    explicit NamedThemeable(V light, std::optional<V> lightHighContrast = std::nullopt,
                            std::optional<V> dark = std::nullopt, std::optional<V> darkHighContrast = std::nullopt,
                            ItemName stepName = {})
        : Themeable<V>(std::move(light), std::move(lightHighContrast), std::move(dark), std::move(darkHighContrast)),
          name(std::move(stepName)),
          uuid_(CompactUuid::random()) {}
    NamedThemeable(Themeable<V> values, ItemName stepName)
        : Themeable<V>(std::move(values)), name(std::move(stepName)), uuid_(CompactUuid::random()) {}

    std::string uuid() const { return uuid_.text(); }

    // Same variants and name; the identifiers may differ.
    bool sameValues(const NamedThemeable& other) const {
        return name == other.name && static_cast<const Themeable<V>&>(*this) == other;
    }

    friend bool operator==(const NamedThemeable&, const NamedThemeable&) = default;

    ItemName name;

private:
    CompactUuid uuid_;
};

using ThemeableNumber = Themeable<double>;
using ThemeableBoolean = Themeable<bool>;
using ThemeableString = Themeable<std::string>;
using ThemeableColor = NamedThemeable<quenz::ColorValue>;
using ThemeableShadow = NamedThemeable<ShadowDetails>;

}  // namespace vantorel
