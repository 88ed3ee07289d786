// The AI windows without a simulator: "Traffic AI" as it opens on each kind of selection,
// and " nouvel AI" with its manufacturer filter, its two placements, the plan file choice and
// the checks of "créer", one message box each, in their order.
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "ui/TForm_AI.h"
#include "ui/TForm_createAI.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <tuple>

namespace zaz::test {
namespace {

// A control by its name.
template <typename T = QPushButton>
T *Find(const QWidget &window, const char *name)
{
    return window.findChild<T *>(QLatin1String(name));
}

struct Rig {
    Rig() : windows(CreateAppWindows(env.services())), state(windows->form1->state()) {}
    int add(const char *callsign, bool ours, bool frozen = false, bool withPlan = false)
    {
        TrafficTable &table = state.traffic.table;
        const int i = table.AcquireRecord();
        table.setCallsign(i, QString::fromLatin1(callsign));
        AVION &a = table.edit(i);
        std::tie(a.createdHere, a.frozen, a.hasFlightPlan) = std::tie(ours, frozen, withPlan);
        return i;
    }
    TestEnv env = TestEnv::withStartingData();
    std::unique_ptr<AppWindows> windows;
    RadarState &state;
};

TEST(AiWindow, OpensOnTheSelectionWithTheButtonsItAllows)
{
    Rig rig;
    const int server = rig.add("AFR12", false);
    const int still = rig.add("HBABC", true, true, true);
    const int moving = rig.add("HBDEF", true);
    // Label, then each button as its caption and "+" when enabled, "-" when not.
    struct Case {
        int selected;
        const char *shown;
    } cases[] = {
        {kNoAircraft, "aucun avion sélectionné|STOP-|Supprimer-|nouvel AI+|affecter un plan de vol-"},
        {server, "avion non AI|STOP-|Supprimer-|nouvel AI+|affecter un plan de vol-"},
        {still, "HBABC|MOVE+|Supprimer+|nouvel AI+|plan de vol déjà affecté-"},
        {moving, "HBDEF|STOP+|Supprimer+|nouvel AI+|affecter un plan de vol+"},
    };
    TForm_AI &window = *rig.windows->ai;
    QAction *item = rig.windows->form1->menu().TrafficAI1;
    item->setEnabled(true);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.shown);
        rig.state.traffic.SelectedAircraft = c.selected;
        item->trigger();
        ASSERT_TRUE(window.isVisible());
        QString shown = Find<QLabel>(window, "Label_AI")->text();
        for (QPushButton *b : window.findChildren<QPushButton *>())
            shown += "|" + b->text() + (b->isEnabled() ? "+" : "-");
        EXPECT_EQ(shown, QString::fromUtf8(c.shown));
        window.close();
    }
}

TEST(AiCreation, TheTypesOfASimulatorFolderChosenAfterStartAreOffered)
{
    Rig rig;
    rig.env.write(QStringLiteral("autre/SimObjects/Airplanes/DR/aircraft.cfg"),
                  QStringLiteral("[fltsim.0]\ntitle=Robin DR400\nui_manufacturer=Robin\n"));
    rig.state.settings.paths.simulatorDir = rig.env.path(QStringLiteral("autre/"));
    rig.windows->ai->TrafficAI1Click();
    Find(*rig.windows->ai, "Button_create")->click();
    EXPECT_NE(Find<QComboBox>(*rig.windows->createAi, "ComboBox_manufacturer")->findText(QStringLiteral("Robin")), -1);
}

TEST(AiCreation, EachMissingEntryIsReportedInTurnUntilTheOrderGoes)
{
    Rig rig;
    rig.add("hb-zzz", false);
    TForm_AI &window = *rig.windows->ai;
    TForm_createAI &dialog = *rig.windows->createAi;
    window.TrafficAI1Click();
    Find(window, "Button_create")->click();
    EXPECT_TRUE(dialog.isVisible() && !window.isVisible());
    auto *planGroup = Find<QGroupBox>(dialog, "GroupBox_FP");
    EXPECT_FALSE(planGroup->isVisible());
    auto *makers = Find<QComboBox>(dialog, "ComboBox_manufacturer");
    auto *available = Find<QListWidget>(dialog, "ListBox_dispo");
    QPushButton *create = Find(dialog, "Button_ok");

    create->click();
    makers->setCurrentIndex(makers->findText(QStringLiteral("inconnu")));
    ASSERT_EQ(available->count(), 1);
    available->itemClicked(available->item(0));
    create->click();
    QLineEdit *tail = Find<QLineEdit>(dialog, "Edit_tailnumber");
    tail->setText(QStringLiteral("hb-zzz"));
    create->click();
    tail->setText(QStringLiteral("hb-ZZZ"));
    create->click();
    Find<QRadioButton>(dialog, "RadioButton_enroute")->click();
    EXPECT_TRUE(planGroup->isVisible());
    EXPECT_FALSE(Find<QGroupBox>(dialog, "GroupBox_airport")->isVisible());
    create->click();
    rig.env.prompts.answerOpen(rig.env.path(QStringLiteral("simulateur/plans/LSGG_LFLL.PLN")));
    Find(dialog, "Button_path")->click();
    EXPECT_TRUE(rig.env.prompts.calls().last().initialDir.endsWith(QStringLiteral("simulateur/plans/")));
    const QByteArray written = "FPDIR=" + rig.env.path(QStringLiteral("simulateur/plans/")).toUtf8();
    EXPECT_TRUE(rig.env.readBytes(QStringLiteral("ZAZ.ini")).contains(written));
    create->click();
    Find<QLineEdit>(dialog, "Edit_flightnumber")->setText(QStringLiteral("12"));
    create->click();
    auto *plan = Find<QListWidget>(dialog, "ListBox_fp");
    ASSERT_GT(plan->count(), 3);
    plan->itemClicked(plan->item(3));
    EXPECT_EQ(Find<QLineEdit>(dialog, "Edit_wp")->text(), "2");
    EXPECT_EQ(Find<QLineEdit>(dialog, "Edit_next")->text(), "0");
    create->click();

    EXPECT_EQ(rig.env.prompts.messages(),
              QStringList({"renseigner le type AI", "renseigner le callsign (tailnumber)", "ce callsign existe déjà",
                           "set airport", "set flightplan", "set flight number", "set position in flight number"}));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(rig.state.sim.pendingAiCallsign, "HB-ZZZ");
    EXPECT_FALSE(rig.state.sim.typedRouteWaiting); // no simulator took it
}

} // namespace
} // namespace zaz::test
