#include "ui/TForm_fp.h"

#include "core/Paths.h"
#include "core/Prompts.h"
#include "state/Settings.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zaz {

std::optional<QString> ChoosePlanFile(RadarState &state, Prompts &prompts)
{
    PathSettings &paths = state.settings.paths;
    FileDialogRequest request;
    request.filter = QStringLiteral("flight plan (*.pln)|*.PLN");
    if (!paths.flightPlanDir.isEmpty() && paths.flightPlanDir != QLatin1String("error"))
        request.initialDir = ProgramPath(paths.programDir, paths.flightPlanDir);
    std::optional<QString> file = prompts.openFile(request);
    if (!file)
        return file;
    QString dir = QFileInfo(*file).absolutePath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    if (!Settings::WriteFlightPlanDir(*state.files.zaz, state.settings, dir))
        prompts.showMessage(state.files.zaz->lastError());
    return file;
}

void ReadPlanIntoLists(FlightPlanFiles &files, const QString &path, Prompts &prompts)
{
    files.PlanDisplayList.clear();
    files.PlanWaypointList.clear();
    QString error;
    if (!LoadPlanFile(files, path, error)) {
        prompts.showMessage(error);
        return;
    }
    ParsePlan(files);
}

TForm_fp::TForm_fp(QWidget *mainWindow)
    : QDialog(mainWindow)
{
    setObjectName(QStringLiteral("Form_fp"));
    setWindowTitle(QStringLiteral("plan de vol"));
    setModal(true);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListBox_fp"));
    list_->setAccessibleName(QStringLiteral("plan de vol"));
    auto *load = new QPushButton(QStringLiteral("charger"), this);
    load->setObjectName(QStringLiteral("Button_charger"));
    auto *cancel = new QPushButton(QStringLiteral("annuler"), this);
    cancel->setObjectName(QStringLiteral("Button_annuler"));
    connect(load, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(load);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    resize(420, 320);
}

bool TForm_fp::showPlan(const QStringList &lines, const QString &caption)
{
    list_->clear();
    list_->addItems(lines);
    setWindowTitle(caption);
    return exec() == QDialog::Accepted;
}

} // namespace zaz
