#include "app/Inspector.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "Vantorel/editing/DocumentEditor.h"
#include "Vantorel/editing/SelectionManager.h"
#include "app/DocumentSession.h"
#include "app/ItemPresentation.h"
#include "app/inspector/FormBuilder.h"
#include "app/inspector/Sections.h"

namespace vantorel::app {

Inspector::Inspector(DocumentSession& session, QWidget* parent) : QScrollArea(parent), session_(session) {
    setObjectName(QStringLiteral("inspector"));
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMinimumWidth(300);
    refresh();
}

QString Inspector::shapeKey() const {
    const SelectionManager& selection = session_.selection();
    if (selection.selectedItems().size() > 1) return QStringLiteral("many:%1").arg(selection.selectedItems().size());
    const ProjectItemPtr& selected = selection.selectedItem();
    const ProjectItemPtr item = selected ? session_.project()->itemWithId(selected->uuid()) : nullptr;
    if (!item) return QStringLiteral("document:%1").arg(reinterpret_cast<quintptr>(session_.project().get()));
    QString key = qText(item->uuid()) + QLatin1Char(':') + QString::number(static_cast<int>(item->itemType()));
    if (const auto valueItem = item->valueItem()) {
        key += QLatin1Char(':') + QString::number(static_cast<int>(valueItem->appearanceType()));
    }
    const auto setShape = [&key](const auto& set) {
        key += QStringLiteral(":%1:%2:%3:%4")
                   .arg(set.stepValues().size())
                   .arg(static_cast<int>(set.type()))
                   .arg(set.middleIndex())
                   .arg(static_cast<int>(set.namingScheme()));
        for (const auto& step : set.stepValues()) key += QLatin1Char('/') + qText(step.name);
    };
    if (const auto* set = item->payloadIf<QuenzColorSet>()) setShape(*set);
    if (const auto* set = item->payloadIf<QuenzColorShadowSet>()) setShape(*set);
    // Alias targets and group choices list the project's items and groups.
    key += QStringLiteral(":%1:%2").arg(session_.project()->buildGroups().size()).arg(session_.project()->testGroups().size());
    if (item->valueItem() && dynamic_cast<const QuenzColoredItem*>(item->valueItem().get()) == nullptr &&
        item->itemType() != ProjectItemType::number && item->itemType() != ProjectItemType::string &&
        item->itemType() != ProjectItemType::boolean) {
        const auto stats = session_.project()->statistics();
        key += QStringLiteral(":%1:%2").arg(stats.colorItemCount + stats.colorSetCount + stats.numberCount + stats.booleanCount +
                                            stats.stringCount + stats.shadowCount + stats.shadowSetCount)
                   .arg(qText(item->name()));
    }
    return key;
}

void Inspector::refresh() {
    const QString key = shapeKey();
    if (key != builtKey_) {
        rebuild();
        builtKey_ = key;
        return;
    }
    for (const auto& refresh : refreshers_) refresh();
}

void Inspector::rebuild() {
    refreshers_.clear();
    auto* page = new QWidget;
    auto* outer = new QVBoxLayout(page);
    outer->setContentsMargins(14, 12, 14, 12);
    auto* header = new QLabel;
    header->setObjectName(QStringLiteral("inspectorTitle"));
    QFont titleFont = header->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    titleFont.setBold(true);
    header->setFont(titleFont);
    outer->addWidget(header);
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    outer->addLayout(form);
    outer->addStretch(1);

    const SelectionManager& selection = session_.selection();
    const QuenzColorProjectPtr project = session_.project();
    const ProjectItemPtr& selected = selection.selectedItem();
    const ProjectItemPtr item = selected && selection.selectedItems().size() <= 1 ? project->itemWithId(selected->uuid()) : nullptr;

    if (selection.selectedItems().size() > 1) {
        header->setText(QStringLiteral("%1 Items Selected").arg(selection.selectedItems().size()));
    } else if (!item) {
        header->setText(inspector::addDocumentSection(session_, *form, refreshers_));
    } else {
        header->setText(qText(displayName(item->itemType())));
        // The builder lives as long as the form's closures: they hold it by reference.
        auto builder = std::make_shared<inspector::FormBuilder>(session_, item->uuid(), *form, refreshers_);
        connect(page, &QObject::destroyed, page, [builder] {});
        using namespace inspector;
        FormBuilder& f = *builder;
        f.text(QStringLiteral("Name"), QStringLiteral("nameField"), [&f] { return qText(f.item()->name()); },
               [&f](const QString& name) { return f.editor().changeName(f.uuid(), name.toStdString()); });
        if (item->isGroup()) {
            f.check(QStringLiteral("Provides Namespace"), QStringLiteral("providesNamespaceField"),
                    [&f] { return f.item()->group()->providesNamespace(); },
                    [&f](bool on) { f.editor().changeProvidesNamespace(f.uuid(), on); });
        } else {
            addAppearance(f);
            if (const auto* set = item->payloadIf<QuenzColorSet>()) {
                addColorSet(f, *set);
            } else if (const auto* shadowSet = item->payloadIf<QuenzColorShadowSet>()) {
                addShadowSet(f, *shadowSet);
            } else if (item->itemType() == ProjectItemType::shadow) {
                addShadowDetails(f, *item);
            } else {
                addPlainValues(f, *item);
                addAliasTargets(f, *item);
            }
            addDeprecation(f);
        }
        addAssignments(f);
        // Each refresher looks the item up; once it is gone (deleted) the form shows it no more.
        std::vector<std::function<void()>> guarded;
        for (auto& refresh : refreshers_) {
            guarded.push_back([builder, refresh = std::move(refresh)] {
                if (builder->item()) refresh();
            });
        }
        refreshers_ = std::move(guarded);
    }
    setWidget(page);  // deletes the previous page
}

}  // namespace vantorel::app
