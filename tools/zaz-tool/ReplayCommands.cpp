// zaz-tool replay: the lines of a capture fed to the program's own dispatcher as if the
// server had sent them after a login, then everything the lines changed printed as JSON.
#include "ReplayCommands.h"

#include "Json.h"
#include "ToolSettings.h"

#include "core/Clock.h"
#include "core/IniFile.h"
#include "core/RadarState.h"
#include "link/Dispatcher.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace zaz::tool {

namespace {

const OptionDef kServerTypeOption{"--server-type", true, "FSD ou VIREO-SERVER"};
const OptionDef kSectorOption{"--sector", true, "un fichier"};
const OptionDef kOwnOption{"--own", true, "un indicatif"};

// Socket reads are at most this large; one tick handles one read.
constexpr qsizetype kReadSize = 64 * 1024;
// The replay's clock: a fixed start, moved by one timer period at each tick, so that the
// times the lines leave in the state (strips, weather) are the same at every run.
const QDateTime kReplayStart(QDate(2000, 1, 1), QTime(12, 0, 0), Qt::UTC);
constexpr qint64 kTickMs = 100;

// Keeps what the dispatcher sends, without the line ends.
struct SentLines : LineSender {
    void SendLine(const QString &text) override
    {
        qsizetype end = text.size();
        if (end > 0 && text[end - 1] == QLatin1Char('\n'))
            --end;
        if (end > 0 && text[end - 1] == QLatin1Char('\r'))
            --end;
        lines.append(text.left(end));
    }
    QStringList lines;
};

// The capture's bytes as socket reads: every line end of the file (CR LF, LF or CR alone)
// is sent as the CR LF a server ends its lines with, and a last line without an end gets
// one. A capture written with CR LF goes through byte for byte.
class ReadFeeder {
public:
    ReadFeeder(Dispatcher &dispatcher, ManualClock &clock) : dispatcher_(dispatcher), clock_(clock)
    {
        read_.reserve(kReadSize + 2);
    }

    void Add(const char *data, qsizetype size)
    {
        for (qsizetype i = 0; i < size; ++i) {
            const char c = data[i];
            if (c == '\r') {
                read_.append("\r\n", 2);
                afterCr_ = true;
                lineOpen_ = false;
            } else if (c == '\n') {
                if (!afterCr_)
                    read_.append("\r\n", 2);
                afterCr_ = false;
                lineOpen_ = false;
            } else {
                read_.append(c);
                afterCr_ = false;
                lineOpen_ = true;
            }
            if (read_.size() >= kReadSize)
                Deliver();
        }
    }

    // Ends the last line, delivers the last read and ticks until every line is handled.
    void Finish()
    {
        if (lineOpen_)
            read_.append("\r\n", 2);
        lineOpen_ = false;
        while (!read_.isEmpty())
            Deliver();
        while (dispatcher_.HasPending())
            TickOnce();
    }

private:
    void Deliver()
    {
        const qsizetype size = qMin(read_.size(), kReadSize);
        dispatcher_.Receive(read_.left(size));
        read_.remove(0, size);
        TickOnce();
    }

    void TickOnce()
    {
        dispatcher_.Tick();
        clock_.AdvanceMs(kTickMs);
    }

    Dispatcher &dispatcher_;
    ManualClock &clock_;
    QByteArray read_;
    bool afterCr_ = false;
    bool lineOpen_ = false;
};

// The login the capture comes after: the server accepted the own callsign, and COM1 is the
// frequency of the sector's own airport.
void SyntheticLogin(RadarState &state, const QString &serverType, const QString &own)
{
    LinkState &link = state.link;
    link.serverType = serverType;
    link.LoginCallsign = own;
    link.OwnCallsign = own;
    link.LoginSent = true;
    link.Accepted = true;
    link.loggedIn = true;
    link.VireoServer = serverType == QLatin1String("VIREO-SERVER");
    const QString digits = state.sector.identity.ownFrequency;
    link.Com1Digits = digits;
    link.Com1Frequency = digits.size() > 3 ? digits.left(3) + QLatin1Char('.') + digits.mid(3) : digits;
}

void WriteTexts(JsonWriter &json, const char *name, const QStringList &texts)
{
    json.Key(name).BeginArray();
    for (const QString &text : texts)
        json.String(text);
    json.EndArray();
}

void WriteTraffic(JsonWriter &json, Output &out, const RadarState &state)
{
    QSet<QString> live;
    for (const QString &index : state.traffic.LiveTrafficList)
        live.insert(index);
    json.Key("traffic").BeginArray();
    const TrafficTable &table = state.traffic.table;
    for (int i = 0; i < table.size(); ++i) {
        const AVION &a = table[i];
        if (a.callsign.isEmpty())
            continue;
        json.BeginObject()
            .Member("index", i)
            .Key("live")
            .Flag(live.contains(QString::number(i)))
            .Member("callsign", a.callsign)
            .Member("squawk", a.squawk)
            .Member("lat", a.lat)
            .Member("lon", a.lon)
            .Member("altitude", a.altitude)
            .Member("prevAltitude", a.prevAltitude)
            .Member("groundSpeed", a.groundSpeed)
            .Key("heading")
            .Float(float(a.heading))
            .Member("transponderMode", a.transponderMode)
            .Key("hasFlightPlan")
            .Flag(a.hasFlightPlan)
            .Key("ifr")
            .Flag(a.ifr)
            .Member("acType", a.acType)
            .Member("departure", a.departure)
            .Member("destination", a.destination)
            .Member("alternate", a.alternate)
            .Member("tas", a.tas)
            .Member("cruiseLevel", a.cruiseLevel)
            .Member("route", a.route)
            .Member("remarks", a.remarks)
            .Member("routePoints", a.routePoints.size())
            .Member("nextPoint", a.nextPoint)
            .Member("handoffFrom", a.handoffFrom)
            .Member("handoffState", a.handoffState)
            .Key("hasStrip")
            .Flag(a.hasStrip)
            .Key("alert")
            .Flag(a.alert)
            .EndObject();
        out.Commit();
    }
    json.EndArray();
}

void WriteControllers(JsonWriter &json, const RadarState &state)
{
    json.Key("controllers").BeginArray();
    const QList<t_controller> &table = state.controllers.ControllerTable;
    for (qsizetype i = 0; i < table.size(); ++i) {
        const t_controller &c = table[i];
        if (c.callsign.isEmpty())
            continue;
        json.BeginObject()
            .Member("index", i)
            .Member("callsign", c.callsign)
            .Member("frequency", c.frequency)
            .Member("facilityText", c.facilityText)
            .Member("ratingText", c.ratingText)
            .Member("range", c.range)
            .Member("lat", c.lat)
            .Member("lon", c.lon)
            .Member("altitude", c.altitude)
            .Key("inRadioList")
            .Flag(c.inRadioList)
            .EndObject();
    }
    json.EndArray();
}

void WriteWind(JsonWriter &json, const t_wind &w)
{
    json.BeginObject()
        .Member("altitude", w.altitude)
        .Member("temperature", w.temperature)
        .Member("direction", w.direction)
        .Member("sectorStart", w.sectorStart)
        .Member("sectorEnd", w.sectorEnd)
        .Member("speed", w.speed)
        .Member("unit", w.unit)
        .Member("gust", w.gust)
        .Member("depth", w.depth)
        .Member("turbulence", w.turbulence)
        .Member("shear", w.shear)
        .EndObject();
}

void WriteWeather(JsonWriter &json, const WeatherState &weather)
{
    const t_weather &w = weather.CurrentWeather;
    json.Key("weather")
        .BeginObject()
        .Member("station", w.station)
        .Member("time", w.time)
        .Member("rawMetar", weather.rawMetar)
        .Key("newMetar")
        .Flag(weather.newMetar)
        .Member("qnh", weather.qnhText)
        .Member("altimeter", weather.altimeterText)
        .Member("pressure", w.pressureText)
        .Member("windUnit", weather.windUnit)
        .Key("wind");
    WriteWind(json, w.wind);
    json.Key("windsAloft").BeginArray();
    for (const t_wind &layer : w.windsAloft)
        WriteWind(json, layer);
    json.EndArray();
    json.Key("clouds").BeginArray();
    for (const t_cloud &c : w.clouds) {
        json.BeginObject()
            .Member("height", c.height)
            .Member("cover", c.cover)
            .Member("top", c.top)
            .Member("turbulence", c.turbulence)
            .Member("precipIntensity", c.precipIntensity)
            .Member("precipType", c.precipType)
            .Member("base", c.base)
            .Member("icing", c.icing)
            .EndObject();
    }
    json.EndArray();
    json.Key("temperatures").BeginArray();
    for (const t_temperature &t : w.temperatures) {
        json.BeginObject()
            .Member("temperature", t.temperature)
            .Member("dewPoint", t.dewPoint)
            .Member("altitude", t.altitude)
            .EndObject();
    }
    json.EndArray();
    json.EndObject();
}

} // namespace

int RunReplayCommand(const QStringList &arguments, Output &out)
{
    const ParsedArguments args = ParseArguments(
        arguments, {kServerTypeOption, kSectorOption, kSettingsOption, kOwnOption}, {QStringLiteral("FICHIER")});
    const QString serverType = args.HasValue("--server-type") ? args.Value("--server-type") : QStringLiteral("FSD");
    if (serverType != QLatin1String("FSD") && serverType != QLatin1String("VIREO-SERVER"))
        UsageError(QStringLiteral("type de serveur inconnu : %1 (FSD ou VIREO-SERVER)").arg(serverType));
    const QString own = args.HasValue("--own") ? args.Value("--own") : QStringLiteral("ZAZ_OBS");

    const QString path = args.positional[0];
    const QFileInfo info(path);
    if (!info.exists())
        IoError(QStringLiteral("fichier introuvable : %1").arg(path));
    if (info.isDir())
        IoError(QStringLiteral("c'est un dossier, pas un fichier : %1").arg(path));
    QFile capture(path);
    if (!capture.open(QIODevice::ReadOnly))
        IoError(QStringLiteral("lecture impossible : %1 (%2)").arg(path, capture.errorString()));

    // The settings folder is checked even without a sector; its ZAZ.ini names the ratings
    // and facilities of the controllers.
    const SectorReadSettings readSettings = ReadSettingsFrom(args);
    RadarState state;
    const QString folder = args.HasValue("--settings") ? args.Value("--settings") : QDir::currentPath();
    const QString iniPath = QDir(folder).filePath(QStringLiteral("ZAZ.ini"));
    if (QFileInfo(iniPath).isFile())
        state.files.zaz = std::make_unique<IniFile>(iniPath);
    if (args.HasValue("--sector"))
        ApplySectorLoad(state, LoadSector(args.Value("--sector"), readSettings));
    SyntheticLogin(state, serverType, own);

    SentLines sent;
    ManualClock clock(kReplayStart);
    Dispatcher dispatcher(state, sent, clock);
    ReadFeeder feeder(dispatcher, clock);
    QElapsedTimer timer;
    timer.start();
    QByteArray block(kReadSize, Qt::Uninitialized);
    for (;;) {
        const qint64 got = capture.read(block.data(), block.size());
        if (got < 0)
            IoError(QStringLiteral("lecture impossible : %1 (%2)").arg(path, capture.errorString()));
        if (got == 0)
            break;
        feeder.Add(block.constData(), got);
    }
    feeder.Finish();
    const double elapsedMs = double(timer.nsecsElapsed()) / 1e6;

    JsonWriter json(out.buffer(), 2);
    json.BeginObject();
    WriteTraffic(json, out, state);
    WriteControllers(json, state);
    WriteTexts(json, "radio", state.RadioMessages);
    WriteTexts(json, "strips", state.strips.lines);
    WriteTexts(json, "stripKeys", state.strips.keys);
    WriteTexts(json, "filedPlans", state.FiledPlans);
    WriteWeather(json, state.weather);
    out.Commit();
    WriteTexts(json, "sent", sent.lines);
    const LineLog &errors = state.link.ErrorLog;
    json.Member("errors", errors.lines.size() + errors.dropped);
    WriteTexts(json, "errorLines", errors.lines);
    json.Key("elapsed_ms").Fixed(elapsedMs, 3).EndObject();
    out.Write("\n");
    return kExitOk;
}

QString ReplayUsage()
{
    return QStringLiteral(
        "\n"
        "  zaz-tool replay FICHIER [--server-type FSD|VIREO-SERVER] [--sector FICHIER]\n"
        "                  [--settings DOSSIER] [--own INDICATIF]\n"
        "      rejoue une capture de lignes du serveur comme si elles arrivaient après une\n"
        "      connexion acceptée (indicatif INDICATIF, ZAZ_OBS par défaut ; serveur FSD par\n"
        "      défaut ; COM1 : fréquence de l'aéroport du secteur) : lectures de 64 Kio, un\n"
        "      tick par lecture ; toute fin de ligne du fichier (CR LF, LF ou CR) compte comme\n"
        "      CR LF ; horloge fixe partant du 01/01/2000 12:00:00 UTC, 100 ms par tick.\n"
        "      Écrit un objet JSON : trafic, contrôleurs, radio, strips, plans déposés,\n"
        "      météo, lignes envoyées, erreurs et durée (ms) ; --settings donne le ZAZ.ini\n"
        "      des textes de qualification et de position\n");
}

} // namespace zaz::tool
