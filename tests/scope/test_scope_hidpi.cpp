// The main window on a screen of twice the resolution: the picture holds twice the pixels
// each way and is the straightforward redraw at that resolution; the approach axes its
// redraw cannot orient are noted in ZAZ.ini.
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "scope/ScopeRenderer.h"
#include "support/TestEnv.h"

#include <QTest>
#include <gtest/gtest.h>

// Set before the application starts: every screen of this program has the ratio 2.
static const bool kScreensScaled = qputenv("QT_SCALE_FACTOR", "2");

namespace zaz::test {
namespace {

TEST(ScopeHighDensity, PictureAtTheScreensResolutionAndAxisErrorsInTheSettings)
{
    ASSERT_TRUE(kScreensScaled);
    TestEnv env = TestEnv::withStartingData();
    auto windows = CreateAppWindows(env.services());
    TForm1 &form = *windows->form1;
    form.FormShow();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    RadarState &s = form.state();
    ASSERT_FALSE(s.sector.tables.runways.isEmpty());
    // A threshold beyond what a float holds: its axis has no direction. A new scale draws
    // every tile again.
    RUNWAY runway = s.sector.tables.runways.first();
    runway.longitude = 3e38f;
    runway.heading = QStringLiteral("090");
    s.sector.tables.runways.append(runway);
    s.settings.display.ilsAxesShown = 1;
    s.view.scale *= 1.2f;
    form.fullRedraw();

    const QImage &picture = form.picture();
    EXPECT_EQ(picture.devicePixelRatio(), 2.0);
    EXPECT_EQ(picture.size(), form.clientSize() * 2);
    QImage straight(picture.size(), picture.format());
    straight.setDevicePixelRatio(2);
    DrawScopeStraight(straight, SceneOf(s), env.clock.now());
    EXPECT_TRUE(straight == picture);
    // Each failure writes its length and difference: the fork's 3 nm, failing last, stay.
    const IniFile &ini = *s.files.zaz;
    EXPECT_EQ(ini.readString(QStringLiteral("erreur"), QStringLiteral("module"), {}),
              QString::number(RoundHalfEven(3.0 * s.view.scale)));
    EXPECT_FALSE(ini.readString(QStringLiteral("erreur"), QStringLiteral("x2-x1"), {}).isEmpty());
}

} // namespace
} // namespace zaz::test
