#include "traffic/FiledPlans.h"

namespace zaz {

namespace {

// Field n (1-based) of the line; a line too short for the row ends its handling.
const QString &Field(const t_tranches &fields, int n)
{
    if (n < 1 || n > fields.size())
        throw ConversionError(QStringLiteral("champ %1 absent").arg(n));
    return fields[n - 1];
}

} // namespace

QString FiledPlanRow(const t_tranches &fields)
{
    QStringList columns;
    columns << Field(fields, 3) << Field(fields, 8);
    const QString &rules = Field(fields, 4);
    if (rules == QLatin1String("I"))
        columns << QStringLiteral("IFR");
    else if (rules == QLatin1String("V"))
        columns << QStringLiteral("VFR");
    columns << Field(fields, 5) << Field(fields, 7) << Field(fields, 18) << Field(fields, 11);
    columns << QStringLiteral("FL") + Field(fields, 10);

    // A speed written with a leading zero is a Mach number.
    const QString &speed = Field(fields, 6);
    if (speed.startsWith(QLatin1Char('0')))
        columns << QLatin1Char('M') + speed;
    else
        columns << speed + QStringLiteral("kts");

    // Actual departure time HHMM; three digits are read with a leading zero.
    QString time = Field(fields, 9);
    if (time.size() == 3)
        time.prepend(QLatin1Char('0'));
    columns << QLatin1Char('Z') + Copy(time, 1, 2) + QLatin1Char(':') + Copy(time, 3, 2);

    columns << Field(fields, 17);
    return columns.join(QLatin1Char('\t'));
}

} // namespace zaz
