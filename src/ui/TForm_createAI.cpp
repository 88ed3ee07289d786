#include "ui/TForm_createAI.h"

#include "core/Prompts.h"
#include "ui/TForm_fp.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace zaz {

namespace {

constexpr int kRow = 24;

enum PlacementId { kParked = 0, kEnroute = 1 };

QValidator *Digits(int count, QObject *parent)
{
    return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(count)), parent);
}

} // namespace

TForm_createAI::TForm_createAI(RadarState &state, SimSession &session, const AircraftTypeTable &types,
                               Prompts &prompts, QWidget *mainWindow)
    : QDialog(mainWindow), state_(state), session_(session), types_(types), prompts_(prompts)
{
    setObjectName(QStringLiteral("Form_createAI"));
    setWindowTitle(QStringLiteral(" nouvel AI"));
    setFixedSize(640, 440);

    // The variant: manufacturer, its variants, the one chosen.
    listLabel_ = new QLabel(QStringLiteral("manufacturer"), this);
    listLabel_->setObjectName(QStringLiteral("Label_listeobjet"));
    listLabel_->setGeometry(8, 8, 240, kRow);
    manufacturer_ = new QComboBox(this);
    manufacturer_->setObjectName(QStringLiteral("ComboBox_manufacturer"));
    manufacturer_->setGeometry(8, 32, 240, kRow);
    listLabel_->setBuddy(manufacturer_);
    available_ = new QListWidget(this);
    available_->setObjectName(QStringLiteral("ListBox_dispo"));
    available_->setAccessibleName(QStringLiteral("types disponibles"));
    available_->setGeometry(8, 60, 240, 240);
    type_ = edit("Edit_typ", QStringLiteral("type"), this, 8, 320, 240);
    type_->setReadOnly(true);
    tailNumber_ = edit("Edit_tailnumber", QStringLiteral("Tail number (callsign)"), this, 8, 368, 240);

    // Parked or en route.
    auto *kind = new QGroupBox(this);
    kind->setObjectName(QStringLiteral("RadioGroup_typAI"));
    kind->setGeometry(260, 8, 180, 60);
    placement_ = new QButtonGroup(this);
    const QString kinds[] = {QStringLiteral("parked ZAZ"), QStringLiteral("enroute ZAZ")};
    const QString names[] = {QStringLiteral("RadioButton_parked"), QStringLiteral("RadioButton_enroute")};
    for (int id : {kParked, kEnroute}) {
        auto *radio = new QRadioButton(kinds[id], kind);
        radio->setObjectName(names[id]);
        radio->setGeometry(8, 8 + id * kRow, 160, kRow);
        placement_->addButton(radio, id);
    }

    airport_ = new QGroupBox(QStringLiteral("airport"), this);
    airport_->setObjectName(QStringLiteral("GroupBox_airport"));
    airport_->setGeometry(260, 76, 180, 60);
    icao_ = new QLineEdit(airport_);
    icao_->setObjectName(QStringLiteral("Edit_ICAO"));
    icao_->setAccessibleName(QStringLiteral("airport"));
    icao_->setGeometry(8, 24, 80, kRow);

    plan_ = new QGroupBox(QStringLiteral("Flight Plan"), this);
    plan_->setObjectName(QStringLiteral("GroupBox_FP"));
    plan_->setGeometry(260, 144, 370, 110);
    path_ = new QLineEdit(plan_);
    path_->setObjectName(QStringLiteral("Edit_path"));
    path_->setAccessibleName(QStringLiteral("Flight Plan"));
    path_->setReadOnly(true);
    path_->setGeometry(8, 24, 280, kRow);
    auto *choosePath = new QPushButton(QStringLiteral("path"), plan_);
    choosePath->setObjectName(QStringLiteral("Button_path"));
    choosePath->setGeometry(296, 24, 66, kRow);
    flightNumber_ = edit("Edit_flightnumber", QStringLiteral("flight number"), plan_, 8, 56, 100);
    flightNumber_->setValidator(Digits(9, flightNumber_));
    touchAndGo_ = new QCheckBox(QStringLiteral("touchandgo"), plan_);
    touchAndGo_->setObjectName(QStringLiteral("CheckBox_touchandgo"));
    touchAndGo_->setGeometry(200, 80, 160, kRow);

    position_ = new QGroupBox(QStringLiteral("position"), this);
    position_->setObjectName(QStringLiteral("GroupBox_fppos"));
    position_->setGeometry(260, 262, 370, 80);
    waypoint_ = edit("Edit_wp", QStringLiteral("waypoint index"), position_, 8, 24, 100);
    waypoint_->setValidator(Digits(4, waypoint_));
    next_ = edit("Edit_next", QStringLiteral("% to next"), position_, 180, 24, 100);
    next_->setValidator(Digits(6, next_));

    planLines_ = new QListWidget(this);
    planLines_->setObjectName(QStringLiteral("ListBox_fp"));
    planLines_->setAccessibleName(QStringLiteral("plan de vol"));
    planLines_->setGeometry(450, 8, 180, 128);

    auto *ok = new QPushButton(QStringLiteral("créer"), this);
    ok->setObjectName(QStringLiteral("Button_ok"));
    ok->setGeometry(440, 400, 90, 28);
    auto *cancel = new QPushButton(QStringLiteral("annuler"), this);
    cancel->setObjectName(QStringLiteral("Button_anul"));
    cancel->setGeometry(540, 400, 90, 28);

    connect(manufacturer_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            manufacturerChanged(manufacturer_->itemText(index));
    });
    connect(available_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { type_->setText(item->text()); });
    connect(placement_, &QButtonGroup::idClicked, this, &TForm_createAI::placementChanged);
    connect(choosePath, &QPushButton::clicked, this, &TForm_createAI::Button_pathClick);
    connect(planLines_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { ListBox_fpClick(planLines_->row(item)); });
    connect(ok, &QPushButton::clicked, this, &TForm_createAI::Button_okClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
}

QLineEdit *TForm_createAI::edit(const char *name, const QString &caption, QWidget *parent, int x, int y, int width)
{
    auto *label = new QLabel(caption, parent);
    label->setGeometry(x, y, width + 60, 20);
    auto *field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setGeometry(x, y + 20, width, kRow);
    label->setBuddy(field);
    field->setAccessibleName(caption);
    return field;
}

void TForm_createAI::prepare()
{
    listLabel_->setText(QStringLiteral("manufacturer"));
    {
        const QSignalBlocker quiet(manufacturer_);
        manufacturer_->clear();
        manufacturer_->addItem(kAllManufacturers);
        manufacturer_->addItems(types_.manufacturers);
        manufacturer_->setCurrentIndex(-1);
    }
    placement_->button(kParked)->setChecked(true);
    placementChanged();
    available_->clear();
}

void TForm_createAI::manufacturerChanged(const QString &choice)
{
    available_->clear();
    available_->addItems(types_.titlesOf(choice));
}

void TForm_createAI::placementChanged()
{
    const bool enroute = placement_->checkedId() == kEnroute;
    airport_->setVisible(!enroute);
    plan_->setVisible(enroute);
    position_->setVisible(enroute);
    planLines_->setVisible(enroute);
}

void TForm_createAI::Button_pathClick()
{
    const std::optional<QString> file = ChoosePlanFile(state_, prompts_);
    if (!file)
        return;
    path_->setText(*file);
    ReadPlanIntoLists(state_.planFiles, *file, prompts_);
    planLines_->clear();
    planLines_->addItems(state_.planFiles.PlanDisplayList);
}

void TForm_createAI::ListBox_fpClick(int row)
{
    // Row 0 is the plan's header line; row n + 1 is waypoint n.
    if (row < 1)
        return;
    waypoint_->setText(QString::number(row - 1));
    next_->setText(QStringLiteral("0"));
}

AiOrder TForm_createAI::order() const
{
    AiOrder o;
    o.title = type_->text();
    o.tailNumber = tailNumber_->text();
    const int placement = placement_->checkedId();
    o.placement = placement == kParked    ? AiPlacement::Parked
                  : placement == kEnroute ? AiPlacement::Enroute
                                          : AiPlacement::None;
    o.airport = icao_->text();
    o.planPath = path_->text();
    o.flightNumber = flightNumber_->text();
    o.waypoint = waypoint_->text();
    o.percent = next_->text();
    o.touchAndGo = touchAndGo_->isChecked();
    return o;
}

void TForm_createAI::Button_okClick()
{
    const AiOrder o = order();
    const QString problem = AiOrderProblem(o, state_.traffic.table);
    if (!problem.isEmpty()) {
        prompts_.showMessage(problem);
        return;
    }
    tailNumber_->setText(o.tailNumber.toUpper());
    CreateAiAircraft(session_, state_.sim, o);
    close();
}

} // namespace zaz
