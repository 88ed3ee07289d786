#include "link/Controllers.h"

#include "link/LineProtocol.h"

namespace zaz {

namespace {

// A code looked up among the texts of the settings; "error" when it is not there.
QString CodeText(const QHash<QString, QString> &texts, const QString &code)
{
    return texts.value(code, QStringLiteral("error"));
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

QString FrequencyText(const QString &digits)
{
    if (digits.isEmpty())
        return QString();
    return Copy(digits, 1, 3) + QLatin1Char('.') + Copy(digits, 4, 3);
}

int FindController(const ControllersState &controllers, const QString &callsign)
{
    if (callsign.isEmpty())
        return kNoController;
    for (int i = int(controllers.ControllerTable.size()) - 1; i >= 0; --i)
        if (controllers.ControllerTable[i].callsign == callsign)
            return i;
    return kNoController;
}

int ApplyControllerPosition(ControllersState &controllers, const CodeTexts &texts, const ControllerPosition &position,
                            const QDateTime &now)
{
    if (position.callsign.isEmpty())
        return kNoController;
    int index = FindController(controllers, position.callsign);
    if (index == kNoController) {
        index = FreeController(controllers);
        if (index < 0) {
            if (controllers.ControllerTable.size() >= kMaxControllers)
                throw LineError(QStringLiteral("table des contrôleurs pleine"));
            controllers.ControllerTable.append(t_controller());
            index = int(controllers.ControllerTable.size()) - 1;
        }
        t_controller &c = controllers.ControllerTable[index];
        c.callsign = position.callsign;
        c.inRadioList = false;
        controllers.ControllerList.append(QString::number(index));
        ++controllers.ControllerCount;
    }
    t_controller &c = controllers.ControllerTable[index];
    c.frequency = QLatin1Char('1') + position.frequency;
    c.facilityText = CodeText(texts.facility, position.facilityCode);
    c.range = position.range;
    c.ratingText = CodeText(texts.rating, position.ratingCode);
    c.lat = position.lat;
    c.lon = position.lon;
    c.altitude = position.altitude;
    c.lastSeen = now;
    return index;
}

void RemoveController(ControllersState &controllers, int index)
{
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
}

} // namespace zaz
