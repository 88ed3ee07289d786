#include "Engine.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <iterator>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace standin {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRad = kPi / 180.0;
constexpr double kFeetPerMetre = 3.28084;

std::string Trim(const std::string &s)
{
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

std::vector<std::string> Split(const std::string &s, char sep)
{
    std::vector<std::string> parts;
    std::stringstream in(s);
    std::string item;
    while (std::getline(in, item, sep))
        parts.push_back(Trim(item));
    return parts;
}

std::string Upper(std::string s)
{
    for (char &ch : s)
        ch = char(std::toupper(static_cast<unsigned char>(ch)));
    return s;
}

double Approach(double value, double target, double maxStep)
{
    if (std::fabs(target - value) <= maxStep)
        return target;
    return value + (target > value ? maxStep : -maxStep);
}

double Wrap360(double deg)
{
    deg = std::fmod(deg, 360.0);
    return deg < 0 ? deg + 360.0 : deg;
}

// Text between <tag> and </tag> on one line, or nothing.
std::optional<std::string> Element(const std::string &line, const std::string &tag)
{
    const std::string open = "<" + tag + ">";
    const auto b = line.find(open);
    if (b == std::string::npos)
        return std::nullopt;
    const auto e = line.find("</" + tag + ">", b);
    return Trim(line.substr(b + open.size(), e == std::string::npos ? std::string::npos
                                                                    : e - b - open.size()));
}

// One "N45° 43' 32.00"" angle: hemisphere letter, degrees, minutes, seconds.
std::optional<double> ParseAngle(const std::string &text)
{
    if (text.empty())
        return std::nullopt;
    const char hemi = text[0];
    if (hemi != 'N' && hemi != 'S' && hemi != 'E' && hemi != 'W')
        return std::nullopt;
    double parts[3] = {0, 0, 0};
    int n = 0;
    std::string number;
    for (size_t i = 1; i <= text.size(); ++i) {
        const char ch = i < text.size() ? text[i] : ' ';
        if (std::isdigit(static_cast<unsigned char>(ch)) || ch == '.') {
            number += ch;
        } else if (!number.empty()) {
            if (n == 3)
                return std::nullopt;
            parts[n++] = std::strtod(number.c_str(), nullptr);
            number.clear();
        }
    }
    if (n == 0 || parts[1] >= 60 || parts[2] >= 60)
        return std::nullopt;
    const double value = parts[0] + parts[1] / 60.0 + parts[2] / 3600.0;
    return hemi == 'S' || hemi == 'W' ? -value : value;
}

// Moves nm nautical miles along the heading; the poles are not crossed and the longitude
// stays within -180..180.
void Move(Craft &c, double nm)
{
    c.lat = std::clamp(c.lat + nm / 60.0 * std::cos(c.headingDeg * kRad), -89.9, 89.9);
    c.lon += nm / 60.0 * std::sin(c.headingDeg * kRad) / std::cos(c.lat * kRad);
    c.lon = c.lon > 180 ? c.lon - 360 : (c.lon < -180 ? c.lon + 360 : c.lon);
}

} // namespace

int Clock::localTime() const
{
    return (int(zuluSeconds) + localOffsetSeconds + 86400) % 86400;
}

double DistanceNm(double lat1, double lon1, double lat2, double lon2)
{
    const double a = std::pow(std::sin((lat2 - lat1) * kRad / 2), 2)
        + std::cos(lat1 * kRad) * std::cos(lat2 * kRad) * std::pow(std::sin((lon2 - lon1) * kRad / 2), 2);
    return 2 * std::asin(std::min(1.0, std::sqrt(a))) * 3440.065;
}

double BearingDeg(double lat1, double lon1, double lat2, double lon2)
{
    const double y = std::sin((lon2 - lon1) * kRad) * std::cos(lat2 * kRad);
    const double x = std::cos(lat1 * kRad) * std::sin(lat2 * kRad)
        - std::sin(lat1 * kRad) * std::cos(lat2 * kRad) * std::cos((lon2 - lon1) * kRad);
    return Wrap360(std::atan2(y, x) / kRad);
}

std::optional<Waypoint> ParseWorldPosition(const std::string &text)
{
    const auto parts = Split(text, ',');
    if (parts.size() < 2)
        return std::nullopt;
    const auto lat = ParseAngle(parts[0]);
    const auto lon = ParseAngle(parts[1]);
    if (!lat || !lon || std::fabs(*lat) > 90 || std::fabs(*lon) > 180)
        return std::nullopt;
    Waypoint w{*lat, *lon, 0};
    if (parts.size() > 2) {
        char *end = nullptr;
        w.altFt = std::strtod(parts[2].c_str(), &end);
        if (end == parts[2].c_str() || !std::isfinite(w.altFt) || std::fabs(w.altFt) > 100000)
            return std::nullopt;
    }
    return w;
}

// Whether a user file may be read: it exists and is not larger than kMaxFileBytes.
bool Readable(const std::filesystem::path &path)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    return !ec && size <= kMaxFileBytes;
}

std::optional<PlanFile> ReadPlanFile(const std::filesystem::path &path)
{
    std::ifstream in(path);
    if (!in || !Readable(path))
        return std::nullopt;
    PlanFile plan;
    std::string line;
    while (std::getline(in, line) && plan.waypoints.size() < kMaxWaypoints) {
        if (auto v = Element(line, "DepartureID"))
            plan.departure = *v;
        else if (auto v = Element(line, "DestinationID"))
            plan.destination = *v;
        else if (auto v = Element(line, "CruisingAlt"))
            plan.cruiseFt = std::clamp(std::atof(v->c_str()), 0.0, 60000.0);
        else if (auto v = Element(line, "WorldPosition")) {
            // Only waypoint positions count, not the header's departure/destination ones.
            auto w = ParseWorldPosition(*v);
            if (!w)
                return std::nullopt;
            plan.waypoints.push_back(*w);
        }
    }
    if (plan.waypoints.size() < 2)
        return std::nullopt;
    return plan;
}

bool Simulator::load(const std::filesystem::path &folder, std::string &error)
{
    folder_ = folder;
    std::ifstream in(folder / "scenario.txt");
    if (!in || !Readable(folder / "scenario.txt")) {
        error = "no readable scenario.txt in " + folder.string();
        return false;
    }
    try {
        std::stringstream text;
        text << in.rdbuf();
        readVariants(folder / "SimObjects" / "Airplanes");
        loadText(text.str());
    } catch (const std::exception &e) { // a folder that cannot be listed, memory
        error = e.what();
        return false;
    }
    return true;
}

void Simulator::readVariants(const std::filesystem::path &folder)
{
    std::error_code ec;
    for (const auto &entry : std::filesystem::directory_iterator(folder, ec)) {
        if (!Readable(entry.path() / "aircraft.cfg"))
            continue;
        std::ifstream in(entry.path() / "aircraft.cfg");
        std::string line;
        Variant *current = nullptr;
        std::string section;
        while (std::getline(in, line)) {
            line = Trim(line);
            if (line.empty() || line[0] == ';' || line[0] == '/')
                continue;
            if (line[0] == '[') {
                section = Upper(line.substr(1, line.find(']') - 1));
                current = nullptr;
                if (section.rfind("FLTSIM", 0) == 0 && variants_.size() < kMaxEntries) {
                    variants_.emplace_back();
                    current = &variants_.back();
                }
                continue;
            }
            const auto eq = line.find('=');
            if (!current || eq == std::string::npos)
                continue;
            const std::string key = Upper(Trim(line.substr(0, eq)));
            const std::string value = Trim(line.substr(eq + 1));
            if (key == "TITLE")
                current->title = value;
            else if (key == "UI_MANUFACTURER")
                current->manufacturer = value;
            else if (key == "UI_TYPE")
                current->model = value;
            else if (key == "ATC_MODEL")
                current->type = value;
            else if (key == "ATC_AIRLINE")
                current->airline = value;
        }
    }
}

// Lines: CLOCK hh:mm day offsetHours | USER lat lon | AIRPORT code lat lon elevFt |
// STATION code lat lon elevFt windDir windKt visM tempC dewC qnh clouds precip | EXTRA count |
// PLANE or HELI fields separated by "|" (see scenario.txt). "#" starts a comment.
void Simulator::loadText(const std::string &text)
{
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line.substr(0, line.find('#')));
        if (line.empty())
            continue;
        std::istringstream words(line);
        std::string kind;
        words >> kind;
        bool ok = false;
        try {
            ok = line.size() <= kMaxLineLength && readLine(kind, words);
        } catch (const std::exception &) { // a number out of range
            ok = false;
        }
        if (!ok)
            ++skipped_;
    }
}

namespace {

bool Latitude(double v) { return std::isfinite(v) && std::fabs(v) <= 90; }
bool Longitude(double v) { return std::isfinite(v) && std::fabs(v) <= 180; }
bool Altitude(double v) { return std::isfinite(v) && v >= -2000 && v <= 60000; }

// Nothing may follow the expected words of a line.
bool Complete(std::istringstream &words)
{
    std::string rest;
    return !words.fail() && !(words >> rest);
}

bool KnownState(const std::string &state)
{
    static const char *const kStates[] = {"sleep",   "clearance", "taxi out", "takeoff",
                                          "enroute", "approach",  "landing",  "taxi in"};
    return std::any_of(std::begin(kStates), std::end(kStates), [&](const char *s) { return state == s; });
}

} // namespace

bool Simulator::readLine(const std::string &kind, std::istringstream &words)
{
    if (kind == "CLOCK") {
        std::string hm;
        int day = 0, offset = 0, h = -1, m = -1;
        words >> hm >> day >> offset;
        if (!Complete(words) || std::sscanf(hm.c_str(), "%d:%d", &h, &m) != 2 || h < 0 || h > 23 || m < 0
            || m > 59 || day < 1 || day > 31 || offset < -14 || offset > 14)
            return false;
        clock_.zuluSeconds = h * 3600 + m * 60;
        clock_.day = day;
        clock_.localOffsetSeconds = offset * 3600;
        return true;
    }
    if (kind == "USER") {
        double lat = 0, lon = 0;
        words >> lat >> lon;
        if (!Complete(words) || !Latitude(lat) || !Longitude(lon))
            return false;
        userLat_ = lat;
        userLon_ = lon;
        return true;
    }
    if (kind == "AIRPORT") {
        Airport a;
        words >> a.code >> a.lat >> a.lon >> a.elevFt;
        if (!words.fail() && !(words >> a.runway)) // the runway is optional
            words.clear();
        if (!Complete(words) || a.runway.size() > 4 || airports_.size() >= kMaxEntries || a.code.size() > 8 || !Latitude(a.lat)
            || !Longitude(a.lon) || !Altitude(a.elevFt))
            return false;
        a.code = Upper(a.code);
        airports_.push_back(a);
        return true;
    }
    if (kind == "STATION") {
        Station s;
        words >> s.code >> s.lat >> s.lon >> s.elevFt >> s.windDir >> s.windKt >> s.visibilityM >> s.tempC
            >> s.dewC >> s.qnh >> s.clouds >> s.precip;
        const bool cover = s.clouds.size() == 6 && std::all_of(s.clouds.begin() + 3, s.clouds.end(), ::isdigit);
        if (!Complete(words) || stations_.size() >= kMaxEntries || s.code.size() != 4 || !Latitude(s.lat)
            || !Longitude(s.lon) || !Altitude(s.elevFt) || s.windDir < 0 || s.windDir > 360 || s.windKt < 0
            || s.windKt > 99 || s.visibilityM < 0 || s.visibilityM > 9999 || std::abs(s.tempC) > 60
            || std::abs(s.dewC) > 60 || s.qnh < 850 || s.qnh > 1100 || !cover
            || (s.precip != 2 && s.precip != 4 && s.precip != 8))
            return false;
        s.code = Upper(s.code);
        stations_.push_back(s);
        return true;
    }
    if (kind == "EXTRA") {
        long count = 0;
        words >> count;
        if (!Complete(words) || count < 0)
            return false;
        spawnExtra(size_t(count));
        return true;
    }
    if (kind == "PLANE" || kind == "HELI") {
        std::string rest;
        std::getline(words, rest);
        return readCraft(kind == "HELI", rest);
    }
    return false;
}

bool Simulator::readCraft(bool helicopter, const std::string &fields)
{
    const auto f = Split(fields, '|');
    if (f.size() < 8 || f.size() > 8 + kMaxWaypoints || crafts_.size() >= kMaxObjects)
        return false;
    Craft c;
    c.helicopter = helicopter;
    c.callsign = f[0];
    c.title = f[1];
    c.from = Upper(f[2]);
    c.to = Upper(f[3]);
    // The squawk's four octal digits become the hexadecimal nibbles of the BCO16 word.
    const bool octal = f[4].size() == 4 && f[4].find_first_not_of("01234567") == std::string::npos;
    c.state = f[5];
    if (c.callsign.empty() || c.callsign.size() > 10 || c.title.size() > 255 || callsignTaken(c.callsign) || !octal
        || !KnownState(c.state))
        return false;
    c.squawk = std::stoi(f[4], nullptr, 16);
    std::istringstream p(f[6]);
    p >> c.lat >> c.lon >> c.altFt >> c.cruiseKt >> c.headingDeg;
    std::istringstream departs(f[7]);
    int minutes = 0;
    departs >> minutes;
    if (!Complete(p) || !Complete(departs) || !Latitude(c.lat) || !Longitude(c.lon) || !Altitude(c.altFt)
        || !(c.cruiseKt >= 40 && c.cruiseKt <= 700) || !std::isfinite(c.headingDeg) || minutes < 0
        || minutes > 24 * 60)
        return false;
    c.headingDeg = Wrap360(c.headingDeg);
    c.etd = (int(clock_.zuluSeconds) + minutes * 60) % 86400;
    for (size_t i = 8; i < f.size(); ++i) {
        std::istringstream w(f[i]);
        Waypoint wp;
        w >> wp.lat >> wp.lon >> wp.altFt;
        if (!Complete(w) || !Latitude(wp.lat) || !Longitude(wp.lon) || !Altitude(wp.altFt))
            return false;
        c.route.push_back(wp);
    }
    if (const Variant *v = variant(c.title)) {
        c.model = v->model;
        c.type = v->type;
        c.airline = v->airline;
    } else {
        c.model = c.title;
    }
    if (const Airport *a = airport(c.from))
        c.groundM = a->elevFt / kFeetPerMetre;
    c.speedKt = c.state == "sleep" || c.state == "clearance" ? 0 : c.cruiseKt;
    if (c.speedKt == 0)
        c.parking = "GATE " + std::to_string(nextId_ % 30 + 1);
    add(std::move(c));
    return true;
}

uint32_t Simulator::add(Craft c)
{
    c.id = nextId_++;
    crafts_.push_back(std::move(c));
    return crafts_.back().id;
}

void Simulator::spawnExtra(size_t count)
{
    // A fixed pseudo-random sequence: the same scenario gives the same traffic every run.
    uint32_t seed = 12345u + uint32_t(crafts_.size());
    auto next = [&seed](double low, double high) {
        seed = seed * 1664525u + 1013904223u;
        return low + (high - low) * double(seed >> 8) / double(1u << 24);
    };
    const std::string title = variants_.empty() ? std::string("Generated") : variants_.front().title;
    for (size_t n = 0; n < count && crafts_.size() < kMaxObjects; ++n) {
        Craft c;
        char callsign[16];
        std::snprintf(callsign, sizeof callsign, "GEN%04u", unsigned(nextId_ % 10000));
        c.callsign = callsign;
        c.title = title;
        c.model = variants_.empty() ? title : variants_.front().model;
        c.state = "enroute";
        c.circuit = true;
        c.altFt = std::round(next(60, 380)) * 100;
        c.cruiseKt = c.speedKt = std::round(next(180, 460));
        c.squawk = (int(next(1, 7)) << 12) | (int(next(0, 7)) << 8) | (int(next(0, 7)) << 4) | int(next(0, 7));
        // A square of 30 to 60 NM sides somewhere within 150 NM of the user.
        const double radiusDeg = next(0.2, 2.5), bearing = next(0, 2 * kPi), side = next(0.5, 1.0);
        const double lat = userLat_ + radiusDeg * std::cos(bearing);
        const double lon = userLon_ + radiusDeg * std::sin(bearing) / std::cos(userLat_ * kRad);
        for (const auto &[dy, dx] : {std::pair{0.0, 0.0}, {side, 0.0}, {side, side}, {0.0, side}})
            c.route.push_back({std::clamp(lat + dy, -89.0, 89.0), lon + dx, c.altFt});
        c.next = size_t(next(0, 3.99));
        c.lat = c.route[(c.next + 3) % 4].lat;
        c.lon = c.route[(c.next + 3) % 4].lon;
        c.headingDeg = BearingDeg(c.lat, c.lon, c.route[c.next].lat, c.route[c.next].lon);
        add(std::move(c));
    }
}

Craft *Simulator::find(uint32_t id)
{
    const auto it = std::lower_bound(crafts_.begin(), crafts_.end(), id,
                                     [](const Craft &c, uint32_t wanted) { return c.id < wanted; });
    return it != crafts_.end() && it->id == id ? &*it : nullptr;
}

int Simulator::eta(const Craft &c) const
{
    if (c.circuit || c.next >= c.route.size() || c.state == "sleep" || c.state == "clearance")
        return 0;
    double nm = DistanceNm(c.lat, c.lon, c.route[c.next].lat, c.route[c.next].lon);
    for (size_t i = c.next + 1; i < c.route.size(); ++i)
        nm += DistanceNm(c.route[i - 1].lat, c.route[i - 1].lon, c.route[i].lat, c.route[i].lon);
    return int(clock_.zuluSeconds + nm / std::max(60.0, c.cruiseKt) * 3600) % 86400;
}

const Variant *Simulator::variant(const std::string &title) const
{
    for (const Variant &v : variants_)
        if (v.title == title)
            return &v;
    return nullptr;
}

const Airport *Simulator::airport(const std::string &code) const
{
    for (const Airport &a : airports_)
        if (a.code == Upper(code))
            return &a;
    return nullptr;
}

bool Simulator::callsignTaken(const std::string &callsign) const
{
    return std::any_of(crafts_.begin(), crafts_.end(),
                       [&](const Craft &c) { return c.callsign == callsign; });
}

void Simulator::setZuluHours(int hours)
{
    const double rest = std::fmod(clock_.zuluSeconds, 3600.0);
    clock_.zuluSeconds = ((hours % 24 + 24) % 24) * 3600 + rest;
}

void Simulator::setZuluMinutes(int minutes)
{
    const int hour = int(clock_.zuluSeconds) / 3600;
    const double seconds = std::fmod(clock_.zuluSeconds, 60.0);
    clock_.zuluSeconds = hour * 3600 + ((minutes % 60 + 60) % 60) * 60 + seconds;
}

void Simulator::advance(double seconds)
{
    while (seconds > 0) {
        const double dt = std::min(1.0, seconds);
        seconds -= dt;
        clock_.zuluSeconds += dt;
        if (clock_.zuluSeconds >= 86400) {
            clock_.zuluSeconds -= 86400;
            clock_.day = clock_.day % 31 + 1;
        }
        for (Craft &c : crafts_)
            if (!c.frozen)
                step(c, dt);
    }
}

void Simulator::flyTowards(Craft &c, const Waypoint &w, double dt, double targetKt)
{
    const double wanted = BearingDeg(c.lat, c.lon, w.lat, w.lon);
    double turn = Wrap360(wanted - c.headingDeg + 180) - 180;
    const double maxTurn = (c.helicopter ? 6.0 : 3.0) * dt;
    turn = std::clamp(turn, -maxTurn, maxTurn);
    c.headingDeg = Wrap360(c.headingDeg + turn);
    c.bankDeg = turn / dt * 8;
    c.speedKt = Approach(c.speedKt, targetKt, 3 * dt);
    const double climbFps = c.helicopter ? 10 : 30; // 600 / 1800 ft per minute
    const double before = c.altFt;
    c.altFt = Approach(c.altFt, w.altFt, climbFps * dt);
    c.verticalFps = (c.altFt - before) / dt;
    c.pitchDeg = c.verticalFps > 0 ? 3 : (c.verticalFps < 0 ? -2 : 0);
    const double nm = c.speedKt * dt / 3600.0;
    Move(c, nm);
}

void Simulator::step(Craft &c, double dt)
{
    c.stateSeconds += dt;
    const double groundFt = c.groundM * kFeetPerMetre;
    auto enter = [&](const char *state) {
        c.state = state;
        c.stateSeconds = 0;
    };
    if (c.state == "sleep" || c.state == "clearance") {
        c.speedKt = 0;
        c.verticalFps = 0;
        if (c.next < c.route.size() && clock_.zuluTime() >= c.etd) {
            enter("taxi out");
            const Airport *a = airport(c.from);
            c.runway = a ? a->runway : std::string();
        }
        return;
    }
    if (c.state == "taxi out" || c.state == "taxi in") {
        c.speedKt = 15;
        c.altFt = groundFt;
        if (c.stateSeconds >= 60) {
            enter(c.state == "taxi out" ? "takeoff" : "sleep");
            if (c.state == "sleep") {
                c.runway.clear();
                c.parking = "GATE " + std::to_string(c.id % 30 + 1);
            }
        }
        return;
    }
    if (c.state == "landing") {
        c.speedKt = Approach(c.speedKt, 20, 5 * dt);
        c.altFt = groundFt;
        c.verticalFps = 0;
        if (c.speedKt <= 20)
            enter("taxi in");
        return;
    }
    if (c.route.empty() || c.next >= c.route.size()) {
        // No route: straight and level on the current heading.
        flyTowards(c, {c.lat + std::cos(c.headingDeg * kRad), c.lon + std::sin(c.headingDeg * kRad), c.altFt},
                   dt, c.cruiseKt);
        return;
    }
    if (c.state == "takeoff") {
        const double before = c.altFt;
        c.speedKt = Approach(c.speedKt, c.helicopter ? 60 : 160, 6 * dt);
        if (c.speedKt >= (c.helicopter ? 20 : 140))
            c.altFt += (c.helicopter ? 10 : 35) * dt;
        c.verticalFps = (c.altFt - before) / dt;
        const double nm = c.speedKt * dt / 3600.0;
        Move(c, nm);
        if (c.altFt >= groundFt + 1500)
            enter("enroute");
        return;
    }
    const Waypoint &target = c.route[c.next];
    const bool last = c.next + 1 == c.route.size() && !c.circuit;
    const double distance = DistanceNm(c.lat, c.lon, target.lat, target.lon);
    if (last && c.state == "enroute" && distance < 30) {
        enter("approach");
        const Airport *a = airport(c.to);
        c.runway = a ? a->runway : std::string();
        c.parking.clear();
    }
    Waypoint aim = target;
    double speed = c.cruiseKt;
    if (c.state == "approach") {
        speed = c.helicopter ? 60 : 160;
        aim.altFt = std::min(c.altFt, target.altFt + distance * 300); // 3-degree slope
    }
    flyTowards(c, aim, dt, speed);
    if (distance < (last ? 0.5 : 1.0)) {
        if (!last) {
            c.next = c.circuit ? (c.next + 1) % c.route.size() : c.next + 1;
        } else {
            ++c.next;
            c.groundM = target.altFt / kFeetPerMetre;
            enter("landing");
            if (const Airport *a = airport(c.to))
                c.groundM = a->elevFt / kFeetPerMetre;
        }
    }
}

const Station *Simulator::userStation() const
{
    const Station *best = nullptr;
    double bestNm = 1e9;
    for (const Station &s : stations_) {
        const double d = DistanceNm(userLat_, userLon_, s.lat, s.lon);
        if (d < bestNm) {
            bestNm = d;
            best = &s;
        }
    }
    return best;
}

// "LFLL&A250 071330Z 34008KT&D555NG 35015KT&A1500NG 00022KT&A3000NG 9999&B-250&D3048 -SHRA FEW030
// 2CU030&CU050FNLR030N 12/05&A250 Q1018 @@@ 50 7 350 15 | 100 -3 000 22 | 180 -18 010 38 |": the
// station's elevation in metres after "&A", the surface wind layer and the upper layers' winds
// with their extensions, the visibility layer, the cloud layer's extension and the winds aloft.
std::string Simulator::metar(const std::string &code) const
{
    const Station *s = nullptr;
    for (const Station &st : stations_)
        if (st.code == Upper(code))
            s = &st;
    if (!s)
        return {};
    auto format = [](const char *pattern, auto... values) {
        char b[64];
        std::snprintf(b, sizeof b, pattern, values...);
        return std::string(b);
    };
    auto temp = [&](int c) { return format(c < 0 ? "M%02d" : "%02d", std::abs(c)); };
    const int t = clock_.zuluTime();
    const int elevM = int(std::lround(s->elevFt / kFeetPerMetre));
    struct Layer {
        int hundreds, temp, dir, kt;
    };
    const Layer aloft[] = {{50, s->tempC - 5, (s->windDir + 10) % 360, s->windKt + 7},
                           {100, s->tempC - 15, (s->windDir + 20) % 360, s->windKt + 15},
                           {180, s->tempC - 30, (s->windDir + 30) % 360, s->windKt + 30}};
    std::string m = format("%s&A%d %02d%02d%02dZ %03d%02dKT&D%dNG", s->code.c_str(), elevM, clock_.day, t / 3600,
                           t / 60 % 60, s->windDir, s->windKt, elevM + 305);
    // Every layer but the last one of the winds aloft repeats its wind with an extension.
    for (size_t i = 0; i + 1 < std::size(aloft); ++i)
        m += format(" %03d%02dKT&A%dNG", aloft[i].dir, aloft[i].kt, aloft[i].hundreds * 30);
    m += format(" %d&B-%d&D3048", s->visibilityM, elevM);
    if (s->precip != 2)
        m += s->precip == 4 ? " -SHRA" : " -SHSN";
    const std::string cover = s->clouds.substr(0, 3);
    const int hundreds = std::atoi(s->clouds.c_str() + 3);
    if (cover == "FEW" || cover == "SCT" || cover == "BKN")
        m += " " + s->clouds;
    const int okta = cover == "FEW" ? 2 : cover == "SCT" ? 4 : cover == "BKN" ? 6 : 8;
    const char *type = okta == 8 ? "ST" : "CU";
    const char *precip = s->precip == 4 ? "LR" : s->precip == 8 ? "LS" : "MN";
    m += format(" %d%s%03d&%s%03dFN%s%03dN", okta, type, hundreds, type, hundreds + 20, precip, hundreds);
    m += " " + temp(s->tempC) + "/" + temp(s->dewC) + format("&A%d Q%d @@@", elevM, s->qnh);
    for (const Layer &l : aloft)
        m += format(" %d %d %03d %d |", l.hundreds, l.temp, l.dir, l.kt);
    return m;
}

std::filesystem::path Simulator::planPath(const std::string &path) const
{
    std::string p = path;
    std::replace(p.begin(), p.end(), '\\', '/');
    std::filesystem::path result(p);
    return result.is_absolute() ? result : folder_ / result;
}

namespace {

// A new object of an aircraft variant, before its place and state are set.
Craft CraftOfVariant(const Variant &v, const std::string &title, const std::string &tail)
{
    Craft c;
    c.callsign = tail;
    c.title = title;
    c.model = v.model;
    c.type = v.type;
    c.airline = v.airline;
    return c;
}

} // namespace

uint32_t Simulator::createParked(const std::string &title, const std::string &tail,
                                 const std::string &code)
{
    const Variant *v = variant(title);
    const Airport *a = airport(code);
    if (!v || !a || tail.empty() || tail.size() > 10 || callsignTaken(tail) || crafts_.size() >= kMaxObjects)
        return 0;
    Craft c = CraftOfVariant(*v, title, tail);
    c.from = a->code;
    c.state = "sleep";
    c.parking = "GATE 1";
    c.lat = a->lat;
    c.lon = a->lon;
    c.altFt = a->elevFt;
    c.groundM = a->elevFt / kFeetPerMetre;
    return add(std::move(c));
}

uint32_t Simulator::createEnroute(const std::string &title, const std::string &tail, int flightNumber,
                                  const std::filesystem::path &planFile, double position, bool touchAndGo)
{
    const Variant *v = variant(title);
    const auto plan = ReadPlanFile(planFile);
    if (!v || !plan || tail.empty() || tail.size() > 10 || callsignTaken(tail) || !(position >= 0)
        || crafts_.size() >= kMaxObjects)
        return 0;
    position = std::min(position, double(plan->waypoints.size() - 1));
    const size_t from = std::min(size_t(position), plan->waypoints.size() - 2);
    const double fraction = std::min(1.0, position - double(from));
    const Waypoint &a = plan->waypoints[from];
    const Waypoint &b = plan->waypoints[from + 1];
    Craft c = CraftOfVariant(*v, title, tail);
    c.flightNumber = std::to_string(flightNumber);
    c.from = plan->departure;
    c.to = plan->destination;
    c.state = "enroute";
    c.lat = a.lat + (b.lat - a.lat) * fraction;
    c.lon = a.lon + (b.lon - a.lon) * fraction;
    c.altFt = std::max(plan->cruiseFt, 3000.0);
    c.speedKt = c.cruiseKt = touchAndGo ? 180 : 280;
    c.headingDeg = BearingDeg(a.lat, a.lon, b.lat, b.lon);
    c.route = plan->waypoints;
    for (size_t i = 1; i + 1 < c.route.size(); ++i)
        c.route[i].altFt = std::max(c.route[i].altFt, plan->cruiseFt);
    c.next = from + 1;
    c.etd = clock_.zuluTime();
    return add(std::move(c));
}

bool Simulator::assignPlan(uint32_t id, const std::filesystem::path &planFile)
{
    Craft *c = find(id);
    const auto plan = ReadPlanFile(planFile);
    if (!c || !plan)
        return false;
    c->route = plan->waypoints;
    for (size_t i = 1; i + 1 < c->route.size(); ++i)
        c->route[i].altFt = std::max(c->route[i].altFt, plan->cruiseFt);
    c->from = plan->departure;
    c->to = plan->destination;
    // A parked aircraft waits for its clearance and leaves two minutes later.
    if (c->state == "sleep") {
        c->next = 1;
        c->etd = clock_.zuluTime() + 120;
        c->state = "clearance";
    } else {
        // In flight: on to the nearest waypoint after the departure.
        c->next = 1;
        for (size_t i = 2; i < c->route.size(); ++i)
            if (DistanceNm(c->lat, c->lon, c->route[i].lat, c->route[i].lon)
                < DistanceNm(c->lat, c->lon, c->route[c->next].lat, c->route[c->next].lon))
                c->next = i;
        c->circuit = false;
    }
    return true;
}

bool Simulator::remove(uint32_t id)
{
    const auto it = std::find_if(crafts_.begin(), crafts_.end(), [&](const Craft &c) { return c.id == id; });
    if (it == crafts_.end())
        return false;
    crafts_.erase(it);
    return true;
}

bool Simulator::freeze(uint32_t id, bool on)
{
    Craft *c = find(id);
    if (!c)
        return false;
    c->frozen = on;
    return true;
}

} // namespace standin
