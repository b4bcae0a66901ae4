// The color tags ("colorAsHex", "colorAsCSSColor", …) and "lightDark": a TemplateRGBAColor
// written through the shared color formatter, in the color's own space.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "QuenzColorUtils/ColorConverter.h"
#include "Vantorel/build/templates/TagArgument.h"
#include "Vantorel/build/templates/TemplateRecords.h"
#include "Vantorel/build/templates/TemplateTags.h"

namespace vantorel::build {
namespace {

using quenz::ColorFormat;
using stencil::Context;
using stencil::Node;
using stencil::Status;

constexpr int tagRounding = 4;
constexpr std::string_view p3Prefix = "p3: ";

// The hex and rgb() forms have no room for wide-gamut colors, so they are clipped into sRGB
// and marked; the others keep the color and mark Display P3 values where the form can't say so.
bool clipsInTags(ColorFormat format) {
    switch (format) {
        case ColorFormat::htmlRGB:
        case ColorFormat::cssRGB:
        case ColorFormat::hexRGB:
        case ColorFormat::hexARGB:
        case ColorFormat::hexRGBA: return true;
        default: return false;
    }
}

SharedColorOptions colorTagOptions(ColorFormat format) {
    quenz::ColorConverterOptions options;
    options.roundedTo = tagRounding;
    options.suffixWhenClipped = std::string(clippedColorSuffix);
    options.forceClip = clipsInTags(format);
    if (!options.forceClip) options.p3Prefix = std::string(p3Prefix);
    return std::make_shared<const quenz::ColorConverterOptions>(std::move(options));
}

SharedColorOptions lightDarkOptions(ColorFormat format) {
    quenz::ColorConverterOptions options;
    options.roundedTo = tagRounding;
    options.p3Prefix = std::string(p3Prefix);
    options.suffixWhenClipped = std::string(clippedColorSuffix);
    options.forceClip = format == ColorFormat::htmlRGB || format == ColorFormat::cssRGB;
    return std::make_shared<const quenz::ColorConverterOptions>(std::move(options));
}

class ColorFormatterNode final : public Node {
public:
    ColorFormatterNode(ColorFormat format, TagArgument color)
        : format_(format), options_(colorTagOptions(format)), color_(std::move(color)) {}

    Status render(Context& context, std::string& out) const override {
        stencil::Value holder;
        const auto* color = color_.resolveRecord<TemplateRGBAColor>(context, holder);
        const auto text = color ? color->formatted(format_, options_) : std::nullopt;
        out += text ? std::string_view(*text) : colorTagFailure;
        return std::nullopt;
    }

private:
    ColorFormat format_;
    SharedColorOptions options_;  // made once: the tag renders for every item
    TagArgument color_;
};

// "csshex", "cssrgb" and "cssoklch" in any case choose their form; anything else is color().
ColorFormat lightDarkFormat(std::string word) {
    if (word.size() >= 2 && (word.front() == '"' || word.front() == '\'') && word.back() == word.front()) {
        word = word.substr(1, word.size() - 2);
    }
    for (char& c : word) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    if (word == "csshex") return ColorFormat::htmlRGB;
    if (word == "cssrgb") return ColorFormat::cssRGB;
    if (word == "cssoklch") return ColorFormat::cssOKLCH;
    return ColorFormat::cssColor;
}

class LightDarkFormatterNode final : public Node {
public:
    LightDarkFormatterNode(TagArgument light, TagArgument dark, ColorFormat format)
        : light_(std::move(light)), dark_(std::move(dark)), format_(format), options_(lightDarkOptions(format)) {}

    Status render(Context& context, std::string& out) const override {
        stencil::Value lightHolder, darkHolder;
        const auto* light = light_.resolveRecord<TemplateRGBAColor>(context, lightHolder);
        const auto* dark = dark_.resolveRecord<TemplateRGBAColor>(context, darkHolder);
        if (!light || !dark) {
            out += lightDarkFailure;
            return std::nullopt;
        }
        const auto lightText = light->formatted(format_, options_);
        if (!lightText) {
            out += lightDarkLightColorFailure;
            out += quenz::displayName(format_);
            return std::nullopt;
        }
        const auto darkText = dark->formatted(format_, options_);
        if (!darkText) {
            out += lightDarkDarkColorFailure;
            out += quenz::displayName(format_);
            return std::nullopt;
        }
        out += "light-dark(";
        out += *lightText;
        out += ", ";
        out += *darkText;
        out += ')';
        return std::nullopt;
    }

private:
    TagArgument light_;
    TagArgument dark_;
    ColorFormat format_;
    SharedColorOptions options_;
};

struct ColorTag {
    std::string_view name;
    ColorFormat format;
};

constexpr std::array<ColorTag, 16> colorTags = {{
    {"colorAsFloatRGBA", ColorFormat::floatRGBA},
    {"colorAsFloatHSVA", ColorFormat::floatHSVA},
    {"colorAsHex", ColorFormat::hexRGB},
    {"colorAsHexRGBA", ColorFormat::hexRGBA},
    {"colorAsHexARGB", ColorFormat::hexARGB},
    {"colorAsSwiftUIColor", ColorFormat::swiftColorRGBA},
    {"colorAsSwiftUIKitColor", ColorFormat::swiftUIColorRGBA},
    {"colorAsSwiftAppKitColor", ColorFormat::swiftNSColorRGBA},
    {"colorAsSwiftUIColorHSBA", ColorFormat::swiftColorHSBA},
    {"colorAsSwiftUIKitColorHSBA", ColorFormat::swiftUIColorHSBA},
    {"colorAsSwiftAppKitColorHSBA", ColorFormat::swiftNSColorHSBA},
    {"colorAsCSSHexRGB", ColorFormat::htmlRGB},
    {"colorAsCSSRgb", ColorFormat::cssRGB},
    {"colorAsCSSColor", ColorFormat::cssColor},
    {"colorAsCSSOklch", ColorFormat::cssOKLCH},
    {"colorAsAndroidComposeColor", ColorFormat::androidComposeColor},
}};

}  // namespace

void registerColorTags(stencil::Extension& extension) {
    for (const auto& tag : colorTags) {
        const ColorFormat format = tag.format;
        extension.registerTag(std::string(tag.name),
                              [format](stencil::TokenParser& parser,
                                       const stencil::Token& token) -> stencil::Result<std::unique_ptr<Node>> {
                                  return std::unique_ptr<Node>(std::make_unique<ColorFormatterNode>(
                                      format, TagArgument::at(parser, token, 0)));
                              });
    }
    extension.registerTag("lightDark",
                          [](stencil::TokenParser& parser,
                             const stencil::Token& token) -> stencil::Result<std::unique_ptr<Node>> {
                              return std::unique_ptr<Node>(std::make_unique<LightDarkFormatterNode>(
                                  TagArgument::at(parser, token, 0), TagArgument::at(parser, token, 1),
                                  lightDarkFormat(TagArgument::at(parser, token, 2).word())));
                          });
}

}  // namespace vantorel::build
