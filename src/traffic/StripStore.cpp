#include "traffic/StripStore.h"

#include "core/RadarState.h"
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

int StripPosition(const StripStore &store, int index)
{
    if (index < 0)
        return -1;
    return int(store.keys.indexOf(StripKey(index)));
}

void RemoveStrip(RadarState &state, int index)
{
    StripStore &store = state.strips;
    const int position = StripPosition(store, index);
    if (position < 0)
        return;
    // The two lists are filled together; a line missing at that position must not take
    // another strip's line with it.
    if (position < store.lines.size())
        store.lines.removeAt(position);
    store.keys.removeAt(position);
    TrafficTable &table = state.traffic.table;
    if (table.IsValid(index)) {
        AVION &a = table.Edit(index);
        a.hasStrip = false;
        a.handoffState.clear();
        a.commandPending = false;
    }
    emit state.notifier.stripsChanged();
}

} // namespace zaz
