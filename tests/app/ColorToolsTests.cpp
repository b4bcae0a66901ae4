// The color tools driven as a user drives them: the color picker in every authoring space, its
// text field and gamut mark; swatch proofing, which must never touch the document; the quick
// convert window with its copy buttons; and the settings window's store.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <cmath>

#include "AppTestSupport.h"
#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorOperations.h"
#include "Vantorel/build/GrantedLocation.h"
#include "VantorelData/format/QuenzColorFileReader.h"
#include "app/tools/ColorGamut.h"
#include "app/tools/ColorPickerDialog.h"
#include "app/tools/QuickConvertWindow.h"
#include "app/tools/ScreenColorSampler.h"
#include "app/tools/SettingsWindow.h"
#include "app/tools/SwatchProofing.h"

using namespace vantorel;
using namespace vantorel::app;
using namespace vantorel::app::testing;

using Channels = std::array<double, 4>;
Q_DECLARE_METATYPE(Channels)
Q_DECLARE_METATYPE(quenz::ColorSpace)
Q_DECLARE_METATYPE(quenz::ColorValue)
Q_DECLARE_METATYPE(vantorel::app::ProofingMode)
Q_DECLARE_METATYPE(vantorel::app::Gamut)

namespace {

ProjectItemPtr firstColorItem(const QuenzColorProject& project) {
    ProjectItemPtr found;
    project.forEachItem([&](const ProjectItemPtr& item) {
        if (!found && item->itemType() == ProjectItemType::color) found = item;
    });
    return found;
}

// Types each channel into its number field, as the user does.
void typeChannels(ColorPickerDialog& picker, const Channels& channels) {
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const QString name = i < 3 ? QStringLiteral("channel%1Field").arg(i) : QStringLiteral("alphaField");
        auto* field = picker.findChild<QDoubleSpinBox*>(name);
        QVERIFY(field);
        field->setValue(channels[i]);
    }
}

void compareChannels(const Channels& actual, const Channels& expected, double tolerance) {
    for (std::size_t i = 0; i < actual.size(); ++i) {
        QVERIFY2(std::abs(actual[i] - expected[i]) <= tolerance,
                 qPrintable(QStringLiteral("channel %1: %2 instead of %3").arg(i).arg(actual[i], 0, 'g', 17).arg(expected[i])));
    }
}

QString pickerText(ColorPickerDialog& picker) {
    return picker.findChild<QLineEdit*>(QStringLiteral("colorTextField"))->text();
}

QString rgbText(const QColor& color) { return QStringLiteral("%1 %2 %3").arg(color.red()).arg(color.green()).arg(color.blue()); }

}  // namespace

class ColorToolsTests : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        useTestSettings();
        // The editor's own settings store lives in a scratch folder, never the user's.
        QVERIFY(configFolder_.isValid());
        qputenv("XDG_CONFIG_HOME", configFolder_.path().toLocal8Bit());
    }
    void cleanup() { SwatchProofing::instance().setMode(ProofingMode::none); }

    void pickedColorIsStoredExactly_data() {
        QTest::addColumn<quenz::ColorSpace>("space");
        QTest::addColumn<Channels>("channels");
        QTest::addColumn<QString>("text");
        QTest::newRow("oklch") << quenz::ColorSpace::oklch << Channels{0.7, 0.1, 200, 1} << "oklch(70% 0.1 200)";
        QTest::newRow("oklch translucent") << quenz::ColorSpace::oklch << Channels{0.55, 0.12, 30.5, 0.4}
                                           << "oklch(55% 0.12 30.5 / 0.4)";
        QTest::newRow("oklab") << quenz::ColorSpace::oklab << Channels{0.62, -0.05, 0.08, 1} << "oklab(62% -0.05 0.08)";
        QTest::newRow("display p3") << quenz::ColorSpace::displayP3 << Channels{1, 0.25, 0.125, 1}
                                    << "color(display-p3 1 0.25 0.125)";
        QTest::newRow("srgb") << quenz::ColorSpace::sRGB << Channels{0.2, 0.4, 0.6, 1} << "#336699";
    }
    void pickedColorIsStoredExactly() {
        QFETCH(quenz::ColorSpace, space);
        QFETCH(Channels, channels);
        QFETCH(QString, text);
        EditorFixture fixture;
        DocumentWindow* window = fixture.manager->openFile(fixture.exampleCopy(QStringLiteral("Picker")));
        QVERIFY(window);
        DocumentSession& session = window->session();
        const ProjectItemPtr item = firstColorItem(*session.project());
        QVERIFY(item);
        const std::string uuid = item->uuid();
        QVERIFY(session.editor().changeColorSpace(uuid, space) || item->color()->colorSpace() == space);
        const quenz::ColorValue before = session.project()->itemWithId(uuid)->color()->color().value(ColorSource::light);
        const int undoCount = session.undoManager().undoCount();

        // The picker is modal: answer it as the user would, once it is up.
        QString shownText;
        quenz::ColorValue picked;
        QTimer::singleShot(0, [&] {
            auto* picker = qobject_cast<ColorPickerDialog*>(QApplication::activeModalWidget());
            QVERIFY(picker);
            QCOMPARE(picker->colorSpace(), space);
            typeChannels(*picker, channels);
            shownText = pickerText(*picker);
            picked = picker->color();
            picker->accept();
        });
        QVERIFY(pickItemColor(window, session, uuid, ColorSource::light));
        QCOMPARE(shownText, text);
        QCOMPARE(session.undoManager().undoCount(), undoCount + 1);

        // The very color picked is stored, in the space's stored form; opened again, the picker
        // shows the channels typed, also after a save and a fresh read of the file.
        const quenz::ColorValue stored = session.project()->itemWithId(uuid)->color()->color().value(ColorSource::light);
        QVERIFY(stored == picked);
        QCOMPARE(stored.space, quenz::rgbSpaceFor(space));
        ColorPickerDialog reopened(stored, space);
        compareChannels(reopened.channels(), channels, 1e-4);
        const QuenzColorProjectPtr saved = format::QuenzColorFileReader::read(documentText(*session.project()));
        QVERIFY(saved && saved->itemWithId(uuid));
        ColorPickerDialog reread(saved->itemWithId(uuid)->color()->color().value(ColorSource::light), space);
        QCOMPARE(pickerText(reread), text);

        session.undoManager().undo();
        QTRY_VERIFY(session.project()->itemWithId(uuid)->color()->color().value(ColorSource::light) == before);
    }

    // Each text form is read by the color parser and checked with it; here, that the field's
    // text reaches the picker in the picker's own space.
    void pickerReadsColorText_data() {
        QTest::addColumn<quenz::ColorSpace>("space");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Channels>("channels");
        QTest::addColumn<double>("tolerance");
        QTest::newRow("hex") << quenz::ColorSpace::sRGB << "#ff8000" << Channels{1, 128 / 255.0, 0, 1} << 1e-12;
        QTest::newRow("rgb() into p3") << quenz::ColorSpace::displayP3 << "rgb(255, 0, 0)"
                                       << Channels{0.9175, 0.2003, 0.1387, 1} << 1e-3;
        QTest::newRow("oklch") << quenz::ColorSpace::oklch << "oklch(62.8% 0.2577 29.2)"
                               << Channels{0.628, 0.2577, 29.2, 1} << 1e-3;
        QTest::newRow("oklab in srgb") << quenz::ColorSpace::sRGB << "oklab(62.8% 0.2249 0.1258)"
                                       << Channels{1, 0, 0, 1} << 2e-3;
        QTest::newRow("display-p3 color()") << quenz::ColorSpace::displayP3 << "color(display-p3 0.5 0.25 1 / 0.5)"
                                            << Channels{0.5, 0.25, 1, 0.5} << 1e-12;
        QTest::newRow("not a number opens black") << quenz::ColorSpace::oklch << "nan" << Channels{0, 0, 0, 1} << 0.0;
        QTest::newRow("not a color keeps the color") << quenz::ColorSpace::sRGB << "teal-ish" << Channels{0.2, 0.4, 0.6, 1}
                                                     << 1e-12;
    }
    void pickerReadsColorText() {
        QFETCH(quenz::ColorSpace, space);
        QFETCH(QString, text);
        QFETCH(Channels, channels);
        QFETCH(double, tolerance);
        const double red = text == QLatin1String("nan") ? std::nan("") : 0.2;
        ColorPickerDialog picker({quenz::RGBSpace::sRGB, red, 0.4, 0.6, 1, 0}, space);
        auto* field = picker.findChild<QLineEdit*>(QStringLiteral("colorTextField"));
        typeInto(field, text);
        compareChannels(picker.channels(), channels, tolerance);
    }

    void pickerMarksColorsOutsideSRGB_data() {
        QTest::addColumn<quenz::ColorSpace>("space");
        QTest::addColumn<Channels>("channels");
        QTest::addColumn<Gamut>("gamut");
        QTest::newRow("srgb orange") << quenz::ColorSpace::sRGB << Channels{1, 0.5, 0, 1} << Gamut::sRGB;
        QTest::newRow("p3 red") << quenz::ColorSpace::displayP3 << Channels{1, 0, 0, 1} << Gamut::displayP3;
        QTest::newRow("oklch green beyond p3") << quenz::ColorSpace::oklch << Channels{0.8, 0.35, 145, 1}
                                               << Gamut::beyondDisplayP3;
        QTest::newRow("extended red") << quenz::ColorSpace::sRGBExtended << Channels{1.3, -0.2, 0, 1}
                                      << Gamut::beyondDisplayP3;
    }
    void pickerMarksColorsOutsideSRGB() {
        QFETCH(quenz::ColorSpace, space);
        QFETCH(Channels, channels);
        QFETCH(Gamut, gamut);
        ColorPickerDialog picker({}, space);
        picker.setChannels(channels);
        QCOMPARE(picker.findChild<QLabel*>(QStringLiteral("gamutLabel"))->text(), gamutDescription(gamut, space));
        QCOMPARE(picker.findChild<QLabel*>(QStringLiteral("gamutLabel"))->text().isEmpty(), gamut == Gamut::sRGB);
        // Switching spaces shows the same color; coming back gives the channels typed.
        for (quenz::ColorSpace other : quenz::allColorSpaces) {
            picker.setColorSpace(other);
            picker.setColorSpace(space);
            compareChannels(picker.channels(), channels, 0);
        }
        // No sampler on a desktop that offers none (the offscreen platform).
        QVERIFY(picker.findChild<QPushButton*>(QStringLiteral("screenSamplerButton"))->isHidden());
    }

    void portalRepliesAreReadSafely() {
        QCOMPARE(ScreenColorSampler::portalColor(1, {}), std::nullopt);
        QCOMPARE(ScreenColorSampler::portalColor(0, {}), std::nullopt);
        QCOMPARE(ScreenColorSampler::portalColor(0, {{QStringLiteral("color"), QStringLiteral("red")}}), std::nullopt);
    }

    void proofingSimulatesVision_data() {
        QTest::addColumn<ProofingMode>("mode");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QString>("shown");
        // Red under protanopia, by hand from Machado's matrix: linear (0.1523, 0.1145, -0.0039).
        QTest::newRow("protanopia red") << ProofingMode::protanopia << QColor(255, 0, 0) << "109 95 0";
        QTest::newRow("deuteranopia green") << ProofingMode::deuteranopia << QColor(0, 255, 0) << "239 214 58";
        QTest::newRow("tritanopia blue") << ProofingMode::tritanopia << QColor(0, 0, 255) << "0 107 150";
        for (ProofingMode mode : {ProofingMode::protanopia, ProofingMode::deuteranopia, ProofingMode::tritanopia,
                                  ProofingMode::achromatopsia, ProofingMode::greyscale}) {
            const QByteArray name = proofingModes()[static_cast<std::size_t>(mode)].objectName;
            QTest::newRow(name + " white") << mode << QColor(255, 255, 255) << "255 255 255";
            QTest::newRow(name + " black") << mode << QColor(0, 0, 0) << "0 0 0";
        }
        QTest::newRow("achromatopsia green") << ProofingMode::achromatopsia << QColor(0, 255, 0) << "220 220 220";
        QTest::newRow("greyscale green") << ProofingMode::greyscale << QColor(0, 255, 0) << "150 150 150";
        QTest::newRow("night shift white") << ProofingMode::nightShift << QColor(255, 255, 255) << "255 206 166";
        QTest::newRow("outside srgb clips") << ProofingMode::outsideSRGB << QColor::fromRgbF(1.2f, -0.1f, 0.5f)
                                            << "255 0 128";
    }
    void proofingSimulatesVision() {
        QFETCH(ProofingMode, mode);
        QFETCH(QColor, color);
        QFETCH(QString, shown);
        QCOMPARE(rgbText(proofedColor(color, mode)), shown);
        QCOMPARE(isBeyondSRGB(color), color.spec() == QColor::ExtendedRgb);
    }

    void proofingLeavesTheSavedFileByteIdentical() {
        EditorFixture fixture;
        const QString path = fixture.exampleCopy(QStringLiteral("Proofing"));
        DocumentWindow* window = fixture.manager->openFile(path);
        QVERIFY(window);
        window->resize(1200, 800);
        window->show();
        QVERIFY(window->save());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        file.close();
        for (const char* view : {"gridModeAction", "tableModeAction"}) {
            trigger(*window, view);
            for (const ProofingModeEntry& entry : proofingModes()) {
                trigger(*window, entry.objectName);
                QCOMPARE(SwatchProofing::instance().mode(), entry.mode);
                QVERIFY(window->action(QString::fromLatin1(entry.objectName))->isChecked());
                window->grab();  // draws every swatch in the mode
                QVERIFY(!window->session().document().isEdited());
            }
        }
        QVERIFY(window->save());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), saved);
    }

    void quickConvertRowsAreCopyable_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quenz::ColorSpace>("from");
        QTest::addColumn<quenz::ColorSpace>("to");
        QTest::newRow("hex to srgb") << "#FF8000" << quenz::ColorSpace::sRGB << quenz::ColorSpace::sRGB;
        QTest::newRow("p3 to oklch") << "color(display-p3 1 0 0)" << quenz::ColorSpace::displayP3
                                     << quenz::ColorSpace::oklch;
        QTest::newRow("oklch to p3") << "oklch(70% 0.1 200 / 0.5)" << quenz::ColorSpace::oklch
                                     << quenz::ColorSpace::displayP3;
        QTest::newRow("swift to extended") << "UIColor(red: 1, green: 0.5, blue: 0, alpha: 1)"
                                           << quenz::ColorSpace::sRGB << quenz::ColorSpace::sRGBExtended;
    }
    void quickConvertRowsAreCopyable() {
        QFETCH(QString, text);
        QFETCH(quenz::ColorSpace, from);
        QFETCH(quenz::ColorSpace, to);
        QuickConvertWindow window({});
        auto* fromPopup = window.findChild<QComboBox*>(QStringLiteral("fromSpacePopup"));
        auto* toPopup = window.findChild<QComboBox*>(QStringLiteral("toSpacePopup"));
        fromPopup->setCurrentIndex(fromPopup->findData(static_cast<int>(from)));
        toPopup->setCurrentIndex(toPopup->findData(static_cast<int>(to)));
        typeInto(window.findChild<QLineEdit*>(QStringLiteral("quickConvertInput")), text);

        const quenz::ConvertedColor parsed =
            quenz::ColorConverter::parseColor(text.toStdString(), quenz::ColorFormat::cssOKLCH, from, true);
        const auto expected = quenz::quickConvertRows(window.model().colorToConvert(), to);
        QVERIFY(!expected.empty());
        QCOMPARE(window.model().data(), expected);
        if (parsed.color) QVERIFY(window.model().colorToConvert() == *parsed.color);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (std::size_t row = 0; row < expected.size(); ++row) {
            // Every row reads whole, however long the initialiser.
            const auto* value = window.findChild<QLineEdit*>(QStringLiteral("quickConvertValue%1").arg(row));
            QVERIFY(value->width() > value->fontMetrics().horizontalAdvance(value->text()));
            auto* copy = window.findChild<QPushButton*>(QStringLiteral("copyButton%1").arg(row));
            QVERIFY(copy);
            QTest::mouseClick(copy, Qt::LeftButton);
            QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(expected[row].value));
        }
        QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("copyButton%1").arg(expected.size())));
        QVERIFY(!window.readColorText(QStringLiteral("no color here")));
        QCOMPARE(window.model().data(), expected);
    }

    void settingsAreKeptInTheApplicationSettings() {
        QTemporaryDir folder;
        const std::filesystem::path file = folder.filePath(QStringLiteral("settings.json")).toStdString();
        platform::ApplicationSettings settings(file);
        SettingsWindow window(settings);
        auto* algorithm = window.findChild<QComboBox*>(QStringLiteral("randomColorAlgorithmPopup"));
        QCOMPARE(algorithm->currentText(), QStringLiteral("Pastels"));
        const int metals = algorithm->findText(QStringLiteral("Metals"));
        algorithm->setCurrentIndex(metals);
        emit algorithm->activated(metals);

        window.addLocation(QStringLiteral("/srv/tokens/out"));
        window.addLocation(QStringLiteral("/home/ana/templates"));
        window.addLocation(QStringLiteral("/srv/tokens/out"));  // granted already
        auto* list = window.findChild<QListWidget*>(QStringLiteral("grantedLocationsList"));
        QCOMPARE(list->count(), 2);
        list->item(0)->setSelected(true);
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("removeLocationButton")), Qt::LeftButton);

        // What another process (a build, the command line) reads from the same file.
        const platform::ApplicationSettings reread(file);
        QCOMPARE(storedRandomColorAlgorithm(reread), quenz::RandomColorAlgorithm::metal);
        QCOMPARE(reread.stringValue(quenz::randomColorAlgorithmSettingKey), std::optional<std::string>("metal"));
        const auto grants = build::storedGrantedLocations(reread);
        QCOMPARE(grants.size(), std::size_t{1});
        QCOMPARE(grants.front().path, std::string("/home/ana/templates"));

        // A grant made elsewhere shows when the window is shown again.
        platform::ApplicationSettings other(file);
        auto more = build::storedGrantedLocations(other);
        more.push_back({"B2C1A1D4-0000-4000-8000-000000000001", "/srv/assets", "/srv/assets"});
        QVERIFY(!build::storeGrantedLocations(other, more));
        window.reload();
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(1)->text(), QStringLiteral("/srv/assets"));
        QCOMPARE(algorithm->currentText(), QStringLiteral("Metals"));
    }

    void newColorsFollowTheChosenAlgorithm() {
        SettingsWindow& settings = SettingsWindow::shared();
        auto* algorithm = settings.findChild<QComboBox*>(QStringLiteral("randomColorAlgorithmPopup"));
        const int monochrome = algorithm->findText(QStringLiteral("Monochrome"));
        algorithm->setCurrentIndex(monochrome);
        emit algorithm->activated(monochrome);
        EditorFixture fixture;
        DocumentWindow* window = fixture.manager->openFile(fixture.exampleCopy(QStringLiteral("Monochrome")));
        QVERIFY(window);
        for (int i = 0; i < 3; ++i) trigger(*window, "addColorAction");
        int grays = 0;
        window->session().project()->forEachItem([&](const ProjectItemPtr& item) {
            if (item->itemType() != ProjectItemType::color || item->name() != "Color") return;
            const quenz::ColorValue c = item->color()->color().value(ColorSource::light);
            grays += std::abs(c.red - c.green) < 1e-6 && std::abs(c.green - c.blue) < 1e-6;
        });
        QCOMPARE(grays, 3);
        delete &settings;
    }

private:
    QTemporaryDir configFolder_;
};

QTEST_MAIN(ColorToolsTests)
#include "ColorToolsTests.moc"
