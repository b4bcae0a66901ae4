#pragma once
// How items look in the editor's views: their values as text in each item's own color format,
// their swatch colors, and color text read back through the core's color parser. Shared by
// the item models and the inspector so that a value reads the same everywhere.

#include <QColor>
#include <QString>
#include <concepts>
#include <optional>
#include <vector>

#include "VantorelData/model/Model.h"

namespace vantorel::app {

QString qText(std::string_view text);
// An identifier's text (a template, so that literals and strings keep to the form above).
template <std::same_as<Identifier> Id>
QString qText(const Id& identifier) {
    const Identifier::Text text = identifier.text();
    return qText(text.view());
}

// A color in `format` and `space`, as the inspector shows it for editing.
QString colorText(const quenz::ColorValue& color, quenz::ColorFormat format, quenz::ColorSpace space);
// Reads color text (any format the parser detects), into the RGB space of `space`; none when
// the text holds no color.
std::optional<quenz::ColorValue> parseColorText(const QString& text, quenz::ColorFormat preferred,
                                                quenz::ColorSpace space);
// The color for the screen in sRGB; a color beyond sRGB keeps its extended components.
QColor screenColor(const quenz::ColorValue& color);

QString numberText(double value);
// A number typed by the user, full stop or comma as the decimal separator; none when not a number.
std::optional<double> parseNumber(const QString& text);

// The item's value in one appearance, as one line of text ("" for groups).
QString valueText(const QuenzColorProjectItem& item, ColorSource source);
// The colors a swatch of the item shows in one appearance: one for colors, shadows and
// aliases of them, every step for sets; empty for other kinds.
std::vector<QColor> swatchColors(const QuenzColorProjectItem& item, ColorSource source);

// The shadows of shadow kinds in one appearance (every step of a set); empty for other kinds.
std::vector<ShadowDetails> shadowDetails(const QuenzColorProjectItem& item, ColorSource source);

// The appearances the item uses, light first.
std::vector<ColorSource> appearancesInUse(const QuenzColorProjectItem& item);

}  // namespace vantorel::app
