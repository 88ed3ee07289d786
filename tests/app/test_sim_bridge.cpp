// The program driven against the stand-in simulator library: the start finds it, the
// simulator's item opens the session, its traffic shows and moves, and closing empties it.
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace zaz::test {
namespace {

QPointF PositionOf(const TrafficState &traffic, const char *callsign)
{
    const int i = traffic.table.FindAircraft(QLatin1String(callsign));
    return i == kNoAircraft ? QPointF(999, 999) : QPointF(traffic.table[i].lat, traffic.table[i].lon);
}

} // namespace

TEST(SimBridge, TheSimulatorsTrafficShowsMovesBetweenPollsAndLeavesWithTheSession)
{
    TestEnv env = TestEnv::withStartingData();
    // The stand-in plays the demo scenario copied with the settings, a minute each second.
    qputenv("ZAZ_SIM_DIR", env.path(QStringLiteral("simulateur")).toLocal8Bit());
    qputenv("ZAZ_STANDIN_SPEED", "60");
    AppServices services = env.services();
    services.simLibraryName = QStringLiteral(ZAZ_STANDIN_LIBRARY);
    std::unique_ptr<AppWindows> windows = CreateAppWindows(services);
    TForm1 &form = *windows->form1;
    RadarState &state = form.state();
    QAction *item = form.menu().ConnectFSX1;
    form.FormShow();
    EXPECT_FALSE(env.prompts.messages().contains(QStringLiteral("SimConnect.dll not found")));
    env.prompts.clear(); // the demo sector's summary
    EXPECT_TRUE(item->isEnabled());
    EXPECT_EQ(item->text(), QStringLiteral("connect FSX"));

    // Connecting offers the server connection at once; it is declined here.
    QString offered;
    QTimer::singleShot(0, [&] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            offered = dialog->objectName();
            static_cast<QDialog *>(dialog)->reject();
        }
    });
    item->trigger();
    EXPECT_EQ(offered, QStringLiteral("Form2"));
    EXPECT_TRUE(state.sim.connected);
    EXPECT_TRUE(form.Timer4()->isActive());
    EXPECT_EQ(form.statusText(0), QStringLiteral("Connected to FSX"));
    EXPECT_EQ(item->text(), QStringLiteral("disconnect FSX"));
    EXPECT_EQ(state.link.status, QStringLiteral("connecté FSX"));
    EXPECT_EQ(state.weather.CurrentWeather.source, QStringLiteral("FSX"));
    EXPECT_FALSE(form.menu().connect1->isEnabled());

    form.Timer4Timer();
    const QPointF first = PositionOf(state.traffic, "AFR1234");
    ASSERT_NE(first, QPointF(999, 999)) << "no simulator aircraft in the table";
    EXPECT_NE(PositionOf(state.traffic, "FGHLX"), QPointF(999, 999)) << "helicopters are polled too";
    QTest::qWait(300);
    form.Timer4Timer();
    const QPointF second = PositionOf(state.traffic, "AFR1234");
    EXPECT_GT(second.x(), first.x()) << "heading north, it moves north between two polls";
    EXPECT_FALSE(state.sim.zuluTime.isEmpty());

    item->trigger();
    EXPECT_FALSE(state.sim.connected);
    EXPECT_FALSE(form.Timer4()->isActive());
    EXPECT_TRUE(state.traffic.table.isEmpty());
    EXPECT_TRUE(state.weather.CurrentWeather.source.isEmpty());
    EXPECT_EQ(form.statusText(0), QStringLiteral("not Connected to FSX"));
    EXPECT_EQ(item->text(), QStringLiteral("connect FSX"));
    EXPECT_EQ(state.link.status, QStringLiteral("non connecté"));
    EXPECT_TRUE(form.menu().connect1->isEnabled());
    EXPECT_TRUE(env.prompts.messages().isEmpty()) << env.prompts.messages().join(u'\n').toStdString();
}

} // namespace zaz::test
