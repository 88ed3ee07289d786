// zaz-tool: the command-line companion of ZAZ. The first word names a group of commands;
// each group lives in its own file and runs the program's own model code.
#include "RenderCommands.h"
#include "ReplayCommands.h"
#include "Tool.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <exception>
#include <memory>

using namespace zaz::tool;

namespace {

struct CommandGroup {
    const char *name;
    int (*run)(const QStringList &arguments, Output &out);
    QString (*usage)();
};

const CommandGroup kGroups[] = {
    {"sector", RunSectorCommand, SectorUsage},
    {"route", RunRouteCommand, RouteUsage},
    {"plan", RunPlanCommand, PlanUsage},
    {"replay", RunReplayCommand, ReplayUsage},
    {"render", RunRenderCommand, RenderUsage},
    {"metar", RunMetarCommand, MetarUsage},
    {"weather", RunWeatherCommand, WeatherUsage},
    {"atis", RunAtisCommand, AtisUsage},
};

QString Usage()
{
    QString text = QStringLiteral("Utilisation : zaz-tool COMMANDE [ARGUMENTS]\n\n");
    for (const CommandGroup &group : kGroups)
        text += group.usage();
    text += QStringLiteral("\nCodes de sortie : 0 succès, 1 fichier illisible ou écriture impossible, "
                           "2 arguments incorrects.\n");
    return text;
}

void PrintError(const QString &message)
{
    const QByteArray line = (QStringLiteral("zaz-tool : ") + message + QLatin1Char('\n')).toUtf8();
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stderr);
    std::fflush(stderr);
}

bool WantsHelp(const QStringList &arguments)
{
    for (const QString &arg : arguments) {
        if (arg == QLatin1String("--"))
            return false;
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            return true;
    }
    return false;
}

int Run(const QStringList &arguments, Output &out)
{
    if (WantsHelp(arguments)) {
        out.write(Usage().toStdString());
        return kExitOk;
    }
    if (arguments.isEmpty())
        UsageError(QStringLiteral("commande manquante (zaz-tool --help pour l'aide)"));
    for (const CommandGroup &group : kGroups)
        if (arguments[0] == QLatin1String(group.name))
            return group.run(arguments.mid(1), out);
    UsageError(QStringLiteral("commande inconnue : %1 (zaz-tool --help pour l'aide)").arg(arguments[0]));
}

} // namespace

int main(int argc, char *argv[])
{
    // Drawing text needs the font database of a GUI application: "render" runs one on the
    // offscreen platform, so that it needs no display; the other commands stay console-only.
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && RenderCommandNamed(argv[1])) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    int code = kExitOk;
    Output out;
    try {
        code = Run(arguments, out);
    } catch (const ToolError &error) {
        out.flush();
        PrintError(error.message);
        return error.code;
    } catch (const std::exception &error) {
        out.flush();
        PrintError(QString::fromUtf8(error.what()));
        return kExitIo;
    }
    if (!out.flush()) {
        PrintError(QStringLiteral("écriture impossible sur la sortie standard"));
        return kExitIo;
    }
    return code;
}
