#include "sim/SimLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstring>

namespace zaz {

QStringList SimEntryNames()
{
    return {QStringLiteral("SimConnect_Open"),
            QStringLiteral("SimConnect_Close"),
            QStringLiteral("SimConnect_CallDispatch"),
            QStringLiteral("SimConnect_AddToDataDefinition"),
            QStringLiteral("SimConnect_MapClientEventToSimEvent"),
            QStringLiteral("SimConnect_AddClientEventToNotificationGroup"),
            QStringLiteral("SimConnect_SetNotificationGroupPriority"),
            QStringLiteral("SimConnect_SubscribeToSystemEvent"),
            QStringLiteral("SimConnect_RequestDataOnSimObjectType"),
            QStringLiteral("SimConnect_RequestDataOnSimObject"),
            QStringLiteral("SimConnect_WeatherRequestObservationAtStation"),
            QStringLiteral("SimConnect_TransmitClientEvent"),
            QStringLiteral("SimConnect_AICreateParkedATCAircraft"),
            QStringLiteral("SimConnect_AICreateEnrouteATCAircraft"),
            QStringLiteral("SimConnect_AISetAircraftFlightPlan"),
            QStringLiteral("SimConnect_AIRemoveObject")};
}

bool ResolveSimEntries(QLibrary &library, SimEntries &entries, QString *missing)
{
    // The table is sixteen function pointers in the order of the names.
    static_assert(sizeof(SimEntries) == 16 * sizeof(void (*)()), "one pointer per entry point");
    using AnyFn = void (*)();
    AnyFn resolved[16] = {};
    const QStringList names = SimEntryNames();
    for (int i = 0; i < names.size(); ++i) {
        resolved[i] = reinterpret_cast<AnyFn>(library.resolve(names[i].toLatin1().constData()));
        if (!resolved[i]) {
            if (missing)
                *missing = names[i];
            entries = SimEntries{};
            return false;
        }
    }
    SimEntries table{};
    std::memcpy(&table, resolved, sizeof table);
    entries = table;
    return true;
}

SimLibrary::~SimLibrary()
{
    unload();
}

bool SimLibrary::load(const QString &name)
{
    if (loaded_)
        return true;
    error_.clear();
    // Beside the program first, then the loader's own search.
    QStringList candidates;
    if (!QFileInfo(name).isAbsolute() && QCoreApplication::instance())
        candidates << QDir(QCoreApplication::applicationDirPath()).filePath(name);
    candidates << name;
    for (const QString &file : candidates) {
        library_.setFileName(file);
        if (!library_.load())
            continue;
        QString missing;
        if (ResolveSimEntries(library_, entries_, &missing)) {
            loaded_ = true;
            return true;
        }
        error_ = missing;
        library_.unload();
        return false;
    }
    error_ = name;
    return false;
}

void SimLibrary::unload()
{
    entries_ = SimEntries{};
    if (loaded_)
        library_.unload();
    loaded_ = false;
}

QString SimLibraryStatusText(bool loaded)
{
    return loaded ? QStringLiteral("SimConnect.dll Loaded") : QStringLiteral("SimConnect.dll not found");
}

} // namespace zaz
