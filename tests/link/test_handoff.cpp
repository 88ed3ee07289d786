// Offering an aircraft to another controller: the two lines, the marks on the strip and
// the aircraft, what the text variables keep, and when nothing at all is done.
#include "core/StateNotifier.h"
#include "core/Text.h"
#include "link/Handoff.h"
#include "traffic/TrafficOps.h"

#include "support/RecordingSender.h"

#include <gtest/gtest.h>

using namespace zaz;

namespace {

using Recorder = test::RecordingSender;

// LFLL_TWR with AFR1 to LFMN on a strip: point MTL12, level 120, kind I, position TWR,
// STAR index S03.
struct Offer : ::testing::Test {
    Offer()
    {
        link.OwnCallsign = QStringLiteral("LFLL_TWR");
        index = traffic.table.AcquireRecord();
        traffic.table.setCallsign(index, QStringLiteral("AFR1"));
        traffic.table.edit(index).destination = QStringLiteral("LFMN");
        const QString line = ReplaceColumns(NewStripLine(index, QTime(12, 0)), 22, "MTL12   120     I   TWR");
        AddStrip(traffic, index, ReplaceColumns(line, 54, "S03"));
        auto &table = controllers.ControllerTable;
        table.resize(2);
        table[0].callsign = QStringLiteral("LFMN_APP");
        table[0].frequency = QStringLiteral("121000");
        table[1].callsign = QStringLiteral("LFMM_N_CTR");
        table[1].frequency = QStringLiteral("122000");
        QObject::connect(&notifier, &StateNotifier::statusText, [this](int panel, const QString &text) {
            status << IntToStr(panel) + ":" + text;
        });
    }
    QString &strip() { return *StripLineOf(traffic, index); }
    bool offer(const char *chosen)
    {
        controllers.chosenCallsign = QLatin1String(chosen);
        return OfferHandoff(link, traffic, controllers, notifier, out, index);
    }

    LinkState link;
    TrafficState traffic;
    ControllersState controllers;
    StateNotifier notifier;
    Recorder out;
    QStringList status;
    int index = 0;
};

TEST_F(Offer, SendsBothLinesThenMarksTheStripInItsColumnsOnlyWhenNoHandoffIsUnderWay)
{
    struct Case {
        const char *chosen;
        const char *before45; // columns 45-53 before the offer
        int nextPoint;
        const char *after45;  // columns 45 to 61 after; nullptr: refused, nothing changes
        const char *frequency;
    } cases[] = {
        {"LFMN_APP", "         ", 7, "DLFMN_APPS0307   ", "121.000"},
        {"LFMM_N_CTR", "         ", 12, "DLFMM_N_CS0312   ", "122.000"},
        {"LFMN_TW", " OLDNAME9", 0, "DLFMN_TW S0300   ", ""}, // not in the table
        {"LFMN_APP", "         ", -1, "DLFMN_APPS03-1   ", "121.000"},
        {"LFMN_APP", "DLFMM_N_C", 3, nullptr, nullptr},
        {"LFMN_APP", "ALFMM_N_C", 3, nullptr, nullptr},
        {"", "         ", 3, nullptr, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.before45 + std::string(c.chosen));
        strip() = ReplaceColumns(strip(), 45, QLatin1String(c.before45));
        traffic.table.edit(index).nextPoint = c.nextPoint;
        traffic.table.edit(index).handoffState.clear();
        controllers.handoffCallsign = controllers.handoffFrequency = QString();
        out.sent.clear();
        status.clear();
        const QString before = strip();

        ASSERT_EQ(offer(c.chosen), c.after45 != nullptr);
        const QString offerLine = QStringLiteral("$HOLFLL_TWR:%1:AFR1").arg(c.chosen);
        const QString notice = QStringLiteral("#TMLFLL_TWR:%1:demande de Handoff pourAFR1/TWR/I/MTL12/FL120/destLFMN");
        const QStringList both = {offerLine + "\r\n", notice.arg(c.chosen) + "\r\n"};
        EXPECT_EQ(out.sent, c.after45 ? both : QStringList());
        EXPECT_EQ(status, c.after45 ? QStringList{"0:" + offerLine} : QStringList());
        EXPECT_EQ(strip(), c.after45 ? before.left(44) + c.after45 : before);
        EXPECT_EQ(traffic.table[index].handoffState, c.after45 ? "D" : "");
        EXPECT_EQ(controllers.handoffCallsign + " " + controllers.handoffFrequency,
                  c.after45 ? QLatin1String(c.chosen) + " " + c.frequency : " ");
    }
    EXPECT_EQ(link.SentLog.total() + link.SentCount, 2 * 8) << "logged and counted, monitor unticked";
    RemoveStrip(traffic, index);
    EXPECT_FALSE(offer("LFMN_APP")) << "no strip";
    EXPECT_TRUE(out.sent.isEmpty());
}

} // namespace
