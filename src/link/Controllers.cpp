#include "link/Controllers.h"

#include "core/IniFile.h"
#include "core/RadarState.h"
#include "link/LineProtocol.h"

namespace zaz {

namespace {

// A code of the line looked up in a section of ZAZ.ini; "error" when it is not there.
QString CodeText(const IniFile *settings, const char *section, const QString &code)
{
    const QString missing = QStringLiteral("error");
    if (!settings)
        return missing;
    return settings->ReadString(QLatin1String(section), code, missing);
}

// Fields 2 to 8 of a "%" line written into a record in field order. A field that is missing
// or does not convert raises, and the fields before it keep their new values.
void ApplyFields(t_controller &c, const t_tranches &fields, const QDateTime &now, const IniFile *settings)
{
    c.frequency = QLatin1Char('1') + FieldAt(fields, 2);
    c.facilityText = CodeText(settings, "facility", FieldAt(fields, 3));
    c.range = StrToInt(FieldAt(fields, 4));
    c.ratingText = CodeText(settings, "rating", FieldAt(fields, 5));
    c.lat = float(StrToFloatLenient(FieldAt(fields, 6)));
    c.lon = float(StrToFloatLenient(FieldAt(fields, 7)));
    c.altitude = StrToInt(FieldAt(fields, 8));
    c.lastSeen = now;
}

void CopyLineFields(t_controller &to, const t_controller &from)
{
    to.frequency = from.frequency;
    to.facilityText = from.facilityText;
    to.range = from.range;
    to.ratingText = from.ratingText;
    to.lat = from.lat;
    to.lon = from.lon;
    to.altitude = from.altitude;
    to.lastSeen = from.lastSeen;
}

// The highest free record, or -1 when every record is in use.
int FreeController(const ControllersState &controllers)
{
    for (int i = int(controllers.ControllerTable.size()) - 1; i >= 0; --i)
        if (controllers.ControllerTable[i].callsign.isEmpty())
            return i;
    return -1;
}

} // namespace

int FindController(const ControllersState &controllers, const QString &callsign)
{
    if (callsign.isEmpty())
        return kNoIndex;
    for (int i = int(controllers.ControllerTable.size()) - 1; i >= 0; --i)
        if (controllers.ControllerTable[i].callsign == callsign)
            return i;
    return kNoIndex;
}

int ApplyControllerPosition(RadarState &state, const t_tranches &fields, const QDateTime &now,
                            const IniFile *settings)
{
    ControllersState &controllers = state.controllers;
    const QString callsign = FieldAt(fields, 1).mid(1);
    if (callsign.isEmpty())
        return kNoIndex;

    int index = FindController(controllers, callsign);
    if (index != kNoIndex) {
        try {
            ApplyFields(controllers.ControllerTable[index], fields, now, settings);
        } catch (const ConversionError &) {
            // The fields before the failing one did change.
            emit state.notifier.controllersChanged();
            throw;
        }
        emit state.notifier.controllersChanged();
        return index;
    }

    // The whole line is read before a record is taken: a line that fails half-way must not
    // leave a record that later lines would find by its callsign.
    t_controller read;
    ApplyFields(read, fields, now, settings);

    index = FreeController(controllers);
    if (index < 0) {
        if (controllers.ControllerTable.size() >= kMaxControllers)
            throw LineError(QStringLiteral("table des contrôleurs pleine"));
        controllers.ControllerTable.append(t_controller());
        index = int(controllers.ControllerTable.size()) - 1;
    }
    t_controller &c = controllers.ControllerTable[index];
    c.callsign = callsign;
    CopyLineFields(c, read);
    c.inRadioList = false;
    controllers.ControllerList.append(QString::number(index));
    ++controllers.ControllerCount;
    emit state.notifier.controllersChanged();
    return index;
}

void RemoveController(RadarState &state, int index)
{
    ControllersState &controllers = state.controllers;
    if (index < 0 || index >= controllers.ControllerTable.size())
        return;
    t_controller &c = controllers.ControllerTable[index];
    if (c.callsign.isEmpty())
        return;
    c.callsign.clear();
    c.lat = 9999.0f;
    controllers.ControllerList.removeAll(QString::number(index));
    if (controllers.ControllerCount > 0)
        --controllers.ControllerCount;
    emit state.notifier.controllersChanged();
}

} // namespace zaz
