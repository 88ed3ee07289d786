// The console's HO list: what an incoming offer adds, and what takes the aircraft off.
#include "link/Dispatcher.h"
#include "link/Handoff.h"
#include "state/RadarState.h"
#include "traffic/TrafficOps.h"

#include "support/RecordingSender.h"

#include <gtest/gtest.h>

using namespace zaz;

namespace {

using Recorder = test::RecordingSender;

TEST(HandoffList, OffersForUsListTheAircraftOnceUntilAcceptedRefusedOrGone)
{
    RadarState s;
    Recorder out;
    ManualClock clock;
    Dispatcher dispatcher(LinkGroupsOf(s), out, clock);
    s.link.OwnCallsign = QStringLiteral("LFLL_TWR");
    s.link.Accepted = true;
    for (const char *line : {"@N:AFR1:1200:1:45.72:5.08:3000:450:90:0", "@N:BAW2:1200:1:45.72:5.08:3000:450:90:0",
                             "@N:DLH3:1200:1:45.72:5.08:3000:450:90:0", "$HOLFMN_APP:LFLL_TWR:DLH3",
                             "$HOLFMN_APP:LFLL_TWR:AFR1", "$HOLFMN_APP:LFLL_TWR:BAW2",
                             "$HOLFMM_CTR:LFLL_TWR:AFR1", // offered again: listed once, latest controller
                             "$HOLFMM_W:LFLL_GND:BAW2",   // for another controller
                             "$HOLFMN_APP:LFLL_TWR:ZZZ9"}) // not in the table
        dispatcher.DispatchLine(QLatin1String(line));
    EXPECT_EQ(s.traffic.console.handoffs.join('|'), "LFMN_APPDLH3|LFMM_CTRAFR1|LFMN_APPBAW2");
    // Refused: the offering controller is told, and a second refusal has nothing to refuse.
    const int dlh = s.traffic.table.FindAircraft("DLH3");
    EXPECT_TRUE(RefuseHandoff(s.link, s.traffic, out, dlh));
    EXPECT_FALSE(RefuseHandoff(s.link, s.traffic, out, dlh));
    EXPECT_EQ(out.sent, QStringList{QString::fromUtf8("#TMLFLL_TWR:LFMN_APP:handoff refusé pour DLH3\r\n")});
    EXPECT_EQ(s.traffic.console.handoffs.join('|'), "LFMM_CTRAFR1|LFMN_APPBAW2");
    AcceptHandoff(s.link, s.traffic, out, s.traffic.table.FindAircraft("AFR1"));
    EXPECT_EQ(s.traffic.console.handoffs.join('|'), "LFMN_APPBAW2");
    RemoveAircraft(s.traffic, s.traffic.table.FindAircraft("BAW2"));
    EXPECT_EQ(s.traffic.console.handoffs.join('|'), "");
}

} // namespace
