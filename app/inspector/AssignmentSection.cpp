#include <QLineEdit>

#include "app/inspector/FormBuilder.h"
#include "app/inspector/Sections.h"

namespace vantorel::app::inspector {

void addAssignments(FormBuilder& form) {
    form.section(QStringLiteral("Build & Test"));
    Options build = {{QStringLiteral("None"), QString()}};
    for (const auto& group : form.project().buildGroups()) build.emplace_back(qText(group->name()), qText(group->uuid()));
    form.choice(QStringLiteral("Build Group"), QStringLiteral("buildGroupField"), build,
                [&form] { const auto& g = form.item()->buildGroup(); return g ? qText(g->uuid()) : QString(); },
                [&form](const QString& key) {
                    form.editor().changeBuildGroup(form.uuid(), key.isEmpty() ? std::nullopt : std::optional(key.toStdString()));
                });
    Options test = {{QStringLiteral("None"), QString()}};
    for (const auto& group : form.project().testGroups()) test.emplace_back(qText(group->name()), qText(group->uuid()));
    form.choice(QStringLiteral("Test Group"), QStringLiteral("testGroupField"), test,
                [&form] { const auto& g = form.item()->testGroup(); return g ? qText(g->uuid()) : QString(); },
                [&form](const QString& key) {
                    form.editor().changeTestGroup(form.uuid(), key.isEmpty() ? std::nullopt : std::optional(key.toStdString()));
                });
    form.choice(QStringLiteral("Test Role"), QStringLiteral("testRoleField"),
                enumOptions(std::array{TestPosition::foreground, TestPosition::background, TestPosition::both},
                            [](TestPosition p) { return displayName(p); }),
                [&form] { return enumKey(form.item()->testPosition()); },
                [&form](const QString& key) {
                    form.editor().changeTestPosition(form.uuid(), static_cast<TestPosition>(key.toInt()));
                });
}

void addDeprecation(FormBuilder& form) {
    form.section(QStringLiteral("Deprecation"));
    form.check(QStringLiteral("Deprecated"), QStringLiteral("deprecatedField"),
               [&form] { return form.item()->valueItem()->deprecated(); },
               [&form](bool on) { form.editor().changeDeprecated(form.uuid(), on); });
    QLineEdit* reason = form.text(
        QStringLiteral("Reason"), QStringLiteral("deprecatedReasonField"),
        [&form] { return qText(form.item()->valueItem()->deprecatedReason().value_or(std::string())); },
        [&form](const QString& t) {
            return form.editor().changeDeprecatedReason(
                form.uuid(), t.isEmpty() ? std::nullopt : std::optional(t.toStdString()));
        });
    reason->setPlaceholderText(QStringLiteral("Use … instead"));
}

}  // namespace vantorel::app::inspector
