#pragma once
// The hex texts exporters write for colors that leave the document's color management:
// the color converted to sRGB and written as "#RRGGBB" or "#AARRGGBB" with the shared color
// formatter, components rounded to four places.

#include <optional>
#include <string>
#include <string_view>

#include "QuenzColorUtils/ColorFormat.h"
#include "QuenzColorUtils/ColorValue.h"
#include "Vantorel/build/ColorTextStore.h"

namespace vantorel::build {

// `format` is one of the "0x" hex formats (hexRGB, hexARGB, hexRGBA); the "0x" becomes "#".
// A color that cannot be converted to sRGB is written from its own components; none when the
// formatter cannot write it at all.
std::optional<std::string> sRGBHexText(const quenz::ColorValue& color, quenz::ColorFormat format);

// The same kept in `texts`: an export that writes one color many times converts it once.
std::optional<std::string_view> sRGBHexText(const quenz::ColorValue& color, quenz::ColorFormat format,
                                            ColorTextStore& texts);

}  // namespace vantorel::build
