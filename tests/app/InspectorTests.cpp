// The inspector driven field by field: every change is one undo step under its documented name
// and one undo restores the document; a ramp's steps after a change are the core's own
// interpolation; a shadow's preview draws the shadow's own values.

#include <QComboBox>
#include <QImage>

#include "AppTestSupport.h"
#include "app/ItemPresentation.h"
#include "app/inspector/CurveView.h"
#include "app/inspector/ShadowPreview.h"

using namespace vantorel;
using namespace vantorel::app;
using namespace vantorel::app::testing;

namespace {

QString key(auto value) { return QString::number(static_cast<int>(value)); }

// Commits `value` in the named field as the user would: typed into a line, chosen in a list.
void commitField(DocumentWindow& window, const QString& name, const QString& value) {
    QWidget* field = window.inspector().findChild<QWidget*>(name);
    QVERIFY2(field, qPrintable(name));
    if (auto* box = qobject_cast<QComboBox*>(field)) {
        const int index = box->findData(value);
        QVERIFY2(index >= 0, qPrintable(value));
        box->setCurrentIndex(index);
        emit box->activated(index);
    } else {
        typeInto(qobject_cast<QLineEdit*>(field), value);
    }
}

DocumentWindow* openShowing(EditorFixture& fixture, const QString& copy, const std::string& item) {
    DocumentWindow* window = fixture.manager->openFile(fixture.exampleCopy(copy));
    if (!window) return nullptr;
    const ProjectItemPtr shown = itemNamed(*window->session().project(), item);
    if (!shown) return nullptr;
    window->revealItem(shown->uuid());
    return window;
}

}  // namespace

class InspectorTests : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useTestSettings(); }

    void eachChangeIsOneNamedUndoStep_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("undoTitle");
        QTest::newRow("ramp curve") << "Blue" << "curveField" << key(CurveType::cosine) << "Undo Change Curve Type";
        QTest::newRow("ramp space") << "Blue" << "interpolationField" << key(InterpolationMethod::oklch) << "Undo Change Interpolation";
        QTest::newRow("ramp amount") << "Blue" << "curveAmountField" << "0.5" << "Undo Change Curve Amount";
        QTest::newRow("ramp step count") << "Blue" << "stepCountField" << "9" << "Undo Change Steps";
        QTest::newRow("ramp naming") << "Blue" << "namingField" << key(ColorNamingScheme::smallNumeric) << "Undo Change Naming Scheme";
        QTest::newRow("ramp set type") << "Blue" << "setTypeField" << key(SetType::manual) << "Undo Change Set Type";
        QTest::newRow("ramp last anchor") << "Blue" << "stepColorField-4-light" << "#203040" << "Undo Change Color";
        QTest::newRow("manual step") << "Accent" << "stepColorField-1-light" << "#405060" << "Undo Change Color";
        QTest::newRow("shadow blur") << "Card" << "shadowBlurField-light" << "20" << "Undo Change Blur";
        QTest::newRow("shadow set anchor") << "Levels" << "shadowBlurField-3-light" << "30" << "Undo Change Blur";
        QTest::newRow("shadow set curve") << "Levels" << "curveField" << key(CurveType::hermite5) << "Undo Change Curve Type";
        QTest::newRow("number steps") << "XS" << "numberStepsField" << "4" << "Undo Change Steps";
        QTest::newRow("test role") << "Text" << "testRoleField" << key(TestPosition::background) << "Undo Change Test Role";
        QTest::newRow("three-value middle") << "Coral" << "middleLocationField" << "0.3" << "Undo Change Middle Color";
    }
    void eachChangeIsOneNamedUndoStep() {
        QFETCH(QString, item);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, undoTitle);
        EditorFixture fixture;
        DocumentWindow* window = openShowing(fixture, QStringLiteral("Steps"), item.toStdString());
        QVERIFY(window);
        const std::string opened = documentText(*window->session().project());
        const int steps = window->session().undoManager().undoCount();

        commitField(*window, field, value);
        QCOMPARE(window->action(QStringLiteral("undoAction"))->text(), undoTitle);
        QCOMPARE(window->session().undoManager().undoCount(), steps + 1);
        QVERIFY(documentText(*window->session().project()) != opened);

        trigger(*window, "undoAction");
        QTRY_COMPARE(documentText(*window->session().project()), opened);
    }

    // Interpolated steps are shown and follow their anchors; only anchors take typing.
    void everyStepOfARampIsShownAndOnlyAnchorsAreTyped() {
        EditorFixture fixture;
        DocumentWindow* window = openShowing(fixture, QStringLiteral("Every"), "Blue");
        QVERIFY(window);
        const auto set = itemNamed(*window->session().project(), "Blue")->colorSet();
        const std::size_t count = set->stepValues().size();
        QVERIFY(count > 2);
        for (std::size_t step = 0; step < count; ++step) {
            auto* field = inspectorField<QLineEdit>(*window, QStringLiteral("stepColorField-%1-light").arg(step).toLatin1());
            QVERIFY(field);
            QCOMPARE(field->isReadOnly(), step != 0 && step + 1 != count);
        }
        QVERIFY(window->inspector().findChild<QWidget*>(QStringLiteral("stepStrip")));
        QVERIFY(window->inspector().findChild<inspector::CurveView*>());
    }

    void aCurveChangeGivesTheCoresInterpolation_data() {
        QTest::addColumn<int>("curve");
        QTest::addColumn<int>("method");
        QTest::newRow("cosine, linear light") << int(CurveType::cosine) << int(InterpolationMethod::linear);
        QTest::newRow("hermite 3, OKLCH") << int(CurveType::hermite3) << int(InterpolationMethod::oklch);
        QTest::newRow("hermite 5, OKLAB") << int(CurveType::hermite5) << int(InterpolationMethod::oklab);
        QTest::newRow("Lamé, legacy") << int(CurveType::lame) << int(InterpolationMethod::linearLegacy);
    }
    void aCurveChangeGivesTheCoresInterpolation() {
        QFETCH(int, curve);
        QFETCH(int, method);
        EditorFixture fixture;
        DocumentWindow* window = openShowing(fixture, QStringLiteral("Curve"), "Blue");
        QVERIFY(window);
        // The model regenerates a copy of the ramp by itself; the editor must end up there.
        QuenzColorSet expected = *itemNamed(*window->session().project(), "Blue")->colorSet();
        expected.setInterpolationMethod(static_cast<InterpolationMethod>(method));
        expected.setCurveType(static_cast<CurveType>(curve));
        expected.regenerate();

        commitField(*window, QStringLiteral("interpolationField"), QString::number(method));
        const int before = window->session().undoManager().undoCount();
        commitField(*window, QStringLiteral("curveField"), QString::number(curve));
        QCOMPARE(window->session().undoManager().undoCount(), before + 1);

        const auto edited = itemNamed(*window->session().project(), "Blue")->colorSet();
        QCOMPARE(edited->stepValues().size(), expected.stepValues().size());
        for (std::size_t step = 0; step < expected.stepValues().size(); ++step) {
            for (ColorSource source : allColorSources) {
                QVERIFY(edited->stepValues()[step].value(source) == expected.stepValues()[step].value(source));
            }
        }
        // The shown step text follows the new ramp.
        auto* middle = inspectorField<QLineEdit>(*window, "stepColorField-2-light");
        QVERIFY(middle);
        QCOMPARE(middle->text(), colorText(expected.stepValues()[2].value(ColorSource::light), edited->colorFormat(),
                                           edited->colorSpace()));
    }

    // The preview draws the shadow where its own offset puts it: a shadow moved down darkens
    // below the card and leaves the surface above it untouched.
    void theShadowPreviewDrawsTheShadowsOwnValues() {
        EditorFixture fixture;
        DocumentWindow* window = openShowing(fixture, QStringLiteral("Shadow"), "Card");
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        auto* preview = window->inspector().findChild<inspector::ShadowPreview*>(QStringLiteral("shadowPreview-light"));
        QVERIFY(preview);
        commitField(*window, QStringLiteral("shadowColorField-light"), QStringLiteral("rgb(0, 0, 0)"));
        commitField(*window, QStringLiteral("shadowYField-light"), QStringLiteral("24"));
        commitField(*window, QStringLiteral("shadowBlurField-light"), QStringLiteral("2"));
        const ShadowDetails shown = itemNamed(*window->session().project(), "Card")->shadow()->shadow().value(ColorSource::light);
        QCOMPARE(preview->shadows().size(), std::size_t{1});
        QVERIFY(preview->shadows().front() == shown);
        QCOMPARE(shown.yOffset, 24.0);

        const QImage picture = preview->grab().toImage();
        const QPoint centre = picture.rect().center();
        // The card is at most 64 px high: 40 px above and below the centre lie outside it.
        const QColor above = picture.pixelColor(centre.x(), centre.y() - 40);
        const QColor below = picture.pixelColor(centre.x(), centre.y() + 40);
        QVERIFY2(below.lightness() < above.lightness() - 60,
                 qPrintable(QStringLiteral("above %1, below %2").arg(above.lightness()).arg(below.lightness())));
    }
};

QTEST_MAIN(InspectorTests)
#include "InspectorTests.moc"
