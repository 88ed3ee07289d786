// Feeds arbitrary bytes through the sector reader as a sector file, writes what it read
// with the sector writer and reads that back. Checks that nothing crashes, that the counts
// of the read are sane, and that the written file gives back every navaid, airport, runway,
// GEO line and route segment it holds, and exactly the selected fixes.
#include "core/Codec.h"
#include "sector/SectorReader.h"
#include "sector/SectorWriter.h"

#include <cstddef>
#include <iterator>
#include <utility>
#include <cstdint>

using namespace zaz;

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// A selection text of up to 48 characters taken from the bits of a few input bytes; empty
// (everything selected for fixes, nothing for routes) when the first of them is even.
QString SelectionFrom(const std::uint8_t *data, std::size_t size, std::size_t from)
{
    QString text;
    if (from >= size || (data[from] & 1) == 0)
        return text;
    for (std::size_t i = from + 1; i < size && i < from + 7; ++i)
        for (int bit = 0; bit < 8; ++bit)
            text.append((data[i] >> bit) & 1 ? QLatin1Char('1') : QLatin1Char('0'));
    return text;
}

QList<t_define> Details()
{
    return {{QStringLiteral("TAXIWAY"), QStringLiteral("clYellow")},
            {QStringLiteral("parking"), QStringLiteral("$0000FF00")},
            {QStringLiteral("RUNWAY"), QStringLiteral("255")},
            {QStringLiteral("COAST"), QStringLiteral("pas une couleur")},
            {QString(), QString()}};
}

void CheckSane(const SectorLoadResult &r)
{
    Check(r.tolerantLines >= 0);
    Check(r.hasErrors == !r.errorText.isEmpty());
    Check(r.tables.info.size() == (r.hasInfo ? 1 : 0));
    for (const GEO &g : r.tables.geo)
        Check(g.detailIndex >= -1 && g.detailIndex < 5);
    // A route may hold no segment: a line whose point is unknown still names its route.
    // Every line number of such a line lies in the text, in order.
    int previous = 0;
    for (int line : r.unresolvedLines) {
        Check(line > previous);
        previous = line;
    }
}

// Segments of the routes that the writer writes: the selected ones, or all of them for the
// boundaries. Routes of the same name may merge when read back; their segments all remain.
qsizetype WrittenSegments(const QList<ROUTE> &table, bool onlySelected)
{
    qsizetype n = 0;
    for (const ROUTE &route : table)
        if (!onlySelected || route.selected)
            n += route.segments.size();
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Real sector files run to a few megabytes; the reader is linear, so a bounded input
    // exercises every path.
    if (size > 256 * 1024)
        return 0;
    const QString text = DecodeCp1252(reinterpret_cast<const char *>(data), qsizetype(size));

    SectorReadSettings settings;
    settings.details = Details();
    // Selections come from the last bytes, so that seed files keep their beginning.
    const std::size_t tail = size > 32 ? size - 32 : 0;
    settings.selections.fixes = SelectionFrom(data, size, tail);
    settings.selections.sids = SelectionFrom(data, size, tail + 7);
    settings.selections.stars = SelectionFrom(data, size, tail + 14);
    settings.selections.lowAirways = SelectionFrom(data, size, tail + 21);
    settings.selections.highAirways = SelectionFrom(data, size, tail + 28);

    int maximum = -1;
    SectorProgress progress;
    progress.setMaximum = [&](int m) {
        Check(maximum < 0 && m >= 1);
        maximum = m;
    };
    progress.setPosition = [&](int p) { Check(maximum >= 1 && p >= 0); };

    const SectorLoadResult first = ReadSectorText(text, settings, progress);
    CheckSane(first);

    qsizetype selectedFixes = 0;
    for (const FIXE &f : first.tables.fixes)
        selectedFixes += f.selected ? 1 : 0;

    QStringList lines;
    int lastCount = 0;
    WriteSector(first.tables, first.identity, QStringLiteral("fuzz.sct"), lines, [&](int count) {
        Check(count >= lastCount && count == lines.size());
        lastCount = count;
    });
    // The file as it is saved: CR LF separated, through the code page.
    const QString written = DecodeCp1252(EncodeCp1252(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));

    // Read back with no selection: every fix the file holds is selected.
    SectorReadSettings plain;
    plain.details = settings.details;
    const SectorLoadResult back = ReadSectorText(written, plain);
    CheckSane(back);

    Check(back.hasInfo);
    Check(back.tables.fixes.size() == selectedFixes);
    Check(back.tables.vors.size() == first.tables.vors.size());
    Check(back.tables.ndbs.size() == first.tables.ndbs.size());
    Check(back.tables.airports.size() == first.tables.airports.size());
    Check(back.tables.runways.size() == first.tables.runways.size());
    Check(back.tables.geo.size() == first.tables.geo.size());
    Check(back.tables.defines.size() >= first.tables.defines.size());
    const std::pair<const QList<ROUTE> *, const QList<ROUTE> *> routes[] = {
        {&first.tables.sids, &back.tables.sids},         {&first.tables.stars, &back.tables.stars},
        {&first.tables.lowAirways, &back.tables.lowAirways}, {&first.tables.highAirways, &back.tables.highAirways},
        {&first.tables.artcc, &back.tables.artcc},       {&first.tables.artccLow, &back.tables.artccLow},
        {&first.tables.artccHigh, &back.tables.artccHigh}};
    for (qsizetype i = 0; i < qsizetype(std::size(routes)); ++i)
        Check(WrittenSegments(*routes[i].second, false) == WrittenSegments(*routes[i].first, i < 4));
    return 0;
}
