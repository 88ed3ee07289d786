// The program block: creates the windows in their order, shows the main window and runs
// the event loop. The program folder is the current folder at start.
#include "app/AppWindows.h"
#include "core/Clock.h"
#include "core/Shell.h"
#include "app/TForm1.h"
#include "ui/WidgetPrompts.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZAZ"));

    zaz::WidgetPrompts prompts;
    zaz::SystemClock clock;
    zaz::ProcessShell shell;
    zaz::AppServices services;
    services.prompts = &prompts;
    services.clock = &clock;
    services.shell = &shell;
    services.programDir = QDir::currentPath();

    auto windows = zaz::CreateAppWindows(services);
    prompts.setParent(windows->form1.get());
    windows->form1->show();
    return app.exec();
}
