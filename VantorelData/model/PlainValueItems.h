#pragma once
// The payloads of number, boolean and string items: one value per appearance. A number also
// keeps an optional range (minimum, maximum, number of steps) for its editor.

#include <memory>
#include <optional>
#include <string>

#include "VantorelData/model/Themeable.h"
#include "VantorelData/model/ValueItem.h"

namespace vantorel {

// A value item that holds one themeable value of type V.
template <class V>
class QuenzPlainValueItem : public QuenzValueItem {
public:
    const Themeable<V>& value() const { return value_; }
    void setValue(Themeable<V> value) { update(value_, std::move(value), PropertyId::value); }
    void setValue(V variant, ColorSource source) {
        Themeable<V> changed = value_;
        changed.setVariant(std::move(variant), source);
        setValue(std::move(changed));
    }

protected:
    QuenzPlainValueItem(Themeable<V> value, CommonValueFields common)
        : QuenzValueItem(std::move(common)), value_(std::move(value)) {}

private:
    Themeable<V> value_;
};

class QuenzColorNumber : public QuenzPlainValueItem<double> {
public:
    QuenzColorNumber() : QuenzColorNumber(ThemeableNumber{0.0}) {}
    explicit QuenzColorNumber(ThemeableNumber value, std::optional<double> minValue = std::nullopt,
                              std::optional<double> maxValue = std::nullopt, std::optional<int> steps = std::nullopt,
                              CommonValueFields common = {})
        : QuenzPlainValueItem(std::move(value), std::move(common)),
          minValue_(minValue),
          maxValue_(maxValue),
          steps_(steps) {}

    std::optional<double> minValue() const { return minValue_; }
    std::optional<double> maxValue() const { return maxValue_; }
    std::optional<int> steps() const { return steps_; }
    void setMinValue(std::optional<double> value) { update(minValue_, value, PropertyId::minValue); }
    void setMaxValue(std::optional<double> value) { update(maxValue_, value, PropertyId::maxValue); }
    void setSteps(std::optional<int> steps) { update(steps_, steps, PropertyId::steps); }

private:
    std::optional<double> minValue_;
    std::optional<double> maxValue_;
    std::optional<int> steps_;
};

class QuenzColorBoolean : public QuenzPlainValueItem<bool> {
public:
    QuenzColorBoolean() : QuenzColorBoolean(ThemeableBoolean{false}) {}
    explicit QuenzColorBoolean(ThemeableBoolean value, CommonValueFields common = {})
        : QuenzPlainValueItem(std::move(value), std::move(common)) {}
};

class QuenzColorString : public QuenzPlainValueItem<std::string> {
public:
    QuenzColorString() : QuenzColorString(ThemeableString{std::string{}}) {}
    explicit QuenzColorString(ThemeableString value, CommonValueFields common = {})
        : QuenzPlainValueItem(std::move(value), std::move(common)) {}
};

using QuenzColorNumberPtr = std::shared_ptr<QuenzColorNumber>;
using QuenzColorBooleanPtr = std::shared_ptr<QuenzColorBoolean>;
using QuenzColorStringPtr = std::shared_ptr<QuenzColorString>;

}  // namespace vantorel
