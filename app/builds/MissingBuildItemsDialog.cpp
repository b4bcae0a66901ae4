#include "app/builds/MissingBuildItemsDialog.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ItemPresentation.h"
#include "app/builds/LocationChooser.h"

namespace vantorel::app {
namespace {

QString rowHeading(const build::BuildRequirement& requirement) {
    const QString task = requirement.task ? qText(requirement.task->name()) : QString();
    return qText(requirement.groupName) + QStringLiteral(" › ") + task;
}

QString statusColor(const build::BuildRequirement& requirement) {
    if (requirement.isReady()) return QStringLiteral("#1f7a3a");
    return requirement.problem == build::BuildRequirement::Problem::missing ? QStringLiteral("#b3261e")
                                                                             : QStringLiteral("#a05a00");
}

}  // namespace

MissingBuildItemsDialog::MissingBuildItemsDialog(std::unique_ptr<build::MissingBuildItemsModel> model,
                                                 QWidget* parent)
    : QDialog(parent), model_(std::move(model)) {
    setObjectName(QStringLiteral("missingBuildItemsDialog"));
    setWindowTitle(qText(build::missingBuildItemsTitle));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("Some locations this build writes to or reads from can't be reached."));
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* list = new QWidget;
    rows_ = new QVBoxLayout(list);
    rows_->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list);
    layout->addStretch(1);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(qText(build::cancelButtonTitle), QDialogButtonBox::RejectRole);
    confirm_ = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    confirm_->setObjectName(QStringLiteral("continueButton"));
    confirm_->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        accept();
        model_->confirm();
    });
    fillRows();
    resize(560, sizeHint().height());
}

MissingBuildItemsDialog::~MissingBuildItemsDialog() = default;

void MissingBuildItemsDialog::chooseLocation(std::size_t row) {
    const auto& requirements = model_->requirements();
    if (row >= requirements.size()) return;
    const build::BuildRequirement& requirement = requirements[row];
    const QString message = qText(build::chooserMessage(requirement));
    const QString start = requirement.location ? QString::fromStdString(requirement.location->parent_path().string())
                                               : QString();
    const QString chosen = requirement.kind == build::BuildRequirement::Kind::exportFolder
                               ? locationChooser().chooseFolder(this, message, start)
                               : locationChooser().chooseFile(this, message, start, {QStringLiteral("Templates (*.stencil *.txt)"),
                                                                            QStringLiteral("All files (*)")});
    if (chosen.isEmpty()) return;
    model_->choose(row, chosen.toStdString());
    fillRows();
}

void MissingBuildItemsDialog::fillRows() {
    // The rows go after the click that asked for this has returned: its button is in one.
    while (QLayoutItem* item = rows_->takeAt(0)) {
        if (QWidget* row = item->widget()) {
            row->hide();
            row->setParent(nullptr);
            row->deleteLater();
        }
        delete item;
    }
    const auto& requirements = model_->requirements();
    for (std::size_t row = 0; row < requirements.size(); ++row) {
        const build::BuildRequirement& requirement = requirements[row];
        auto* frame = new QFrame;
        frame->setFrameShape(QFrame::StyledPanel);
        auto* grid = new QGridLayout(frame);
        auto* heading = new QLabel(QStringLiteral("<b>%1</b>").arg(rowHeading(requirement).toHtmlEscaped()));
        grid->addWidget(heading, 0, 0);
        auto* status = new QLabel(qText(build::statusLabel(requirement.problem)));
        status->setObjectName(QStringLiteral("statusLabel"));
        status->setStyleSheet(QStringLiteral("color: %1; font-weight: bold;").arg(statusColor(requirement)));
        grid->addWidget(status, 0, 1, Qt::AlignRight);
        auto* title = new QLabel(qText(build::requirementTitle(requirement)) +
                                 (requirement.kind == build::BuildRequirement::Kind::customTemplate
                                      ? QStringLiteral(" · ") + qText(build::locationText(requirement))
                                      : QString()));
        title->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(title, 1, 0, 1, 2);
        auto* explanation = new QLabel(qText(build::explanation(requirement.kind, requirement.problem)));
        explanation->setWordWrap(true);
        explanation->setStyleSheet(QStringLiteral("color: palette(placeholder-text);"));
        grid->addWidget(explanation, 2, 0);
        auto* choose = new QPushButton(QStringLiteral("Choose…"));
        choose->setObjectName(QStringLiteral("chooseButton"));
        connect(choose, &QPushButton::clicked, this, [this, row] { chooseLocation(row); });
        grid->addWidget(choose, 2, 1, Qt::AlignRight);
        grid->setColumnStretch(0, 1);
        rows_->addWidget(frame);
    }
    confirm_->setText(qText(model_->confirmButtonTitle()));
}

}  // namespace vantorel::app
