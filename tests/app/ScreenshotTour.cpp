// vantorel-editor-screenshots DOCUMENT OUTPUT_FOLDER: opens the editor's windows on a document
// and writes PNG pictures of them: the welcome window, the document window in each display
// mode, and the inspector of the first item of each kind. Then it measures how long a
// document of 10,000 items takes to reach a usable window, and how long the table takes to
// draw each page while scrolling through it. Run by scripts/screenshots.sh under Xvfb.

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
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
    window->close();
    settle();
    measureLargeDocument(manager, folder);
    return 0;
}
