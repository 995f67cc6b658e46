// The Wheel window: empty before a chart, drawn from the same layout as the command line after
// one, rings chosen in the window (at most two around the natal ring), printed and exported, every
// symbol drawn from an installed font; every extra point chosen in the settings drawn apart.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QAbstractButton>
#include <QImage>
#include <QXmlStreamReader>
#include <QtTest>

#include <cmath>

#include "core/ephemeris/time_angles.h"
#include "core/pictures/glyphs.h"
#include "gui/app/main_window.h"
#include "gui/app/window_places.h"
#include "gui/output/help_window.h"
#include "gui/pictures/picture_painting.h"
#include "gui/pictures/wheel_window.h"
#include "gui_fixture.h"
#include "window_helpers.h"

using namespace orrerion;
using namespace orrerion::gui;
using namespace orrerion::gui::testing;

namespace {

WheelView& ViewOf(WheelWindow& window) { return *window.findChild<WheelView*>("picWheel"); }

// The share of a box's pixels (the layout's box mapped into the view) that are far from white.
double InkIn(const QImage& image, const WheelLayout& layout, const WheelBox& box) {
    const double side = std::min(image.width(), image.height());
    const double scale = side / layout.size;
    const double left = (image.width() - side) / 2, top = (image.height() - side) / 2;
    int inked = 0, all = 0;
    for (int y = static_cast<int>(top + box.y * scale); y < static_cast<int>(top + (box.y + box.h) * scale); ++y) {
        for (int x = static_cast<int>(left + box.x * scale); x < static_cast<int>(left + (box.x + box.w) * scale); ++x) {
            ++all;
            if (qGray(image.pixel(x, y)) < 160) ++inked;
        }
    }
    return all ? static_cast<double>(inked) / all : 0.0;
}

}  // namespace

class WheelWindowTest : public QObject {
    Q_OBJECT
private slots:
    void everySymbolHasAFont();
    void wheelFollowsTheCalculationAndItsRings();
    void stelliumStaysInItsHousesAndTheWheelGrowsWithTheWindow();
    void helpKeyShowsTheWheelsHelpAndKeepsTheListing();
    void everyPointChosenInThePreferencesIsDrawnApart();
};

void WheelWindowTest::everySymbolHasAFont() {
    // The symbol font the README installs carries every planet, sign and aspect symbol, so none
    // is ever drawn as an empty box.
    const QFont symbols = SymbolFont();
    QCOMPARE(symbols.family(), QString("Symbola"));
    QStringList missing;
    auto check = [&](std::string_view text) {
        const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        if (!FontHasText(symbols, s)) missing << s;
    };
    for (int body = SUN; body <= MC; ++body) check(BodyGlyph(body));
    for (int sign = 1; sign <= 12; ++sign) check(SignGlyph(sign));
    for (int code = 2; code <= 10; ++code) check(AspectGlyph(code));
    check(RetrogradeGlyph);
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(" ")));
}

void WheelWindowTest::wheelFollowsTheCalculationAndItsRings() {
    GuiFixture f;
    f.Start();
    // Before any chart the window says so.
    f.shell->ShowWheel();
    WheelWindow& window = f.shell->wheel();
    QVERIFY(!ViewOf(window).layout().has_value());

    LoadExampleChart(f);
    f.dialogs.inputAnswers = {"0"};  // no scan
    f.shell->RunCalculation();
    QVERIFY(ViewOf(window).layout().has_value());
    f.shell->unloadWheel();
    f.shell->main().findChild<QAction*>("mnuWheel")->trigger();
    WheelWindow& wheel = f.shell->wheel();
    QVERIFY(wheel.isVisible());
    wheel.resize(700, 800);
    QApplication::processEvents();
    const WheelLayout& layout = *ViewOf(wheel).layout();
    QCOMPARE(layout.rings.size(), std::size_t{2});  // natal and transits
    const QImage image = ViewOf(wheel).grab().toImage();
    SaveScreenshot(wheel, "wheel_natal_transits");
    // Every glyph box is drawn; an empty place (the aspect circle's middle) stays white.
    for (const WheelGlyph& g : layout.glyphs) {
        QVERIFY2(InkIn(image, layout, g.glyphBox) > 0.02, qPrintable(QString("body %1").arg(g.body)));
    }
    const WheelBox middle{layout.centre.x - 3, layout.centre.y - 3, 6, 6};
    QVERIFY(InkIn(image, layout, middle) < 0.5 || !layout.aspects.empty());

    // Tab reaches the orientation pair at its checked button only; a click moves it.
    auto* ascendant = wheel.findChild<QRadioButton*>("optAscendantLeft");
    auto* aries = wheel.findChild<QRadioButton*>("optAriesLeft");
    QVERIFY(ascendant->isChecked());
    QCOMPARE(ascendant->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(aries->focusPolicy(), Qt::ClickFocus);
    aries->click();
    QCOMPARE(aries->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(ascendant->focusPolicy(), Qt::ClickFocus);
    ascendant->click();

    // Every control tells what it does.
    for (QWidget* control : wheel.findChildren<QWidget*>()) {
        if (qobject_cast<QAbstractButton*>(control)) {
            QVERIFY2(!control->toolTip().isEmpty(), qPrintable(control->objectName()));
        }
    }

    // A tri-wheel; a third ring is refused with a word.
    wheel.findChild<QCheckBox*>("chkProgressed")->click();
    QCOMPARE(ViewOf(wheel).layout()->rings.size(), std::size_t{3});
    SaveScreenshot(wheel, "wheel_triwheel");
    wheel.findChild<QCheckBox*>("chkSolarArc")->click();
    QVERIFY(!wheel.findChild<QCheckBox*>("chkSolarArc")->isChecked());
    QCOMPARE(f.dialogs.TakeMessages().size(), std::size_t{1});
    // The choice is a setting, kept in SETTINGS.TXT.
    QVERIFY(f.session.settings.settings.wheelRings ==
            RingSetOf({WheelRing::Natal, WheelRing::Progressed, WheelRing::Transits}));
    QVERIFY(QString::fromStdString(f.ReadDataFile("SETTINGS.TXT")).contains("wheel_rings = natal, progressed, transits"));

    // Exported as SVG: well-formed XML with one element per point of the three rings.
    const QString svg = QString::fromStdString((f.dataDir() / "John_wheel.svg").string());
    f.dialogs.saveAnswers = {svg};
    Press(wheel, "cmdExport");
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    int points = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            xml.attributes().value("class").toString().startsWith("point ")) {
            ++points;
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(points, 34);  // the natal ascendant and midheaven are the axes
    // The window's status line names the file written.
    QCOMPARE(wheel.findChild<QLabel*>("lblNote")->text(), "Saved " + svg);

    // Printed through the print dialog (to a PDF here).
    f.dialogs.printToPdf = QString::fromStdString((f.dataDir() / "wheel.pdf").string());
    Press(wheel, "cmdPrint");
    QVERIFY(QFileInfo(f.dialogs.printToPdf).size() > 1000);
}

void WheelWindowTest::stelliumStaysInItsHousesAndTheWheelGrowsWithTheWindow() {
    // Eight points within 16 degrees of Aquarius around the midheaven, Koch houses.
    GuiFixture f;
    f.Start();
    LoadChart(f, "Chart 1962,04 Feb 1962,12.00,P,5,074.00,40.43", ",07 Dec 2026,12.00,P,5,074.00,40.43");
    f.shell->main().findChild<QAction*>("mnuHouseKoch")->trigger();
    f.dialogs.inputAnswers = {"0"};
    f.shell->RunCalculation();
    f.shell->ShowWheel();
    WheelWindow& wheel = f.shell->wheel();
    for (const char* box : {"chkProgressed", "chkSolarArc", "chkTransits", "chkOuterAspects"}) {
        QCheckBox* check = wheel.findChild<QCheckBox*>(box);
        if (check->isChecked()) check->click();
    }
    wheel.resize(760, 860);
    QApplication::processEvents();
    const WheelLayout natalOnly = *ViewOf(wheel).layout();
    QCOMPARE(natalOnly.houseSystem, std::string("Koch"));
    SaveScreenshot(wheel, "wheel_1962_natal");
    // Every natal glyph within 8 degrees of its longitude: Mars (2°09' Aquarius) and Jupiter
    // (18°33' Aquarius) stay in their sign.
    for (const WheelGlyph& g : natalOnly.glyphs) {
        const WheelPoint m = g.glyphBox.Centre();
        const double drawn = std::atan2(natalOnly.centre.y - m.y, m.x - natalOnly.centre.x) * 180 / PiValue;
        QVERIFY2(std::fabs(std::remainder(drawn - g.trueAngle, 360.0)) <= 8.0, qPrintable(QString::number(g.body)));
    }

    // A tri-wheel with aspects to natal keeps its aspect circle.
    wheel.findChild<QCheckBox*>("chkProgressed")->click();
    wheel.findChild<QCheckBox*>("chkTransits")->click();
    wheel.findChild<QCheckBox*>("chkOuterAspects")->click();
    QApplication::processEvents();
    const WheelLayout& tri = *ViewOf(wheel).layout();
    QCOMPARE(tri.rings.size(), std::size_t{3});
    QVERIFY(std::any_of(tri.aspects.begin(), tri.aspects.end(),
                        [](const WheelAspect& a) { return a.fromRing != WheelRing::Natal; }));
    QVERIFY2(tri.aspectRadius >= 0.135 * tri.size, qPrintable(QString::number(tri.aspectRadius)));
    SaveScreenshot(wheel, "wheel_1962_triwheel_aspects");

    // On a 1366 x 768 screen (a 40-pixel panel below) the window opens inside the screen; a place
    // kept from last time is taken when it lies on the screen, else the window is fitted.
    const QRect laptop(0, 0, 1366, 728);
    wheel.resize(760, 860);
    wheel.move(300, 200);
    FitWindow(wheel, laptop, nullptr);
    QApplication::processEvents();
    const QRect fitted = wheel.frameGeometry();
    QVERIFY2(laptop.contains(fitted), qPrintable(QString("%1 %2 %3 %4").arg(fitted.x()).arg(fitted.y()).arg(fitted.width()).arg(fitted.height())));
    SaveScreenshot(wheel, "wheel_1366x768");
    const WindowPlace kept{"wheel", 20, 30, 820, 600};
    FitWindow(wheel, laptop, &kept);
    QCOMPARE(wheel.geometry(), QRect(20, 30, 820, 600));
    const WindowPlace offScreen{"wheel", 1200, 600, 820, 600};
    FitWindow(wheel, laptop, &offScreen);
    QVERIFY(laptop.contains(wheel.frameGeometry()));
    // Closed, its place is kept in the settings (written to SETTINGS.TXT when the program ends).
    wheel.resize(820, 650);
    wheel.move(40, 50);
    const QRect closedAt = wheel.geometry();
    f.shell->ShowWheel();
    f.shell->wheel().close();
    QTRY_VERIFY(!f.shell->wheelLoaded());
    const WindowPlace* place = f.session.settings.settings.PlaceOf("wheel");
    QVERIFY(place);
    QCOMPARE(QRect(place->x, place->y, place->width, place->height), closedAt);
    f.shell->ShowWheel();
    WheelWindow& reopened = f.shell->wheel();

    // The wheel grows with the window.
    reopened.resize(700, 650);
    QApplication::processEvents();
    const int small = std::min(ViewOf(reopened).width(), ViewOf(reopened).height());
    reopened.resize(1500, 1000);
    QApplication::processEvents();
    const int large = std::min(ViewOf(reopened).width(), ViewOf(reopened).height());
    QVERIFY2(large > small + 100, qPrintable(QString("%1 -> %2").arg(small).arg(large)));
}

void WheelWindowTest::helpKeyShowsTheWheelsHelpAndKeepsTheListing() {
    GuiFixture f;
    f.Start();
    LoadExampleChart(f);
    f.dialogs.inputAnswers = {"30"};
    f.shell->RunCalculation();
    QVERIFY(f.shell->dataWindowLoaded());
    const std::vector<std::string> listing = f.session.calc.out.DataLines.ToVector();
    QVERIFY(listing.size() > 20);
    f.shell->ShowWheel();
    WheelWindow& wheel = f.shell->wheel();
    wheel.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&wheel));
    // F1 is one shortcut for the whole program; in front of the wheel it shows the wheel's help.
    QAction* f1 = f.shell->main().findChild<QAction*>("mnuHelpForWindow");
    QVERIFY(f1);
    QCOMPARE(f1->shortcut(), QKeySequence(Qt::Key_F1));
    f1->trigger();
    QVERIFY(f.shell->helpLoaded());
    QVERIFY(f.shell->help().text().startsWith("WHEEL WINDOW"));
    QVERIFY(f.session.calc.out.DataLines.ToVector() == listing);
    QVERIFY(f.dialogs.messages.empty());
}

void WheelWindowTest::everyPointChosenInThePreferencesIsDrawnApart() {
    // Every extra point under precise positions (the library's files where the machine keeps them),
    // chosen in SETTINGS.TXT as the Preferences window writes it.
    GuiFixture f;
    f.WriteDataFile("SETTINGS.TXT", "ephemeris = precise\npoints = all\n");
    f.Start();
    LoadExampleChart(f);
    f.dialogs.inputAnswers = {"0"};
    f.shell->RunCalculation();
    QVERIFY2(f.session.chartComputed, f.dialogs.messages.empty() ? "" : qPrintable(f.dialogs.messages[0].text));
    f.shell->ShowWheel();
    WheelWindow& wheel = f.shell->wheel();
    wheel.resize(760, 860);
    QApplication::processEvents();
    const WheelLayout& layout = *ViewOf(wheel).layout();
    const QImage image = ViewOf(wheel).grab().toImage();
    SaveScreenshot(wheel, "wheel_all_points");

    // Each ring draws the twelve points and the eleven extra ones (the natal axes are the ASC and MC
    // lines), every glyph inked and in an installed font.
    for (const WheelRing ring : layout.rings) {
        QCOMPARE(std::count_if(layout.glyphs.begin(), layout.glyphs.end(), [&](const WheelGlyph& g) {
                     return g.ring == ring && IsExtraPointBody(g.body);
                 }),
                 std::ptrdiff_t{ExtraPointCount});
    }
    const QFont symbols = SymbolFont();
    for (const WheelGlyph& g : layout.glyphs) {
        QVERIFY2(InkIn(image, layout, g.glyphBox) > 0.02, qPrintable(QString("body %1").arg(g.body)));
        QVERIFY2(FontHasText(symbols, QString::fromStdString(g.glyph)), qPrintable(QString("body %1").arg(g.body)));
    }
    // No glyph or label covers another's: 34 points a ring still stand apart.
    auto overlap = [](const WheelBox& a, const WheelBox& b) {
        return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
    };
    for (std::size_t i = 0; i < layout.glyphs.size(); ++i) {
        for (std::size_t j = i + 1; j < layout.glyphs.size(); ++j) {
            const WheelGlyph& a = layout.glyphs[i];
            const WheelGlyph& b = layout.glyphs[j];
            for (const auto& [boxA, boxB] : {std::pair{a.glyphBox, b.glyphBox}, std::pair{a.glyphBox, b.labelBox},
                                             std::pair{a.labelBox, b.glyphBox}, std::pair{a.labelBox, b.labelBox}}) {
                QVERIFY2(!overlap(boxA, boxB), qPrintable(QString("bodies %1 and %2").arg(a.body).arg(b.body)));
            }
        }
    }
}

QTEST_MAIN(WheelWindowTest)
#include "wheel_window_test.moc"
