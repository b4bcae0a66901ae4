#include "app/builds/LocationChooser.h"

#include <QFileDialog>

#include "Vantorel/build/MissingBuildItemsModel.h"
#include "app/ItemPresentation.h"

namespace vantorel::app {
namespace {

QString chosenPath(QFileDialog& dialog) {
    dialog.setLabelText(QFileDialog::Accept, qText(build::chooseButtonTitle));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

std::unique_ptr<LocationChooser>& currentChooser() {
    static std::unique_ptr<LocationChooser> chooser = std::make_unique<DialogLocationChooser>();
    return chooser;
}

}  // namespace

LocationChooser& locationChooser() { return *currentChooser(); }

void setLocationChooser(std::unique_ptr<LocationChooser> chooser) {
    currentChooser() = chooser ? std::move(chooser) : std::make_unique<DialogLocationChooser>();
}

QString DialogLocationChooser::chooseFolder(QWidget* parent, const QString& message, const QString& startFolder) {
    QFileDialog dialog(parent, message, startFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return chosenPath(dialog);
}

QString DialogLocationChooser::chooseFile(QWidget* parent, const QString& message, const QString& startFolder,
                                          const QStringList& nameFilters) {
    QFileDialog dialog(parent, message, startFolder);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(nameFilters);
    return chosenPath(dialog);
}

}  // namespace vantorel::app
