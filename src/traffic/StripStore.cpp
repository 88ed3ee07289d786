#include "traffic/StripStore.h"

#include "core/Text.h"

namespace zaz {

QString StripKey(int index)
{
    return ZeroPad(index, 3);
}

QString NewStripLine(int index, const QTime &start)
{
    return PadRight(StripKey(index) + start.toString(QStringLiteral("hh:mm:ss")), kStripLength);
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
