#include "link/TextVariables.h"


#include <QRegularExpression>
#include <algorithm>

namespace zaz {

namespace {

struct Variable {
    const char *name;
    QString (*value)(const TextVariableValues &);
};

const Variable kVariables[] = {
    {"$DEST", [](const TextVariableValues &v) { return v.destination; }},
    {"$SID", [](const TextVariableValues &v) { return v.sid; }},
    {"$ALT", [](const TextVariableValues &v) { return QString::number(-v.altitudePosition * 100); }},
    {"$NIV", [](const TextVariableValues &v) { return QString::number(-v.altitudePosition); }},
    {"$VIT", [](const TextVariableValues &v) { return QString::number(v.speed); }},
    {"$POINT", [](const TextVariableValues &v) { return v.point; }},
    {"$NUM", [](const TextVariableValues &v) { return v.number; }},
    {"$TEMPS", [](const TextVariableValues &v) { return v.time; }},
    {"$CAP", [](const TextVariableValues &v) { return v.heading; }},
    {"$piste_de", [](const TextVariableValues &v) { return v.takeoffRunway; }},
    {"$piste_LDG", [](const TextVariableValues &v) { return v.landingRunway; }},
    {"$vent", [](const TextVariableValues &v) { return v.wind; }},
    {"$QNH", [](const TextVariableValues &v) { return v.qnh; }},
    {"$CONT", [](const TextVariableValues &v) { return v.controller; }},
    {"$FREQ", [](const TextVariableValues &v) { return v.controllerFrequency; }},
};

// One pattern for every name, the longest first so that a name that begins another one
// never takes its place.
const QRegularExpression &VariablePattern()
{
    static const QRegularExpression pattern = [] {
        QStringList names = TextVariableNames();
        std::stable_sort(names.begin(), names.end(),
                         [](const QString &a, const QString &b) { return a.size() > b.size(); });
        for (QString &name : names)
            name = QRegularExpression::escape(name);
        return QRegularExpression(names.join(QLatin1Char('|')), QRegularExpression::CaseInsensitiveOption);
    }();
    return pattern;
}

} // namespace

QStringList TextVariableNames()
{
    QStringList names;
    for (const Variable &v : kVariables)
        names.append(QLatin1String(v.name));
    return names;
}

QString ReplaceTextVariables(const QString &text, const TextVariableValues &values)
{
    QString result;
    qsizetype from = 0;
    auto it = VariablePattern().globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        result += QStringView(text).mid(from, match.capturedStart() - from);
        for (const Variable &v : kVariables)
            if (match.captured().compare(QLatin1String(v.name), Qt::CaseInsensitive) == 0) {
                result += v.value(values);
                break;
            }
        from = match.capturedEnd();
    }
    result += QStringView(text).mid(from);
    return result;
}

QStringList TextCategories()
{
    return {QStringLiteral("arrivée"), QStringLiteral("centre "), QStringLiteral("départ")};
}

QString PredefinedText(const IniFile &texts, const QString &category, const QString &command)
{
    const QString section = category.isEmpty() ? QString::fromLatin1(kGeneralTexts) : category;
    return texts.readString(section, command, QStringLiteral("ERROR"));
}

QString JoinPickedTexts(const QStringList &texts) { return texts.join(QLatin1Char('/')); }

bool WriteTextSection(IniFile &texts, const QString &section, const QList<QPair<QString, QString>> &rows,
                      QString &error)
{
    QStringList kept;
    for (const auto &[command, text] : rows)
        if (!command.trimmed().isEmpty())
            kept.append(command.trimmed().toLower());
    texts.beginUpdate();
    for (const QString &key : texts.readSection(section))
        if (!kept.contains(key.trimmed().toLower()))
            texts.deleteKey(section, key);
    bool refused = false;
    for (const auto &[command, text] : rows)
        if (!command.trimmed().isEmpty() && !texts.writeString(section, command.trimmed(), text)) {
            refused = true;
            error = QStringLiteral("commande refusée : « %1 »").arg(command.trimmed());
        }
    const bool written = texts.endUpdate();
    if (!written)
        error = texts.lastError();
    return written && !refused;
}

} // namespace zaz
