#include "traffic/StripCatalogs.h"

#include "core/IniFile.h"

namespace zaz {

namespace {

const QString kMissing = QStringLiteral("ERROR");

QList<CodeText> CodeTexts(const IniFile &ini, const QString &section)
{
    QList<CodeText> out;
    for (const auto &[code, text] : ini.readSectionPairs(section))
        out.append({code, text});
    return out;
}

} // namespace

QStringList ControlPositions(const IniFile &ope)
{
    return ope.readSections();
}

QList<ControlStep> PositionSteps(const IniFile &ope, const QString &position)
{
    QList<ControlStep> steps;
    for (const QString &name : ope.readSection(position))
        steps.append({name, ope.readString(position, name, kMissing)});
    return steps;
}

QList<CodeText> StepStatuses(const IniFile &val, const QString &step)
{
    return CodeTexts(val, step);
}

QList<StripMessage> StepMessages(const IniFile &com, const QString &step)
{
    QList<StripMessage> messages;
    for (const QString &name : com.readSection(step))
        messages.append({name, MessageTemplate(com, step, name)});
    return messages;
}

QString MessageTemplate(const IniFile &com, const QString &step, const QString &name)
{
    return com.readString(step, name, kMissing);
}

QList<CodeText> FlightKinds(const IniFile &ldep, const QString &position)
{
    return CodeTexts(ldep, position);
}

} // namespace zaz
