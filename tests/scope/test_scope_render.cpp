// The full redraw of the demo sector with traffic: the program's redraw (map layers kept
// between redraws, texts and small outlines drawn from what earlier redraws kept) against
// the straightforward one that draws everything with the painter, pixel for pixel, through
// a sequence of changes; the demo sector at a fixed view against a stored picture; and
// zaz-tool render, which must draw that same picture.
#include "core/IniFile.h"
#include "state/Settings.h"
#include "scope/DrawCache.h"
#include "scope/ScopeRenderer.h"
#include "sector/Projection.h"
#include "sector/SectorReader.h"
#include "traffic/Routes.h"
#include "traffic/TrafficOps.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>

using namespace zaz;

namespace {


const QString kData = QStringLiteral(ZAZ_SOURCE_DIR "/data");
const QString kSector = kData + QStringLiteral("/secteurs/LFLL_Lyon.sct");
const QString kGolden = QStringLiteral(ZAZ_SOURCE_DIR "/tests/data/golden_demo_sector.png");
// zaz-tool's replay clock starts here, so the tool's text block reads the same.
const QDateTime kNow(QDate(2000, 1, 1), QTime(12, 0, 0), Qt::UTC);
constexpr QSize kGoldenSize(1024, 768);

// The state the program has after its start with the delivered ZAZ.ini and the demo sector
// loaded, for a picture of this size; the scope font set explicitly, so that the picture
// does not depend on the machine's default font.
std::unique_ptr<RadarState> DemoState(QSize picture)
{
    auto s = std::make_unique<RadarState>();
    const IniFile ini(kData + QStringLiteral("/ZAZ.ini"));
    SettingsReport report;
    Settings::ReadRingSpacing(ini, s->view, report);
    Settings::ReadDisplay(ini, s->settings, report);
    Settings::ReadSector(ini, s->settings);
    EXPECT_TRUE(report.isEmpty()) << report.text().toStdString();
    s->settings.display.screenFontName = QStringLiteral("DejaVu Sans Mono");
    s->settings.display.screenFontSize = 9;
    s->view.range = 100;
    s->view.scale = float(picture.height()) / 100.0f;
    s->view.vectorMinutes = 1;
    s->weather.transitionAltitude = 3000;
    s->traffic.SelectedAircraft = kNoIndex;
    QString error;
    std::optional<SectorLoadResult> sector = ReadSectorFile(kSector, ReadSettingsOf(*s), error);
    EXPECT_TRUE(sector.has_value()) << error.toStdString();
    if (sector)
        ApplySectorLoad(*s, std::move(*sector));
    return s;
}

// A position from the server, as the dispatcher applies it.
int Position(RadarState &s, const QString &callsign, double lat, double lon, int altitude,
             const QString &squawk = QStringLiteral("1200"), int heading = 0)
{
    const QString line = QStringLiteral("@N:%1:%2:1:%3:%4:%5:%6:%7:0")
                             .arg(callsign, squawk)
                             .arg(lat, 0, 'f', 5)
                             .arg(lon, 0, 'f', 5)
                             .arg(altitude)
                             .arg(300 + altitude / 100)
                             .arg(heading);
    return ApplyServerPosition(s, line.split(QLatin1Char(':')), kNow);
}

// Aircraft around the own position, each with a trail of six positions: a pair in conflict
// (3 nm, 12000 and 12500 ft), an emergency, handoffs, a strip, a pending command, one
// below the transition altitude, and the selected aircraft with its route shown.
void AddTraffic(RadarState &s)
{
    const double lat0 = s.sector.identity.ownLat, lon0 = s.sector.identity.ownLon;
    for (int step = 0; step < 6; ++step) {
        const double d = 0.02 * step;
        for (int n = 0; n < 10; ++n) {
            const double lat = lat0 - 0.5 + 0.11 * n + d * (n % 3 - 1);
            const double lon = lon0 - 0.7 + 0.15 * n + d;
            Position(s, QStringLiteral("AFR%1").arg(100 + n), lat, lon, 2000 + 3500 * n + 100 * step,
                     n == 4 ? QStringLiteral("7700") : QStringLiteral("1200"), 30 * n);
        }
        Position(s, QStringLiteral("BAW1"), lat0 + 0.3 + d, lon0 - 0.3, 12000);
        Position(s, QStringLiteral("BAW2"), lat0 + 0.3 + d + 0.05, lon0 - 0.3, 12500);
    }
    TrafficTable &table = s.traffic.table;
    table.Edit(table.FindAircraft(QStringLiteral("AFR101"))).handoffFrom = QStringLiteral("LFLL_APP");
    table.Edit(table.FindAircraft(QStringLiteral("AFR102"))).handoffState = QStringLiteral("D");
    table.Edit(table.FindAircraft(QStringLiteral("AFR103"))).handoffState = QStringLiteral("A");
    table.Edit(table.FindAircraft(QStringLiteral("AFR105"))).hasStrip = true;
    table.Edit(table.FindAircraft(QStringLiteral("AFR106"))).commandPending = true;
    const int selected = table.FindAircraft(QStringLiteral("AFR107"));
    s.traffic.SelectedAircraft = selected;
    table.Edit(selected).routePoints =
        BuildRoute(s.sector, {QStringLiteral("MTL"), QStringLiteral("LSE"), QStringLiteral("DJL")}, 2);
    s.scope.routeKeyHeld = true;
}

::testing::AssertionResult SamePixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.format() != b.format())
        return ::testing::AssertionFailure() << "the pictures differ in size or format";
    qsizetype differing = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && differing++ == 0)
                first = QPoint(x, y);
    if (differing == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " pixels differ, the first at (" << first.x() << ", "
                                         << first.y() << ")";
}

// Pixels that differ by more than 48 in some channel.
qsizetype FarPixels(const QImage &a, const QImage &b)
{
    qsizetype far = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 48 || std::abs(qGreen(p) - qGreen(q)) > 48
                || std::abs(qBlue(p) - qBlue(q)) > 48)
                ++far;
        }
    return far;
}

// The stored picture of the demo sector, within what fonts of another machine may change:
// at most 0.5 % of the pixels further than 48 in a channel.
void ExpectLikeGolden(const QImage &picture)
{
    const QImage golden = QImage(kGolden).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(golden.isNull()) << "no " << kGolden.toStdString()
                                  << ": run test_scope_render with ZAZ_REGENERATE_GOLDEN=1 to write it";
    ASSERT_EQ(golden.size(), picture.size());
    const qsizetype total = qsizetype(golden.width()) * golden.height();
    EXPECT_LE(FarPixels(golden, picture.convertToFormat(QImage::Format_RGB32)), total / 200);
}

// The map drawn by one thread, or in two bands by two threads, whatever the machine runs.
class ScopeRenderReuse : public ::testing::TestWithParam<int> {
protected:
    ScopeRenderReuse() : state_(DemoState(kSize)), cached_(kSize, QImage::Format_RGB32), straight_(cached_)
    {
        AddTraffic(*state_);
        state_->scope.mapThreads = GetParam();
    }

    // Both redraws of the same state; the map kept between redraws is reused or not as
    // expected.
    void Check(const char *step, bool mapReused)
    {
        SCOPED_TRACE(step);
        const qint64 mapBefore = state_->scope.mapCache.cacheKey();
        FullRedraw(cached_, *state_, now_, MapReuse::Cached);
        EXPECT_EQ(state_->scope.mapCache.cacheKey() == mapBefore, mapReused);
        FullRedraw(straight_, *state_, now_, MapReuse::Never);
        EXPECT_TRUE(SamePixels(cached_, straight_));
    }

    // Redraws with nothing changed: the outlines noted, then taken, then written.
    void checkUnchanged(const char *step)
    {
        for (int i = 0; i < 3; ++i)
            Check(step, true);
    }

    static constexpr QSize kSize{800, 600};
    std::unique_ptr<RadarState> state_;
    QImage cached_;
    QImage straight_;
    QDateTime now_ = kNow;
};

INSTANTIATE_TEST_SUITE_P(MapThreads, ScopeRenderReuse, ::testing::Values(1, 2),
                         [](const ::testing::TestParamInfo<int> &info) { return std::to_string(info.param) + "Thread"; });

TEST_P(ScopeRenderReuse, SameAsTheStraightforwardRedrawThroughChanges)
{
    RadarState &s = *state_;
    SectorTables &t = s.sector.tables;
    Check("first draw", false);
    checkUnchanged("nothing changed");
    ASSERT_NE(s.scope.caches, nullptr);
    EXPECT_GT(s.scope.caches->outlines.size(), 0) << "trails and symbols are kept";
    EXPECT_GT(s.scope.caches->texts.size(), 0) << "labels and names are kept";

    now_ = now_.addSecs(5);
    Position(s, QStringLiteral("AFR100"), s.sector.identity.ownLat - 0.4, s.sector.identity.ownLon - 0.5, 3000);
    Position(s, QStringLiteral("BAW2"), s.sector.identity.ownLat + 0.45, s.sector.identity.ownLon - 0.3, 13000);
    Check("traffic moved, a conflict ended", true);
    checkUnchanged("traffic still");

    DisplaySettings &d = s.settings.display;
    d.colours[kColTarget].colour = FromQColor(QColor(250, 120, 30));
    Check("target colour changed", true);
    checkUnchanged("target colour kept");

    s.view.centreLon += float(7.0 / (double(s.view.scale) * s.view.nmPerDegLon));
    Check("view moved", false);
    checkUnchanged("view kept");

    d.colours[kColFixes].colour = FromQColor(QColor(200, 60, 200));
    Check("fix colour changed", false);

    qsizetype shown = -1;
    for (qsizetype i = 0; i < t.fixes.size() && shown < 0; ++i)
        if (t.fixes[i].selected && PointVisible(s.view, t.fixes[i].latitude, t.fixes[i].longitude))
            shown = i;
    ASSERT_GE(shown, 0);
    t.fixes[shown].selected = 0;
    Check("a fix deselected", false);

    qsizetype airway = -1;
    for (qsizetype i = 0; i < t.highAirways.size(); ++i)
        if (t.highAirways[i].name.trimmed() == QLatin1String("UN857"))
            airway = i;
    ASSERT_GE(airway, 0);
    t.highAirways[airway].selected = 0;
    Check("an airway deselected", false);
    BuildRoute(s.sector, {QStringLiteral("MTL"), QStringLiteral("UN857"), QStringLiteral("DJL")}, 2);
    ASSERT_EQ(t.highAirways[airway].selected, 1) << "the route build selects the airway it goes along";
    Check("the airway selected by a route build", false);

    d.screenFontSize = 11;
    Check("font size changed", false);
    checkUnchanged("font kept");

    s.link.serverType = QStringLiteral("VIREO-SERVER");
    Check("targets oriented by heading", true);
    s.scope.cursor = {true, QPoint(300, 200), QStringLiteral("12"), QStringLiteral("3"), QStringLiteral("270")};
    s.scope.rangeLine = {true, QPoint(100, 100), QPoint(400, 350), QStringLiteral("25"), QStringLiteral("123")};
    Check("measuring tools shown", true);

    // The same sector file with one more GEO line across the view and a fix moved.
    QFile file(kSector);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString text = QString::fromLatin1(file.readAll());
    text.replace(QStringLiteral("[GEO]\r\n"), QStringLiteral("[GEO]\r\nN045.20.00.000 E004.40.00.000 "
                                                             "N046.05.00.000 E005.30.00.000 gray\r\n"));
    text.replace(QStringLiteral("[GEO]\n"), QStringLiteral("[GEO]\nN045.20.00.000 E004.40.00.000 "
                                                           "N046.05.00.000 E005.30.00.000 gray\n"));
    const qsizetype geoBefore = t.geo.size();
    ApplySectorLoad(s, ReadSectorText(text, ReadSettingsOf(s)));
    ASSERT_EQ(s.sector.tables.geo.size(), geoBefore + 1);
    Check("sector reloaded", false);
    checkUnchanged("sector kept");

    cached_ = QImage(QSize(640, 480), QImage::Format_RGB32);
    straight_ = cached_;
    Check("picture resized", false);
    checkUnchanged("size kept");
}

TEST(ScopeRenderThreads, LowerHalfKeepsItsFontsFromRedrawToRedraw)
{
    // Texts too large to be drawn from glyph coverage go to the painter with the glyphs laid
    // out at the first redraw: in the lower half, those belong to the thread that draws it,
    // redraw after redraw (the view moving, so that the map is drawn each time).
    auto s = DemoState(QSize(400, 300));
    s->settings.display.screenFontSize = 40;
    s->scope.mapThreads = 2;
    QImage cached(QSize(400, 300), QImage::Format_RGB32), straight(cached);
    for (int redraw = 0; redraw < 4; ++redraw) {
        s->view.centreLon += 0.01f;
        FullRedraw(cached, *s, kNow, MapReuse::Cached);
        FullRedraw(straight, *s, kNow, MapReuse::Never);
        ASSERT_TRUE(SamePixels(cached, straight)) << "redraw " << redraw;
    }
    ASSERT_NE(s->scope.mapWorker, nullptr);
}

TEST(ScopeRenderOutlines, WrittenPixelsAreThePaintersOwn)
{
    // Outlines of every pen the targets use, at whole and fractional places and on the
    // picture's edges, drawn four times through the cache: noted, taken, then written.
    QImage cached(QSize(120, 90), QImage::Format_RGB32), straight(cached.size(), cached.format());
    cached.fill(QColor(16, 26, 32));
    straight.fill(QColor(16, 26, 32));
    OutlineCache cache;
    const QPointF centres[] = {{60, 45}, {60.5, 45.25}, {0, 0}, {119.7, 89.2}, {-3, 40}, {61.49, 44.51}};
    const QPointF shape[] = {{30, 30}, {38.4, 22}, {21.6, 38}};
    for (int round = 0; round < 4; ++round) {
        QPainter a(&cached), b(&straight);
        cache.begin(cached);
        for (Qt::PenStyle style : {Qt::SolidLine, Qt::DotLine, Qt::DashLine}) {
            for (int width : {1, 2}) {
                QPen pen(QColor(40 * round + 50, 200, 90 + width * 30), width, style);
                pen.setCapStyle(Qt::FlatCap);
                a.setPen(pen);
                b.setPen(pen);
                for (QPointF c : centres)
                    for (qreal r : {2.0, 8.0, 54.0}) {
                        cache.ellipse(a, c, r, r);
                        b.drawEllipse(c, r, r);
                    }
                cache.polyline(a, shape, 3);
                b.drawPolyline(shape, 3);
            }
        }
        cache.end();
        a.end();
        b.end();
        EXPECT_TRUE(SamePixels(cached, straight)) << "round " << round;
    }
    EXPECT_GT(cache.size(), 0);
}

TEST(ScopeRenderCaches, OldEntriesForgottenWithoutChangingThePicture)
{
    // Four sets of 15,000 texts and outlines, each set drawn on three redraws in a row: the
    // caches outgrow their limit and forget the oldest sets while the picture stays the
    // painter's own.
    constexpr int kEach = 15000;
    const QSize size(300, 200);
    QImage cached(size, QImage::Format_RGB32), straight(size, QImage::Format_RGB32);
    TextCache texts;
    OutlineCache outlines;
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPointSize(9);
    for (int redraw = 0; redraw < 12; ++redraw) {
        const int set = redraw / 3;
        cached.fill(Qt::black);
        straight.fill(Qt::black);
        QPainter a(&cached), b(&straight);
        for (QPainter *p : {&a, &b}) {
            p->setFont(font);
            p->setPen(QPen(QColor(200, 180, 60), 1, Qt::DotLine));
        }
        texts.begin(a);
        outlines.begin(cached);
        // A text and an outline removed from the middle of the order at the third redraw.
        for (int i = 0; i < kEach; ++i) {
            if (redraw % 3 == 2 && i == kEach / 2)
                continue;
            const QString text = QString::number(set * kEach + i, 36);
            const QPoint at((i * 7) % 280, (i * 13) % 190 + 10);
            texts.draw(a, at.x(), at.y(), text, QColor(200, 180, 60));
            b.drawText(at, text);
            const QPointF centre((i * 11) % 290 + 0.25 * set, (i * 17) % 190 + 0.5);
            outlines.ellipse(a, centre, 2, 2);
            b.drawEllipse(centre, 2.0, 2.0);
        }
        texts.end();
        outlines.end();
        a.end();
        b.end();
        ASSERT_TRUE(SamePixels(cached, straight)) << "redraw " << redraw;
    }
    EXPECT_LT(texts.size(), 4 * kEach);
    EXPECT_LT(outlines.size(), 4 * kEach);
}

TEST(ScopeGolden, DemoSectorAtAFixedView)
{
    auto s = DemoState(kGoldenSize);
    QImage picture(kGoldenSize, QImage::Format_RGB32);
    FullRedraw(picture, *s, kNow);
    if (qEnvironmentVariable("ZAZ_REGENERATE_GOLDEN") == QLatin1String("1")) {
        ASSERT_TRUE(picture.save(kGolden, "PNG")) << kGolden.toStdString();
        GTEST_SKIP() << "golden picture written to " << kGolden.toStdString();
    }
    ExpectLikeGolden(picture);
}

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ToolRun RunTool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(ZAZ_TOOL_PATH), arguments);
    ToolRun run;
    if (!process.waitForFinished(120000))
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

TEST(ZazToolRender, DrawsTheProgramsPictureAndTimesIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString out = dir.filePath(QStringLiteral("demo.png"));
    const ToolRun run = RunTool({"render", "--sector", kSector, "--settings", kData, "--size", "1024x768", "--out",
                                 out, "--repeat", "2", "--reference"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(run.out).object();
    const QJsonObject reference = o.value("reference").toObject();
    for (const char *key : {"full_ms", "traffic_ms"})
        for (const QJsonObject &times :
             {o.value(QLatin1String(key)).toObject(), reference.value(QLatin1String(key)).toObject()})
            EXPECT_GE(times.value("max").toDouble(-1), times.value("median").toDouble(-1)) << key;
    EXPECT_GT(reference.value("full_ms").toObject().value("median").toDouble(), 0);
    EXPECT_EQ(o.value("aircraft").toInt(-1), 0);
    EXPECT_EQ(o.value("identical").toInt(), 1) << "cached and straightforward redraws give the same pictures";
    const QImage picture(out);
    ASSERT_EQ(picture.size(), kGoldenSize);
    ExpectLikeGolden(picture);
}

TEST(ZazToolRender, BadArgumentsGiveOneErrorLine)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("x.png"));
    const struct {
        QStringList arguments;
        int code;
    } cases[] = {
        {{"render", "--out", out}, 2},
        {{"render", "--sector", kSector}, 2},
        {{"render", "--sector", kSector, "--out", out, "--size", "0x10"}, 2},
        {{"render", "--sector", kSector, "--out", out, "--size", "99999x10"}, 2},
        {{"render", "--sector", kSector, "--out", out, "--center", "95,5"}, 2},
        {{"render", "--sector", kSector, "--out", out, "--scale", "-1"}, 2},
        {{"render", "--sector", kSector, "--out", out, "--repeat", "x"}, 2},
        {{"render", "--sector", dir.filePath(QStringLiteral("none.sct")), "--out", out}, 1},
        {{"render", "--sector", kSector, "--out", out, "--traffic", dir.filePath(QStringLiteral("none.txt"))}, 1},
        {{"render", "--sector", kSector, "--out", dir.filePath(QStringLiteral("no/such/dir/x.png"))}, 1},
    };
    for (const auto &c : cases) {
        const ToolRun run = RunTool(c.arguments);
        const std::string what = c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, c.code) << what;
        EXPECT_TRUE(run.out.isEmpty()) << what;
        const QByteArray last = run.err.trimmed().split('\n').last();
        EXPECT_TRUE(last.startsWith("zaz-tool : ")) << what << ": " << run.err.toStdString();
    }
}

} // namespace
