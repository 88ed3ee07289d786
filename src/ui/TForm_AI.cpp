#include "ui/TForm_AI.h"

#include "core/Paths.h"
#include "core/Prompts.h"
#include "sim/SimAi.h"
#include "ui/TForm_createAI.h"
#include "ui/TForm_fp.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zaz {

namespace {

QPushButton *Button(const char *name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

QString StopCaption(bool frozen)
{
    return frozen ? QStringLiteral("MOVE") : QStringLiteral("STOP");
}

} // namespace

TForm_AI::TForm_AI(RadarState &state, SimSession &session, Prompts &prompts, QWidget *mainWindow)
    : QDialog(mainWindow), state_(state), session_(session), prompts_(prompts)
{
    readTypes();
    setObjectName(QStringLiteral("Form_AI"));
    setWindowTitle(QStringLiteral("Traffic AI"));
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("Label_AI"));
    stop_ = Button("Button_stop", QStringLiteral("STOP"), this);
    delete_ = Button("Button_delete", QStringLiteral("Supprimer"), this);
    createButton_ = Button("Button_create", QStringLiteral("nouvel AI"), this);
    fp_ = Button("Button_fp", QStringLiteral("affecter un plan de vol"), this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    for (QPushButton *button : {stop_, delete_, createButton_, fp_})
        layout->addWidget(button);
    connect(stop_, &QPushButton::clicked, this, &TForm_AI::Button_stopClick);
    connect(delete_, &QPushButton::clicked, this, &TForm_AI::Button_deleteClick);
    connect(createButton_, &QPushButton::clicked, this, &TForm_AI::Button_createClick);
    connect(fp_, &QPushButton::clicked, this, &TForm_AI::Button_fpClick);
}

void TForm_AI::setDialogs(TForm_createAI *create, TForm_fp *plan)
{
    create_ = create;
    plan_ = plan;
}

void TForm_AI::TrafficAI1Click()
{
    const TrafficTable &table = state_.traffic.table;
    const int selected = state_.traffic.SelectedAircraft;
    index_ = kNoAircraft;
    callsign_.clear();
    fp_->setText(QStringLiteral("affecter un plan de vol"));
    if (!table.inUse(selected)) {
        label_->setText(QStringLiteral("aucun avion sélectionné"));
    } else if (!table[selected].createdHere) {
        label_->setText(QStringLiteral("avion non AI"));
    } else {
        const AVION &a = table[selected];
        index_ = selected;
        callsign_ = a.callsign;
        label_->setText(a.callsign);
        stop_->setText(StopCaption(a.frozen));
        if (a.hasFlightPlan)
            fp_->setText(QStringLiteral("plan de vol déjà affecté"));
    }
    const bool ours = index_ != kNoAircraft;
    stop_->setEnabled(ours);
    delete_->setEnabled(ours);
    fp_->setEnabled(ours && !table[index_].hasFlightPlan);
    show();
    raise();
}

int TForm_AI::aircraft() const
{
    const TrafficTable &table = state_.traffic.table;
    return table.inUse(index_) && table[index_].callsign == callsign_ ? index_ : kNoAircraft;
}

void TForm_AI::Button_stopClick()
{
    const int index = aircraft();
    if (index == kNoAircraft || !SimSessionOpen(session_))
        return;
    const bool frozen = state_.traffic.table[index].frozen;
    if (FreezeAircraft(session_, state_.traffic, index, frozen ? 0 : 1))
        stop_->setText(StopCaption(!frozen));
}

void TForm_AI::Button_deleteClick()
{
    RemoveAiAircraft(session_, state_.traffic, aircraft());
    close();
}

void TForm_AI::readTypes()
{
    typesDir_ = ProgramPath(state_.settings.paths.programDir, state_.settings.paths.simulatorDir);
    types_ = ReadAircraftTypes(typesDir_);
}

void TForm_AI::Button_createClick()
{
    if (!create_)
        return;
    // The simulator folder may have been chosen since the table was read (first start).
    if (ProgramPath(state_.settings.paths.programDir, state_.settings.paths.simulatorDir) != typesDir_)
        readTypes();
    create_->prepare();
    close();
    create_->show();
    create_->raise();
}

void TForm_AI::Button_fpClick()
{
    const int index = aircraft();
    if (index == kNoAircraft || !plan_)
        return;
    const std::optional<QString> file = ChoosePlanFile(state_, prompts_);
    if (!file)
        return;
    FlightPlanFiles &files = state_.planFiles;
    ReadPlanIntoLists(files, *file, prompts_);
    if (plan_->showPlan(files.PlanDisplayList, state_.traffic.table[index].acType) && aircraft() == index &&
        AssignAiFlightPlan(session_, state_.traffic, state_.sector, index, *file, files.PlanWaypointList))
        emit trafficEdited();
    close();
}

} // namespace zaz
