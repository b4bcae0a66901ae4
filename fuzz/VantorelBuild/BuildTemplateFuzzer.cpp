// Renders arbitrary template text the way a build renders a user's template: with the build
// tags and filters, against records of every kind. Tags and paths may fail with an error or a
// failure note; nothing may crash or read a record that is gone.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Stencil/Value.h"
#include "Vantorel/build/templates/TemplateExporter.h"

namespace {

using namespace vantorel::build;

template <class V>
TemplateVariants<V> variants(V light, std::optional<V> dark, std::optional<std::string> name = std::nullopt) {
    return {std::move(light), std::nullopt, std::move(dark), std::nullopt, std::move(name)};
}

const stencil::Value& fuzzContext() {
    static const stencil::Value context = [] {
        auto red = std::make_shared<const TemplateRGBAColor>(1, 0, 0, 1, TemplateColorSpace::sRGB);
        auto wide = std::make_shared<const TemplateRGBAColor>(1.1, -0.2, 0.5, 0.5, TemplateColorSpace::displayP3);
        using ColorPtr = std::shared_ptr<const TemplateRGBAColor>;
        using ShadowPtr = std::shared_ptr<const TemplateShadow>;
        auto color = std::make_shared<const TemplateThemedColor>(variants<ColorPtr>(red, wide, "500"));
        auto drop = std::make_shared<const TemplateShadow>(0, 2, 4.5, -1, wide);
        auto shadow = std::make_shared<const TemplateThemedShadow>(variants<ShadowPtr>(drop, drop));
        const std::vector<TemplateItemKind> kinds = {
            std::make_shared<const TemplateColorItem>(color),
            std::make_shared<const TemplateColorSetItem>(std::vector{color, color}),
            std::make_shared<const TemplateNumberItem>(
                std::make_shared<const TemplateThemedNumber>(variants<double>(8, 12.5))),
            std::make_shared<const TemplateBooleanItem>(
                std::make_shared<const TemplateThemedBoolean>(variants<bool>(true, std::nullopt))),
            std::make_shared<const TemplateStringItem>(
                std::make_shared<const TemplateThemedString>(variants<std::string>("a\"b", "<c>"))),
            std::make_shared<const TemplateShadowItem>(shadow),
            std::make_shared<const TemplateShadowSetItem>(std::vector{shadow}),
        };
        stencil::Value::Array items;
        for (const auto& kind : kinds) {
            items.emplace_back(std::shared_ptr<const stencil::HostObject>(
                std::make_shared<const TemplateItem>("Item " + std::to_string(items.size()), items.size() % 2 == 0,
                                                     std::string("Use another"), kind)));
        }
        return stencil::Value(stencil::Dictionary{
            {"items", stencil::Value(std::move(items))},
            {"exportFileName", stencil::Value("tokens")},
            {"exportFileNameWithExtension", stencil::Value("tokens.css")},
        });
    }();
    return context;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto rendered = renderTemplateText(text, fuzzContext());
    (void)rendered;
    return 0;
}
