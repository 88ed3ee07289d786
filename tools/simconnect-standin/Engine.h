// The stand-in simulator: a scenario of AI aircraft and helicopters flying their routes,
// weather stations and a clock. No dependency on the client interface: the exported entry
// points (Exports.cpp) translate calls into this engine and its answers into messages.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace standin {

struct Waypoint {
    double lat = 0, lon = 0, altFt = 0;
};

struct Airport {
    std::string code;
    double lat = 0, lon = 0, elevFt = 0;
    std::string runway; // the runway in use, may be empty
};

struct Variant {
    std::string title, manufacturer, model, type, airline;
};

// One simulated object. States follow the AI life cycle: "sleep" (parked), "taxi out",
// "takeoff", "enroute", "approach", "landing", "taxi in", then "sleep" again.
struct Craft {
    uint32_t id = 0;
    bool helicopter = false;
    std::string callsign, title, model, type, airline, flightNumber;
    std::string from, to, state = "enroute", runway, parking;
    bool ifr = true, frozen = false;
    double lat = 0, lon = 0, altFt = 0, groundM = 0;
    double speedKt = 0, cruiseKt = 250, verticalFps = 0;
    double headingDeg = 0, bankDeg = 0, pitchDeg = 0;
    int squawk = 0x2000; // the four code digits as hexadecimal nibbles (BCO16)
    int etd = 0;          // seconds since midnight (zulu)
    std::vector<Waypoint> route;
    size_t next = 0;      // index of the waypoint flown to
    bool circuit = false; // flies its route round and round instead of landing at its end
    double stateSeconds = 0;
};

// Limits on what the user's files may hold: anything beyond them is left out.
inline constexpr size_t kMaxObjects = 5000;
inline constexpr size_t kMaxWaypoints = 200;
inline constexpr size_t kMaxLineLength = 4096;
inline constexpr std::uintmax_t kMaxFileBytes = 4 << 20;
inline constexpr size_t kMaxEntries = 2000; // airports, stations, aircraft variants each

struct Station {
    std::string code;
    double lat = 0, lon = 0, elevFt = 0;
    int windDir = 0, windKt = 0, visibilityM = 9999, tempC = 15, dewC = 10, qnh = 1013;
    std::string clouds = "FEW030";
    int precip = 2; // 2 none, 4 rain, 8 snow
};

struct Clock {
    double zuluSeconds = 0; // since midnight
    int day = 1;
    int localOffsetSeconds = 0;
    int zuluTime() const { return int(zuluSeconds); }
    int localTime() const;
};

// Degrees of great-circle distance in nautical miles and initial bearing.
double DistanceNm(double lat1, double lon1, double lat2, double lon2);
double BearingDeg(double lat1, double lon1, double lat2, double lon2);

// "N45° 43' 32.00",E5° 4' 52.00",+000821.00" -> degrees and feet; nullopt when malformed.
std::optional<Waypoint> ParseWorldPosition(const std::string &text);

struct PlanFile {
    std::string departure, destination;
    double cruiseFt = 0;
    std::vector<Waypoint> waypoints;
};
// A flight-plan file; nullopt when unreadable, too large or with fewer than two waypoints.
std::optional<PlanFile> ReadPlanFile(const std::filesystem::path &path);

class Simulator {
public:
    // Reads folder/scenario.txt and the aircraft variants under folder/SimObjects/Airplanes.
    // False with a reason in error when the scenario cannot be read at all; a line that does
    // not read is skipped and counted.
    bool load(const std::filesystem::path &folder, std::string &error);
    void loadText(const std::string &text);
    int skippedLines() const { return skipped_; }

    // Adds count generated aircraft flying circuits around the user's position (bounded by
    // kMaxObjects), as the scenario's EXTRA line does.
    void spawnExtra(size_t count);

    // Advances the simulation by seconds (in steps of at most one second).
    void advance(double seconds);

    std::vector<Craft> &objects() { return crafts_; }
    Craft *find(uint32_t id);
    // Estimated arrival (seconds since midnight, zulu) along the rest of the route; 0 without one.
    int eta(const Craft &c) const;
    const Clock &clock() const { return clock_; }
    void setZuluHours(int hours);
    void setZuluMinutes(int minutes);

    // The METAR of a station in the extended format; empty for an unknown station.
    std::string metar(const std::string &code) const;
    // The station nearest to the user's position (the first one when none is closer).
    const Station *userStation() const;

    // Creation: the new object's id, 0 when refused (unknown title, airport or plan, or a
    // callsign already flying).
    uint32_t createParked(const std::string &title, const std::string &tail,
                          const std::string &airport);
    uint32_t createEnroute(const std::string &title, const std::string &tail, int flightNumber,
                           const std::filesystem::path &plan, double position, bool touchAndGo);
    bool assignPlan(uint32_t id, const std::filesystem::path &plan);
    bool remove(uint32_t id);
    bool freeze(uint32_t id, bool on);
    // Resolves a plan path: absolute, else relative to the scenario folder.
    std::filesystem::path planPath(const std::string &path) const;
    const std::vector<Variant> &variants() const { return variants_; }
    std::pair<double, double> userPosition() const { return {userLat_, userLon_}; }

private:
    void step(Craft &c, double dt);
    void flyTowards(Craft &c, const Waypoint &w, double dt, double targetKt);
    const Variant *variant(const std::string &title) const;
    const Airport *airport(const std::string &code) const;
    bool callsignTaken(const std::string &callsign) const;
    void readVariants(const std::filesystem::path &folder);
    bool readLine(const std::string &kind, std::istringstream &words);
    bool readCraft(bool helicopter, const std::string &fields);
    uint32_t add(Craft c);

    std::filesystem::path folder_;
    std::vector<Craft> crafts_;
    std::vector<Airport> airports_;
    std::vector<Station> stations_;
    std::vector<Variant> variants_;
    Clock clock_;
    double userLat_ = 0, userLon_ = 0;
    uint32_t nextId_ = 100; // ids only grow, so crafts_ stays sorted by id
    int skipped_ = 0;
};

} // namespace standin
