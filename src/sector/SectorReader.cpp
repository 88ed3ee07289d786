#include "sector/SectorReader.h"

#include "core/Codec.h"
#include "core/Text.h"
#include "sector/Coordinates.h"
#include "sector/Projection.h"
#include "sector/TextView.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>

namespace zaz {

namespace {

enum Section : int {
    kInfo, kVor, kNdb, kFixes, kAirport, kRunway, kSid, kStar, kLowAirway, kHighAirway,
    kArtcc, kArtccLow, kArtccHigh, kGeo, kTaxiways, kParkings, kSectionCount
};

constexpr std::array<const char *, kSectionCount> kHeaders = {
    "[INFO]", "[VOR]", "[NDB]", "[FIXES]", "[AIRPORT]", "[RUNWAY]", "[SID]", "[STAR]",
    "[LOW AIRWAY]", "[HIGH AIRWAY]", "[ARTCC]", "[ARTCC LOW]", "[ARTCC HIGH]", "[GEO]",
    "[TAXIWAYS]", "[PARKINGS]"};

constexpr int kSelectionLimit = 2047;
constexpr int kFixSelectionLimit = 3 * kSelectionLimit;

struct Point {
    float lat = 0;
    float lon = 0;
};

QString Join(const QList<QStringView> &tokens, qsizetype from, qsizetype to)
{
    QString out;
    for (qsizetype i = from; i < to; ++i) {
        if (i > from)
            out += QLatin1Char(' ');
        out += tokens[i];
    }
    return out;
}

QString CommentOf(QStringView line)
{
    const qsizetype semi = line.indexOf(QLatin1Char(';'));
    return semi < 0 ? QString() : line.mid(semi + 1).toString();
}

// The colour of a GEO line by its colour name: the detail colour list first (last match),
// then the sector's colour definitions (last match).
class ColourLookup {
public:
    struct Match {
        TColor colour = 0;
        int detailIndex = -1;
        QString name;
    };

    ColourLookup(const QList<t_define> &details, const QList<t_define> &defines, bool scan)
        : details_(details), defines_(defines), scan_(scan)
    {
        for (qsizetype i = 0; i < details.size(); ++i) {
            detailColours_.append(colourOf(details[i].value));
            detailIndex_.insert(details[i].name.toUpper(), int(i));
        }
        for (qsizetype i = 0; i < defines.size(); ++i) {
            defineColours_.append(colourOf(defines[i].value));
            defineIndex_.insert(defines[i].name, int(i));
        }
    }

    const Match &find(QStringView colourName)
    {
        const QString probe = QString::fromRawData(colourName.data(), colourName.size());
        const auto cached = cache_.constFind(probe);
        if (cached != cache_.constEnd())
            return *cached;
        const QString upper = colourName.toString().toUpper();
        Match m;
        const int d = scan_ ? scanLast(details_, upper, true) : detailIndex_.value(upper, -1);
        if (d >= 0) {
            m = {detailColours_[d], d, details_[d].name};
        } else {
            const int f = scan_ ? scanLast(defines_, upper, false) : defineIndex_.value(upper, -1);
            if (f >= 0)
                m = {defineColours_[f], -1, defines_[f].name};
        }
        if (scan_)
            return scratch_ = m;
        return *cache_.insert(colourName.toString(), m);
    }

    // Position of the last detail entry with this upper-case name; -1 when none.
    int detailIndex(const QString &upperName) const { return detailIndex_.value(upperName, -1); }

private:
    static TColor colourOf(const QString &value)
    {
        TColor c = 0;
        return TryStringToMapColor(value, c) ? c : 0;
    }
    static int scanLast(const QList<t_define> &list, const QString &upper, bool upperNames)
    {
        int found = -1;
        for (qsizetype i = 0; i < list.size(); ++i)
            if ((upperNames ? list[i].name.toUpper() : list[i].name) == upper)
                found = int(i);
        return found;
    }

    const QList<t_define> &details_;
    const QList<t_define> &defines_;
    bool scan_;
    QList<TColor> detailColours_, defineColours_;
    QHash<QString, int> detailIndex_, defineIndex_;
    QHash<QString, Match> cache_;
    Match scratch_;
};

class Reader {
public:
    Reader(const QString &text, const SectorReadSettings &settings, const SectorProgress &progress)
        : text_(text), settings_(settings), progress_(progress)
    {
    }

    SectorLoadResult run()
    {
        splitLines();
        if (progress_.setMaximum)
            progress_.setMaximum(int(qMin<qsizetype>(lines_.size() + 1, INT_MAX)));
        readDefines();
        findSections();
        readInfo();
        readNavaids(kVor, r_.tables.vors, 4, 6, 14, 29);
        readNavaids(kNdb, r_.tables.ndbs, 5, 7, 15, 30);
        readFixes();
        readAirports();
        readRunways();
        if (!settings_.scanLookups)
            index_.buildPoints(r_.tables);
        readRoutes(kSid, r_.tables.sids);
        readRoutes(kStar, r_.tables.stars);
        readRoutes(kLowAirway, r_.tables.lowAirways);
        readRoutes(kHighAirway, r_.tables.highAirways);
        readRoutes(kArtcc, r_.tables.artcc);
        readRoutes(kArtccLow, r_.tables.artccLow);
        readRoutes(kArtccHigh, r_.tables.artccHigh);
        readGeo();
        readLabels(kTaxiways, r_.tables.taxiways, QStringLiteral("TAXIWAY"));
        readLabels(kParkings, r_.tables.parkings, QStringLiteral("PARKING"));
        setIdentity();
        selectRoutes();
        if (settings_.scanLookups)
            index_.buildPoints(r_.tables);
        index_.buildAirways(r_.tables);
        std::sort(r_.unresolvedLines.begin(), r_.unresolvedLines.end());
        r_.index = std::move(index_);
        r_.summary = SectorSummary(r_.tables, r_.hasInfo);
        if (progress_.setPosition)
            progress_.setPosition(int(qMin<qsizetype>(lines_.size() + 1, INT_MAX)));
        return std::move(r_);
    }

private:
    // ---- lines and sections -----------------------------------------------------------

    void splitLines()
    {
        const QStringView all(text_);
        qsizetype start = 0;
        const qsizetype n = all.size();
        for (qsizetype i = 0; i < n; ++i) {
            const QChar c = all[i];
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                addLine(all.mid(start, i - start));
                if (c == QLatin1Char('\r') && i + 1 < n && all[i + 1] == QLatin1Char('\n'))
                    ++i;
                start = i + 1;
            }
        }
        if (start < n)
            addLine(all.mid(start));
    }

    void addLine(QStringView line)
    {
        // Lines holding "]" lose their trailing blanks, so that headers are found.
        if (line.contains(QLatin1Char(']')))
            line = TrimmedRight(line);
        lines_.append(line);
    }

    void advance()
    {
        ++done_;
        if (progress_.setPosition && done_ >= nextReport_) {
            progress_.setPosition(int(qMin<qsizetype>(done_, INT_MAX)));
            nextReport_ = done_ + qMax<qsizetype>(1, lines_.size() / 200);
        }
    }

    void readDefines()
    {
        const QLatin1StringView marker("#define");
        for (QStringView line : std::as_const(lines_)) {
            if (!line.contains(marker))
                continue;
            advance();
            // Split at single blanks: two blanks in a row give an empty piece.
            const QList<QStringView> pieces = line.split(QLatin1Char(' '));
            t_define d;
            if (pieces.size() > 1)
                d.name = pieces[1].toString().toUpper();
            if (pieces.size() > 2)
                d.value = pieces[2].toString();
            r_.tables.defines.append(d);
        }
    }

    void findSections()
    {
        sectionStart_.fill(-1);
        for (qsizetype i = 0; i < lines_.size(); ++i) {
            const QStringView line = lines_[i];
            if (line.isEmpty() || line[0] != QLatin1Char('['))
                continue;
            for (int s = 0; s < kSectionCount; ++s)
                if (sectionStart_[s] < 0
                    && line.compare(QLatin1StringView(kHeaders[s]), Qt::CaseInsensitive) == 0)
                    sectionStart_[s] = i;
        }
    }

    // Calls read(line, lineNumber) for every element line of a section: comment lines and
    // empty lines are skipped, except in [INFO] where an empty line counts. A line of blanks
    // and TABs only is empty too (an empty info line in [INFO]).
    template <typename Read>
    void forSection(int section, Read read)
    {
        const qsizetype header = sectionStart_[section];
        if (header < 0)
            return;
        for (qsizetype i = header + 1; i < lines_.size(); ++i) {
            const QStringView line = lines_[i];
            if (!line.isEmpty() && line[0] == QLatin1Char('['))
                break;
            advance();
            if (TrimmedView(line).isEmpty() ? section != kInfo
                                             : (line[0] == QLatin1Char(';') || line[0] == QLatin1Char('#')))
                continue;
            read(line, int(qMin<qsizetype>(i + 1, INT_MAX)));
        }
    }

    // ---- coordinates and errors -------------------------------------------------------

    // Starts a line's entry in the error text: "<line>: ", after the title the first time.
    void startError(int lineNumber)
    {
        r_.hasErrors = true;
        if (r_.errorText.isEmpty())
            r_.errorText = QStringLiteral("erreur de coordonnée ligne: \r");
        else
            r_.errorText += QLatin1Char('\r');
        r_.errorText += QString::number(lineNumber);
        r_.errorText += QStringLiteral(": ");
    }

    void addError(int lineNumber, QStringView lat, QStringView lon)
    {
        startError(lineNumber);
        r_.errorText += lat;
        r_.errorText += QLatin1Char(' ');
        r_.errorText += lon;
    }

    // A route or GEO line with a point that is neither a coordinate pair nor a known name
    // gives no segment. It is listed by its words (the line may be free-form), at most 100
    // characters of them.
    void addUnresolved(int lineNumber, QStringView line)
    {
        r_.unresolvedLines.append(lineNumber);
        Tokens(BeforeComment(line), tokens_);
        startError(lineNumber);
        r_.errorText += QStringView(Join(tokens_, 0, tokens_.size())).left(100);
    }

    static bool wellFormedPair(QStringView lat, QStringView lon)
    {
        return IsWellFormedLatitude(lat) && IsWellFormedLongitude(lon);
    }

    static bool parse(QStringView lat, QStringView lon, float &outLat, float &outLon)
    {
        if (ParseCoordinate(lat, outLat) && ParseCoordinate(lon, outLon))
            return true;
        outLat = outLon = 0;
        return false;
    }

    bool lookup(QStringView text, bool whole, Point &p) const
    {
        if (settings_.scanLookups)
            return whole ? SectorIndex::scanWhole(r_.tables, text, p.lat, p.lon)
                         : SectorIndex::scanColumns(r_.tables, text, p.lat, p.lon);
        return whole ? index_.lookupWhole(text, p.lat, p.lon) : index_.lookupColumns(text, p.lat, p.lon);
    }

    // How a 29-column point text reads: exactly (a well-formed coordinate pair or a known
    // name), as a pair that converts without being well-formed (a free-form line may hold
    // it by words), or not at all (p is then (0, 0)).
    enum class PointRead { Unresolved, Converted, Exact };

    PointRead columnPoint(QStringView text, Point &p) const
    {
        p = Point();
        if (TrimmedView(text).size() == 29) {
            const QStringView lat = Columns(text, 1, 14), lon = Columns(text, 16, 14);
            if (!parse(lat, lon, p.lat, p.lon))
                return PointRead::Unresolved;
            return wellFormedPair(lat, lon) ? PointRead::Exact : PointRead::Converted;
        }
        if (lookup(text, false, p))
            return PointRead::Exact;
        p = Point();
        return PointRead::Unresolved;
    }

    // A point of the free-form reading at tokens[i]: a well-formed latitude and longitude,
    // or a known name followed by any token.
    bool tokenPoint(const QList<QStringView> &tokens, qsizetype i, Point &p) const
    {
        if (i + 1 >= tokens.size())
            return false;
        if (wellFormedPair(tokens[i], tokens[i + 1]))
            return parse(tokens[i], tokens[i + 1], p.lat, p.lon);
        return lookup(tokens[i], true, p);
    }

    // The first place of two consecutive points among the tokens; -1 when none.
    qsizetype twoPoints(const QList<QStringView> &tokens, Point &a, Point &b) const
    {
        for (qsizetype i = 0; i + 3 < tokens.size(); ++i)
            if (tokenPoint(tokens, i, a) && tokenPoint(tokens, i + 2, b))
                return i;
        return -1;
    }

    struct SegmentRead {
        qsizetype wordsAt = -1; // place of the first point among tokens_ when read by words
        bool resolved = true;   // both points are positions
    };

    // The two points of a segment line: from their columns (starting at firstColumn and
    // secondColumn, 29 wide); when either does not read exactly, from the line's words,
    // where the first two consecutive points are taken (the line counts as read by words).
    // When the words give nothing, the column values stand if both convert; otherwise the
    // line is unresolved and reported.
    SegmentRead segmentPoints(QStringView line, int firstColumn, int secondColumn, Point &a, Point &b)
    {
        const PointRead first = columnPoint(Columns(line, firstColumn, 29), a);
        const PointRead second = columnPoint(Columns(line, secondColumn, 29), b);
        if (first == PointRead::Exact && second == PointRead::Exact)
            return {};
        Tokens(BeforeComment(line), tokens_);
        Point ta, tb;
        const qsizetype at = twoPoints(tokens_, ta, tb);
        if (at >= 0) {
            a = ta, b = tb;
            ++r_.tolerantLines;
            return {at, true};
        }
        if (first != PointRead::Unresolved && second != PointRead::Unresolved)
            return {};
        return {-1, false};
    }

    // ---- element sections -------------------------------------------------------------

    void readNavaids(int section, QList<VOR> &table, int idWidth, int freqCol, int latCol, int lonCol)
    {
        forSection(section, [&](QStringView line, int number) {
            VOR r;
            QStringView id = Columns(line, 1, idWidth), freq = Columns(line, freqCol, 7);
            QStringView lat = Columns(line, latCol, 14), lon = Columns(line, lonCol, 14);
            if (!wellFormedPair(lat, lon)) {
                Tokens(BeforeComment(line), tokens_);
                if (tokens_.size() >= 4 && wellFormedPair(tokens_[2], tokens_[3])) {
                    id = tokens_[0], freq = tokens_[1], lat = tokens_[2], lon = tokens_[3];
                    ++r_.tolerantLines;
                }
            }
            r.identifier = id.toString();
            r.frequency = freq.toString();
            r.comment = CommentOf(line);
            if (!parse(lat, lon, r.latitude, r.longitude))
                addError(number, lat, lon);
            table.append(std::move(r));
        });
    }

    void readFixes()
    {
        const QString &selection = settings_.selections.fixes;
        forSection(kFixes, [&](QStringView line, int number) {
            FIXE r;
            QStringView name = Columns(line, 1, 5);
            QStringView lat = Columns(line, 7, 14), lon = Columns(line, 22, 14);
            if (!wellFormedPair(lat, lon)) {
                Tokens(BeforeComment(line), tokens_);
                if (tokens_.size() >= 3 && wellFormedPair(tokens_[1], tokens_[2])) {
                    name = tokens_[0], lat = tokens_[1], lon = tokens_[2];
                    ++r_.tolerantLines;
                }
            }
            r.name = name.toString();
            r.comment = CommentOf(line);
            // Selected unless the selection text says "0" at the fix's place.
            const qsizetype n = r_.tables.fixes.size();
            r.selected = (selection.isEmpty() || n >= selection.size() || selection[n] != QLatin1Char('0')) ? 1 : 0;
            if (!parse(lat, lon, r.latitude, r.longitude)) {
                r.selected = 0;
                addError(number, lat, lon);
            }
            r_.tables.fixes.append(std::move(r));
        });
    }

    void readAirports()
    {
        forSection(kAirport, [&](QStringView line, int number) {
            Airport r;
            QStringView id = Columns(line, 1, 4), freq = Columns(line, 6, 7);
            QStringView lat = Columns(line, 14, 14), lon = Columns(line, 29, 14);
            QStringView cls = Columns(line, 44, 1);
            if (!wellFormedPair(lat, lon)) {
                Tokens(BeforeComment(line), tokens_);
                if (tokens_.size() >= 4 && wellFormedPair(tokens_[2], tokens_[3])) {
                    id = tokens_[0], freq = tokens_[1], lat = tokens_[2], lon = tokens_[3];
                    cls = tokens_.size() > 4 ? tokens_[4].left(1) : QStringView();
                    ++r_.tolerantLines;
                }
            }
            r.identifier = id.toString();
            r.frequency = freq.toString();
            r.airspaceClass = cls.toString();
            r.comment = CommentOf(line);
            if (!parse(lat, lon, r.latitude, r.longitude))
                addError(number, lat, lon);
            r_.tables.airports.append(std::move(r));
        });
    }

    void readRunways()
    {
        forSection(kRunway, [&](QStringView line, int number) {
            RUNWAY r;
            std::array<QStringView, 4> text = {Columns(line, 1, 3), Columns(line, 5, 3), Columns(line, 9, 3),
                                               Columns(line, 13, 3)};
            std::array<QStringView, 4> coord = {Columns(line, 17, 14), Columns(line, 32, 14),
                                                Columns(line, 47, 14), Columns(line, 62, 14)};
            if (!wellFormedPair(coord[0], coord[1]) || !wellFormedPair(coord[2], coord[3])) {
                Tokens(BeforeComment(line), tokens_);
                if (tokens_.size() >= 8 && wellFormedPair(tokens_[4], tokens_[5])
                    && wellFormedPair(tokens_[6], tokens_[7])) {
                    for (int i = 0; i < 4; ++i) {
                        text[i] = tokens_[i];
                        coord[i] = tokens_[4 + i];
                    }
                    ++r_.tolerantLines;
                }
            }
            r.number = text[0].toString();
            r.oppositeNumber = text[1].toString();
            r.heading = text[2].toString();
            r.oppositeHeading = text[3].toString();
            r.comment = CommentOf(line);
            if (!parse(coord[0], coord[1], r.latitude, r.longitude)
                || !parse(coord[2], coord[3], r.oppositeLatitude, r.oppositeLongitude)) {
                r.latitude = r.longitude = r.oppositeLatitude = r.oppositeLongitude = 0;
                addError(number, coord[0], coord[1]);
            }
            r_.tables.runways.append(std::move(r));
        });
    }

    // ---- routes, GEO lines and labels -----------------------------------------------------

    // A line whose points do not both resolve still names or continues its route by its
    // columns, without a segment.
    void readRoutes(int section, QList<ROUTE> &table)
    {
        qsizetype current = -1;
        forSection(section, [&](QStringView line, int number) {
            QStringView columnName = Columns(line, 1, 25);
            Point a, b;
            QString tokenName;
            bool byTokens = false;
            const SegmentRead read = segmentPoints(line, 27, 57, a, b);
            if (read.wordsAt >= 0) {
                tokenName = Join(tokens_, 0, read.wordsAt);
                byTokens = true;
            }
            const QStringView name = byTokens ? QStringView(tokenName) : columnName;
            const QStringView trimmed = TrimmedView(name);
            if (current < 0 || (!trimmed.isEmpty() && trimmed != TrimmedView(table[current].name))) {
                ROUTE route;
                route.name = byTokens ? tokenName : columnName.toString();
                table.append(std::move(route));
                current = table.size() - 1;
            }
            if (read.resolved)
                table[current].segments.append({a.lat, a.lon, b.lat, b.lon});
            else
                addUnresolved(number, line);
        });
    }

    void readGeo()
    {
        ColourLookup &colours = colourLookup();
        forSection(kGeo, [&](QStringView line, int number) {
            Point a, b;
            QStringView colourName = TrimmedView(ColumnsFrom(line, 61));
            QString tokenColour;
            const SegmentRead read = segmentPoints(line, 1, 31, a, b);
            if (!read.resolved) {
                addUnresolved(number, line);
                return;
            }
            if (read.wordsAt >= 0) {
                tokenColour = Join(tokens_, read.wordsAt + 4, tokens_.size());
                colourName = tokenColour;
            }
            const ColourLookup::Match &m = colours.find(colourName);
            GEO g;
            g.lat1 = a.lat, g.lon1 = a.lon, g.lat2 = b.lat, g.lon2 = b.lon;
            g.colour = m.colour;
            g.detailIndex = m.detailIndex;
            g.colourName = m.name;
            r_.tables.geo.append(std::move(g));
        });
    }

    void readLabels(int section, QList<Taxiway> &table, const QString &detailName)
    {
        const int detail = colourLookup().detailIndex(detailName);
        forSection(section, [&](QStringView line, int) {
            Taxiway t;
            Point p;
            QStringView label = TrimmedView(ColumnsFrom(line, 31));
            QString tokenLabel;
            if (columnPoint(Columns(line, 1, 29), p) != PointRead::Exact) {
                Tokens(BeforeComment(line), tokens_);
                Point tp;
                if (tokenPoint(tokens_, 0, tp)) {
                    p = tp;
                    tokenLabel = Join(tokens_, 2, tokens_.size());
                    label = tokenLabel;
                    ++r_.tolerantLines;
                }
            }
            t.label = label.toString();
            t.latitude = p.lat;
            t.longitude = p.lon;
            t.detailIndex = detail;
            table.append(std::move(t));
        });
    }

    ColourLookup &colourLookup()
    {
        if (!colours_)
            colours_.emplace(settings_.details, r_.tables.defines, settings_.scanLookups);
        return *colours_;
    }

    // ---- [INFO], identity, selections ---------------------------------------------------

    void readInfo()
    {
        if (sectionStart_[kInfo] < 0)
            return;
        r_.hasInfo = true;
        t_info info;
        int n = 0;
        forSection(kInfo, [&](QStringView line, int) {
            if (n < 9 && !TrimmedView(line).isEmpty())
                info[n] = line.toString();
            ++n;
        });
        r_.tables.info.append(info);
        r_.identity.infoLines = info;
    }

    void setIdentity()
    {
        SectorIdentity &id = r_.identity;
        if (!r_.hasInfo)
            return;
        const t_info &info = id.infoLines;
        id.name = info[0];
        id.callsign = info[1];
        id.airport = info[2];
        if (!parse(info[3], info[4], id.ownLat, id.ownLon)) {
            r_.hasErrors = true;
            if (!r_.errorText.isEmpty())
                r_.errorText += QLatin1Char('\r');
            r_.errorText += QStringLiteral("erreur de coordonnée dans la section [INFO] ");
        }
        const QStringView own = TrimmedView(id.airport);
        for (const Airport &a : std::as_const(r_.tables.airports))
            if (TrimmedView(a.identifier) == own && !own.isEmpty())
                id.ownFrequency = TrimmedView(a.frequency).toString().remove(QLatin1Char('.'));
        id.declinationText = info[7];
        bool ok = false;
        const double declination = StrToFloatLenient(info[7], &ok);
        id.declination = ok ? float(declination) : 0.0f;
        id.captionText = id.name + QStringLiteral("  ") + id.callsign;
        r_.statusText = id.name + QLatin1Char(' ') + id.callsign + QStringLiteral(" declinaison:")
                        + id.declinationText;
        r_.nmPerDegLon = NmPerDegreeLongitude(id.ownLat);
    }

    void selectRoutes()
    {
        const SelectionTexts &s = settings_.selections;
        const std::pair<QList<ROUTE> *, const QString *> tables[] = {
            {&r_.tables.sids, &s.sids},
            {&r_.tables.stars, &s.stars},
            {&r_.tables.lowAirways, &s.lowAirways},
            {&r_.tables.highAirways, &s.highAirways}};
        for (const auto &[table, text] : tables) {
            if (text->isEmpty())
                continue;
            for (qsizetype n = 0; n < table->size(); ++n)
                (*table)[n].selected = (n >= text->size() || (*text)[n] != QLatin1Char('0')) ? 1 : 0;
        }
    }

    const QString &text_;
    const SectorReadSettings &settings_;
    const SectorProgress &progress_;
    QList<QStringView> lines_;
    std::array<qsizetype, kSectionCount> sectionStart_{};
    QList<QStringView> tokens_;
    SectorIndex index_;
    std::optional<ColourLookup> colours_;
    qsizetype done_ = 0;
    qsizetype nextReport_ = 0;
    SectorLoadResult r_;
};

} // namespace

SectorLoadResult ReadSectorText(const QString &text, const SectorReadSettings &settings,
                                const SectorProgress &progress)
{
    return Reader(text, settings, progress).run();
}

std::optional<SectorLoadResult> ReadSectorFile(const QString &path, const SectorReadSettings &settings,
                                               QString &error, const SectorProgress &progress)
{
    QFile file(path);
    if (QFileInfo(path).isDir()) {
        error = QStringLiteral("Impossible de lire le secteur %1 : c'est un dossier").arg(path);
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Impossible de lire le secteur %1 : %2").arg(path, file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("Impossible de lire le secteur %1 : %2").arg(path, file.errorString());
        return std::nullopt;
    }
    return ReadSectorText(DecodeCp1252(bytes), settings, progress);
}

void ApplySectorLoad(SectorState &sector, ViewState &view, SectorLoadResult &&result)
{
    sector.tables = std::move(result.tables);
    const quint64 generation = sector.identity.generation;
    sector.identity = std::move(result.identity);
    sector.identity.loaded = true;
    sector.identity.generation = generation + 1;
    sector.index = std::move(result.index);
    view.centreLat = sector.identity.ownLat;
    view.centreLon = sector.identity.ownLon;
    view.nmPerDegLat = 60;
    view.nmPerDegLon = result.nmPerDegLon;
    view.declination = sector.identity.declination;
}

QString SectorSummary(const SectorTables &t, bool hasInfo)
{
    const QChar cr(QLatin1Char('\r'));
    QString s = QString::number(t.airports.size()) + QStringLiteral(" AIRPORT") + cr
                + QString::number(t.vors.size()) + QStringLiteral(" VOR") + cr
                + QString::number(t.ndbs.size()) + QStringLiteral(" NDB") + cr
                + QString::number(t.fixes.size()) + QStringLiteral(" FIXES") + cr
                + QString::number(t.lowAirways.size() + t.highAirways.size()) + QStringLiteral(" Airways") + cr
                + QString::number(t.sids.size()) + QStringLiteral(" SID") + cr
                + QString::number(t.stars.size()) + QStringLiteral(" STAR");
    const auto warn = [&](qsizetype count, int limit, const char *what) {
        if (count > limit)
            s += QStringLiteral("\r\rAttention! la sélection des %1 ne sera pas conservée correctement "
                                "lors de la fermeture de ZAZ")
                     .arg(QLatin1StringView(what));
    };
    warn(t.fixes.size(), kFixSelectionLimit, "FIXES");
    warn(t.sids.size(), kSelectionLimit, "SID");
    warn(t.stars.size(), kSelectionLimit, "STAR");
    warn(t.lowAirways.size(), kSelectionLimit, "low airways");
    warn(t.highAirways.size(), kSelectionLimit, "high airways");
    if (!hasInfo)
        s += QStringLiteral("\r\rAttention! pas de section [INFO] : nom, indicatif et position du "
                            "secteur inconnus");
    return s;
}

} // namespace zaz
