// The shadow tags: a TemplateShadow as a CSS box-shadow value, or as the VantorelShadow
// constructor of the Swift and Kotlin support code.

#include <memory>
#include <optional>
#include <string>

#include "QuenzColorUtils/ColorConverter.h"
#include "Vantorel/build/CodeNames.h"
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

// CSS lengths: a bare "0" for zero, pixels otherwise.
std::string cssLength(double value) { return value == 0 ? std::string("0") : shortNumberText(value) + "px"; }

class CSSBoxShadowFormatterNode final : public Node {
public:
    CSSBoxShadowFormatterNode(TagArgument shadow) : shadow_(std::move(shadow)), options_(boxShadowOptions()) {}

    Status render(Context& context, std::string& out) const override {
        stencil::Value holder;
        const auto* shadow = shadow_.resolveRecord<TemplateShadow>(context, holder);
        if (!shadow) {
            out += shadowTagFailure;
            return std::nullopt;
        }
        const auto color = shadow->color->formatted(ColorFormat::cssColor, options_);
        if (!color) {
            out += shadowColorFailure;
            return std::nullopt;
        }
        out += cssLength(shadow->x) + " " + cssLength(shadow->y) + " " + cssLength(shadow->blur) + " " +
               cssLength(shadow->spread) + " ";
        out += *color;
        return std::nullopt;
    }

private:
    static SharedColorOptions boxShadowOptions() {
        quenz::ColorConverterOptions options;
        options.roundedTo = tagRounding;
        options.p3Prefix = "p3: ";
        return std::make_shared<const quenz::ColorConverterOptions>(std::move(options));
    }

    TagArgument shadow_;
    SharedColorOptions options_;
};

std::string_view composeColorSpace(TemplateColorSpace space) {
    switch (space) {
        case TemplateColorSpace::sRGB: return "ColorSpaces.Srgb";
        case TemplateColorSpace::extendedSRGB: return "ColorSpaces.ExtendedSrgb";
        case TemplateColorSpace::displayP3: break;
    }
    return "ColorSpaces.DisplayP3";
}

std::string kotlinShadow(const TemplateShadow& shadow) {
    // Kotlin's Float literals need the fraction part, which the plain text of a double has.
    const auto number = [](double value) { return stencil::Value(value).text(); };
    const TemplateRGBAColor& c = *shadow.color;
    const std::string color = "Color(red = " + oneDecimalNumberText(c.red) + "f, green = " +
                              oneDecimalNumberText(c.green) + "f, blue = " + oneDecimalNumberText(c.blue) +
                              "f, alpha = " + oneDecimalNumberText(c.alpha) +
                              "f, colorSpace = " + std::string(composeColorSpace(c.colorSpace)) + ")";
    return "VantorelShadow(x = " + number(shadow.x) + ", y = " + number(shadow.y) + ", blur = " + number(shadow.blur) +
           ", spread = " + number(shadow.spread) + ", color = " + color + ")";
}

class VantorelShadowFormatterNode final : public Node {
public:
    VantorelShadowFormatterNode(TagArgument shadow, ColorFormatType type)
        : shadow_(std::move(shadow)), type_(type), options_(constructorOptions()) {}

    Status render(Context& context, std::string& out) const override {
        stencil::Value holder;
        const auto* shadow = shadow_.resolveRecord<TemplateShadow>(context, holder);
        if (!shadow) {
            out += shadowTagFailure;
            return std::nullopt;
        }
        if (type_ == ColorFormatType::kotlin) {
            out += kotlinShadow(*shadow);
            return std::nullopt;
        }
        const auto color = shadow->color->formatted(swiftFormat(), options_);
        if (!color) {
            out += shadowColorFailure;
            return std::nullopt;
        }
        out += "VantorelShadow(x: " + shortNumberText(shadow->x) + ", y: " + shortNumberText(shadow->y) +
               ", blur: " + shortNumberText(shadow->blur) + ", spread: " + shortNumberText(shadow->spread) +
               ", color: ";
        out += *color;
        out += ')';
        return std::nullopt;
    }

private:
    ColorFormat swiftFormat() const {
        switch (type_) {
            case ColorFormatType::uiKit: return ColorFormat::swiftUIColorRGBA;
            case ColorFormatType::appKit: return ColorFormat::swiftNSColorRGBA;
            case ColorFormatType::swift:
            case ColorFormatType::kotlin: break;
        }
        return ColorFormat::swiftColorRGBA;
    }

    static SharedColorOptions constructorOptions() {
        quenz::ColorConverterOptions options;
        options.roundedTo = tagRounding;
        return std::make_shared<const quenz::ColorConverterOptions>(std::move(options));
    }

    TagArgument shadow_;
    ColorFormatType type_;
    SharedColorOptions options_;
};

}  // namespace

void registerShadowTags(stencil::Extension& extension) {
    extension.registerTag("shadowAsCSSBoxShadow",
                          [](stencil::TokenParser& parser,
                             const stencil::Token& token) -> stencil::Result<std::unique_ptr<Node>> {
                              return std::unique_ptr<Node>(std::make_unique<CSSBoxShadowFormatterNode>(
                                  TagArgument::at(parser, token, 0)));
                          });
    const std::pair<std::string_view, ColorFormatType> constructors[] = {
        {"shadowAsSwiftUIVantorelShadow", ColorFormatType::swift},
        {"shadowAsSwiftUIKitVantorelShadow", ColorFormatType::uiKit},
        {"shadowAsSwiftAppKitVantorelShadow", ColorFormatType::appKit},
        {"shadowAsKotlinVantorelShadow", ColorFormatType::kotlin},
    };
    for (const auto& [name, type] : constructors) {
        extension.registerTag(std::string(name),
                              [type = type](stencil::TokenParser& parser,
                                     const stencil::Token& token) -> stencil::Result<std::unique_ptr<Node>> {
                                  return std::unique_ptr<Node>(std::make_unique<VantorelShadowFormatterNode>(
                                      TagArgument::at(parser, token, 0), type));
                              });
    }
}

}  // namespace vantorel::build
