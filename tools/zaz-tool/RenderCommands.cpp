// zaz-tool render: the sector loaded with the settings' selections, the traffic of a
// capture fed through the program's own dispatcher, the view on the sector's own position,
// drawn by the program's own full redraw into a picture written as a PNG. With --repeat the
// redraw is timed after a change that redraws the whole map, during a drag, after wheel
// steps and after traffic changes alone (the map is reused).
#include "RenderCommands.h"

#include "Json.h"
#include "ReplayFeed.h"
#include "ToolSettings.h"

#include "core/IniFile.h"
#include "scope/ScopeInteraction.h"
#include "scope/ScopeRenderer.h"
#include "sector/Projection.h"
#include "state/RadarState.h"
#include "state/Settings.h"
#include "state/Ticks.h"

#include <QElapsedTimer>
#include <QImage>
#include <QImageWriter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace zaz::tool {

namespace {

const OptionDef kTrafficOption{"--traffic", true, "un fichier de capture"};
const OptionDef kSizeOption{"--size", true, "LARGEURxHAUTEUR"};
const OptionDef kCenterOption{"--center", true, "LAT,LON"};
const OptionDef kScaleOption{"--scale", true, "des pixels par nautique"};
const OptionDef kRepeatOption{"--repeat", true, "un nombre"};
const OptionDef kReferenceOption{"--reference", false, ""};
const OptionDef kOutOption{"--out", true, "un fichier PNG"};

// Pictures beyond this side would take hundreds of megabytes (the picture and its map).
constexpr int kMaxSide = 8192;
constexpr int kMaxRepeat = 100000;
// The program redraws every 100 ms while connected; a server sends each aircraft's position
// every 5 s.
constexpr qint64 kRedrawPeriodMs = 100;
// Pixels the pointer moves between two redraws of a drag.
constexpr int kPanStep = 8;
constexpr qint64 kPositionPeriodMs = 5000;

QSize ParseSize(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    bool okW = false, okH = false;
    const int w = parts.size() == 2 ? parts[0].toInt(&okW) : 0;
    const int h = parts.size() == 2 ? parts[1].toInt(&okH) : 0;
    if (!okW || !okH || w < 1 || h < 1 || w > kMaxSide || h > kMaxSide)
        UsageError(
            QStringLiteral("taille incorrecte : %1 (LARGEURxHAUTEUR, de 1 à %2 pixels)").arg(text).arg(kMaxSide));
    return QSize(w, h);
}

void ParseCentre(const QString &text, float &lat, float &lon)
{
    const QStringList parts = text.split(QLatin1Char(','));
    bool okLat = false, okLon = false;
    const double la = parts.size() == 2 ? parts[0].trimmed().toDouble(&okLat) : 0;
    const double lo = parts.size() == 2 ? parts[1].trimmed().toDouble(&okLon) : 0;
    if (!okLat || !okLon || !(std::fabs(la) <= 90) || !(std::fabs(lo) <= 180))
        UsageError(QStringLiteral("centre incorrect : %1 (LAT,LON en degrés décimaux)").arg(text));
    lat = float(la);
    lon = float(lo);
}

float ParseScale(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || !(value > 0) || value > 1e6)
        UsageError(QStringLiteral("échelle incorrecte : %1 (pixels par nautique, plus de 0)").arg(text));
    return float(value);
}

int ParseRepeat(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || value > kMaxRepeat)
        UsageError(QStringLiteral("nombre de répétitions incorrect : %1 (0 à %2)").arg(text).arg(kMaxRepeat));
    return value;
}

// The main window's start: the initial range over the picture height, then its settings
// file (every other value starts as the state's groups define it).
void StartLikeTheProgram(RadarState &state, const ParsedArguments &args, QSize picture)
{
    state.view.scale = float(picture.height()) / float(state.view.range);

    // A missing ZAZ.ini reads as an empty one: the settings' fallbacks apply, as at start.
    const QString folder = SettingsFolder(args);
    OpenSettingsFile(folder, state);
    const IniFile empty(QString{});
    const IniFile &ini = state.files.zaz ? *state.files.zaz : empty;
    SettingsReport report; // the picture is wanted, not the settings' problems
    Settings::ReadRingSpacing(ini, state.view, report);
    Settings::ReadDisplay(ini, state.settings, report);
    Settings::ReadSector(ini, state.settings);
}

// Procedures and airways whose table the settings keep no selection for are all shown.
void SelectRoutesWithoutSelection(RadarState &state)
{
    const SelectionTexts &s = state.settings.selections;
    SectorTables &t = state.sector.tables;
    const std::pair<QList<ROUTE> *, const QString *> tables[] = {
        {&t.sids, &s.sids}, {&t.stars, &s.stars}, {&t.lowAirways, &s.lowAirways}, {&t.highAirways, &s.highAirways}};
    for (const auto &[table, text] : tables)
        if (text->isEmpty())
            for (ROUTE &route : *table)
                route.selected = 1;
}

// The traffic between two redraws as a server sends it: every aircraft reports a position
// every 5 s, the reports spread evenly over the redraws, so that at redraw k the aircraft at
// place k modulo 50 in the live list moves on by the distance it flies in 5 s, along its
// track (or its heading when it has no track yet).
void MoveTraffic(RadarState &state, const QDateTime &now, int redraw)
{
    TrafficTable &table = state.traffic.table;
    const QStringList &live = state.traffic.LiveTrafficList;
    const double hours = kPositionPeriodMs / 3600000.0;
    constexpr int kRedrawsPerPosition = int(kPositionPeriodMs / kRedrawPeriodMs);
    for (qsizetype place = redraw % kRedrawsPerPosition; place < live.size(); place += kRedrawsPerPosition) {
        const int i = live[place].toInt();
        if (!table.inUse(i))
            continue;
        AVION &a = table.edit(i);
        const double nm = a.groundSpeed * hours;
        const double cosLat = std::cos(double(a.lat) * kPi / 180.0);
        double dLat = double(a.lat) - a.trail[0].lat;
        double dLon = (double(a.lon) - a.trail[0].lon) * cosLat;
        const double length = std::hypot(dLat, dLon);
        if (length > 0 && std::isfinite(length)) {
            dLat /= length;
            dLon /= length;
        } else {
            dLat = std::cos(a.heading);
            dLon = std::sin(a.heading);
        }
        for (int k = kTrailLength - 2; k >= 0; --k)
            a.trail[k + 1] = a.trail[k];
        a.trail[0] = {a.lat, a.lon};
        a.prevAltitude = a.altitude;
        a.lat = float(a.lat + dLat * nm / 60.0);
        if (cosLat > 1e-6)
            a.lon = float(a.lon + dLon * nm / (60.0 * cosLat));
        a.serverSeen = now;
    }
}

struct Timings {
    std::vector<double> full;
    std::vector<double> pan;
    std::vector<double> zoom;
    std::vector<double> traffic;
};

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Max(const std::vector<double> &values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

void WriteStats(JsonWriter &json, const char *name, const std::vector<double> &values)
{
    json.key(name).beginObject();
    json.key("median").fixed(Median(values), 3);
    json.key("max").fixed(Max(values), 3);
    json.endObject();
}

int LiveAircraft(const RadarState &state)
{
    int n = 0;
    for (const QString &entry : state.traffic.LiveTrafficList) {
        const int i = entry.toInt();
        if (state.traffic.table.inUse(i))
            ++n;
    }
    return n;
}

// What a run needs from the command line.
struct RenderSetup {
    QSize size;
    bool compare = false; // keep each picture's fingerprint to compare runs
    bool hasCentre = false;
    float centreLat = 0;
    float centreLon = 0;
    float scale = 1;
    int repeat = 0;
    ReplayLogin login;
};

// The state the program would have: settings, sector, traffic of the capture, view.
struct Scene {
    RadarState state;
    QDateTime now;
};

std::unique_ptr<Scene> Prepare(const ParsedArguments &args, const RenderSetup &setup)
{
    auto scene = std::make_unique<Scene>();
    RadarState &state = scene->state;
    StartLikeTheProgram(state, args, setup.size);
    ApplySectorLoad(state, LoadSector(args.value("--sector"), ReadSettingsOf(state)));
    SelectRoutesWithoutSelection(state);
    scene->now = kReplayStart;
    if (args.hasValue("--traffic"))
        scene->now = ReplayCapture(state, args.value("--traffic"), setup.login).end;
    if (setup.hasCentre) {
        state.view.centreLat = setup.centreLat;
        state.view.centreLon = setup.centreLon;
    }
    state.view.scale = setup.scale;
    return scene;
}

// One run: the first redraw into picture, then the timed redraws; each picture's
// fingerprint is kept to compare runs (outside the timings: it reads the whole picture).
struct RunResult {
    Timings timings;
    std::vector<size_t> fingerprints;
    int aircraft = 0; // shown by the first redraw
};

size_t PictureFingerprint(const QImage &picture)
{
    return qHashBits(picture.constBits(), size_t(picture.sizeInBytes()));
}

// How the runs draw: as the program does, or everything by the painter every time.
enum class Drawing { Program, Straight };

RunResult Run(Scene &scene, const RenderSetup &setup, Drawing drawing, QImage &picture,
              const std::function<void(const QImage &)> &afterFirst = {})
{
    RunResult result;
    RadarState &state = scene.state;
    ScopeRenderer renderer;
    const auto draw = [&](std::vector<double> *times) {
        QElapsedTimer timer;
        timer.start();
        // The program's redraw: the model step, then the drawing.
        StepBeforeRedraw(state, scene.now);
        if (drawing == Drawing::Program)
            renderer.draw(picture, SceneOf(state), scene.now);
        else
            DrawScopeStraight(picture, SceneOf(state), scene.now);
        if (times)
            times->push_back(double(timer.nsecsElapsed()) / 1e6);
        if (setup.compare)
            result.fingerprints.push_back(PictureFingerprint(picture));
    };
    draw(nullptr);
    result.aircraft = LiveAircraft(state);
    if (afterFirst)
        afterFirst(picture);
    if (setup.repeat == 0)
        return result;
    // The whole map drawn again: the scale one step of a float up, then back.
    ViewState &v = state.view;
    const float startScale = v.scale;
    for (int k = 0; k < setup.repeat; ++k) {
        v.scale = k % 2 == 0 ? std::nextafter(startScale, 2 * startScale) : startScale;
        draw(&result.timings.full);
    }
    // A right-button drag as the program pans: the pointer moves 8 pixels at a time, ten
    // steps right, ten steps back, from the picture's centre.
    const QSize size = picture.deviceIndependentSize().toSize();
    const QPoint middle(size.width() / 2, size.height() / 2);
    SetPanAnchor(state.scope, v, size, middle);
    for (int k = 0; k < setup.repeat; ++k) {
        const int step = (k + 1) % 20 <= 10 ? (k + 1) % 20 : 20 - (k + 1) % 20;
        PanTo(state.scope, v, size, middle + QPoint(kPanStep * step, 0));
        draw(&result.timings.pan);
    }
    // Wheel steps as the program zooms: in, out, in...
    const int sensitivity = state.settings.display.zoomSensitivity;
    for (int k = 0; k < setup.repeat; ++k) {
        ZoomWheel(v, k % 2 == 0 ? 120 : -120, sensitivity, size.height());
        draw(&result.timings.zoom);
    }
    // Traffic changes alone: the map is reused.
    for (int k = 0; k < setup.repeat; ++k) {
        scene.now = scene.now.addMSecs(kRedrawPeriodMs);
        MoveTraffic(state, scene.now, k);
        draw(&result.timings.traffic);
    }
    return result;
}

} // namespace

bool RenderCommandNamed(const char *word)
{
    return word && std::strcmp(word, "render") == 0;
}

int RunRenderCommand(const QStringList &arguments, Output &out)
{
    const ParsedArguments args = ParseArguments(
        arguments,
        {kSectorOption, kSettingsOption, kTrafficOption, kSizeOption, kCenterOption, kScaleOption, kRepeatOption,
         kReferenceOption, kOutOption, kServerTypeOption, kOwnOption},
        {});
    if (!args.hasValue("--sector"))
        UsageError(QStringLiteral("option manquante : --sector FICHIER"));
    if (!args.hasValue("--out"))
        UsageError(QStringLiteral("option manquante : --out FICHIER.png"));
    RenderSetup setup;
    setup.size = args.hasValue("--size") ? ParseSize(args.value("--size")) : QSize(1920, 1080);
    if (args.hasValue("--center")) {
        setup.hasCentre = true;
        ParseCentre(args.value("--center"), setup.centreLat, setup.centreLon);
    }
    setup.scale = args.hasValue("--scale") ? ParseScale(args.value("--scale")) : float(setup.size.height()) / 100.0f;
    setup.repeat = args.hasValue("--repeat") ? ParseRepeat(args.value("--repeat")) : 0;
    setup.login = ReplayLoginFrom(args);
    const bool withReference = args.hasFlag("--reference");
    setup.compare = withReference;

    QImage picture(setup.size, QImage::Format_RGB32);
    if (picture.isNull())
        IoError(QStringLiteral("mémoire insuffisante pour une image de %1x%2")
                    .arg(setup.size.width())
                    .arg(setup.size.height()));

    // The program's redraws; the picture written is the first one.
    std::unique_ptr<Scene> scene = Prepare(args, setup);
    const RunResult cached = Run(*scene, setup, Drawing::Program, picture, [&](const QImage &first) {
        const QString path = args.value("--out");
        QImageWriter writer(path, "png");
        if (!writer.write(first))
            IoError(QStringLiteral("écriture impossible : %1 (%2)").arg(path, writer.errorString()));
    });
    scene.reset();

    // The same redraws from the same start, each drawn straightforwardly.
    RunResult straight;
    if (withReference) {
        scene = Prepare(args, setup);
        straight = Run(*scene, setup, Drawing::Straight, picture);
    }

    JsonWriter json(out.buffer());
    json.beginObject();
    if (setup.repeat > 0) {
        WriteStats(json, "full_ms", cached.timings.full);
        WriteStats(json, "pan_ms", cached.timings.pan);
        WriteStats(json, "zoom_ms", cached.timings.zoom);
        WriteStats(json, "traffic_ms", cached.timings.traffic);
    }
    json.member("aircraft", cached.aircraft);
    if (withReference) {
        if (setup.repeat > 0) {
            json.key("reference").beginObject();
            WriteStats(json, "full_ms", straight.timings.full);
            WriteStats(json, "pan_ms", straight.timings.pan);
            WriteStats(json, "zoom_ms", straight.timings.zoom);
            WriteStats(json, "traffic_ms", straight.timings.traffic);
            json.endObject();
            // How many times faster the program's redraw is than the straightforward one.
            const auto ratio = [](const std::vector<double> &slow, const std::vector<double> &fast) {
                const double f = Median(fast);
                return f > 0 ? Median(slow) / f : 0.0;
            };
            json.key("speedup").beginObject();
            json.key("full").fixed(ratio(straight.timings.full, cached.timings.full), 2);
            json.key("pan").fixed(ratio(straight.timings.pan, cached.timings.pan), 2);
            json.key("zoom").fixed(ratio(straight.timings.zoom, cached.timings.zoom), 2);
            json.key("traffic").fixed(ratio(straight.timings.traffic, cached.timings.traffic), 2);
            json.endObject();
        }
        json.key("identical").flag(cached.fingerprints == straight.fingerprints);
    }
    json.endObject();
    out.write("\n");
    return kExitOk;
}

QString RenderUsage()
{
    return QStringLiteral(
        "\n"
        "  zaz-tool render --sector FICHIER --out IMAGE.png [--settings DOSSIER]\n"
        "                  [--traffic CAPTURE] [--server-type FSD|VIREO-SERVER] [--own INDICATIF]\n"
        "                  [--size LARGEURxHAUTEUR] [--center LAT,LON] [--scale PIXELS_PAR_NM]\n"
        "                  [--repeat N] [--reference]\n"
        "      dessine l'écran radar comme le programme l'afficherait et l'écrit en PNG : le\n"
        "      secteur chargé avec les réglages de ZAZ.ini (couleurs, polices, sélections ;\n"
        "      tous les fixes, et toutes les SID, STAR et airways d'une table dont les\n"
        "      réglages ne gardent pas de sélection), le trafic d'une capture rejouée comme\n"
        "      par « replay » (même connexion, même horloge), la vue centrée sur la position\n"
        "      du secteur (ou LAT,LON en degrés décimaux), PIXELS_PAR_NM par défaut la hauteur\n"
        "      / 100, image de 1920x1080 par défaut (8192 pixels au plus de chaque côté).\n"
        "      Écrit un objet JSON sur une ligne : \"aircraft\" (avions affichés) et, avec\n"
        "      --repeat N, les durées en ms (\"median\", \"max\") de N dessins où toute la\n"
        "      carte est redessinée (\"full_ms\" : échelle changée du plus petit écart), de N\n"
        "      dessins pendant un glisser du bouton droit (\"pan_ms\" : le pointeur avance de\n"
        "      8 pixels à chaque dessin, dix pas vers la droite puis dix vers la gauche), de N\n"
        "      dessins après un cran de molette (\"zoom_ms\" : zoom avant puis arrière, à la\n"
        "      sensibilité des réglages) et de N dessins où seul le trafic a bougé (\"traffic_ms\" : horloge avancée de 100 ms\n"
        "      à chaque dessin ; chaque avion reçoit une position toutes les 5 s, soit un\n"
        "      avion sur 50 à chaque dessin, avancé de ce qu'il parcourt en 5 s).\n"
        "      --reference refait ensuite la même suite de dessins depuis le même départ en\n"
        "      dessinant tout directement à chaque fois (rien de gardé d'un dessin à\n"
        "      l'autre : ni carte, ni textes, ni contours) : ajoute \"reference\" (mêmes\n"
        "      durées), \"speedup\" (médiane directe / médiane du programme) et\n"
        "      \"identical\" (1 quand chaque dessin donne la même image dans les deux suites,\n"
        "      pixel pour pixel)\n");
}

} // namespace zaz::tool
