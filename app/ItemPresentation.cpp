#include "app/ItemPresentation.h"

#include <cmath>

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorOperations.h"
#include "VantorelData/format/NumberText.h"

namespace vantorel::app {
namespace {

template <class Set>
std::vector<QColor> stepColors(const Set& set, ColorSource source) {
    std::vector<QColor> colors;
    colors.reserve(set.stepValues().size());
    for (const auto& step : set.stepValues()) {
        if constexpr (std::is_same_v<std::decay_t<decltype(step.value(source))>, quenz::ColorValue>) {
            colors.push_back(screenColor(step.value(source)));
        } else {
            colors.push_back(screenColor(step.value(source).color));
        }
    }
    return colors;
}

QString shadowText(const ShadowDetails& shadow, const QuenzColoredItem& item) {
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(numberText(shadow.xOffset), numberText(shadow.yOffset), numberText(shadow.blur),
             numberText(shadow.spread), colorText(shadow.color, item.colorFormat(), item.colorSpace()));
}

QString stepsText(std::size_t count) {
    return count == 1 ? QStringLiteral("1 step") : QStringLiteral("%1 steps").arg(count);
}

}  // namespace

QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString colorText(const quenz::ColorValue& color, quenz::ColorFormat format, quenz::ColorSpace space) {
    const quenz::ColorSpace shownSpace = quenz::fitSpace(space, format);
    const quenz::ColorValue prepared = quenz::convert(color, quenz::rgbSpaceFor(shownSpace)).value_or(color);
    const auto result = quenz::ColorConverter::formatColor(prepared, format, shownSpace, {});
    if (result.colorString) return qText(*result.colorString);
    return QStringLiteral("%1 %2 %3 %4")
        .arg(numberText(color.red), numberText(color.green), numberText(color.blue), numberText(color.alpha));
}

std::optional<quenz::ColorValue> parseColorText(const QString& text, quenz::ColorFormat preferred,
                                                quenz::ColorSpace space) {
    const std::string utf8 = text.trimmed().toStdString();
    if (utf8.empty()) return std::nullopt;
    const quenz::ConvertedColor parsed = quenz::ColorConverter::parseColor(utf8, preferred, space, true);
    if (!parsed.color) return std::nullopt;
    return quenz::convert(*parsed.color, quenz::rgbSpaceFor(space)).value_or(*parsed.color);
}

QColor screenColor(const quenz::ColorValue& color) {
    // Extended sRGB keeps what lies beyond sRGB; QColor holds it as extended RGB, which
    // painting clips and swatch proofing marks.
    const quenz::ColorValue srgb = quenz::convert(color, quenz::RGBSpace::extendedSRGB).value_or(color);
    const auto unit = [](double v) { return std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.0; };
    const auto extended = [](double v) { return std::isfinite(v) ? std::clamp(v, -2.0, 2.0) : 0.0; };
    return QColor::fromRgbF(static_cast<float>(extended(srgb.red)), static_cast<float>(extended(srgb.green)),
                            static_cast<float>(extended(srgb.blue)), static_cast<float>(unit(srgb.alpha)));
}

QString numberText(double value) {
    const auto text = format::measuredNumberText(value);
    return text ? qText(text->view()) : QString::number(value);
}

std::optional<double> parseNumber(const QString& text) {
    QString normalized = text.trimmed();
    normalized.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = normalized.toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

QString valueText(const QuenzColorProjectItem& item, ColorSource source) {
    switch (item.itemType()) {
        case ProjectItemType::group: {
            const std::size_t count = item.group()->items().size();
            return count == 1 ? QStringLiteral("1 item") : QStringLiteral("%1 items").arg(count);
        }
        case ProjectItemType::color: {
            const auto& color = *item.color();
            return colorText(color.color().value(source), color.colorFormat(), color.colorSpace());
        }
        case ProjectItemType::colorSet: return stepsText(item.colorSet()->stepValues().size());
        case ProjectItemType::shadowSet: return stepsText(item.shadowSet()->stepValues().size());
        case ProjectItemType::colorAlias:
            return colorText(item.colorAlias()->resolvedColor().value(source), quenz::ColorFormat::htmlRGB,
                             quenz::ColorSpace::sRGB);
        case ProjectItemType::number: return numberText(item.number()->value().value(source));
        case ProjectItemType::numberAlias: return numberText(item.numberAlias()->resolvedValue().value(source));
        case ProjectItemType::boolean:
            return item.boolean()->value().value(source) ? QStringLiteral("true") : QStringLiteral("false");
        case ProjectItemType::booleanAlias:
            return item.booleanAlias()->resolvedValue().value(source) ? QStringLiteral("true") : QStringLiteral("false");
        case ProjectItemType::string: return qText(item.string()->value().value(source));
        case ProjectItemType::stringAlias: return qText(item.stringAlias()->resolvedValue().value(source));
        case ProjectItemType::shadow: return shadowText(item.shadow()->shadow().value(source), *item.shadow());
        case ProjectItemType::shadowAlias: {
            static const QuenzColorShadow plain;  // aliases show their shadows in the default format
            return shadowText(item.shadowAlias()->resolvedValue().value(source), plain);
        }
    }
    return {};
}

std::vector<QColor> swatchColors(const QuenzColorProjectItem& item, ColorSource source) {
    switch (item.itemType()) {
        case ProjectItemType::color: return {screenColor(item.color()->color().value(source))};
        case ProjectItemType::colorAlias: return {screenColor(item.colorAlias()->resolvedColor().value(source))};
        case ProjectItemType::colorSet: return stepColors(*item.colorSet(), source);
        case ProjectItemType::shadow: return {screenColor(item.shadow()->shadow().value(source).color)};
        case ProjectItemType::shadowAlias: return {screenColor(item.shadowAlias()->resolvedValue().value(source).color)};
        case ProjectItemType::shadowSet: return stepColors(*item.shadowSet(), source);
        default: return {};
    }
}

std::vector<ShadowDetails> shadowDetails(const QuenzColorProjectItem& item, ColorSource source) {
    switch (item.itemType()) {
        case ProjectItemType::shadow: return {item.shadow()->shadow().value(source)};
        case ProjectItemType::shadowAlias: return {item.shadowAlias()->resolvedValue().value(source)};
        case ProjectItemType::shadowSet: {
            std::vector<ShadowDetails> shadows;
            for (const auto& step : item.shadowSet()->stepValues()) shadows.push_back(step.value(source));
            return shadows;
        }
        default: return {};
    }
}

std::vector<ColorSource> appearancesInUse(const QuenzColorProjectItem& item) {
    std::vector<ColorSource> sources;
    const auto valueItem = item.valueItem();
    for (ColorSource source : allColorSources) {
        if (!valueItem ? source == ColorSource::light : usesAppearance(valueItem->appearanceType(), source)) {
            sources.push_back(source);
        }
    }
    return sources;
}

}  // namespace vantorel::app
