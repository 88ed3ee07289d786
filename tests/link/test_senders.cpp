// The senders: what each one sends, and how it is logged and counted for the packet monitor.
#include "state/RadarState.h"
#include "link/LineProtocol.h"
#include "link/Senders.h"

#include <gtest/gtest.h>

using namespace zaz;

namespace {

struct Recorder : LineSender {
    void SendLine(const QString &text) override { sent.append(text); }
    QStringList sent;
};

int AddAircraft(RadarState &s, const QString &callsign, const QString &handoffFrom = QString())
{
    const int index = s.traffic.table.AcquireRecord();
    s.traffic.table.SetCallsign(index, callsign);
    s.traffic.table.Edit(index).handoffFrom = handoffFrom;
    return index;
}

} // namespace

TEST(Senders, LogAndCountByPolicy)
{
    // policy, monitor ticked, lines logged, lines counted
    const std::tuple<SendLog, bool, int, int> cases[] = {
        {SendLog::Always, false, 1, 1}, {SendLog::AlwaysUncounted, false, 1, 0},
        {SendLog::Ticked, false, 0, 0}, {SendLog::Ticked, true, 1, 1},
        {SendLog::TickedCounted, false, 0, 1}, {SendLog::TickedCounted, true, 1, 1},
        {SendLog::Never, true, 0, 0},
    };
    for (const auto &[policy, ticked, logged, counted] : cases) {
        RadarState s;
        Recorder r;
        s.link.monitorTicked = ticked;
        SendLogged(s, r, QStringLiteral("#TMME:@49999:x\r\n"), policy);
        EXPECT_EQ(r.sent, QStringList{"#TMME:@49999:x\r\n"});
        EXPECT_EQ(s.link.SentLog.lines.size(), logged) << int(policy) << " ticked " << ticked;
        EXPECT_EQ(s.link.SentCount, counted) << int(policy) << " ticked " << ticked;
    }

    // The log holds the line without its end, whichever end it has; the socket gets it whole.
    RadarState s;
    Recorder r;
    SendLogged(s, r, SignOffLine("LFLL_TWR", "42", true), SendLog::Always);
    SendLogged(s, r, SignOffLine("LFLL_TWR", "42", false), SendLog::Always);
    EXPECT_EQ(s.link.SentLog.lines, QStringList({"#DALFLL_TWR:42", "#DALFLL_TWR:42"}));
    EXPECT_EQ(r.sent, QStringList({"#DALFLL_TWR:42\r", "#DALFLL_TWR:42\r\n"}));
}

TEST(Senders, PositionUsesTheConfirmedCallsignAndItsTwoPolicies)
{
    RadarState s;
    Recorder r;
    LinkState &l = s.link;
    l.LoginCallsign = QStringLiteral("lfll_twr");
    l.OwnCallsign = QStringLiteral("LFLL_TWR");
    l.Com1Digits = QStringLiteral("120450");
    l.Facility = 4;
    l.VisibilityRange = 30;
    l.Rating = 5;
    l.OwnLat = 45.725f;
    l.OwnLon = 5.25f;

    SendPosition(s, r, false);
    EXPECT_EQ(r.sent, QStringList{"%LFLL_TWR:20450:4:30:5:45.72500: 5.25000:0\r\n"});
    EXPECT_EQ(l.SentLog.lines.size(), 1);
    EXPECT_EQ(l.SentCount, 0);

    // Periodic reports while the monitor is not ticked: sent and counted, not shown.
    SendPosition(s, r, true);
    SendPosition(s, r, true);
    EXPECT_EQ(r.sent.size(), 3);
    EXPECT_EQ(l.SentLog.lines.size(), 1);
    EXPECT_EQ(l.SentCount, 2);
}

TEST(Senders, QueriesAndHandoffAcceptance)
{
    RadarState s;
    Recorder r;
    s.link.OwnCallsign = QStringLiteral("LFLL_APP");
    const int plain = AddAircraft(s, QStringLiteral("EZY1"));
    const int offered = AddAircraft(s, QStringLiteral("AFR123"), QStringLiteral("LFLL_TWR"));
    const int freed = AddAircraft(s, QString(), QStringLiteral("LFLL_TWR"));

    // Invalid indexes, free records and aircraft without an offer send nothing.
    for (int index : {freed, -1, kNoAircraft})
        RequestFlightPlan(s, r, index);
    for (int index : {plain, freed, 77})
        AcceptHandoff(s, r, index);
    EXPECT_TRUE(r.sent.isEmpty());

    // Monitor not ticked: sent, neither logged nor counted.
    RequestFiledPlans(s, r, QStringLiteral("TOUS"));
    EXPECT_EQ(r.sent, QStringList{"$CQLFLL_APP:SERVER:DEPOTFP:TOUS\r\n"});
    EXPECT_EQ(s.link.SentCount, 0);

    r.sent.clear();
    s.link.monitorTicked = true;
    AcceptHandoff(s, r, offered);
    EXPECT_EQ(r.sent, QStringList({"$HALFLL_APP:LFLL_TWR:AFR123\r\n", "$CQLFLL_APP:SERVER:FP:AFR123\r\n"}));
    EXPECT_TRUE(s.traffic.table[offered].handoffFrom.isEmpty());
    EXPECT_EQ(s.link.SentLog.lines,
              QStringList({"$HALFLL_APP:LFLL_TWR:AFR123", "$CQLFLL_APP:SERVER:FP:AFR123"}));
    EXPECT_EQ(s.link.SentCount, 2);

    // Accepted once: a second click sends nothing more.
    AcceptHandoff(s, r, offered);
    EXPECT_EQ(r.sent.size(), 2);
}
