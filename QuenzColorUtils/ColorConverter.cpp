// formatColor: writes a ColorValue in each of the eighteen text forms.

#include "QuenzColorUtils/ColorConverter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <initializer_list>
#include <span>
#include <string_view>
#include <cmath>
#include <cstdint>

#include "QuenzColorUtils/ColorFormatPrintf.h"
#include "QuenzColorUtils/ColorOperations.h"
#include "QuenzColorUtils/OKLabText.h"

namespace quenz::ColorConverter {
namespace {

// A form before prefix and suffix are added: its printf template and the values to fill in.
// Templates are literals and there are at most four values, so a form costs no allocation.
struct WrittenForm {
    std::string_view text;
    std::array<PrintfValue, 4> values{};
    std::size_t valueCount = 0;
    bool clipped = false;
    bool takesP3Prefix = false;

    WrittenForm() = default;
    WrittenForm(std::string_view form, std::initializer_list<PrintfValue> filled) : text(form) {
        for (const auto& value : filled) values[valueCount++] = value;
    }
    std::span<const PrintfValue> filled() const { return {values.data(), valueCount}; }
};

ColorValue clippedToSRGB(const ColorValue& color) {
    auto converted = convert(color, RGBSpace::sRGB);
    return converted ? *converted : color;
}

// Integer outputs round half away from zero into a 32-bit unsigned value.
std::uint32_t roundedInteger(double value) {
    if (!(value > 0)) return 0;  // negative and NaN
    double rounded = std::round(value);
    return rounded >= 4294967295.0 ? UINT32_MAX : static_cast<std::uint32_t>(rounded);
}

// roundedInteger clamped to a byte, without a call into the math library: the value is whole
// part plus a fraction that subtracts exactly, so halves still round away from zero.
std::uint32_t byteOf(double component) {
    const double value = component * 255;
    if (!(value > 0)) return 0;  // negative and NaN
    if (value >= 255) return 255;
    const auto whole = static_cast<std::uint32_t>(value);
    return value - whole >= 0.5 ? whole + 1 : whole;
}

class FormWriter {
public:
    FormWriter(const ColorValue& color, ColorSpace space, const ColorConverterOptions& options)
        : color_(color), space_(space), places_(std::clamp(options.roundedTo, 0, 17)), options_(options) {}

    std::optional<WrittenForm> write(ColorFormat format) const;

private:
    PrintfValue rounded(double value) const { return PrintfValue::ofReal(roundTo(value, places_)); }
    bool opaque() const { return color_.alpha == 1; }
    bool isP3() const { return space_ == ColorSpace::displayP3; }

    WrittenForm rgba(std::string_view text, const ColorValue& c) const {
        return {text, {rounded(c.red), rounded(c.green), rounded(c.blue), rounded(c.alpha)}};
    }
    WrittenForm hsba(std::string_view text) const {
        auto values = hsb(color_);
        return {text,
                {rounded(values.hue), rounded(values.saturation), rounded(values.brightness), rounded(color_.alpha)}};
    }

    WrittenForm hexBytes(ColorFormat format) const;
    WrittenForm cssRGB() const;
    WrittenForm cssColor() const;
    WrittenForm cssHSL() const;
    WrittenForm androidCompose() const;

    ColorValue color_;
    ColorSpace space_;
    int places_;
    const ColorConverterOptions& options_;
};

WrittenForm FormWriter::hexBytes(ColorFormat format) const {
    // Hex forms have no room for wide-gamut values outside Display P3 itself.
    bool clip = !isP3() && isOutsideSRGB(color_);
    ColorValue c = clip ? clippedToSRGB(color_) : color_;
    auto r = PrintfValue::ofInteger(byteOf(c.red));
    auto g = PrintfValue::ofInteger(byteOf(c.green));
    auto b = PrintfValue::ofInteger(byteOf(c.blue));
    auto a = PrintfValue::ofInteger(byteOf(c.alpha));
    WrittenForm form;
    switch (format) {
        case ColorFormat::htmlRGB:
            form = {opaque() ? "#%02X%02X%02X" : "#%02X%02X%02X%02X", {r, g, b, a}};
            break;
        case ColorFormat::hexRGB:
            form = {"0x%02X%02X%02X", {r, g, b}};
            break;
        case ColorFormat::hexARGB:
            form = {"0x%02X%02X%02X%02X", {a, r, g, b}};
            break;
        default:
            form = {"0x%02X%02X%02X%02X", {r, g, b, a}};
            break;
    }
    form.clipped = clip;
    form.takesP3Prefix = true;
    return form;
}

WrittenForm FormWriter::cssRGB() const {
    if (!options_.forceClip && isP3()) {
        return rgba(opaque() ? "color(display-p3 %g %g %g)" : "color(display-p3 %g %g %g / %g)", color_);
    }
    ColorValue c = clippedToSRGB(color_);
    WrittenForm form{opaque() ? "rgb(%g, %g, %g)" : "rgb(%g, %g, %g / %g)",
                     {rounded(std::round(c.red * 255)), rounded(std::round(c.green * 255)),
                      rounded(std::round(c.blue * 255)), rounded(c.alpha)}};
    form.clipped = isOutsideSRGB(color_);
    return form;
}

WrittenForm FormWriter::cssColor() const {
    if (isOutsideSRGB(color_) && (space_ == ColorSpace::sRGB || options_.forceClip)) {
        auto form = rgba(opaque() ? "color(srgb %g %g %g)" : "color(srgb %g %g %g / %g)", clippedToSRGB(color_));
        form.clipped = true;
        return form;
    }
    if (isP3()) return rgba(opaque() ? "color(display-p3 %g %g %g)" : "color(display-p3 %g %g %g / %g)", color_);
    return rgba(opaque() ? "color(srgb %g %g %g)" : "color(srgb %g %g %g / %g)", color_);
}

WrittenForm FormWriter::cssHSL() const {
    double maximum = std::max({color_.red, color_.green, color_.blue});
    double minimum = std::min({color_.red, color_.green, color_.blue});
    double lightness = (maximum + minimum) / 2;
    double saturation = maximum == minimum ? 0 : (maximum - minimum) / (1 - std::fabs(2 * lightness - 1));
    WrittenForm form{opaque() ? "hsl(%u %u%% %u%%)" : "hsl(%u %u%% %u%% / %g)",
                     {PrintfValue::ofInteger(roundedInteger(hsb(color_).hue * 360)),
                      PrintfValue::ofInteger(roundedInteger(saturation * 100)),
                      PrintfValue::ofInteger(roundedInteger(lightness * 100)), rounded(color_.alpha)}};
    form.takesP3Prefix = true;
    return form;
}

WrittenForm FormWriter::androidCompose() const {
#define VANTOREL_COMPOSE_COLOR(constant) \
    "Color(red = %gf, green = %gf, blue = %gf, alpha = %gf, colorSpace = " constant ")"
    return rgba(space_ == ColorSpace::sRGBExtended ? VANTOREL_COMPOSE_COLOR("ColorSpaces.ExtendedSrgb")
                : isP3()                            ? VANTOREL_COMPOSE_COLOR("ColorSpaces.DisplayP3")
                                                    : VANTOREL_COMPOSE_COLOR("ColorSpaces.Srgb"),
                color_);
#undef VANTOREL_COMPOSE_COLOR
}

std::optional<WrittenForm> FormWriter::write(ColorFormat format) const {
    bool okSpace = space_ == ColorSpace::oklab || space_ == ColorSpace::oklch;
    switch (format) {
        case ColorFormat::floatRGBA: {
            auto form = rgba("%g %g %g %g", color_);
            form.takesP3Prefix = true;
            return form;
        }
        case ColorFormat::floatHSVA: {
            auto form = hsba("%g %g %g %g");
            form.takesP3Prefix = true;
            return form;
        }
        case ColorFormat::htmlRGB:
        case ColorFormat::hexRGB:
        case ColorFormat::hexARGB:
        case ColorFormat::hexRGBA:
            return hexBytes(format);
        case ColorFormat::cssRGB:
            return cssRGB();
        case ColorFormat::cssColor:
            return cssColor();
        case ColorFormat::cssHSL:
            return cssHSL();
        case ColorFormat::cssOKLAB:
        case ColorFormat::cssOKLCH:
            return std::nullopt;  // written by oklabText and oklchText
        case ColorFormat::swiftUIColorRGBA:
            return rgba(isP3() ? "UIColor(displayP3Red: %g, green: %g, blue: %g, alpha: %g)"
                               : "UIColor(red: %g, green: %g, blue: %g, alpha: %g)",
                        color_);
        case ColorFormat::swiftNSColorRGBA:
            if (okSpace) return std::nullopt;
            return rgba(isP3() ? "NSColor(displayP3Red: %g, green: %g, blue: %g, alpha: %g)"
                               : "NSColor(red: %g, green: %g, blue: %g, alpha: %g)",
                        color_);
        case ColorFormat::swiftColorRGBA:
            if (isP3()) {
                return rgba(opaque() ? "Color(.displayP3, red: %g, green: %g, blue: %g)"
                                     : "Color(.displayP3, red: %g, green: %g, blue: %g, opacity: %g)",
                            color_);
            }
            return rgba(opaque() ? "Color(red: %g, green: %g, blue: %g)"
                                 : "Color(red: %g, green: %g, blue: %g, opacity: %g)",
                        color_);
        case ColorFormat::swiftUIColorHSBA:
            return hsba("UIColor(hue: %g, saturation: %g, brightness: %g, alpha: %g)");
        case ColorFormat::swiftNSColorHSBA:
            if (okSpace) return std::nullopt;
            if (space_ == ColorSpace::sRGBExtended) {
                return hsba("NSColor(colorSpace: .extendedSRGB, hue: %g, saturation: %g, brightness: %g, alpha: %g)");
            }
            if (isP3()) {
                return hsba("NSColor(colorSpace: .displayP3, hue: %g, saturation: %g, brightness: %g, alpha: %g)");
            }
            return hsba("NSColor(hue: %g, saturation: %g, brightness: %g, alpha: %g)");
        case ColorFormat::swiftColorHSBA:
            return hsba("Color(hue: %g, saturation: %g, brightness: %g, opacity: %g)");
        case ColorFormat::androidComposeColor:
            return androidCompose();
    }
    return std::nullopt;
}

// Fills one of the forms' own templates, whose only placeholders are "%g", "%u", "%02X" and
// "%%" with exactly one value each, straight into `out`; false when the template holds
// anything else.
bool fillForm(NumberText& out, const WrittenForm& form) {
    static constexpr char hexDigits[] = "0123456789ABCDEF";
    // The longest form is under a hundred characters; a placeholder writes at most a number.
    const std::string_view text = form.text;
    auto filled = out.reserve(text.size(), form.valueCount);
    if (!filled) return false;
    std::size_t next = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            filled.append(text[i]);
            continue;
        }
        const std::string_view rest = text.substr(i + 1);
        if (rest.starts_with('%')) {
            filled.append('%');
            ++i;
            continue;
        }
        if (next >= form.valueCount) return false;
        const PrintfValue& value = form.values[next++];
        if (rest.starts_with('g') && value.kind == PrintfValue::Kind::real) {
            filled.appendGeneral(value.real);
            i += 1;
        } else if (rest.starts_with('u') && value.kind == PrintfValue::Kind::integer) {
            filled.appendUnsigned(value.integer);
            i += 1;
        } else if (rest.starts_with("02X") && value.kind == PrintfValue::Kind::integer && value.integer < 256) {
            filled.append(hexDigits[value.integer >> 4]);
            filled.append(hexDigits[value.integer & 0xF]);
            i += 3;
        } else {
            return false;
        }
    }
    return true;
}

// The hex forms without prefix or suffix, the most written color text of all, byte by byte:
// "#RRGGBB[AA]", "0xRRGGBB", "0xAARRGGBB", "0xRRGGBBAA", clipped as hexBytes clips. Whether a
// prefix or suffix stands in the way, and whether the color is clipped.
struct PlainHex {
    bool applies = false;
    bool clipped = false;
};
PlainHex plainHexCase(const ColorValue& color, ColorSpace space, const ColorConverterOptions& options) {
    const bool p3 = space == ColorSpace::displayP3;
    const bool clip = !p3 && isOutsideSRGB(color);
    return {!((clip && options.suffixWhenClipped) || (p3 && options.p3Prefix)), clip};
}

// Writes the form into `text` (room for 11 bytes) and returns its end.
char* writePlainHex(char* text, const ColorValue& color, ColorFormat format, bool clip) {
    const ColorValue c = clip ? clippedToSRGB(color) : color;
    const std::uint32_t r = byteOf(c.red), g = byteOf(c.green), b = byteOf(c.blue), a = byteOf(c.alpha);
    std::array<std::uint32_t, 4> bytes{r, g, b, a};
    std::size_t count = 4;
    char* out = text;
    if (format == ColorFormat::htmlRGB) {
        *out++ = '#';
        if (color.alpha == 1) count = 3;
    } else {
        *out++ = '0';
        *out++ = 'x';
        if (format == ColorFormat::hexRGB) count = 3;
        if (format == ColorFormat::hexARGB) bytes = {a, r, g, b};
    }
    static constexpr char hexDigits[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < count; ++i) {
        *out++ = hexDigits[bytes[i] >> 4];
        *out++ = hexDigits[bytes[i] & 0xF];
    }
    return out;
}

bool isHexFormat(ColorFormat format) {
    return format == ColorFormat::htmlRGB || format == ColorFormat::hexRGB || format == ColorFormat::hexARGB ||
           format == ColorFormat::hexRGBA;
}

// Writes the text of a color form into `sink`, which takes it as a view of text written in
// place (`view`) or as a string already made (`made`). Gives whether the color was clipped, or
// none when there is no text. formatColor and appendFormattedColor differ only in their sink.
template <class Sink>
std::optional<bool> writeColorText(Sink& sink, const ColorValue& color, ColorFormat format, ColorSpace space,
                                   const ColorConverterOptions& options) {
    if (isHexFormat(format)) {
        if (const PlainHex hex = plainHexCase(color, space, options); hex.applies) {
            char text[12];
            sink.view(std::string_view(text, writePlainHex(text, color, format, hex.clipped)));
            return hex.clipped;
        }
    }
    if (format == ColorFormat::cssOKLAB || format == ColorFormat::cssOKLCH) {
        const int places = std::clamp(options.roundedTo, 0, 17);
        auto text = format == ColorFormat::cssOKLCH ? oklchText(color, places) : oklabText(color, places);
        if (!text) return std::nullopt;
        sink.made(std::move(*text));
        return false;
    }
    auto form = FormWriter(color, space, options).write(format);
    if (!form) return std::nullopt;
    const bool prefixed = form->takesP3Prefix && space == ColorSpace::displayP3 && options.p3Prefix;
    const bool suffixed = form->clipped && options.suffixWhenClipped;
    if (!prefixed && !suffixed) {
        NumberText text;
        if (fillForm(text, *form)) {
            sink.view(text.view());
            return form->clipped;
        }
    }
    // Prefix and suffix join the template before it is filled, as users configure them, so
    // any placeholder typed into them is filled like the form's own.
    std::string withExtras;
    if (prefixed) withExtras = *options.p3Prefix;
    withExtras += form->text;
    if (suffixed) withExtras += *options.suffixWhenClipped;
    sink.made(printfFormat(withExtras, form->filled()));
    return form->clipped;
}

struct NewText {
    std::optional<std::string> text;
    void view(std::string_view written) { text.emplace(written); }
    void made(std::string&& written) { text.emplace(std::move(written)); }
};

struct AppendedText {
    std::string& out;
    void view(std::string_view written) { out += written; }
    void made(std::string&& written) { out += written; }
};

}  // namespace

std::optional<bool> appendFormattedColor(std::string& out, const ColorValue& color, ColorFormat format,
                                         ColorSpace space, const ColorConverterOptions& options) {
    AppendedText sink{out};
    return writeColorText(sink, color, format, space, options);
}

ColorConverterResult formatColor(const ColorValue& color, ColorFormat format, ColorSpace space,
                                 const ColorConverterOptions& options) {
    // The hex and OKLab forms are made straight into the result.
    if (isHexFormat(format)) {
        if (const PlainHex hex = plainHexCase(color, space, options); hex.applies) {
            char text[12];
            return {std::string(text, writePlainHex(text, color, format, hex.clipped)), hex.clipped};
        }
    }
    if (format == ColorFormat::cssOKLAB || format == ColorFormat::cssOKLCH) {
        const int places = std::clamp(options.roundedTo, 0, 17);
        return {format == ColorFormat::cssOKLCH ? oklchText(color, places) : oklabText(color, places), false};
    }
    NewText sink;
    const auto clipped = writeColorText(sink, color, format, space, options);
    if (!clipped) return {};
    return {std::move(sink.text), *clipped};
}

}  // namespace quenz::ColorConverter
