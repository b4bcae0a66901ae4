#pragma once
// LocationChooser: the file and folder choosers behind builds and imports (an output folder, a
// custom template, a file to import). Windows ask through this interface so that a test can
// answer in place of the user.

#include <QString>
#include <QStringList>
#include <memory>

class QWidget;

namespace vantorel::app {

class LocationChooser {
public:
    virtual ~LocationChooser() = default;
    // An existing folder; empty when cancelled.
    virtual QString chooseFolder(QWidget* parent, const QString& message, const QString& startFolder) = 0;
    // An existing file matching `nameFilters` ("CSS files (*.css *.scss)"); empty when cancelled.
    virtual QString chooseFile(QWidget* parent, const QString& message, const QString& startFolder,
                               const QStringList& nameFilters) = 0;
};

// The desktop's own file dialogs, with the confirm button "Choose".
class DialogLocationChooser final : public LocationChooser {
public:
    QString chooseFolder(QWidget* parent, const QString& message, const QString& startFolder) override;
    QString chooseFile(QWidget* parent, const QString& message, const QString& startFolder,
                       const QStringList& nameFilters) override;
};

// The application's chooser: the desktop's dialogs unless a test put its own in place.
LocationChooser& locationChooser();
void setLocationChooser(std::unique_ptr<LocationChooser> chooser);

}  // namespace vantorel::app
