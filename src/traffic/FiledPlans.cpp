#include "traffic/FiledPlans.h"

#include "core/Text.h"

#include <QStringList>

namespace zaz {

QString FiledPlanRow(const FiledPlan &plan)
{
    QStringList columns;
    columns << plan.callsign << plan.proposedTime;
    if (plan.rules == QLatin1String("I"))
        columns << QStringLiteral("IFR");
    else if (plan.rules == QLatin1String("V"))
        columns << QStringLiteral("VFR");
    columns << plan.acType << plan.departure << plan.route << plan.destination;
    columns << QStringLiteral("FL") + plan.cruiseLevel;

    // A speed written with a leading zero is a Mach number.
    if (plan.speed.startsWith(QLatin1Char('0')))
        columns << QLatin1Char('M') + plan.speed;
    else
        columns << plan.speed + QStringLiteral("kts");

    // Actual departure time HHMM; three digits are read with a leading zero.
    QString time = plan.actualTime;
    if (time.size() == 3)
        time.prepend(QLatin1Char('0'));
    columns << QLatin1Char('Z') + Copy(time, 1, 2) + QLatin1Char(':') + Copy(time, 3, 2);

    columns << plan.remarks;
    return columns.join(QLatin1Char('\t'));
}

} // namespace zaz
