#include "app/tools/SettingsWindow.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "Vantorel/build/GrantedLocation.h"
#include "VantorelData/model/Uuid.h"
#include "app/ItemPresentation.h"

namespace vantorel::app {

platform::ApplicationSettings& applicationSettings() {
    static platform::ApplicationSettings settings;
    return settings;
}

quenz::RandomColorAlgorithm storedRandomColorAlgorithm(const platform::ApplicationSettings& settings) {
    const auto stored = settings.stringValue(quenz::randomColorAlgorithmSettingKey);
    const auto algorithm = stored ? quenz::randomColorAlgorithmFromCaseName(*stored) : std::nullopt;
    return algorithm.value_or(quenz::RandomColorAlgorithm::pastel);
}

SettingsWindow::SettingsWindow(platform::ApplicationSettings& settings, QWidget* parent)
    : QWidget(parent, Qt::Window), settings_(settings) {
    setWindowTitle(QStringLiteral("Settings"));
    setObjectName(QStringLiteral("settingsWindow"));
    auto* layout = new QVBoxLayout(this);

    auto* colors = new QGroupBox(QStringLiteral("New Colors"), this);
    auto* colorsForm = new QFormLayout(colors);
    algorithm_ = new QComboBox(colors);
    algorithm_->setObjectName(QStringLiteral("randomColorAlgorithmPopup"));
    for (quenz::RandomColorAlgorithm each : quenz::allRandomColorAlgorithms) {
        algorithm_->addItem(qText(quenz::displayName(each)), qText(quenz::caseName(each)));
    }
    colorsForm->addRow(QStringLiteral("Random colors:"), algorithm_);
    auto* colorsNote = new QLabel(QStringLiteral("New color items and the quick convert window start with a random "
                                                 "color of this kind."),
                                  colors);
    colorsNote->setWordWrap(true);
    colorsNote->setForegroundRole(QPalette::PlaceholderText);
    colorsForm->addRow(colorsNote);
    connect(algorithm_, &QComboBox::activated, this, [this] {
        report(settings_.setValue(quenz::randomColorAlgorithmSettingKey, algorithm_->currentData().toString().toStdString()));
    });
    layout->addWidget(colors);

    auto* granted = new QGroupBox(QStringLiteral("Granted Locations"), this);
    auto* grantedLayout = new QVBoxLayout(granted);
    auto* grantedNote = new QLabel(QStringLiteral("Builds write into these folders and read custom templates from "
                                                  "them without asking again."),
                                   granted);
    grantedNote->setWordWrap(true);
    grantedNote->setForegroundRole(QPalette::PlaceholderText);
    grantedLayout->addWidget(grantedNote);
    locations_ = new QListWidget(granted);
    locations_->setObjectName(QStringLiteral("grantedLocationsList"));
    locations_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grantedLayout->addWidget(locations_, 1);
    auto* buttons = new QHBoxLayout;
    auto* add = new QPushButton(QStringLiteral("Add…"), granted);
    add->setObjectName(QStringLiteral("addLocationButton"));
    remove_ = new QPushButton(QStringLiteral("Remove"), granted);
    remove_->setObjectName(QStringLiteral("removeLocationButton"));
    buttons->addWidget(add);
    buttons->addWidget(remove_);
    buttons->addStretch(1);
    grantedLayout->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Grant Access to a Folder"));
        if (!folder.isEmpty()) addLocation(folder);
    });
    connect(remove_, &QPushButton::clicked, this, &SettingsWindow::removeSelectedLocations);
    connect(locations_, &QListWidget::itemSelectionChanged, this,
            [this] { remove_->setEnabled(!locations_->selectedItems().isEmpty()); });
    layout->addWidget(granted, 1);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("settingsStatus"));
    status_->setWordWrap(true);
    layout->addWidget(status_);
    resize(460, 420);
    reload();
}

SettingsWindow& SettingsWindow::shared() {
    static QPointer<SettingsWindow> window;
    if (!window) {
        window = new SettingsWindow(applicationSettings());
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    return *window;
}

void SettingsWindow::reload() {
    settings_.reload();
    algorithm_->setCurrentIndex(
        algorithm_->findData(qText(quenz::caseName(storedRandomColorAlgorithm(settings_)))));
    showLocations();
    report(settings_.readError());
}

void SettingsWindow::showEvent(QShowEvent* event) {
    reload();
    QWidget::showEvent(event);
}

void SettingsWindow::showLocations() {
    locations_->clear();
    for (const build::GrantedLocation& location : build::storedGrantedLocations(settings_)) {
        auto* entry = new QListWidgetItem(QIcon::fromTheme(QStringLiteral("folder")), qText(location.path), locations_);
        entry->setData(Qt::UserRole, qText(location.id));
        entry->setToolTip(qText(location.path));
    }
    remove_->setEnabled(false);
}

void SettingsWindow::addLocation(const QString& path) {
    std::vector<build::GrantedLocation> locations = build::storedGrantedLocations(settings_);
    const std::string granted = path.toStdString();
    if (std::ranges::any_of(locations, [&](const auto& location) { return location.path == granted; })) return;
    // Without security-scoped bookmarks the path itself is the bookmark.
    locations.push_back({makeUuid(), granted, granted});
    report(build::storeGrantedLocations(settings_, locations));
    showLocations();
}

void SettingsWindow::removeSelectedLocations() {
    QStringList removed;
    for (const QListWidgetItem* entry : locations_->selectedItems()) removed << entry->data(Qt::UserRole).toString();
    std::vector<build::GrantedLocation> locations = build::storedGrantedLocations(settings_);
    std::erase_if(locations, [&](const auto& location) { return removed.contains(qText(location.id)); });
    report(build::storeGrantedLocations(settings_, locations));
    showLocations();
}

void SettingsWindow::report(const std::optional<platform::FileError>& error) {
    status_->setText(error ? QStringLiteral("The settings could not be saved: ") + qText(error->message) : QString());
    status_->setVisible(error.has_value());
}

}  // namespace vantorel::app
