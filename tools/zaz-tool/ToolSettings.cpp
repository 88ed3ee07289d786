#include "ToolSettings.h"

#include "core/IniFile.h"
#include "state/RadarState.h"
#include "state/Settings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

namespace zaz::tool {

const OptionDef kSettingsOption{"--settings", true, "un dossier"};
const OptionDef kSectorOption{"--sector", true, "un fichier"};

QString SettingsFolder(const ParsedArguments &args)
{
    if (!args.hasValue("--settings"))
        return QDir::currentPath();
    const QString folder = args.value("--settings");
    const QFileInfo info(folder);
    if (!info.exists())
        IoError(QStringLiteral("dossier introuvable : %1").arg(folder));
    if (!info.isDir())
        IoError(QStringLiteral("ce n'est pas un dossier : %1").arg(folder));
    return folder;
}

bool OpenSettingsFile(const QString &folder, RadarState &state)
{
    const QString iniPath = QDir(folder).filePath(QStringLiteral("ZAZ.ini"));
    if (!QFileInfo(iniPath).isFile())
        return false;
    state.files.zaz = std::make_unique<IniFile>(iniPath);
    return true;
}

SectorReadSettings ReadSettingsFrom(const ParsedArguments &args)
{
    RadarState state;
    if (OpenSettingsFile(SettingsFolder(args), state)) {
        SettingsReport report; // the tool shows the sector, not the settings' problems
        Settings::ReadDisplay(*state.files.zaz, state.settings, report);
        Settings::ReadSector(*state.files.zaz, state.settings);
    }
    return ReadSettingsOf(state);
}

QString OneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.trimmed();
}

SectorLoadResult LoadSector(const QString &path, const SectorReadSettings &settings, double *elapsedMs)
{
    const QFileInfo info(path);
    if (!info.exists())
        IoError(QStringLiteral("fichier introuvable : %1").arg(path));
    if (info.isDir())
        IoError(QStringLiteral("c'est un dossier, pas un fichier : %1").arg(path));
    QString error;
    QElapsedTimer timer;
    timer.start();
    std::optional<SectorLoadResult> result = ReadSectorFile(path, settings, error);
    const qint64 nanoseconds = timer.nsecsElapsed();
    if (!result)
        IoError(OneLine(error.isEmpty() ? QStringLiteral("lecture impossible : %1").arg(path) : error));
    if (elapsedMs)
        *elapsedMs = double(nanoseconds) / 1e6;
    return std::move(*result);
}

} // namespace zaz::tool
