// The console's quick popup "COM1": the messages of a step ("GEN" without one), picked into
// one message with its variables replaced, sent to the selected aircraft on COM1.
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "ui/TForm4.h"
#include "ui/TForm_dialogue.h"
#include "support/TestEnv.h"

#include <QTableWidget>
#include <gtest/gtest.h>

namespace zaz::test {
namespace {

TEST(Dialogue, PicksOfAStepAreChainedWithTheirValuesSentOnCom1AndCleared)
{
    TestEnv env = TestEnv::withStartingData();
    const std::unique_ptr<AppWindows> windows = CreateAppWindows(env.services());
    RadarState &s = windows->form1->state();
    TForm_dialogue &popup = *windows->dialogue;
    auto *grid = popup.findChild<QTableWidget *>("StringGrid1");
    s.link.Com1Digits = QStringLiteral("118700");
    s.link.Accepted = true;
    windows->form1->connection().dispatcher().DispatchLine("@N:AFR123:1200:1:45.72:5.08:3000:250:90:0");
    s.traffic.SelectedAircraft = s.traffic.table.FindAircraft("AFR123");
    s.files.com->loadFromBytes("[GEN]\nbonjour=bonjour\nmontez=montez niveau $niv\n"
                               "[roulage]\nroulage=roulez piste $PISTE_DE via $Point\nstop=stop\n");
    s.weather.atis.takeoffRunway = QStringLiteral("35R");
    // The console holds level 90 and point MTL.
    popup.setValuesSource([] { TextVariableValues v; v.altitudePosition = -90; v.point = "MTL"; return v; });
    struct Case {
        const char *section;
        int picks[2];
        const char *message;
    } cases[] = {
        {"", {0, 1}, "/bonjour/montez niveau 90"},
        {"roulage", {1, 0}, "/stop/roulez piste 35R via MTL"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message);
        popup.open(QLatin1String(c.section), QStringLiteral("COM1"));
        for (int row : c.picks)
            emit grid->cellClicked(row, 0);
        EXPECT_EQ(windows->form1->statusText(0), c.message);
        popup.Button1Click();
        EXPECT_EQ(s.link.RadioMessages.value(&c - cases), "<COM1:AFR123 " + QString(c.message));
        EXPECT_EQ(popup.message(), "");
    }
    // The radio window, hidden, shows the message waiting on COM1.
    EXPECT_EQ(windows->radio->indicatorColour(RadioChannel::Com1), QColor(Qt::red));
    emit grid->cellClicked(0, 0);
    popup.Button2Click();
    EXPECT_EQ(popup.message(), "");
}

} // namespace
} // namespace zaz::test
