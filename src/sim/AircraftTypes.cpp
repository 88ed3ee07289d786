#include "sim/AircraftTypes.h"

#include "core/IniFile.h"
#include "core/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace zaz {

namespace {

constexpr int kMaxFolders = 5000;
constexpr int kMaxEntries = 20000;
constexpr qint64 kMaxCfgBytes = 4 * 1024 * 1024;
constexpr int kMaxTitleLength = 255;

// The folder's child named name, matched without regard to case; empty when none.
QString SubfolderNoCase(const QString &dir, const QString &name)
{
    const QStringList found = QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : found)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return QDir(dir).filePath(entry);
    return {};
}

void AddManufacturer(QStringList &sorted, const QString &name)
{
    const auto less = [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; };
    const auto at = std::lower_bound(sorted.begin(), sorted.end(), name, less);
    if (at == sorted.end() || at->compare(name, Qt::CaseInsensitive) != 0)
        sorted.insert(at, name);
}

void ReadVariants(const QString &cfgPath, AircraftTypeTable &table)
{
    if (QFileInfo(cfgPath).size() > kMaxCfgBytes)
        return;
    const IniFile cfg(cfgPath);
    const QString error = QStringLiteral("error");
    for (const QString &section : cfg.readSections()) {
        if (table.entries.size() >= kMaxEntries)
            return;
        if (!section.startsWith(QLatin1String("fltsim"), Qt::CaseInsensitive))
            continue;
        AircraftType type;
        type.title = cfg.readString(section, QStringLiteral("title"), error);
        if (type.title.size() > kMaxTitleLength)
            continue;
        type.manufacturer = cfg.readString(section, QStringLiteral("ui_manufacturer"), error);
        if (type.manufacturer.isEmpty())
            type.manufacturer = QStringLiteral("inconnu");
        AddManufacturer(table.manufacturers, type.manufacturer);
        table.entries.append(type);
    }
}

} // namespace

QStringList AircraftTypeTable::titlesOf(const QString &manufacturer) const
{
    QStringList titles;
    const bool all = manufacturer == kAllManufacturers;
    for (const AircraftType &type : entries)
        if (all || type.manufacturer.compare(manufacturer, Qt::CaseInsensitive) == 0)
            titles << type.title;
    return titles;
}

AircraftTypeTable ReadAircraftTypes(const QString &simulatorDir)
{
    AircraftTypeTable table;
    const QString objects = SubfolderNoCase(simulatorDir, QStringLiteral("SimObjects"));
    const QString airplanes = objects.isEmpty() ? QString() : SubfolderNoCase(objects, QStringLiteral("Airplanes"));
    if (airplanes.isEmpty())
        return table;
    QStringList folders = QDir(airplanes).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    if (folders.size() > kMaxFolders)
        folders.resize(kMaxFolders);
    for (const QString &folder : folders) {
        const QString cfg = FindFileNoCase(QDir(airplanes).filePath(folder), QStringLiteral("aircraft.cfg"));
        if (!cfg.isEmpty())
            ReadVariants(cfg, table);
    }
    return table;
}

} // namespace zaz
