#pragma once
// Themeable values: one value per appearance, of which only the light one is required.
// Reading an appearance falls back to the light value when that appearance has none (the dark
// high-contrast value falls back to light, not to dark). Themeable values are copied records;
// the item that holds one reports its changes.

#include <memory>
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
        : lightVariant(std::move(light)) {
        setVariant(std::move(lightHighContrast), ColorSource::lightHighContrast);
        setVariant(std::move(dark), ColorSource::dark);
        setVariant(std::move(darkHighContrast), ColorSource::darkHighContrast);
    }
    Themeable(const Themeable& other)
        : lightVariant(other.lightVariant), others_(other.others_ ? std::make_unique<Others>(*other.others_) : nullptr) {}
    Themeable(Themeable&&) noexcept = default;
    Themeable& operator=(const Themeable& other) {
        if (this != &other) *this = Themeable(other);
        return *this;
    }
    Themeable& operator=(Themeable&&) noexcept = default;
    ~Themeable() = default;

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

    const std::optional<V>& lightVariantHighContrast() const { return storedVariant(ColorSource::lightHighContrast); }
    const std::optional<V>& darkVariant() const { return storedVariant(ColorSource::dark); }
    const std::optional<V>& darkVariantHighContrast() const { return storedVariant(ColorSource::darkHighContrast); }

    // Stores a variant; asking to empty the light variant is ignored (it is required).
    void setVariant(std::optional<V> newValue, ColorSource source) {
        if (source == ColorSource::light) {
            if (newValue) lightVariant = std::move(*newValue);
            return;
        }
        if (!others_) {
            if (!newValue) return;
            others_ = std::make_unique<Others>();
        }
        others_->slot(source) = std::move(newValue);
        if (!others_->lightHighContrast && !others_->dark && !others_->darkHighContrast) others_.reset();
    }

    friend bool operator==(const Themeable& a, const Themeable& b) {
        return a.lightVariant == b.lightVariant && a.lightVariantHighContrast() == b.lightVariantHighContrast() &&
               a.darkVariant() == b.darkVariant() && a.darkVariantHighContrast() == b.darkVariantHighContrast();
    }

    V lightVariant{};

private:
    // Most values are light only (every step of a plain ramp, most numbers and strings): the
    // other appearances live in one block that exists only while one of them is set.
    struct Others {
        std::optional<V> lightHighContrast;
        std::optional<V> dark;
        std::optional<V> darkHighContrast;

        std::optional<V>& slot(ColorSource source) {
            if (source == ColorSource::lightHighContrast) return lightHighContrast;
            return source == ColorSource::dark ? dark : darkHighContrast;
        }
    };

    const std::optional<V>& storedVariant(ColorSource source) const {
        static const std::optional<V> none;
        if (!others_ || source == ColorSource::light) return none;
        return others_->slot(source);
    }

    std::unique_ptr<Others> others_;
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
                            std::string stepName = {})
        : Themeable<V>(std::move(light), std::move(lightHighContrast), std::move(dark), std::move(darkHighContrast)),
          name(std::move(stepName)),
          uuid_(CompactUuid::random()) {}
    NamedThemeable(Themeable<V> values, std::string stepName)
        : Themeable<V>(std::move(values)), name(std::move(stepName)), uuid_(CompactUuid::random()) {}

    std::string uuid() const { return uuid_.text(); }

    // Same variants and name; the identifiers may differ.
    bool sameValues(const NamedThemeable& other) const {
        return name == other.name && static_cast<const Themeable<V>&>(*this) == other;
    }

    friend bool operator==(const NamedThemeable&, const NamedThemeable&) = default;

    std::string name;

private:
    CompactUuid uuid_;
};

using ThemeableNumber = Themeable<double>;
using ThemeableBoolean = Themeable<bool>;
using ThemeableString = Themeable<std::string>;
using ThemeableColor = NamedThemeable<quenz::ColorValue>;
using ThemeableShadow = NamedThemeable<ShadowDetails>;

}  // namespace vantorel
