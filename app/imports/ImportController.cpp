#include "app/imports/ImportController.h"

#include <QAction>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

#include "app/DocumentSession.h"
#include "app/ItemPresentation.h"
#include "app/Prompts.h"
#include "app/builds/BackgroundJob.h"
#include "app/builds/LocationChooser.h"

namespace vantorel::app {
namespace {

const QString importErrorTitle = QStringLiteral("Import Error");

QString actionName(const import::ImportKindInfo& kind) {
    QString name;
    bool upper = true;
    for (QChar c : qText(kind.commandName)) {
        if (c == QLatin1Char('-')) {
            upper = true;
            continue;
        }
        name += upper ? c.toUpper() : c;
        upper = false;
    }
    return QStringLiteral("import") + name + QStringLiteral("Action");
}

QStringList nameFilters(const import::ImportKindInfo& kind) {
    QStringList patterns;
    for (std::string_view extension : kind.extensions) patterns << QStringLiteral("*.") + qText(extension);
    return {qText(kind.title) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QStringLiteral(")"),
            QStringLiteral("All files (*)")};
}

}  // namespace

ImportController::ImportController(DocumentSession& session, Prompts& prompts,
                                   QMainWindow& window, std::function<void(const std::string&)> reveal)
    : QObject(&window), session_(session), prompts_(prompts), window_(window), reveal_(std::move(reveal)) {}

void ImportController::fillMenu(QMenu& menu) {
    for (const import::ImportKindInfo& kind : import::Importer::kinds()) {
        QAction* action = menu.addAction(qText(kind.title) + QStringLiteral("…"));
        action->setObjectName(actionName(kind));
        const import::ImportKind chosen = kind.kind;
        connect(action, &QAction::triggered, this, [this, chosen] { chooseAndImport(chosen); });
    }
}

void ImportController::chooseAndImport(import::ImportKind kind) {
    const import::ImportKindInfo* info = import::Importer::kind(kind);
    if (!info || isImporting()) return;
    const auto& document = session_.document().file();
    const QString start = document ? QString::fromStdString(document->parent_path().string()) : QDir::homePath();
    const QString message = QStringLiteral("Import ") + qText(info->title);
    const QString chosen = kind == import::ImportKind::assetCatalog
                               ? locationChooser().chooseFolder(&window_, message, start)
                               : locationChooser().chooseFile(&window_, message, start, nameFilters(*info));
    if (!chosen.isEmpty()) importFile(kind, chosen.toStdString());
}

void ImportController::importFile(import::ImportKind kind, const std::filesystem::path& file) {
    if (isImporting()) return;
    // The importer reads the file into a group of its own; the document is touched only after.
    std::function<import::ImportResult(BackgroundJob&)> work = [kind, file](BackgroundJob&) {
        return import::Importer::importFile(kind, file);
    };
    std::function<void(import::ImportResult&)> done = [this](import::ImportResult& result) {
        job_ = nullptr;
        window_.statusBar()->clearMessage();
        if (result.error || !result.group) {
            const std::string message =
                result.error ? import::importFailureMessage(*result.error) : "Failed to import colors.";
            prompts_.showError(&window_, importErrorTitle, qText(message));
            emit importFinished({});
            return;
        }
        if (!import::Importer::insert(session_.document(), result.group)) {
            emit importFinished({});
            return;
        }
        if (reveal_) reveal_(result.group->uuid());
        emit importFinished(qText(result.group->uuid()));
    };
    job_ = startBackgroundJob(this, std::move(work), std::move(done));
    window_.statusBar()->showMessage(QStringLiteral("Importing…"));
}

}  // namespace vantorel::app
