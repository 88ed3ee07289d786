// AI aircraft against the stand-in simulator library: one created from " nouvel AI" appears
// in the traffic after a poll, as created here; "Traffic AI" then gives it a plan through
// "plan de vol", freezes it (as does the aircraft panel), and removes it, and the simulator's
// report takes it away.
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "ui/TForm_AI.h"
#include "ui/TForm_createAI.h"
#include "ui/TForm_fp.h"
#include "ui/TForm_unavion.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace zaz::test {
namespace {

QPushButton *Button(const QWidget &window, const char *name)
{
    return window.findChild<QPushButton *>(QLatin1String(name));
}

TEST(SimAiEndToEnd, CreatedAircraftAppearsThenFreezesTakesAPlanAndGoes)
{
    TestEnv env = TestEnv::withStartingData();
    qputenv("ZAZ_SIM_DIR", env.path(QStringLiteral("simulateur")).toLocal8Bit());
    AppServices services = env.services();
    services.simLibraryName = QStringLiteral(ZAZ_STANDIN_LIBRARY);
    std::unique_ptr<AppWindows> windows = CreateAppWindows(services);
    TForm1 &main = *windows->form1;
    RadarState &state = main.state();
    main.FormShow();
    ASSERT_TRUE(OpenSimSession(main.simSession(), state.sim));
    const QString tail = QStringLiteral("HB-NEW");
    auto poll = [&] { // enough seconds for the simulator to report a change
        for (int k = 0; k < 3; ++k)
            main.Timer4Timer();
        return state.traffic.table.FindAircraft(tail);
    };

    TForm_AI &window = *windows->ai;
    TForm_createAI &dialog = *windows->createAi;
    window.TrafficAI1Click();
    Button(window, "Button_create")->click();
    auto *makers = dialog.findChild<QComboBox *>(QStringLiteral("ComboBox_manufacturer"));
    makers->setCurrentIndex(makers->findText(QStringLiteral("Airbus")));
    auto *available = dialog.findChild<QListWidget *>(QStringLiteral("ListBox_dispo"));
    available->itemClicked(available->findItems(QStringLiteral("Airbus A320 Swiss"), Qt::MatchExactly).value(0));
    dialog.findChild<QLineEdit *>(QStringLiteral("Edit_tailnumber"))->setText(QStringLiteral("hb-new"));
    dialog.findChild<QLineEdit *>(QStringLiteral("Edit_ICAO"))->setText(QStringLiteral("lfll"));
    Button(dialog, "Button_ok")->click();

    const int index = poll();
    ASSERT_NE(index, kNoAircraft);
    EXPECT_TRUE(state.traffic.table[index].createdHere);

    state.traffic.SelectedAircraft = index;
    window.TrafficAI1Click();
    env.prompts.answerOpen(env.path(QStringLiteral("simulateur/plans/LSGG_LFLL.PLN")));
    QTimer::singleShot(0, windows->flightPlan.get(), [fp = windows->flightPlan.get()] {
        Button(*fp, "Button_charger")->click();
    });
    Button(window, "Button_fp")->click();
    EXPECT_TRUE(state.traffic.table[index].hasFlightPlan);
    EXPECT_FALSE(state.traffic.table[index].route.isEmpty());
    EXPECT_FALSE(window.isVisible());

    window.TrafficAI1Click();
    for (const QString caption : {"MOVE", "STOP"}) {
        Button(window, "Button_stop")->click();
        EXPECT_EQ(Button(window, "Button_stop")->text(), caption);
        EXPECT_EQ(state.traffic.table[index].frozen, caption == "MOVE");
    }

    // The aircraft panel's button does the same.
    TForm_unavion &panel = *windows->aircraftPanel;
    panel.showAircraft(index, tail);
    ASSERT_TRUE(Button(panel, "Button_stop")->isVisibleTo(&panel));
    Button(panel, "Button_stop")->click();
    EXPECT_TRUE(state.traffic.table[index].frozen);
    EXPECT_EQ(Button(panel, "Button_stop")->text(), "MOVE");

    Button(window, "Button_delete")->click();
    EXPECT_EQ(poll(), kNoAircraft);
    qunsetenv("ZAZ_SIM_DIR");
}

} // namespace
} // namespace zaz::test
