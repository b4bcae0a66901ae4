#include <QComboBox>

#include "app/inspector/FormBuilder.h"
#include "app/inspector/Sections.h"

namespace vantorel::app::inspector {
namespace {

// The targets an alias can point at: every item of the matching kinds, and each step of a set.
// The targets an alias can point at: every item of the matching kinds, and each step of a set.
Options aliasTargets(const QuenzColorProject& project, ProjectItemType aliasKind) {
    Options options = {{QStringLiteral("Not Set"), QString()}};
    const auto accepts = [aliasKind](ProjectItemType type) {
        switch (aliasKind) {
            case ProjectItemType::colorAlias: return type == ProjectItemType::color || type == ProjectItemType::colorSet;
            case ProjectItemType::shadowAlias: return type == ProjectItemType::shadow || type == ProjectItemType::shadowSet;
            case ProjectItemType::numberAlias: return type == ProjectItemType::number;
            case ProjectItemType::booleanAlias: return type == ProjectItemType::boolean;
            case ProjectItemType::stringAlias: return type == ProjectItemType::string;
            default: return false;
        }
    };
    project.forEachItem([&](const ProjectItemPtr& item) {
        if (!accepts(item->itemType())) return;
        const QString uuid = qText(item->uuid());
        const QString name = qText(item->name());
        const auto addSteps = [&](const auto& set) {
            options.emplace_back(name + QStringLiteral(" (middle step)"), QStringLiteral("set:") + uuid);
            for (std::size_t i = 0; i < set.stepValues().size(); ++i) {
                options.emplace_back(name + QStringLiteral(" › ") + qText(set.stepValues()[i].name),
                                     QStringLiteral("step:%1:%2").arg(uuid).arg(i));
            }
        };
        if (const auto* colorSet = item->payloadIf<QuenzColorSet>()) {
            addSteps(*colorSet);
        } else if (const auto* shadowSet = item->payloadIf<QuenzColorShadowSet>()) {
            addSteps(*shadowSet);
        } else {
            options.emplace_back(name, QStringLiteral("item:") + uuid);
        }
    });
    return options;
}

QString targetKey(const AliasSetType& target) {
    switch (target.kind) {
        case AliasSetType::Kind::item: return QStringLiteral("item:") + qText(target.uuid);
        case AliasSetType::Kind::set: return QStringLiteral("set:") + qText(target.uuid);
        case AliasSetType::Kind::setItem: return QStringLiteral("step:%1:%2").arg(qText(target.uuid)).arg(target.index);
        case AliasSetType::Kind::notSet: return {};
    }
    return {};
}
QString targetKey(const ItemAliasType& target) {
    return target.isSet() ? QStringLiteral("item:") + qText(target.uuid) : QString();
}

AliasSetType setTarget(const QString& key) {
    const QStringList parts = key.split(QLatin1Char(':'));
    if (parts.size() >= 2 && parts[0] == QStringLiteral("item")) return AliasSetType::item(parts[1].toStdString());
    if (parts.size() >= 2 && parts[0] == QStringLiteral("set")) return AliasSetType::set(parts[1].toStdString());
    if (parts.size() >= 3 && parts[0] == QStringLiteral("step")) return AliasSetType::setItem(parts[1].toStdString(), parts[2].toInt());
    return AliasSetType::notSet();
}
ItemAliasType itemTarget(const QString& key) {
    const QStringList parts = key.split(QLatin1Char(':'));
    if (parts.size() >= 2 && parts[0] == QStringLiteral("item")) return ItemAliasType::item(parts[1].toStdString());
    return ItemAliasType::notSet();
}

template <class Alias>
void addTargets(FormBuilder& form, const QuenzColorProjectItem& shown) {
    const auto alias = [&form] { return form.item()->payloadIf<Alias>(); };
    form.section(QStringLiteral("Alias Of"));
    const auto options = aliasTargets(form.project(), shown.itemType());
    for (ColorSource source : appearancesInUse(shown)) {
        form.choice(qText(displayName(source)), QStringLiteral("aliasTargetField-") + sourceKey(source), options,
                    [alias, source] { return targetKey(alias()->target(source)); },
                    [&form, source](const QString& key) {
                        if constexpr (std::is_base_of_v<QuenzSetAliasBase, Alias>) {
                            form.editor().changeAliasLink(form.uuid(), source, setTarget(key));
                        } else {
                            form.editor().changeAliasLink(form.uuid(), source, itemTarget(key));
                        }
                    });
    }
}

}  // namespace

void addAliasTargets(FormBuilder& form, const QuenzColorProjectItem& shown) {
    if (shown.payloadIf<QuenzColorAlias>()) {
        addTargets<QuenzColorAlias>(form, shown);
    } else if (shown.payloadIf<QuenzColorShadowAlias>()) {
        addTargets<QuenzColorShadowAlias>(form, shown);
    } else if (shown.payloadIf<QuenzColorNumberAlias>()) {
        addTargets<QuenzColorNumberAlias>(form, shown);
    } else if (shown.payloadIf<QuenzColorBooleanAlias>()) {
        addTargets<QuenzColorBooleanAlias>(form, shown);
    } else if (shown.payloadIf<QuenzColorStringAlias>()) {
        addTargets<QuenzColorStringAlias>(form, shown);
    }
}

}  // namespace vantorel::app::inspector
