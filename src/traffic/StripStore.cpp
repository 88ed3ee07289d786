#include "traffic/StripStore.h"

#include "core/Text.h"
#include "traffic/StripLine.h"

namespace zaz {

QString StripKey(int index)
{
    return ZeroPad(index, 3);
}

QString NewStripLine(int index, const QTime &start)
{
    QString line(kStripLength, QLatin1Char(' '));
    SetStripNumber(line, StripField::Key, index);
    SetStripText(line, StripField::ControlStart, start.toString(QStringLiteral("hh:mm:ss")));
    return line;
}

int StripPosition(const StripStore &store, const QString &callsign)
{
    if (callsign.isEmpty())
        return -1;
    for (qsizetype i = 0; i < store.entries.size(); ++i)
        if (store.entries[i].callsign == callsign)
            return int(i);
    return -1;
}

} // namespace zaz
