// vantorel-editor-screenshots DOCUMENT OUTPUT_FOLDER: opens the editor's windows on a document
// and writes PNG pictures of them: the welcome window, the document window in each display
// mode, the inspector of the first item of each kind, the swatches in each proofing mode,
// the color tools (picker, quick convert, settings), the build and test group windows, the
// test results and the pre-build check. Then it measures how long a document of 10,000 items
// takes to reach a usable window, and how long the table takes to draw each page while
// scrolling through it. Run by scripts/screenshots.sh under Xvfb.

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <cstdio>

#include "Vantorel/shell/Document.h"
#include "VantorelData/format/QuenzColorFileWriter.h"
#include "app/DocumentManager.h"
#include "app/DocumentWindow.h"
#include "app/Inspector.h"
#include "app/WelcomeWindow.h"
#include "QuenzColorUtils/ColorOperations.h"
#include "app/tools/ColorPickerDialog.h"
#include "app/tools/QuickConvertWindow.h"
#include "app/tools/SettingsWindow.h"
#include "app/tools/SwatchProofing.h"
#include "app/builds/BuildGroupEditor.h"
#include "app/builds/MissingBuildItemsDialog.h"
#include "app/testing/TestGroupEditor.h"
#include "app/testing/TestResultsTree.h"
#include "app/testing/TestResultsWindow.h"
#include "app/testing/TestRunController.h"

using namespace vantorel;
using namespace vantorel::app;

namespace {

// The tour never waits for a person: nothing is saved, errors go to the terminal.
class UnattendedPrompts final : public Prompts {
public:
    SaveChoice askSaveChanges(QWidget*, const QString&) override { return SaveChoice::discard; }
    QString chooseSaveFile(QWidget*, const QString&) override { return {}; }
    QStringList chooseFilesToOpen(QWidget*) override { return {}; }
    bool askReloadChangedFile(QWidget*, const QString&) override { return false; }
    void showError(QWidget*, const QString& title, const QString& message) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(message));
    }
};

void settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void shoot(QWidget& widget, const QDir& folder, const QString& name) {
    settle();
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    if (!widget.grab().save(path)) std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    std::printf("%s\n", qPrintable(path));
}

QString kindFileName(ProjectItemType type) {
    QString name = QString::fromUtf8(caseName(type).data(), static_cast<qsizetype>(caseName(type).size()));
    QString dashed;
    for (QChar c : name) dashed += c.isUpper() ? QStringLiteral("-") + c.toLower() : QString(c);
    return dashed;
}

// A document of `groups` groups of `perGroup` colors each.
QString writeLargeDocument(const QTemporaryDir& folder, int groups, int perGroup) {
    auto project = std::make_shared<QuenzColorProject>();
    std::vector<ProjectItemPtr> top;
    for (int g = 0; g < groups; ++g) {
        std::vector<ProjectItemPtr> colors;
        for (int c = 0; c < perGroup; ++c) {
            const double t = static_cast<double>(c) / perGroup;
            colors.push_back(QuenzColorProjectItem::make(
                "Color " + std::to_string(g) + "." + std::to_string(c),
                std::make_shared<QuenzColorItem>(ThemeableColor(quenz::ColorValue{quenz::RGBSpace::sRGB, t, 1 - t, 0.5, 1, 0}))));
        }
        auto group = QuenzColorProjectItem::make("Group " + std::to_string(g), std::make_shared<QuenzColorGroup>(std::move(colors)));
        group->setExpanded(g == 0);
        top.push_back(std::move(group));
    }
    project->setItems(std::move(top));
    project->setDisplayMode(AppContentMode::table);
    const QString path = folder.filePath(QStringLiteral("Large.vantorel"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    const std::string bytes = format::QuenzColorFileWriter::write(*project).bytes;
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path;
}

// Waits for a background job of the window (a test run) to show its result.
template <class Condition>
bool waitFor(Condition condition) {
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < 60000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
    return condition();
}

// The build and test group windows with a task chosen, the results of a test run, and the
// pre-build check of a copy of the document whose custom template is not beside it.
void shootJobWindows(DocumentManager& manager, DocumentWindow& window, const QString& document, const QDir& folder) {
    const auto project = window.session().project();
    BuildGroupEditor& builds = window.showBuildGroupEditor();
    if (!project->buildGroups().empty() && !project->buildGroups().front()->tasks().empty()) {
        builds.select(project->buildGroups().front()->uuid(), project->buildGroups().front()->tasks().front()->uuid());
    }
    shoot(builds, folder, QStringLiteral("build-groups"));
    builds.close();
    TestGroupEditor& tests = window.showTestGroupEditor();
    if (!project->testGroups().empty()) {
        const auto& group = project->testGroups().front();
        tests.select(group->uuid());
        shoot(tests, folder, QStringLiteral("test-groups"));
        if (!group->tests().empty()) tests.select(group->uuid(), group->tests().front()->uuid());
        shoot(tests, folder, QStringLiteral("test-groups-test"));
    }
    tests.close();
    window.action(QStringLiteral("runAllTestsAction"))->trigger();
    if (waitFor([&] { return window.testRuns().resultsWindow() && !window.testRuns().isRunning(); })) {
        TestResultsWindow* results = window.testRuns().resultsWindow();
        shoot(*results, folder, QStringLiteral("test-results"));
        results->failuresOnly().setChecked(true);
        shoot(*results, folder, QStringLiteral("test-results-failures"));
        if (const auto rows = results->results().visiblePairRows(); !rows.empty()) results->results().setCurrentItem(rows.front());
        shoot(window, folder, QStringLiteral("test-failure-selected"));
        results->close();
    }

    QTemporaryDir scratch;
    const QString copy = scratch.filePath(QFileInfo(document).fileName());
    QFile::copy(document, copy);
    DocumentWindow* moved = manager.openFile(copy);
    if (!moved) return;
    moved->action(QStringLiteral("buildAllAction"))->trigger();
    MissingBuildItemsDialog* check = nullptr;
    if (waitFor([&] { return (check = moved->findChild<MissingBuildItemsDialog*>()) != nullptr; })) {
        shoot(*check, folder, QStringLiteral("missing-build-items"));
        check->reject();
    }
    moved->close();
    settle();
}

void measureLargeDocument(DocumentManager& manager, const QDir& folder) {
    QTemporaryDir scratch;
    const QString path = writeLargeDocument(scratch, 100, 100);
    QElapsedTimer timer;
    timer.start();
    DocumentWindow* window = manager.openFile(path);
    if (!window) return;
    window->resize(1280, 800);
    // Usable: the window has laid out and drawn itself once.
    window->grab();
    const qint64 openMs = timer.elapsed();

    // Show all 10,000 items in one table: the top level of a flat document.
    window->session().selection().setSelectedSideBarGroup(nullptr);
    auto* table = window->findChild<QTableView*>(QStringLiteral("itemTable"));
    std::vector<ProjectItemPtr> flat;
    window->session().project()->forEachItem([&](const ProjectItemPtr& item) {
        if (!item->isGroup()) flat.push_back(item);
    });
    window->session().editor().move([&] {
        std::vector<std::string> uuids;
        for (const auto& item : flat) uuids.push_back(item->uuid());
        return uuids;
    }(), std::nullopt, 0);
    settle();
    QElapsedTimer scroll;
    scroll.start();
    int frames = 0;
    QScrollBar* bar = table->verticalScrollBar();
    for (int value = 0; value <= bar->maximum(); value += bar->pageStep()) {
        bar->setValue(value);
        table->viewport()->repaint();
        ++frames;
    }
    const double perFrame = frames ? static_cast<double>(scroll.elapsed()) / frames : 0;
    std::printf("10,000 items: usable window after %lld ms; table of %d rows scrolled in %d pages, %.1f ms per page\n",
                static_cast<long long>(openMs), table->model()->rowCount(), frames, perFrame);
    shoot(*window, folder, QStringLiteral("large-document"));
    window->close();
}

// The swatch grid in each proofing mode, then the color picker, quick convert and settings.
void shootColorTools(DocumentWindow& window, const QDir& folder) {
    window.action(QStringLiteral("gridModeAction"))->trigger();
    for (const ProofingModeEntry& entry : proofingModes()) {
        window.action(QString::fromLatin1(entry.objectName))->trigger();
        QString name = QString::fromLatin1(entry.objectName).remove(QStringLiteral("Action")).mid(8);
        shoot(window, folder, QStringLiteral("proofing-") + name.toLower());
    }
    window.action(QStringLiteral("proofingNoneAction"))->trigger();

    // A vivid green beyond sRGB and Display P3, as OKLCH shows it, and the same in sRGB.
    const quenz::ColorValue green = quenz::fromOKLCH({0.78, 0.3, quenz::radiansFromDegrees(145), 1});
    const quenz::ColorValue start{quenz::RGBSpace::sRGB, 0.16, 0.45, 0.86, 1, 0};
    for (const auto& [space, name] : {std::pair{quenz::ColorSpace::oklch, "color-picker-oklch"},
                                      std::pair{quenz::ColorSpace::displayP3, "color-picker-display-p3"},
                                      std::pair{quenz::ColorSpace::sRGB, "color-picker-srgb"}}) {
        ColorPickerDialog picker(start, space, &window);
        if (space != quenz::ColorSpace::sRGB) picker.setColor(green);
        picker.show();
        shoot(picker, folder, QString::fromLatin1(name));
    }

    QuickConvertWindow convert(start);
    convert.findChild<QComboBox*>(QStringLiteral("toSpacePopup"))->setCurrentIndex(static_cast<int>(quenz::ColorSpace::displayP3));
    convert.show();
    shoot(convert, folder, QStringLiteral("quick-convert"));

    QTemporaryDir scratch;
    platform::ApplicationSettings settings(scratch.filePath(QStringLiteral("settings.json")).toStdString());
    SettingsWindow settingsWindow(settings);
    settingsWindow.addLocation(QStringLiteral("/home/ana/Projects/Aurora/build"));
    settingsWindow.addLocation(QStringLiteral("/home/ana/Templates/Vantorel"));
    settingsWindow.show();
    shoot(settingsWindow, folder, QStringLiteral("settings"));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: vantorel-editor-screenshots DOCUMENT OUTPUT_FOLDER\n");
        return 2;
    }
    QStandardPaths::setTestModeEnabled(true);  // recent documents of the tour, not the user's
    QApplication::setOrganizationName(QStringLiteral("VantorelScreenshots"));
    QApplication::setApplicationName(QStringLiteral("Vantorel"));
    const QString document = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    QDir folder(QString::fromLocal8Bit(argv[2]));
    folder.mkpath(QStringLiteral("."));

    DocumentManager manager;
    manager.setPrompts(std::make_unique<UnattendedPrompts>());
    manager.noteRecentFile(document);
    manager.showWelcome();
    shoot(*manager.welcomeWindow(), folder, QStringLiteral("welcome"));

    DocumentWindow* window = manager.openFile(document);
    if (!window) return 1;
    window->resize(1280, 800);
    const std::array<std::pair<const char*, const char*>, 3> modes = {
        {{"gridModeAction", "document-grid"}, {"tableModeAction", "document-table"}, {"bigTableModeAction", "document-big-table"}}};
    // The first group's items, so that the middle shows something.
    const ProjectItemPtr firstGroup = window->session().project()->items().front();
    window->session().selection().setSelectedSideBarGroup(firstGroup);
    for (const auto& [action, name] : modes) {
        window->action(QString::fromLatin1(action))->trigger();
        shoot(*window, folder, QString::fromLatin1(name));
    }
    window->action(QStringLiteral("gridModeAction"))->trigger();
    window->session().selection().selectItems({});
    shoot(*window, folder, QStringLiteral("inspector-document"));

    std::vector<bool> shown(projectItemTypeCount, false);
    window->session().project()->forEachItem([&](const ProjectItemPtr& item) {
        const auto kind = static_cast<std::size_t>(item->itemType());
        if (shown[kind]) return;
        shown[kind] = true;
        window->revealItem(item->uuid());
        shoot(*window, folder, QStringLiteral("inspector-") + kindFileName(item->itemType()));
        // The whole form, also the part below the window's edge.
        if (QWidget* form = window->inspector().widget()) {
            shoot(*form, folder, QStringLiteral("form-") + kindFileName(item->itemType()));
        }
    });
    window->session().selection().setSelectedSideBarGroup(firstGroup);
    shootColorTools(*window, folder);
    shootJobWindows(manager, *window, document, folder);
    window->close();
    settle();
    measureLargeDocument(manager, folder);
    return 0;
}
