#include "support/TestEnv.h"

#include "core/Codec.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace zaz::test {

QString SourceDataDir()
{
    return QStringLiteral(ZAZ_SOURCE_DIR "/data");
}

TestEnv::TestEnv() = default;

TestEnv TestEnv::withStartingData()
{
    TestEnv env;
    const QDir source(SourceDataDir());
    QDirIterator it(source.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = env.path(source.relativeFilePath(from));
        QDir().mkpath(QFileInfo(to).absolutePath());
        QFile::copy(from, to);
    }
    return env;
}

QString TestEnv::path(const QString &name) const
{
    return QDir(dir_.path()).filePath(name);
}

void TestEnv::write(const QString &name, const QString &text) const
{
    QDir().mkpath(QFileInfo(path(name)).absolutePath());
    QFile f(path(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        QString crlf = text;
        crlf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        f.write(EncodeCp1252(crlf));
    }
}

QByteArray TestEnv::readBytes(const QString &name) const
{
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

AppServices TestEnv::services(QSize screen)
{
    AppServices s;
    s.prompts = &prompts;
    s.clock = &clock;
    s.shell = &shell;
    s.programDir = dir();
    s.screenSize = screen;
    s.simLibraryName = QStringLiteral("ZazNoSuchSimulatorLibrary");
    return s;
}

} // namespace zaz::test
