#pragma once
// The settings window: the application settings that the user may change, kept in the core's
// settings store. The random color algorithm picks the colors of new color items and of the
// quick convert window; the granted locations are the folders and files that builds may write
// to and read templates from without asking again.

#include <QWidget>

#include "QuenzColorUtils/RandomColor.h"
#include "Vantorel/platform/ApplicationSettings.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace vantorel::app {

// The settings store of this editor process, read from the user's settings file on first use.
platform::ApplicationSettings& applicationSettings();
// The chosen algorithm; pastels when none is stored or the stored name is unknown.
quenz::RandomColorAlgorithm storedRandomColorAlgorithm(const platform::ApplicationSettings& settings);

class SettingsWindow final : public QWidget {
    Q_OBJECT
public:
    explicit SettingsWindow(platform::ApplicationSettings& settings, QWidget* parent = nullptr);

    // The one settings window of the application, made on first use.
    static SettingsWindow& shared();

    // Grants a folder or file (already granted ones are left as they are) / withdraws the
    // selected grants. Each change is written at once.
    void addLocation(const QString& path);
    void removeSelectedLocations();
    // Reads the store again, so that grants made by a build in the meantime show.
    void reload();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showLocations();
    void report(const std::optional<platform::FileError>& error);

    platform::ApplicationSettings& settings_;
    QComboBox* algorithm_ = nullptr;
    QListWidget* locations_ = nullptr;
    QPushButton* remove_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace vantorel::app
