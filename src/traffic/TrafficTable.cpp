#include "traffic/TrafficTable.h"

namespace zaz {

int TrafficTable::FindAircraft(const QString &callsign) const
{
    if (callsign.isEmpty())
        return kNoAircraft;
    const auto it = byCallsign_.constFind(callsign);
    if (it == byCallsign_.constEnd() || it->empty())
        return kNoAircraft;
    return *it->rbegin();
}

int TrafficTable::holders(const QString &callsign) const
{
    const auto it = byCallsign_.constFind(callsign);
    return it == byCallsign_.constEnd() ? 0 : int(it->size());
}

int TrafficTable::AcquireRecord()
{
    if (!free_.empty())
        return *free_.rbegin();
    if (records_.size() >= kMaxAircraft)
        return kNoAircraft;
    records_.append(AVION());
    const int index = int(records_.size() - 1);
    free_.insert(index);
    return index;
}

void TrafficTable::setCallsign(int index, const QString &callsign)
{
    AVION &r = records_[index];
    if (r.callsign == callsign)
        return;
    if (r.callsign.isEmpty()) {
        free_.erase(index);
    } else {
        auto it = byCallsign_.find(r.callsign);
        if (it != byCallsign_.end()) {
            it->erase(index);
            if (it->empty())
                byCallsign_.erase(it);
        }
    }
    r.callsign = callsign;
    if (callsign.isEmpty())
        free_.insert(index);
    else
        byCallsign_[callsign].insert(index);
}

void TrafficTable::clear()
{
    records_.clear();
    byCallsign_.clear();
    free_.clear();
}

int TrafficTable::findAircraftByScan(const QString &callsign) const
{
    int found = kNoAircraft;
    if (callsign.isEmpty())
        return found;
    for (int i = 0; i < records_.size(); ++i)
        if (records_[i].callsign == callsign)
            found = i;
    return found;
}

int TrafficTable::freeRecordByScan() const
{
    int found = -1;
    for (int i = 0; i < records_.size(); ++i)
        if (records_[i].callsign.isEmpty())
            found = i;
    return found;
}

} // namespace zaz
