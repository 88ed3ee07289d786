// The stations' weather fetched from a local HTTP server that each test starts: replies read
// into their station, the order of the requests, an unreachable server, a refresh while a
// fetch runs, the station lists of a sector load and of a refresh, and what goes to the
// server (forwarded METARs, the "$AX" of an FSD link).
#include "link/LineSender.h"
#include "state/WeatherRefresh.h"
#include "weather/MetarFetch.h"
#include "weather/Stations.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include "support/RecordingSender.h"

#include <gtest/gtest.h>

namespace zaz::test {
namespace {

// Own position at LFLL; LFLS 10.4 nm and LFLY 10.6 nm north of it; LFPG far away.
const QString kSector = QStringLiteral(
    "[INFO]\nTest\nLFLL_APP\nLFLL\nN045.00.00.000\nE005.00.00.000\n60\n42\n2.5\n1\n[AIRPORT]\n"
    "LFLL 118.100 N045.00.00.000 E005.00.00.000 D\nLFLS 118.300 N045.10.22.895 E005.00.00.000 D\n"
    "LFLY 118.700 N045.10.34.874 E005.00.00.000 D\nLFPG 118.500 N049.00.00.000 E002.30.00.000 D\n");
const QByteArray kDate = "2026/12/07 06:00\n";

// A weather server on 127.0.0.1: a GET is answered with the body kept for its path (404
// without one); the answers of held paths wait for release().
struct LocalServer {
    LocalServer()
    {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            QTcpSocket *s = server.nextPendingConnection();
            QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] {
                if (!s->canReadLine() || s->property("asked").toBool())
                    return;
                s->setProperty("asked", true);
                const QString path = QString::fromLatin1(s->readLine()).section(QLatin1Char(' '), 1, 1);
                asked << path;
                const QByteArray answer = bodies.contains(path) ? "HTTP/1.0 200 OK\r\n\r\n" + bodies[path]
                                                                : QByteArray("HTTP/1.0 404 Not Found\r\n\r\n");
                waiting.append({s, answer});
                if (!held.contains(path))
                    release();
            });
        });
    }
    void release()
    {
        for (auto &[socket, answer] : waiting)
            if (socket && socket->write(answer) > 0)
                socket->disconnectFromHost();
        waiting.clear();
    }
    QTcpServer server;
    QHash<QString, QByteArray> bodies;
    QStringList asked, held;
    QList<std::pair<QPointer<QTcpSocket>, QByteArray>> waiting;
};

using Recorder = test::RecordingSender;

struct Rig {
    Rig()
    {
        ApplySectorLoad(state, ReadSectorText(kSector, ReadSettingsOf(state)));
        state.weather.server = {"NET", QStringLiteral("http://127.0.0.1:%1/").arg(http.server.serverPort()), "500"};
        state.weather.CurrentWeather.source = QStringLiteral("NET");
        http.bodies = {{"/LFLL.TXT", kDate + "LFLL 070600Z 24015KT Q1018 NOSIG\n"},
                       {"/LFLS.TXT", kDate + "LFLS 070600Z 18005KT Q1017\n"}};
        QObject::connect(&fetch, &MetarFetch::finished, [this](const QString &text) { ends << text; });
        QObject::connect(&fetch, &MetarFetch::metarToPublish, [this](const QString &metar) { published << metar; });
    }
    bool waitEnd() { return QTest::qWaitFor([this] { return !ends.isEmpty(); }, 5000); }
    bool fetched(const QStringList &list)
    {
        state.weather.stations.list = list;
        ends.clear();
        fetch.StartInternetFetch();
        return waitEnd();
    }
    const Airport &airport(int i) const { return state.sector.tables.airports[i]; }
    QStringList checkList() const
    {
        QStringList codes;
        for (const StationCheck &c : state.weather.stations.checkList)
            codes << c.code + (c.checked ? "+" : "");
        return codes;
    }
    LocalServer http;
    RadarState state;
    MetarFetch fetch{state.weather, state.sector};
    QStringList ends, published;
};

} // namespace

TEST(WeatherFetch, AReplyIsStoredInItsStationOnlyWhenItIsAMetar)
{
    const struct {
        const char *name;
        QByteArray body;
        QString metar, date, wind; // empty metar: nothing stored
    } cases[] = {
        {"date line, METAR", kDate + "LFLL 070600Z 24015G25KT 9999 Q1018 NOSIG\n",
         "LFLL 070600Z 24015G25KT 9999 Q1018 NOSIG", "2026/12/07 06:00", "24015G25KT"},
        {"run together", "2026/12/07 06:30LFLL 070630Z VRB03KT CAVOK Q1019", "LFLL 070630Z VRB03KT CAVOK Q1019",
         "2026/12/07 06:30", "00000KT"},
        {"CR LF", "2026/12/07 06:00\r\nLFLL 070600Z 24008MPS Q1010\r\n", "LFLL 070600Z 24008MPS Q1010",
         "2026/12/07 06:00", "24008MPS"},
        {"html page", "<html><body>\nLFLL 070600Z 24015KT Q1018</body></html>", "", "", ""},
        {"oversized", kDate + "LFLL 070600Z 24015KT Q1018" + QByteArray(70000, ' '), "", "", ""},
        {"binary", QByteArray("\x1f\x8b\x08\0\nLFLL 24015KT", 17), "", "", ""},
        {"station not in the sector", kDate + "EGLL 070600Z 24015KT Q1018\n", "", "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        r.http.bodies["/LFLL.TXT"] = c.body;
        ASSERT_TRUE(r.fetched({"LFLL"}));
        EXPECT_EQ(r.ends, QStringList{MetarFetch::kCompleted});
        EXPECT_EQ(r.airport(0).metar, c.metar);
        EXPECT_EQ(r.airport(0).dateLine, c.date);
        EXPECT_EQ(r.airport(0).windGroup, c.wind);
        EXPECT_EQ(r.checkList(), c.metar.isEmpty() ? QStringList() : QStringList{"LFLL"});
        // LFLL is the selected station: its METAR becomes the current weather.
        EXPECT_EQ(r.state.weather.CurrentWeather.metar, c.metar);
        EXPECT_EQ(r.state.weather.newMetar, !c.metar.isEmpty());
    }
}

TEST(WeatherFetch, StationsAreAskedInTheOrderOfTheListTakenAtTheStartAndForwardedWithoutNosig)
{
    Rig r;
    r.state.weather.stations.publish = true;
    r.http.held = {"/LFLS.TXT"};
    r.state.weather.stations.list = {"LFLS", "LFPG", "LFLL"};
    r.fetch.StartInternetFetch();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !r.http.waiting.isEmpty(); }, 5000));
    r.state.weather.stations.list.clear(); // a rebuild meanwhile leaves this fetch's list alone
    r.http.release();
    ASSERT_TRUE(r.waitEnd());
    EXPECT_EQ(r.http.asked, QStringList({"/LFLS.TXT", "/LFPG.TXT", "/LFLL.TXT"}));
    EXPECT_EQ(r.checkList(), QStringList({"LFLS+", "LFLL+"}));
    EXPECT_EQ(r.published, QStringList({"LFLS 070600Z 18005KT Q1017", "LFLL 070600Z 24015KT Q1018"}));
    EXPECT_EQ(r.state.weather.stations.loadingText, MetarFetch::kCompleted);
}

TEST(WeatherFetch, AnUnreachableServerEndsTheFetchWithTheConnectionFailure)
{
    Rig r;
    r.http.server.close();
    ASSERT_TRUE(r.fetched({"LFLL", "LFLS"}));
    EXPECT_EQ(r.ends, QStringList{"Echec de la connexion"});
    EXPECT_FALSE(r.state.weather.stations.busy);
}

TEST(WeatherFetch, ARefreshDuringAFetchDropsTheOlderFetchAndItsLateReply)
{
    Rig r;
    r.http.held = {"/LFLL.TXT"};
    r.state.weather.stations.list = {"LFLL"};
    r.fetch.StartInternetFetch();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !r.http.waiting.isEmpty(); }, 5000));
    ASSERT_TRUE(r.fetched({"LFLS"}));
    r.http.release();
    QTest::qWait(200);
    EXPECT_EQ(r.ends, QStringList{MetarFetch::kCompleted}) << "the older fetch never reports its end";
    EXPECT_EQ(r.checkList(), QStringList{"LFLS"});
}

TEST(WeatherFetch, TheRefreshTimerForgetsTheMetarsFetchesAgainAndAsksTheFsdServer)
{
    Rig r;
    EXPECT_EQ(r.state.weather.stations.list, QStringList({"LFLL", "LFLS", "LFLY"})) << "sector load, radius 50";
    ASSERT_TRUE(r.fetched({"LFLL", "LFLS"}));
    r.http.bodies.remove("/LFLS.TXT");
    r.http.asked.clear();
    r.state.weather.server.radius = QStringLiteral("10"); // LFLS at 10.4 nm is in, LFLY at 10.6 out
    r.state.link.serverType = QStringLiteral("FSD");
    r.state.link.loggedIn = true;
    r.state.weather.CurrentWeather.station = QStringLiteral("LFLS");
    Recorder server;
    r.ends.clear();
    RefreshTimerStep(r.state, r.fetch, &server);
    ASSERT_TRUE(r.waitEnd());
    EXPECT_EQ(r.http.asked, QStringList({"/LFLL.TXT", "/LFLS.TXT"}));
    EXPECT_EQ(server.sent, QStringList{"$AXLFLL_APP:SERVER:METAR:LFLL\r\n"});
    EXPECT_EQ(r.state.weather.CurrentWeather.station, "LFLL");
    EXPECT_EQ(r.checkList(), QStringList{"LFLL"});
    // Only the METAR received since is forwarded.
    PublishStationMetars(r.state, server);
    EXPECT_EQ(server.sent.mid(1), QStringList{"METAR:SERVER:VIREO-SERVER:LFLL 070600Z 24015KT Q1018:\r\n"});
}

} // namespace zaz::test
