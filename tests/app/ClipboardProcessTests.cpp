// Copy in the editor, read in another process: a helper run of this very binary reads the
// system clipboard as any other program would and hands our payload to `vantorel paste`,
// which must paste the copied items into a second document.
//
// A clipboard shared between processes needs a window system: under the offscreen platform
// each process has a clipboard of its own, and the test skips. CTest runs it a second time
// under xvfb-run on the X11 platform when xvfb-run is installed.

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QProcess>
#include <QSignalSpy>
#include <cstdio>
#include <cstring>

#include "AppTestSupport.h"
#include "app/SystemClipboard.h"

using namespace vantorel;
using namespace vantorel::app;
using namespace vantorel::app::testing;

namespace {

constexpr const char* printClipboardMode = "--print-clipboard";

// The helper run: our payload from the clipboard on standard output, or exit code 3 when the
// clipboard holds none.
int printClipboard(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QString type = QString::fromLatin1(projectItemsMimeType);
    if (!data || !data->hasFormat(type)) return 3;
    const QByteArray payload = data->data(type);
    std::fwrite(payload.constData(), 1, static_cast<std::size_t>(payload.size()), stdout);
    return 0;
}

}  // namespace

class ClipboardProcessTests : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useTestSettings(); }

    void anotherProcessPastesWhatTheEditorCopied() {
        if (QGuiApplication::platformName() == QStringLiteral("offscreen")) {
            QSKIP("the offscreen platform keeps the clipboard inside the process; run under xvfb-run with QT_QPA_PLATFORM=xcb");
        }
        EditorFixture fixture;
        DocumentWindow* window = fixture.manager->openFile(fixture.exampleCopy(QStringLiteral("Copied")));
        QVERIFY(window);
        const ProjectItemPtr teal = itemNamed(*window->session().project(), "Teal");
        window->revealItem(teal->uuid());
        trigger(*window, "copyAction");

        // The editor must keep answering the window system while the other process reads.
        QProcess reader;
        QSignalSpy finished(&reader, &QProcess::finished);
        reader.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(printClipboardMode)});
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
        QCOMPARE(reader.exitCode(), 0);
        const QByteArray payload = reader.readAllStandardOutput();
        QVERIFY(!payload.isEmpty());

        const QString target = fixture.exampleCopy(QStringLiteral("Target"));
        QProcess paste;
        paste.start(QStringLiteral(VANTOREL_CLI), {QStringLiteral("paste"), target});
        QVERIFY(paste.waitForStarted());
        paste.write(payload);
        paste.closeWriteChannel();
        QVERIFY(paste.waitForFinished(20000));
        QCOMPARE(paste.exitCode(), 0);
        const auto opened = shell::Document::open(target.toStdString()).document;
        QVERIFY(opened);
        int teals = 0;
        opened->project()->forEachItem([&](const ProjectItemPtr& item) { teals += item->name() == "Teal"; });
        QCOMPARE(teals, 2);  // its own and the pasted one
    }
};

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], printClipboardMode) == 0) return printClipboard(argc, argv);
    QApplication application(argc, argv);
    ClipboardProcessTests tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "ClipboardProcessTests.moc"
