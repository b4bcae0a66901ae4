#pragma once
// The parts of item elements that several kinds share: the themeable value elements (`color`,
// `number`, `boolean`, `string`, `shadow` with their variants), the appearance and deprecation
// blocks, the set block, and the `profile` and `format` codes of colored items.

#include <optional>
#include <string_view>

#include "QuenzColorUtils/ColorFormat.h"
#include "QuenzColorUtils/ColorSpace.h"
#include "VantorelData/format/XmlSink.h"
#include "VantorelData/model/SetBase.h"
#include "VantorelData/model/Themeable.h"
#include "VantorelData/model/ValueItem.h"

namespace vantorel::format {

// `profile`: "sRGB", "extendedSRGB", or "DisplayP3" for Display P3 and the OK spaces.
std::string_view profileText(quenz::ColorSpace space);
// Reading `profile`: unknown or missing texts give sRGB.
quenz::ColorSpace profileSpace(std::optional<std::string_view> text);
// The RGB space in which the components of an item with this profile are read.
quenz::RGBSpace componentSpace(quenz::ColorSpace profile);

// Reading `format`: a 0-based position; unreadable or out-of-range values give floatRGBA,
// and 8 (plain hex RGB, no longer offered for documents) gives hexRGBA.
quenz::ColorFormat storedColorFormat(std::optional<std::string_view> text);

void writeColorValue(XmlSink& sink, const ThemeableColor& value);
void writeShadowValue(XmlSink& sink, const ThemeableShadow& value);
void writeNumberValue(XmlSink& sink, const ThemeableNumber& value);
void writeBooleanValue(XmlSink& sink, const ThemeableBoolean& value);
void writeStringValue(XmlSink& sink, const ThemeableString& value);

// `element` is the value element itself (`color`, `shadow`, …), in either element view
// (`PugiElement`, `FlatXmlElement`). None when the light variant is missing or unreadable;
// other unreadable variants are left empty.
template <class Element>
std::optional<ThemeableColor> readColorValue(Element element, quenz::RGBSpace space);
template <class Element>
std::optional<ThemeableShadow> readShadowValue(Element element, quenz::RGBSpace space);
template <class Element>
std::optional<ThemeableNumber> readNumberValue(Element element);
template <class Element>
std::optional<ThemeableBoolean> readBooleanValue(Element element);
template <class Element>
std::optional<ThemeableString> readStringValue(Element element);

// The appearance block, then the deprecation block, of a value item, read from its fields in place.
void writeValueItemBlocks(XmlSink& sink, const QuenzValueItem& item);

void writeSetBlock(XmlSink& sink, int steps, const SetParameters& parameters);

}  // namespace vantorel::format
