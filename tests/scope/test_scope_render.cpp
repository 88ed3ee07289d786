// The program's redraw (ScopeRenderer: the map's tiles kept between redraws, texts and small
// outlines drawn from what earlier redraws kept) against the straightforward one that draws
// everything with the painter, pixel for pixel, through a sequence of changes; a drag and
// wheel steps against a fresh redraw of each view; a picture of device pixel ratio 2; a
// drawing that changes nothing of the state; the demo sector after the program's start
// against a stored picture.
#include "scope/ScopeInteraction.h"
#include "scope/ScopeRenderer.h"
#include "support/ScopeFixture.h"
#include "state/Settings.h"
#include "state/Ticks.h"
#include "traffic/Routes.h"
#include "traffic/TrafficOps.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace zaz;

namespace {

const QString kData = QStringLiteral(ZAZ_SOURCE_DIR "/data");
const QString kSector = kData + QStringLiteral("/secteurs/LFLL_Lyon.sct");
const QString kGolden = QStringLiteral(ZAZ_SOURCE_DIR "/tests/data/golden_demo_sector.png");
// The time the stored picture's text block shows.
const QDateTime kNow(QDate(2000, 1, 1), QTime(12, 0, 0), Qt::UTC);

// The state after the program's start with the delivered settings and the demo sector, for a
// picture of this size; the scope font set, so that the picture does not depend on the
// machine's default font.
void StartWithTheDemoSector(RadarState &s, QSize picture)
{
    const IniFile ini(kData + QStringLiteral("/ZAZ.ini"));
    SettingsReport report;
    Settings::ReadRingSpacing(ini, s.view, report);
    Settings::ReadDisplay(ini, s.settings, report);
    Settings::ReadSector(ini, s.settings);
    s.settings.display.screenFontName = QStringLiteral("DejaVu Sans Mono");
    s.view.scale = float(picture.height()) / float(s.view.range);
    QString error;
    std::optional<SectorLoadResult> sector = ReadSectorFile(kSector, ReadSettingsOf(s), error);
    ASSERT_TRUE(sector.has_value()) << error.toStdString();
    ApplySectorLoad(s, std::move(*sector));
}

// A position from the server, in degrees from the own position.
AVION &Position(RadarState &s, const QString &callsign, double north, double east, int altitude,
                const QDateTime &now, const char *squawk = "1200", int heading = 0)
{
    const float lat = float(s.sector.identity.ownLat + north), lon = float(s.sector.identity.ownLon + east);
    const ServerPosition p{"N", callsign, squawk, "1", lat, lon, altitude, 300, heading};
    return s.traffic.table.edit(ApplyServerPosition(s.traffic, p, true, now));
}

// Aircraft around the own position with trails of seven positions: an emergency, handoffs, a
// pending command, some below the transition altitude, the selected one with its route shown.
void AddTraffic(RadarState &s, const QDateTime &now)
{
    for (int step = 0; step < 6; ++step)
        for (int n = 0; n < 10; ++n)
            Position(s, QStringLiteral("AFR%1").arg(n), -0.5 + 0.11 * n + 0.02 * step * (n % 3 - 1),
                     -0.7 + 0.15 * n + 0.02 * step, 2000 + 3500 * n + 100 * step, now, n == 4 ? "7700" : "1200",
                     30 * n);
    Position(s, QStringLiteral("AFR1"), -0.39, -0.55, 5600, now).handoffFrom = QStringLiteral("LFLL_APP");
    Position(s, QStringLiteral("AFR2"), -0.28, -0.4, 9100, now).handoffState = QStringLiteral("D");
    Position(s, QStringLiteral("AFR3"), -0.17, -0.25, 12600, now).handoffState = QStringLiteral("A");
    Position(s, QStringLiteral("AFR6"), 0.16, 0.2, 23100, now).commandPending = true;
    s.traffic.SelectedAircraft = s.traffic.table.FindAircraft(QStringLiteral("AFR7"));
    s.traffic.table.edit(s.traffic.SelectedAircraft).routePoints = BuildRoute(s.sector, {"MTL", "LSE", "DJL"}, 2);
    s.scope.routeKeyHeld = true;
}

class ScopeRender : public ::testing::Test {
protected:
    ScopeRender()
    {
        StartWithTheDemoSector(s_, program_.size());
        AddTraffic(s_, now_);
    }
    // The model's step, then both redraws three times (the renderer notes texts and outlines,
    // takes them, then draws from them); the map kept from the last redraw or drawn again.
    void check(const char *step, bool mapKept)
    {
        StepBeforeRedraw(s_, now_);
        const quint64 signature = std::exchange(signature_, MapSignature(SceneOf(s_)));
        EXPECT_EQ(signature == signature_, mapKept) << step;
        for (int redraw = 0; redraw < 3; ++redraw) {
            renderer_.draw(program_, SceneOf(s_), now_);
            DrawScopeStraight(straight_, SceneOf(s_), now_);
            ASSERT_TRUE(program_ == straight_) << step << ", redraw " << redraw;
        }
    }

    RadarState s_;
    ScopeRenderer renderer_;
    QImage program_{QSize(800, 600), QImage::Format_RGB32};
    QImage straight_{program_.size(), QImage::Format_RGB32};
    QDateTime now_ = kNow;
    quint64 signature_ = 0;
};

TEST_F(ScopeRender, SameAsTheStraightforwardRedrawThroughChanges)
{
    check("first draw", false);
    now_ = now_.addSecs(5);
    Position(s_, QStringLiteral("AFR0"), -0.4, -0.5, 3000, now_);
    s_.settings.display.colours[kColTarget].colour = FromQColor(QColor(250, 120, 30));
    check("traffic moved, the target colour changed", true);
    s_.view.centreLon += float(7.0 / (double(s_.view.scale) * s_.view.nmPerDegLon));
    for (qsizetype i = 0; i < s_.sector.tables.fixes.size(); i += 2)
        s_.sector.tables.fixes[i].selected = 0;
    s_.settings.display.colours[kColRunways].colour = FromQColor(QColor(200, 60, 200));
    check("view moved, fixes deselected, a layer's colour changed", false);
    s_.view.centreLat += 0.02f;
    check("view moved", true);
    for (ROUTE &airway : s_.sector.tables.highAirways)
        airway.selected = 0;
    check("airways deselected", false);
    s_.link.serverType = QStringLiteral("VIREO-SERVER");
    s_.scope.cursor = {true, QPoint(300, 200), "12", "3", "270"};
    s_.scope.rangeLine = {true, QPoint(100, 100), QPoint(400, 350), "25", "123"};
    check("targets oriented by heading, measuring tools shown", true);
    BuildRoute(s_.sector, {"MTL", "UN857", "DJL"}, 2);
    check("an airway selected by a route", false);
    // The same sector file with one more GEO line across the view.
    QFile file(kSector);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString geo = QStringLiteral("[GEO]\r\nN045.20.00.000 E004.40.00.000 N046.05.00.000 E005.30.00.000 gray");
    ApplySectorLoad(s_, ReadSectorText(QString::fromLatin1(file.readAll()).replace("[GEO]", geo), ReadSettingsOf(s_)));
    check("sector reloaded", false);
    // Texts too large to be drawn from glyph coverage go to the painter, redraw after redraw.
    s_.settings.display.screenFontSize = 40;
    for (const auto &[step, kept] : {std::pair("large font", false), {"view moved with it", true}, {"and again", true}}) {
        s_.view.centreLon += 0.01f;
        check(step, kept);
    }
    program_ = QImage(QSize(640, 480), QImage::Format_RGB32);
    straight_ = program_.copy();
    check("picture resized", true);
}

TEST_F(ScopeRender, DragAndWheelGiveTheFreshRedrawOfTheView)
{
    // The program's steps: the pointer dragged with the right button from the centre, the
    // wheel turned at the settings' sensitivity. 70 steps of 8 px cross a tile's border.
    struct Step {
        const char *what;
        QPoint move;
        int steps;
        int wheel;
    } const steps[] = {
        {"drag right and down", {8, 3}, 70, 0},   {"zoom in", {}, 1, 120},     {"drag up and left", {-8, -8}, 6, 0},
        {"zoom out twice", {}, 2, -120},          {"drag left", {-8, 0}, 5, 0}, {"drag by a pixel", {1, 1}, 3, 0},
    };
    // Wandering polylines of short lines in one colour, of which a tile may draw only some:
    // within one call the painter starts a line that runs back along the last one half a
    // pixel earlier.
    const SectorIdentity &own = s_.sector.identity;
    quint32 seed = 7;
    const auto random = [&seed] { return (seed = seed * 1103515245u + 12345u) / 4294967296.0f - 0.5f; };
    for (int line = 0; line < 150; ++line) {
        float lat = own.ownLat + 2 * random(), lon = own.ownLon + 3 * random();
        for (int k = 0; k < 40; ++k) {
            const float lat2 = lat + 0.03f * random(), lon2 = lon + 0.03f * random();
            s_.sector.tables.geo << GEO{lat, lon, lat2, lon2, 0xFFFFFF, -1, {}};
            lat = lat2, lon = lon2;
        }
    }
    const QSize size = program_.size();
    QPoint pointer(size.width() / 2, size.height() / 2);
    QImage fresh(size, program_.format());
    renderer_.draw(program_, SceneOf(s_), now_);
    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        SetPanAnchor(s_.scope, s_.view, size, pointer);
        for (int k = 0; k < step.steps; ++k) {
            pointer += step.move;
            if (step.wheel)
                ZoomWheel(s_.view, step.wheel, s_.settings.display.zoomSensitivity, size.height());
            else
                PanTo(s_.scope, s_.view, size, pointer);
            renderer_.draw(program_, SceneOf(s_), now_);
            ScopeRenderer().draw(fresh, SceneOf(s_), now_);
            ASSERT_TRUE(program_ == fresh) << "step " << k;
        }
    }
}

TEST(ScopeRenderRatio, TwiceThePixelsLinesTwoPixelsWideAsTheStraightforwardRedraw)
{
    const QColor colours[kColourCount] = {Qt::black, Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::magenta, Qt::cyan,
                                          Qt::white, Qt::gray, Qt::darkRed, Qt::darkGreen, Qt::darkBlue, Qt::darkCyan,
                                          Qt::darkMagenta, Qt::darkYellow, Qt::lightGray, Qt::darkGray, Qt::red,
                                          Qt::green, Qt::blue, Qt::white};
    RadarState s;
    test::PrepareTestScope(s, colours, 3);
    const QSize logical(300, 200);
    const QColor geo(10, 200, 90);
    const QPointF a = test::PixelToGeo(s.view, logical, 150, 20), b = test::PixelToGeo(s.view, logical, 150, 180);
    s.sector.tables.geo = {GEO{float(a.y()), float(a.x()), float(b.y()), float(b.x()), FromQColor(geo), -1, {}}};
    s.sector.tables.fixes = {FIXE{"BADOR", float(a.y()), float(a.x()) - 0.2f, 1, {}}};
    QImage program(logical * 2, QImage::Format_RGB32), straight(program.size(), program.format());
    program.setDevicePixelRatio(2);
    straight.setDevicePixelRatio(2);
    ScopeRenderer().draw(program, SceneOf(s), kNow);
    DrawScopeStraight(straight, SceneOf(s), kNow);
    EXPECT_TRUE(program == straight);
    // The vertical line at x = 150: the two device pixels around 300 in its colour, nothing
    // blended beside.
    for (const int y : {100, 201, 300}) {
        QList<int> inked;
        for (int x = 280; x < 320; ++x)
            if (program.pixelColor(x, y) != Qt::black)
                inked << (program.pixelColor(x, y) == geo ? x : -x);
        EXPECT_EQ(inked, (QList<int>{299, 300})) << y;
    }
}

TEST(ScopeRenderState, DrawingChangesNothingOfTheState)
{
    // Traffic never stepped, drawn a day later: a drawing that took the step itself would
    // raise alerts and remove every aircraft.
    RadarState s;
    StartWithTheDemoSector(s, QSize(400, 300));
    AddTraffic(s, kNow);
    const auto snapshot = [&] {
        QStringList out = s.traffic.LiveTrafficList;
        for (const AVION &a : s.traffic.table.records())
            out << QStringLiteral("%1 %2 %3 %4").arg(a.callsign).arg(a.alert).arg(a.shown).arg(a.nextPoint);
        return out << QString::number(s.traffic.globalAlert) << QString::number(s.traffic.SelectedAircraft);
    };
    const QStringList before = snapshot();
    QImage picture(400, 300, QImage::Format_RGB32);
    ScopeRenderer().draw(picture, SceneOf(s), kNow.addDays(1));
    DrawScopeStraight(picture, SceneOf(s), kNow.addDays(1));
    EXPECT_EQ(snapshot(), before);
}

TEST(ScopeGolden, DemoSectorAfterTheStart)
{
    RadarState s;
    QImage picture(QSize(1024, 768), QImage::Format_RGB32);
    StartWithTheDemoSector(s, picture.size());
    StepBeforeRedraw(s, kNow);
    ScopeRenderer().draw(picture, SceneOf(s), kNow);
    if (qEnvironmentVariable("ZAZ_REGENERATE_GOLDEN") == QLatin1String("1")) {
        ASSERT_TRUE(picture.save(kGolden, "PNG"));
        GTEST_SKIP() << "golden picture written";
    }
    // Within what the fonts of another machine may change: at most 0.5 % of the pixels
    // further than 48 from it in grey level.
    const QImage golden(kGolden);
    ASSERT_EQ(golden.size(), picture.size()) << "ZAZ_REGENERATE_GOLDEN=1 writes " << kGolden.toStdString();
    int far = 0;
    for (int y = 0; y < golden.height(); ++y)
        for (int x = 0; x < golden.width(); ++x)
            far += std::abs(qGray(golden.pixel(x, y)) - qGray(picture.pixel(x, y))) > 48 ? 1 : 0;
    EXPECT_LE(far, golden.width() * golden.height() / 200);
}

} // namespace
