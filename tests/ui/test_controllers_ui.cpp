// The windows of the other controllers and of the filed flight plans, reached through
// their captions: "liste controls" and its ticks, the details and the ATIS they fetch and
// adopt, the handoff target chooser, and "plans de vol déposés".
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "link/Connection.h"
#include "traffic/TrafficOps.h"
#include "ui/TForm_choixcontrol.h"
#include "ui/TForm_control.h"
#include "ui/TForm_depot.h"
#include "ui/TForm_listcontrol.h"
#include "support/TestEnv.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace zaz::test {
namespace {

void Click(QWidget *window, const QString &caption)
{
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>())
        if (b->text() == caption)
            return QTest::mouseClick(b, Qt::LeftButton);
    ADD_FAILURE() << "no button " << caption.toStdString();
}

// The items of a list, each followed by "+" when ticked.
QStringList Items(const QWidget *window)
{
    QStringList texts;
    const QListWidget *list = window->findChild<QListWidget *>();
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text() + (list->item(i)->checkState() == Qt::Checked ? "+" : "");
    return texts;
}

// The program logged in as LFLL_TWR; lines arrive through its dispatcher.
struct Program {
    Program()
    {
        state.link.OwnCallsign = QStringLiteral("LFLL_TWR");
        state.link.Accepted = state.link.monitorTicked = true;
        state.link.codeTexts.facility = {{"4", "TWR"}, {"5", "APP"}};
        state.link.codeTexts.rating = {{"3", "C1"}};
        lines({"%LFMN_APP:27500:5:100:3:43.5:7.25:0", "%LFMN_TWR:18700:4:30:9:43.66:7.21:0"});
    }
    void lines(const QStringList &texts)
    {
        for (const QString &text : texts)
            form.connection().dispatcher().DispatchLine(text);
    }
    // The lines sent by what runs.
    QStringList sent(const std::function<void()> &run)
    {
        const qsizetype from = state.link.SentLog.lines.size();
        run();
        return state.link.SentLog.lines.mid(from);
    }

    TestEnv env = TestEnv::withStartingData();
    std::unique_ptr<AppWindows> windows = CreateAppWindows(env.services());
    TForm1 &form = *windows->form1;
    RadarState &state = form.state();
};

TEST(ControllersUi, ListTicksDetailsAndTheAtisFetchedThenAdopted)
{
    Program p;
    p.form.menu().controls1->trigger();
    QWidget *list = p.windows->listControls.get();
    EXPECT_EQ(list->windowTitle(), "liste controls");
    list->findChild<QListWidget *>()->item(1)->setCheckState(Qt::Checked);
    EXPECT_TRUE(p.state.controllers.ControllerTable[1].inRadioList);
    // Seen at once; the newcomer in the freed record of a ticked controller is not ticked.
    p.lines({"%LFMM_CTR:28350:5:400:3:43.5:5.5:0", "#DALFMN_TWR", "%LFMN_GND:21900:4:5:3:43.6:7.2:0"});
    EXPECT_EQ(Items(list), QStringList({"LFMN_APP APP 127.500", "LFMM_CTR APP 128.350", "LFMN_GND TWR 121.900"}));

    list->findChild<QListWidget *>()->setCurrentRow(0);
    Click(list, "voir le control");
    TForm_control *details = p.windows->control.get();
    QString shown = details->windowTitle();
    for (const char *name : {"Label_rating", "Label_facility", "Label_visu", "Label_pos"})
        shown += "|" + details->findChild<QLabel *>(QLatin1String(name))->text();
    EXPECT_EQ(shown, "LFMN_APP  127500|C1|APP|100mn|N43 30.00 E7 15.00");

    EXPECT_EQ(p.sent([&] { Click(details, "ATIS"); }), QStringList{"$CQLFLL_TWR:LFMN_APP:ATIS"});
    p.lines({"#TMLFMN_APP:LFLL_TWR:LFMN INFO B", "#TMLFMM_CTR:LFLL_TWR:not this", "#TMLFMN_APP:@22800:nor this",
             "#TMLFMN_APP:LFLL_TWR:QNH 1013"});
    EXPECT_EQ(Items(details), QStringList({"LFMN INFO B", "QNH 1013"}));
    p.state.weather.atis.lines = QStringList{"old"};
    Click(details, "récuperer l'ATIS");
    EXPECT_EQ(p.sent([&] { p.lines({"$CQLFMM_CTR:LFLL_TWR:ATIS"}); }).mid(0, 2),
              QStringList({"#TMLFLL_TWR:LFMM_CTR:LFMN INFO B", "#TMLFLL_TWR:LFMM_CTR:QNH 1013"}));
    details->hide();
    details->showController(2);
    EXPECT_EQ(details->windowTitle() + " " + Items(details).join(""), "LFMM_CTR  128350 ");
}

TEST(ControllersUi, TheChooserKeepsItsChoiceAndOffersTheAircraft)
{
    Program p;
    p.lines({"%LFMM_CTR:28350:5:400:3:43.5:5.5:0", "#DALFMN_APP", "@N:AFR1:1200:1:45.72:5.08:35000:450:90:0"});
    const int aircraft = p.state.traffic.table.FindAircraft(QStringLiteral("AFR1"));
    AddStrip(p.state.traffic, aircraft, NewStripLine(aircraft, QTime(12, 0)));
    // Answers the dialog the next handoff opens, noting what it shows.
    QString seen;
    const auto onOpen = [&seen](int row, const char *button) {
        QTimer::singleShot(0, [&seen, row, button] {
            QWidget *dialog = QApplication::activeModalWidget();
            auto *combo = dialog->findChild<QComboBox *>();
            seen = dialog->windowTitle() + (dialog->findChild<QLabel *>()->isVisibleTo(dialog) ? "+label" : "");
            for (int i = 0; i < combo->count(); ++i)
                seen += "|" + combo->itemText(i);
            seen += ">" + combo->currentText();
            combo->setCurrentIndex(row < 0 ? combo->currentIndex() : row);
            Click(dialog, QString::fromUtf8(button));
        });
    };
    TForm_choixcontrol &chooser = *p.windows->chooseControl;
    onOpen(2, "Valider");
    EXPECT_EQ(p.sent([&] { EXPECT_TRUE(chooser.handoff(aircraft)); }).first(), "$HOLFLL_TWR:LFMM_CTR:AFR1");
    EXPECT_EQ(seen, "choix control||LFMN_TWR|LFMM_CTR>");
    EXPECT_FALSE(chooser.handoff(aircraft)) << "under way: not even opened";

    *StripLineOf(p.state.traffic, aircraft) = NewStripLine(aircraft, QTime(12, 0));
    onOpen(-1, "Annuler");
    EXPECT_TRUE(p.sent([&] { EXPECT_FALSE(chooser.handoff(aircraft)); }).isEmpty());
    EXPECT_EQ(seen, "choix control||LFMN_TWR|LFMM_CTR>LFMM_CTR");
}

TEST(FiledPlansUi, ADateMustBeValidAndNotPastAndIsSentAsTyped)
{
    const QLocale locale = QLocale::system();
    const QDate today(2026, 12, 7);
    const QString todayText = locale.toString(today, QLocale::ShortFormat);
    const QString fourDigits = locale.dateFormat(QLocale::ShortFormat).replace("yyyy", "yy").replace("yy", "yyyy");
    struct Case {
        QString typed;
        const char *message; // nothing sent with one
    } cases[] = {{todayText, nullptr}, {today.addDays(30).toString(fourDigits), nullptr},
                 {locale.toString(today.addDays(-1), QLocale::ShortFormat), "date dépassée"},
                 {"demain", "date non valide"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        Program p;
        ScriptedPrompts prompts;
        prompts.answerInput(c.typed);
        ManualClock clock(QDateTime(today, QTime(10, 0)));
        TForm_depot window(p.state, p.form.connection(), prompts, clock);
        const QString sent = p.sent([&] { window.pardate1Click(); }).join("");
        const PromptCall &asked = prompts.calls().first();
        EXPECT_EQ(asked.caption + "|" + asked.text + "|" + asked.value, "FP déposés|entrez la date|" + todayText);
        EXPECT_EQ(prompts.messages(), c.message ? QStringList{c.message} : QStringList());
        EXPECT_EQ(sent + "|" + window.windowTitle(), c.message ? "|plans de vol déposés"
                      : "$CQLFLL_TWR:SERVER:DEPOTFP:" + c.typed + "|plans de vol déposés au " + c.typed);
    }
}

TEST(FiledPlansUi, EachRequestStartsAnEmptyListAndTheExportTurnsSlashesIntoTabs)
{
    Program p;
    QTemporaryDir dir;
    TForm_depot &window = *p.windows->depot;
    window.Button_enrClick();
    EXPECT_EQ(p.env.prompts.messages(), QStringList{"pas de plan de vol déposé"});

    EXPECT_EQ(p.sent([&] { p.form.menu().TOUS1->trigger(); }), QStringList{"$CQLFLL_TWR:SERVER:DEPOTFP:TOUS"});
    EXPECT_TRUE(window.isVisible());
    p.lines({"$DEPOTFPserver:LFLL_TWR:AFR1:I:B738:450:LFLL:1200:905:350:LFMN:0:0:0:0:0:RMK/TCAS:MTL/UN852"});
    EXPECT_EQ(Items(&window).join(""), "AFR1  1200  IFR  B738  LFLL  MTL/UN852  LFMN  FL350  450kts  Z09:05  RMK/TCAS");

    p.env.prompts.answerSave(dir.filePath("depot"));
    window.Button_enrClick();
    EXPECT_EQ(p.env.prompts.calls().last().caption, "export vers fichier texte");
    QFile written(dir.filePath("depot.txt"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), "AFR1\t1200\tIFR\tB738\tLFLL\tMTL\tUN852\tLFMN\tFL350\t450kts\tZ09:05\tRMK\tTCAS\r\n");
    window.TOUS1Click();
    EXPECT_TRUE(Items(&window).isEmpty() && p.state.traffic.FiledPlans.isEmpty());
}

} // namespace
} // namespace zaz::test
