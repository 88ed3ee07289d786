// What the window tests need: a working folder with settings files, scripted prompts, a
// settable clock and a shell that records what it was asked to start.
#pragma once

#include "ui/AppServices.h"
#include "core/Clock.h"
#include "core/Shell.h"
#include "support/ScriptedPrompts.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace zaz::test {

class RecordingShell final : public Shell {
public:
    bool open(const QString &program, const QString &parameters) override
    {
        opened << program + QLatin1Char('|') + parameters;
        return result;
    }
    QStringList opened;
    bool result = true;
};

// The source tree's data/ folder, the starting set a new user gets.
QString SourceDataDir();

class TestEnv {
public:
    // An empty working folder.
    TestEnv();
    // A working folder with a copy of the starting set of data/.
    static TestEnv withStartingData();

    QString dir() const { return dir_.path(); }
    QString path(const QString &name) const;
    // Writes text (Windows-1252, CRLF) to a file of the working folder.
    void write(const QString &name, const QString &text) const;
    QByteArray readBytes(const QString &name) const;
    // Services that point at this folder; a library name nobody has, unless set.
    AppServices services(QSize screen = QSize(1920, 1080));

    ScriptedPrompts prompts;
    ManualClock clock;
    RecordingShell shell;

    TestEnv(TestEnv &&) = default;

private:
    QTemporaryDir dir_;
};

} // namespace zaz::test
