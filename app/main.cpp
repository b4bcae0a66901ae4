// vantorel-editor: the desktop editor. Opens the documents named on the command line, or the
// welcome window when there are none.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include "app/DocumentManager.h"
#include "app/SwatchPainter.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantorel"));
    QApplication::setOrganizationName(QStringLiteral("Vantorel"));
    QApplication::setApplicationVersion(QStringLiteral(VANTOREL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("vantorel-editor"));
    QApplication::setWindowIcon(vantorel::app::applicationIcon());

    // An installed editor finds the templates and the default document beside itself.
    const QString installedResources =
        QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("../share/vantorel/resources"));
    if (qEnvironmentVariableIsEmpty("VANTOREL_RESOURCES") && QFileInfo::exists(installedResources)) {
        qputenv("VANTOREL_RESOURCES", QFileInfo(installedResources).absoluteFilePath().toLocal8Bit());
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vantorel, the design-system document editor"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("Documents to open (.vantorel)"),
                                 QStringLiteral("[files...]"));
    parser.process(application);

    vantorel::app::DocumentManager manager;
    for (const QString& file : parser.positionalArguments()) manager.openFile(file);
    if (manager.windows().empty()) manager.showWelcome();
    return QApplication::exec();
}
