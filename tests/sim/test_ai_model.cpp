// The simulator's aircraft variants read from its folder, and the AI commands as they reach
// the simulator's entry points: upper-casing, plan position, fixed-size fields, the pending
// callsign and typed route, and what is never sent.
#include "sim/AircraftTypes.h"
#include "sim/SimAi.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

namespace zaz::test {
namespace {

TEST(AircraftTypes, VariantsComeFromFltsimSectionsWithTheirManufacturerRules)
{
    TestEnv env;
    env.write(QStringLiteral("sim/simobjects/airplanes/A/aircraft.cfg"),
              QStringLiteral("[fltsim.0]\ntitle=Zeta Alpha\nui_manufacturer=Zulu\n[general]\ntitle=Not a variant\n"
                             "[fltsim.12]\ntitle=Zeta Beta\n[FLTSIM.3]\ntitle=Gamma\nui_manufacturer=\n"));
    env.write(QStringLiteral("sim/simobjects/airplanes/B/AIRCRAFT.CFG"),
              QStringLiteral("[fltsim.0]\ntitle=B1\nui_manufacturer=airbus\n[fltsim.1]\nui_manufacturer=Zulu\n"
                             "[fltsim.2]\nui_manufacturer=Long\ntitle=") + QString(256, QLatin1Char('x')) + "\n");
    env.write(QStringLiteral("sim/simobjects/airplanes/C/readme.txt"), QStringLiteral("[fltsim.0]\ntitle=C\n"));
    const AircraftTypeTable table = ReadAircraftTypes(env.path(QStringLiteral("sim")));

    QStringList read;
    for (const AircraftType &t : table.entries)
        read << t.title + "/" + t.manufacturer;
    EXPECT_EQ(read, QStringList({"Zeta Alpha/Zulu", "Zeta Beta/error", "Gamma/inconnu", "B1/airbus", "error/Zulu"}));
    EXPECT_EQ(table.manufacturers, QStringList({"airbus", "error", "inconnu", "Zulu"}));
    EXPECT_EQ(table.titlesOf(QStringLiteral("tous")).size(), 5);
    EXPECT_EQ(table.titlesOf(QStringLiteral("Zulu")), QStringList({"Zeta Alpha", "error"}));
}

// The entry points the commands use, recording each call and giving the answer set by a test.
QStringList calls;
SimResult answer = SIM_OK;
int token = 0;
SimResult Record(const QString &call) { return calls << call, answer; }

const SimEntries kRecording = [] {
    SimEntries e{};
    e.SimConnect_AICreateParkedATCAircraft = [](SimHandle, const char *title, const char *tail, const char *icao,
                                                SimRequestId) {
        return Record(QString("parked %1|%2|%3").arg(title, tail, icao));
    };
    e.SimConnect_AICreateEnrouteATCAircraft = [](SimHandle, const char *title, const char *tail, std::int32_t number,
                                                 const char *path, double position, SimBool touch, SimRequestId r) {
        return Record(QString("enroute %1|%2|%3|%4|%5|%6|%7").arg(title, tail).arg(number).arg(path).arg(position)
                          .arg(touch).arg(r));
    };
    e.SimConnect_AISetAircraftFlightPlan = [](SimHandle, SimObjectId, const char *, SimRequestId) {
        return Record("plan");
    };
    e.SimConnect_AIRemoveObject = [](SimHandle, SimObjectId, SimRequestId) { return Record("remove"); };
    return e;
}();

TEST(SimAi, CreationSendsUpperCaseTextsAndKeepsThePendingCallsign)
{
    auto enroute = [](const char *waypoint, const char *percent, bool touch) {
        return AiOrder{"Zeta Beta", "f-gxyz", AiPlacement::Enroute, {}, "/p/a.PLN", "123", waypoint, percent, touch};
    };
    const QString sent = QStringLiteral("enroute Zeta Beta|F-GXYZ|123|/p/a.PLN|");
    struct Case {
        const char *name;
        AiOrder order;
        SimResult result;
        QString call;
        const char *pending;
        bool typedRoute;
    } cases[] = {
        {"en route", enroute("3", "50", true), SIM_OK, sent + "3.5|-1|0", "F-GXYZ", true},
        {"one percent digit", enroute("2", "5", false), SIM_OK, sent + "2.5|0|0", "F-GXYZ", true},
        {"refused", enroute("3", "50", true), SIM_FAIL, sent + "3.5|-1|0", "F-GXYZ", false},
        {"no placement", AiOrder{.title = "Zeta", .tailNumber = "hb-abc"}, SIM_OK, {}, "before", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        calls.clear();
        answer = c.result;
        SimSession session{&kRecording, &token};
        SimState sim;
        sim.pendingAiCallsign = QStringLiteral("before");
        CreateAiAircraft(session, sim, c.order);
        EXPECT_EQ(calls, c.call.isEmpty() ? QStringList() : QStringList{c.call});
        EXPECT_EQ(sim.pendingAiCallsign, QString::fromLatin1(c.pending));
        EXPECT_EQ(sim.typedRouteWaiting, c.typedRoute);
    }
}

TEST(SimAi, PlansAndRemovalsGoOnlyToAircraftCreatedHereAndARefusalChangesNothing)
{
    TrafficState traffic;
    SectorState sector;
    for (const char *callsign : {"AFR1", "HBABC"})
        traffic.table.setCallsign(traffic.table.AcquireRecord(), QString::fromLatin1(callsign));
    traffic.table.edit(1).createdHere = true;
    SimSession session{&kRecording, &token};
    calls.clear();
    answer = SIM_FAIL;
    EXPECT_FALSE(RemoveAiAircraft(session, traffic, 0) || AssignAiFlightPlan(session, traffic, sector, 0, "/b", {}));
    EXPECT_TRUE(calls.isEmpty()) << "server traffic";
    EXPECT_FALSE(AssignAiFlightPlan(session, traffic, sector, 1, "/p/b.PLN", {"LSGG", "GVA", "LFLL"}));
    EXPECT_FALSE(traffic.table[1].hasFlightPlan || !traffic.table[1].route.isEmpty());
}

} // namespace
} // namespace zaz::test
