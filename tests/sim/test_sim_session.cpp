// The simulator session against a recording entry table: opening and its declarations, the
// polling step (probe, loss, re-open, failure), the commands, and the library probe.
#include "sim/SimLibrary.h"
#include "sim/SimSession.h"
#include "traffic/TrafficOps.h"

#include <cstdint>
#include <deque>
#include <gtest/gtest.h>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using namespace zaz;

namespace {

// Every call the fake library received, as text, and the results it is told to give.
struct Recorder {
    std::vector<std::string> calls;
    std::map<std::string, std::deque<SimResult>> results; // per entry; S_OK once used up
    std::vector<SimDword> records;                         // dwIDs handed to the dispatch
    std::vector<std::string> startingWith(const std::string &prefix) const
    {
        std::vector<std::string> out;
        for (const std::string &c : calls)
            if (c.rfind(prefix, 0) == 0)
                out.push_back(c);
        return out;
    }
};
Recorder *rec = nullptr;
int sessionToken = 0;

std::string Arg(const char *text) { return text ? text : "-"; }
std::string Arg(float v) { return v != 0 ? "eps" : "0"; }
std::string Arg(std::uint32_t v) { return std::to_string(v); }
std::string Arg(std::int32_t v) { return std::to_string(v); }

// Records "entry arg arg..." and gives the next result queued for the entry.
template <typename... A>
SimResult Rec(const std::string &entry, A... args)
{
    std::string call = entry;
    ((call.append(" ").append(Arg(args))), ...);
    rec->calls.push_back(call);
    auto &queue = rec->results[entry];
    if (queue.empty())
        return SIM_OK;
    const SimResult r = queue.front();
    queue.pop_front();
    return r;
}

const SimEntries kFake = [] {
    SimEntries e{};
    e.SimConnect_Open = [](SimHandle *h, const char *name, void *, SimDword, void *, SimDword) {
        *h = &sessionToken;
        return Rec("Open", name);
    };
    e.SimConnect_Close = [](SimHandle) { return Rec("Close"); };
    e.SimConnect_CallDispatch = [](SimHandle, SimDispatchProc proc, void *ctx) {
        for (SimDword id : rec->records) {
            const SimRecv r{sizeof(SimRecv), 4, id};
            proc(&r, sizeof r, ctx);
        }
        return Rec("Dispatch");
    };
    e.SimConnect_AddToDataDefinition = [](SimHandle, SimDefinitionId d, const char *name, const char *unit,
                                          SimDataType type, float eps, SimDword datum) {
        return Rec("Add", d, name, unit, type, eps, SimDword(datum == SIM_UNUSED));
    };
    e.SimConnect_MapClientEventToSimEvent = [](SimHandle, SimEventId ev, const char *n) { return Rec("Map", ev, n); };
    e.SimConnect_AddClientEventToNotificationGroup = [](SimHandle, SimGroupId g, SimEventId ev, SimBool m) {
        return Rec("Group", g, ev, m);
    };
    e.SimConnect_SetNotificationGroupPriority = [](SimHandle, SimGroupId g, SimDword p) { return Rec("Priority", g, p); };
    e.SimConnect_SubscribeToSystemEvent = [](SimHandle, SimEventId ev, const char *n) { return Rec("Subscribe", ev, n); };
    e.SimConnect_RequestDataOnSimObjectType = [](SimHandle, SimRequestId r, SimDefinitionId d, SimDword radius,
                                                 SimObjectType t) { return Rec("ByType", r, d, radius, t); };
    e.SimConnect_WeatherRequestObservationAtStation = [](SimHandle, SimRequestId r, const char *icao) {
        return Rec("Metar", r, icao);
    };
    e.SimConnect_TransmitClientEvent = [](SimHandle, SimObjectId o, SimEventId ev, SimDword data, SimGroupId g,
                                          SimDword flags) { return Rec("Transmit", o, ev, data, g, flags); };
    return e;
}();

class SimSessionTest : public ::testing::Test {
protected:
    void SetUp() override { rec = &r; }
    void TearDown() override { rec = nullptr; }
    void open()
    {
        ASSERT_TRUE(OpenSimSession(session, sim));
        opening = std::exchange(r.calls, {});
    }
    Recorder r;
    std::vector<std::string> opening; // the calls of open()
    SimSession session{&kFake};
    SimState sim;
};

const std::map<SimDataType, int> kPackedSize = {
    {SIM_DATATYPE_INT32, 4}, {SIM_DATATYPE_FLOAT64, 8}, {SIM_DATATYPE_STRING64, 64}, {SIM_DATATYPE_STRING256, 256}};

} // namespace

TEST_F(SimSessionTest, OpeningDeclaresDefinitionsThatPackToTheLayoutsTheDispatchReads)
{
    ASSERT_TRUE(OpenSimSession(session, sim));
    EXPECT_TRUE(sim.connected);
    EXPECT_EQ(r.calls.front(), "Open MYAPP");
    // The definitions come in order, and the types declared add up to the packed records.
    std::map<SimDword, int> sizes;
    SimDword last = 0;
    for (const std::string &c : r.startingWith("Add ")) {
        const SimDword def = SimDword(std::stoul(c.substr(4)));
        EXPECT_GE(def, last) << c;
        last = def;
        EXPECT_TRUE(c.ends_with(" 0 1")) << c; // epsilon 0, datum unused
        sizes[def] += kPackedSize.at(SimDataType(std::stoul(c.substr(c.rfind(' ', c.size() - 5) + 1))));
    }
    EXPECT_EQ(sizes, (std::map<SimDword, int>{{0, sizeof(SimIdentityData)}, {1, sizeof(SimPositionData)},
                                              {2, sizeof(SimAiStateData)}, {3, sizeof(SimWeatherData)},
                                              {4, sizeof(SimClockData)}}));
    EXPECT_EQ(r.startingWith("Add 1 ").front(), "Add 1 ZAZ ID - 7 0 1");
    EXPECT_EQ(r.startingWith("Map ").size(), 5u);
    EXPECT_EQ(r.startingWith("Group ").back(), "Group 0 6 0");
    EXPECT_EQ(r.startingWith("Priority "), std::vector<std::string>{"Priority 0 1"});
    EXPECT_EQ(r.startingWith("Subscribe "),
              (std::vector<std::string>{"Subscribe 0 ObjectAdded", "Subscribe 1 ObjectRemoved"}));
}

TEST_F(SimSessionTest, EachTickProbesThenPollsOrClosesALostSimulatorAndReopensItOnceItAnswers)
{
    open();
    const std::string probe = "ByType 8 4 0 0";
    const std::vector<std::string> polled = {probe, "Subscribe 0 ObjectAdded", "Subscribe 1 ObjectRemoved",
                                             "ByType 3 1 300000 2", "ByType 4 1 300000 3", "Dispatch"};
    std::vector<std::string> ambient = polled;
    ambient.insert(ambient.end() - 1, "ByType 7 3 0 0");
    // One session tick after tick: what the library answers, what the tick gives, the calls.
    struct Tick {
        const char *name;
        bool wantAmbient;
        std::deque<SimResult> probeResults, openResults;
        SimPoll outcome;
        bool connectedAfter;
        std::vector<std::string> calls;
    } const ticks[] = {
        {"answers", false, {}, {}, SimPoll::Polled, true, polled},
        {"no simulator METAR yet", true, {}, {}, SimPoll::Polled, true, ambient},
        {"lost: closed, nothing else", false, {SIM_FAIL}, {}, SimPoll::Lost, false, {probe, "Close"}},
        {"no handle to probe: opened again, fails", false, {}, {SIM_FAIL}, SimPoll::StillLost, false, {"Open MYAPP"}},
        {"answers again: declared anew", false, {}, {}, SimPoll::Reopened, true, opening},
    };
    for (const Tick &t : ticks) {
        SCOPED_TRACE(t.name);
        r.calls.clear();
        r.results["ByType"] = t.probeResults;
        r.results["Open"] = t.openResults;
        EXPECT_EQ(PollSimSession(session, sim, t.wantAmbient, [](const void *, std::size_t) {}), t.outcome);
        EXPECT_EQ(sim.connected, t.connectedAfter);
        EXPECT_EQ(r.calls, t.calls);
    }
}

TEST_F(SimSessionTest, ARaisingDispatchFailsThePollAtOnceAndLeavesTheSessionOpen)
{
    open();
    r.records = {SIM_RECV_ID_OPEN, SIM_RECV_ID_SIMOBJECT_DATA_BYTYPE, SIM_RECV_ID_QUIT};
    std::vector<SimDword> seen;
    const auto raising = [&](const void *data, std::size_t) {
        seen.push_back(static_cast<const SimRecv *>(data)->dwID);
        if (seen.back() == SIM_RECV_ID_SIMOBJECT_DATA_BYTYPE)
            throw std::runtime_error("bad record");
    };
    EXPECT_EQ(PollSimSession(session, sim, false, raising), SimPoll::Failed);
    EXPECT_EQ(seen, (std::vector<SimDword>{SIM_RECV_ID_OPEN, SIM_RECV_ID_SIMOBJECT_DATA_BYTYPE}));
    EXPECT_TRUE(sim.connected); // stays open until the user closes it
    EXPECT_EQ(SimNotAnsweringText(QStringLiteral("P3D")), QStringLiteral("P3D ne répond plus, fermer la connexion"));
}

TEST_F(SimSessionTest, FreezeFollowsTheLastEventAndZuluSetsHoursThenMinutes)
{
    open();
    TrafficState traffic;
    const int i = ApplyServerPosition(traffic, {"N", "AI1", "1200", "1", 45.f, 5.f, 3000, 200, 90}, false,
                                      QDateTime());
    traffic.table.edit(i).objectId = 77;
    struct Case {
        std::deque<SimResult> results;
        int freeze;
        bool ok, frozenAfter;
    } const cases[] = {{{}, 1, true, true}, {{SIM_FAIL, SIM_FAIL, SIM_OK}, 0, true, false},
                       {{SIM_OK, SIM_OK, SIM_FAIL}, 1, false, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.freeze);
        r.calls.clear();
        r.results["Transmit"] = c.results;
        EXPECT_EQ(FreezeAircraft(session, traffic, i, c.freeze), c.ok);
        EXPECT_EQ(traffic.table[i].frozen, c.frozenAfter);
        const std::string f = std::string(" ").append(std::to_string(c.freeze)).append(" 1 16");
        EXPECT_EQ(r.calls, (std::vector<std::string>{"Transmit 77 2" + f, "Transmit 77 3" + f, "Transmit 77 4" + f}));
    }
    r.calls.clear();
    EXPECT_FALSE(FreezeAircraft(session, traffic, kNoAircraft, 1));
    SetSimZuluTime(session, 14, 5);
    RequestSimMetar(session, SIM_REQ_OWN_METAR, QStringLiteral("LFPGX"));
    EXPECT_EQ(r.calls, (std::vector<std::string>{"Transmit 0 5 14 1 16", "Transmit 0 6 5 1 16", "Metar 6 LFPG"}));
}

TEST_F(SimSessionTest, StationsAreAskedOneByOneEachAnswerDispatchedOnlyWhileConnected)
{
    open();
    WeatherState weather;
    weather.stations.list = {QStringLiteral("LFLLX"), QStringLiteral("LSGG")};
    for (const bool connected : {false, true}) {
        SCOPED_TRACE(connected);
        r.calls.clear();
        sim.connected = connected;
        weather.stations.checkList = {StationCheck{}};
        EXPECT_TRUE(RequestSimStations(session, sim, weather, [](const void *, std::size_t) {}));
        EXPECT_TRUE(weather.stations.checkList.isEmpty());
        EXPECT_EQ(weather.stations.loadingText, QStringLiteral("FSX stations"));
        const std::vector<std::string> asked = {"Metar 9 LFLL", "Dispatch", "Metar 9 LSGG", "Dispatch"};
        EXPECT_EQ(r.calls, connected ? asked : std::vector<std::string>{});
    }
    r.records = {SIM_RECV_ID_OPEN};
    EXPECT_FALSE(RequestSimStations(session, sim, weather, [](const void *, std::size_t) { throw 1; }));
}

TEST(SimNames, TheSimulatorsNameFollowsTheServerTypeWhileItsSessionIsOpen)
{
    SimState sim;
    sim.simulatorName = QStringLiteral("FSX");
    EXPECT_EQ(ConnectionText(QStringLiteral("FSD"), sim), QStringLiteral("connecté FSD"));
    sim.connected = true;
    EXPECT_EQ(ConnectionText(QStringLiteral("FSD"), sim), QStringLiteral("connecté FSD+FSX"));
}

TEST(SimLibraryLoad, ALibraryWithoutTheEntryPointsOrNoLibraryGivesNoTable)
{
    struct Case {
        const char *file, *missing;
    } const cases[] = {{"libm.so.6", "SimConnect_Open"}, {"NoSuchSimLibrary", "NoSuchSimLibrary"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        SimLibrary library;
        EXPECT_FALSE(library.load(QLatin1String(c.file)));
        EXPECT_EQ(library.entries(), nullptr);
        EXPECT_EQ(library.errorText(), QLatin1String(c.missing));
        EXPECT_EQ(SimLibraryStatusText(library.isLoaded()), QStringLiteral("SimConnect.dll not found"));
    }
}
