#include "core/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace zaz {

QString ProgramPath(const QString &programDir, const QString &name)
{
    if (name.isEmpty() || QDir::isAbsolutePath(name))
        return name;
    return QDir(programDir).filePath(name);
}

QString FindFileNoCase(const QString &dir, const QString &name)
{
    const QDir folder(dir);
    if (dir.isEmpty() || !folder.exists())
        return QString();
    const QString exact = folder.filePath(name);
    if (QFileInfo(exact).isFile())
        return exact;
    const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    return QString();
}

} // namespace zaz
