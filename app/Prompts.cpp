#include "app/Prompts.h"

#include <QFileDialog>
#include <QMessageBox>

namespace vantorel::app {
namespace {
const QString documentFilter = QStringLiteral("Vantorel Documents (*.vantorel)");
}

SaveChoice DialogPrompts::askSaveChanges(QWidget* parent, const QString& documentName) {
    QMessageBox box(parent);
    box.setIcon(QMessageBox::Warning);
    box.setText(QStringLiteral("Do you want to save the changes made to the document “%1”?").arg(documentName));
    box.setInformativeText(QStringLiteral("Your changes will be lost if you don’t save them."));
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save: return SaveChoice::save;
        case QMessageBox::Discard: return SaveChoice::discard;
        default: return SaveChoice::cancel;
    }
}

QString DialogPrompts::chooseSaveFile(QWidget* parent, const QString& suggestedPath) {
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Save As"), suggestedPath, documentFilter);
    if (!path.isEmpty() && !path.endsWith(QStringLiteral(".vantorel"))) path += QStringLiteral(".vantorel");
    return path;
}

QStringList DialogPrompts::chooseFilesToOpen(QWidget* parent) {
    return QFileDialog::getOpenFileNames(parent, QStringLiteral("Open"), QString(), documentFilter);
}

bool DialogPrompts::askReloadChangedFile(QWidget* parent, const QString& documentName) {
    const auto answer = QMessageBox::question(
        parent, QStringLiteral("Document Changed"),
        QStringLiteral("The file of “%1” was changed by another application. Read it again and lose your "
                       "unsaved changes?")
            .arg(documentName),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes;
}

void DialogPrompts::showError(QWidget* parent, const QString& title, const QString& message) {
    QMessageBox::warning(parent, title, message);
}

}  // namespace vantorel::app
