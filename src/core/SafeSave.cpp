#include "core/SafeSave.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace zaz {
namespace {

// Data still in the system's cache can fail to reach the disk (delayed allocation on a
// full disk, network folders); fsync reports it while the old file is still in place.
bool SyncToDisk(QFileDevice &file)
{
#ifdef Q_OS_UNIX
    const int fd = file.handle();
    return fd >= 0 && ::fsync(fd) == 0;
#else
    Q_UNUSED(file);
    return true;
#endif
}

QString OpenFailure(const QSaveFile &file, const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("c'est un dossier");
    if (!info.absoluteDir().exists())
        return QStringLiteral("le dossier « %1 » n'existe pas")
            .arg(QDir::toNativeSeparators(info.absolutePath()));
    if (file.error() == QFileDevice::PermissionsError)
        return QStringLiteral("accès refusé");
    return QStringLiteral("le fichier ne peut pas être créé dans ce dossier");
}

} // namespace

bool SafeSaveBytes(const QString &path, const QByteArray &bytes, QString &error)
{
    error.clear();
    const QString shown = QDir::toNativeSeparators(path);
    if (path.isEmpty()) {
        error = QStringLiteral("Aucun nom de fichier : rien n'a été enregistré.");
        return false;
    }
    const bool existed = QFileInfo::exists(path);

    // QSaveFile writes a temporary file next to the target and renames it over the target
    // at commit. Its commit() only looks at errors of write() calls: when the last buffered
    // bytes fail to reach the disk (disk full, file size limit) it still renames the
    // truncated temporary file over the target. So the buffer is flushed, the size checked
    // and the data synced here, and commit() is called only when all went well; otherwise
    // the temporary file is dropped and the target stays as it was.
    QSaveFile file(path);
    QString reason;
    if (!file.open(QIODevice::WriteOnly))
        reason = OpenFailure(file, path);
    else if (file.write(bytes) != bytes.size() || !file.flush() || file.size() != bytes.size())
        reason = QStringLiteral("l'écriture a échoué (disque plein ?)");
    else if (!SyncToDisk(file))
        reason = QStringLiteral("les données n'ont pas pu être écrites sur le disque");
    else if (!file.commit())
        reason = QStringLiteral("le fichier n'a pas pu être remplacé");
    if (reason.isEmpty())
        return true;

    file.cancelWriting();
    error = QStringLiteral("Impossible d'enregistrer le fichier « %1 » : %2.").arg(shown, reason);
    if (existed)
        error += QStringLiteral(" Il garde son contenu précédent.");
    return false;
}

} // namespace zaz
