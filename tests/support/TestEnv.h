// What the window tests need: a working folder with settings files, scripted prompts and a
// settable clock.
#pragma once

#include "core/Clock.h"
#include "core/Codec.h"
#include "core/Shell.h"
#include "support/ScriptedPrompts.h"
#include "ui/AppServices.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>

namespace zaz::test {

// The source tree's data/ folder, the starting set a new user gets.
inline QString SourceDataDir() { return QStringLiteral(ZAZ_SOURCE_DIR "/data"); }

// A shell that starts nothing and records what it was asked to open.
struct RecordingShell final : Shell {
    bool open(const QString &program, const QString &parameters) override
    {
        opened << program + QLatin1Char(' ') + parameters;
        return true;
    }
    QStringList opened;
};

// An empty working folder, or with withStartingData(), a copy of the starting set.
class TestEnv {
public:
    static TestEnv withStartingData()
    {
        TestEnv env;
        const QDir source(SourceDataDir());
        for (QDirIterator it(source.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            const QString from = it.next();
            env.writeBytes(source.relativeFilePath(from), ReadFile(from));
        }
        return env;
    }

    QString dir() const { return dir_.path(); }
    QString path(const QString &name) const { return dir_.filePath(name); }
    // Writes text (Windows-1252, CRLF) to a file of the working folder, making its folder.
    void write(const QString &name, const QString &text) const
    {
        writeBytes(name, EncodeCp1252(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                                          .replace(QLatin1Char('\n'), QStringLiteral("\r\n"))));
    }
    void writeBytes(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        if (QDir(dir()).mkpath(QFileInfo(name).path()) && f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
    }
    QByteArray readBytes(const QString &name) const { return ReadFile(path(name)); }
    // Replaces every from by to in a file of the folder; false when from is not there.
    bool replace(const QString &name, const QByteArray &from, const QByteArray &to) const
    {
        QByteArray bytes = readBytes(name);
        writeBytes(name, QByteArray(bytes).replace(from, to));
        return bytes.contains(from);
    }
    // Services that point at this folder, with a simulator library nobody has and the
    // recording shell.
    AppServices services(QSize screen = QSize(1920, 1080))
    {
        return {&prompts, &clock, &shell, dir(), screen, QStringLiteral("ZazNoSuchSimulatorLibrary")};
    }

    ScriptedPrompts prompts;
    ManualClock clock;
    RecordingShell shell;

private:
    static QByteArray ReadFile(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
};

} // namespace zaz::test
