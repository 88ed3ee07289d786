#include "ui/TForm_strip.h"

#include "core/Text.h"
#include "link/LineProtocol.h"
#include "link/PilotTexts.h"
#include "link/Radio.h"
#include "link/Senders.h"
#include "link/TextVariables.h"
#include "traffic/Console.h"
#include "traffic/StripCatalogs.h"
#include "traffic/TrafficOps.h"
#include "ui/MessageGrid.h"
#include "ui/RadioGroups.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTableWidget>

namespace zaz {

namespace {

QSlider *NewBar(const QString &name, const QString &caption, int maximum, QWidget *parent)
{
    auto *bar = new QSlider(Qt::Horizontal, parent);
    bar->setObjectName(name);
    bar->setAccessibleName(caption);
    bar->setRange(0, maximum);
    bar->setPageStep(10);
    bar->setTickInterval(50);
    bar->setTickPosition(QSlider::TicksBelow);
    return bar;
}

QLabel *NewLabel(const QString &name, QWidget *parent, const QString &caption = QString())
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

TForm_strip::TForm_strip(RadarState &state, LineSender &sender, QWidget *parent)
    : QDialog(parent), state_(state), sender_(sender)
{
    setObjectName(QStringLiteral("Form_strip"));
    setWindowTitle(QStringLiteral("Strip"));

    Label_indicatif = NewLabel(QStringLiteral("Label_indicatif"), this);
    Label_type = NewLabel(QStringLiteral("Label_type"), this);
    Label_regles = NewLabel(QStringLiteral("Label_regles"), this);
    Label_dep = NewLabel(QStringLiteral("Label_dep"), this);
    Label_arr = NewLabel(QStringLiteral("Label_arr"), this);
    Label_croisiere = NewLabel(QStringLiteral("Label_croisiere"), this);
    Label_degagement = NewLabel(QStringLiteral("Label_degagement"), this);
    Label_remarque = NewLabel(QStringLiteral("Label_remarque"), this);
    Label_route = NewLabel(QStringLiteral("Label_route"), this);
    Label_route->setWordWrap(true);
    Label2 = NewLabel(QStringLiteral("Label2"), this);
    Label_encours = NewLabel(QStringLiteral("Label_encours"), this);

    RadioGroup1 = NewRadioGroup(QStringLiteral("RadioGroup1"), QStringLiteral("Opérations"), positions_,
                                new QVBoxLayout, this);
    RadioGroup_dep = NewRadioGroup(QStringLiteral("RadioGroup_dep"), QString(), kinds_, new QVBoxLayout, this);
    RadioGroup_dep->setAccessibleName(QStringLiteral("vol"));
    SetRadioItems(RadioGroup_dep, kinds_, {QStringLiteral("depart"), QStringLiteral("arrivée"), QStringLiteral("envol")});
    RadioGroup2 = NewRadioGroup(QStringLiteral("RadioGroup2"), QString(), statuses_, new QHBoxLayout, this);
    RadioGroup2->setAccessibleName(QStringLiteral("état"));

    StringGrid1 = NewMessageGrid(this);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setAccessibleName(QStringLiteral("message"));

    Label_sid = NewLabel(QStringLiteral("Label_sid"), this, QStringLiteral("SID"));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    Label_sid->setBuddy(ComboBox1);
    Label_niv = NewLabel(QStringLiteral("Label_niv"), this, QStringLiteral("niveau"));
    TrackBar1 = NewBar(QStringLiteral("TrackBar1"), QStringLiteral("niveau"), 300, this);
    Label_niv->setBuddy(TrackBar1);
    Label_vit = NewLabel(QStringLiteral("Label_vit"), this, QStringLiteral("vitesse"));
    TrackBar2 = NewBar(QStringLiteral("TrackBar2"), QStringLiteral("vitesse"), 900, this);
    Label_vit->setBuddy(TrackBar2);
    Label_point = NewLabel(QStringLiteral("Label_point"), this, QStringLiteral("point"));
    Edit_point = new QLineEdit(this);
    Edit_point->setObjectName(QStringLiteral("Edit_point"));
    Label_point->setBuddy(Edit_point);
    Label_cap = NewLabel(QStringLiteral("Label_cap"), this, QStringLiteral("cap"));
    Edit_cap = new QLineEdit(this);
    Edit_cap->setObjectName(QStringLiteral("Edit_cap"));
    Label_cap->setBuddy(Edit_cap);
    // The bars show their position while they move.
    for (QSlider *bar : {TrackBar1, TrackBar2})
        connect(bar, &QSlider::valueChanged, bar, [bar](int value) { bar->setToolTip(QString::number(value)); });

    Button1 = new QPushButton(QStringLiteral("Envoi"), this);
    Button1->setObjectName(QStringLiteral("Button1"));

    connect(positions_, &QButtonGroup::idClicked, this, &TForm_strip::RadioGroup1Click);
    connect(kinds_, &QButtonGroup::idClicked, this, &TForm_strip::RadioGroup_depClick);
    connect(statuses_, &QButtonGroup::idClicked, this, &TForm_strip::RadioGroup2Click);
    connect(StringGrid1, &QTableWidget::cellClicked, this, [this](int row, int) { StringGrid1Click(row); });
    connect(Button1, &QPushButton::clicked, this, &TForm_strip::Button1Click);

    auto *plan = new QVBoxLayout;
    for (QLabel *label : {Label_indicatif, Label_type, Label_regles, Label_dep, Label_arr, Label_croisiere,
                          Label_degagement, Label_remarque, Label_route, Label2})
        plan->addWidget(label);
    plan->addWidget(RadioGroup_dep);
    plan->addStretch();

    auto *controls = new QGridLayout;
    controls->addWidget(Label_sid, 0, 0);
    controls->addWidget(ComboBox1, 0, 1);
    controls->addWidget(Label_niv, 1, 0);
    controls->addWidget(TrackBar1, 1, 1);
    controls->addWidget(Label_vit, 2, 0);
    controls->addWidget(TrackBar2, 2, 1);
    controls->addWidget(Label_point, 3, 0);
    controls->addWidget(Edit_point, 3, 1);
    controls->addWidget(Label_cap, 4, 0);
    controls->addWidget(Edit_cap, 4, 1);

    auto *work = new QVBoxLayout;
    work->addWidget(RadioGroup2);
    work->addLayout(controls);
    work->addWidget(Label_encours);
    work->addWidget(StringGrid1, 1);
    auto *send = new QHBoxLayout;
    send->addWidget(Edit1, 1);
    send->addWidget(Button1);
    work->addLayout(send);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(plan);
    layout->addWidget(RadioGroup1);
    layout->addLayout(work, 1);

    RefreshStripForm();
}

int TForm_strip::aircraftIndex() const
{
    return callsign_.isEmpty() ? kNoAircraft : state_.traffic.table.FindAircraft(callsign_);
}

bool TForm_strip::open(const QString &callsign)
{
    const int position = StripPosition(state_.traffic.strips, callsign);
    if (position < 0)
        return false;
    callsign_ = callsign;
    line_ = state_.traffic.strips.entries[position].line;

    const QStringList positions = ControlPositions(*state_.files.ope);
    SetRadioItems(RadioGroup1, positions_, positions);
    const QString held = StripText(line_, StripField::Position).trimmed();
    int chosen = -1;
    for (int i = 0; i < positions.size() && !held.isEmpty(); ++i)
        if (positions[i].left(StripWidth(StripField::Position)).trimmed() == held) {
            chosen = i;
            break;
        }
    SetRadioIndex(positions_, chosen);
    StringGrid1->setRowCount(0);
    messageSection_.clear();
    if (chosen >= 0)
        fillMessages(positions[chosen]);
    const QString kind = StripText(line_, StripField::FlightKind).trimmed();
    SetRadioIndex(kinds_, kind.isEmpty() ? -1 : int(QStringLiteral("DAV").indexOf(kind)));
    Label2->setText(QStringLiteral("début control: ") + StripText(line_, StripField::ControlStart));
    paintAircraft();
    RefreshStripForm();
    show();
    raise();
    return true;
}

void TForm_strip::paintAircraft()
{
    const int index = aircraftIndex();
    const AVION none;
    const AVION &a = index == kNoAircraft ? none : state_.traffic.table[index];
    Label_indicatif->setText(callsign_);
    Label_type->setText(a.acType);
    Label_regles->setText(a.ifr ? QStringLiteral("IFR") : QStringLiteral("VFR"));
    Label_dep->setText(QStringLiteral("de ") + a.etd.toString(QStringLiteral("HH:mm")) + QLatin1Char(' ') +
                       a.departure);
    Label_arr->setText(QStringLiteral("vers ") + a.destination);
    Label_croisiere->setText(QStringLiteral("vitesse:") + QString::number(a.tas) + QStringLiteral(" alt:") +
                             a.cruiseLevel);
    Label_degagement->setText(a.alternate);
    Label_remarque->setText(a.remarks);
    Label_route->setText(a.route);
}

void TForm_strip::fillMessages(const QString &section)
{
    FillMessageGrid(StringGrid1, *state_.files.com, section);
    messageSection_ = section;
}

ConsoleStep TForm_strip::stepToShow() const
{
    // The editor follows the console's steps for the ground and tower positions; at
    // clearance delivery only a departure has a step, and it has none for the others.
    const int position = positions_->checkedId();
    if (position == 1 || position == 2)
        return CurrentConsoleStep(position, line_);
    if (position == 0 && StripText(line_, StripField::FlightKind) == QLatin1String("D"))
        return {0, StripField::Clearance};
    return {};
}

void TForm_strip::RefreshStripForm()
{
    RadioGroup2->hide();
    SetRadioItems(RadioGroup2, statuses_, {});
    statusCodes_.clear();
    ComboBox1->clear();
    for (QWidget *w : std::initializer_list<QWidget *>{ComboBox1, Label_sid, TrackBar1, Label_niv, TrackBar2,
                                                        Label_vit, Edit_point, Label_point, Edit_cap, Label_cap})
        w->hide();
    Label_encours->clear();

    const ConsoleStep shown = stepToShow();
    if (shown.step >= 0)
        showStep(shown.step, shown.status);
    if (shown.step >= 0 && shown.status == StripField::Clearance) {
        for (const ROUTE &sid : std::as_const(state_.sector.tables.sids))
            ComboBox1->addItem(sid.name.trimmed());
        for (QWidget *w : std::initializer_list<QWidget *>{ComboBox1, Label_sid, TrackBar1, Label_niv})
            w->show();
    }
    if (shown.step >= 0 && shown.status == StripField::EnRoute) {
        for (QWidget *w : std::initializer_list<QWidget *>{TrackBar1, Label_niv, TrackBar2, Label_vit, Edit_point,
                                                            Label_point, Edit_cap, Label_cap})
            w->show();
        Label_encours->setText(QStringLiteral("encours: cap") + StripText(line_, StripField::Heading) +
                               QStringLiteral("/niv") + StripText(line_, StripField::Level) + QLatin1Char('/') +
                               StripText(line_, StripField::Speed) + QStringLiteral("kt/") +
                               StripText(line_, StripField::Point) + QLatin1Char('/') +
                               StripText(line_, StripField::EnRoute));
    }
    update();
}

void TForm_strip::showStep(int step, StripField status)
{
    const QList<ControlStep> steps = PositionSteps(*state_.files.ope, positions_->checkedButton()->text());
    if (step >= steps.size())
        return; // the position has fewer steps than this flight needs: nothing to show
    const QString &name = steps[step].name;
    QStringList texts;
    for (const CodeText &status : StepStatuses(*state_.files.val, name)) {
        statusCodes_ << status.code;
        texts << status.text;
    }
    statusField_ = status;
    SetRadioItems(RadioGroup2, statuses_, texts);
    RadioGroup2->setTitle(steps[step].caption);
    SetRadioIndex(statuses_, int(statusCodes_.indexOf(StripText(line_, status))));
    RadioGroup2->show();
    fillMessages(name);
}

void TForm_strip::SaveStrip()
{
    const int position = StripPosition(state_.traffic.strips, callsign_);
    if (position < 0)
        return; // the aircraft left meanwhile, and its strip with it
    // The editor owns the columns up to the position; the handoff and what follows may have
    // changed in the store since the strip was opened and are kept.
    QString line = state_.traffic.strips.entries[position].line;
    for (int f = int(StripField::Key); f <= int(StripField::Position); ++f)
        SetStripText(line, StripField(f), StripText(line_, StripField(f)));
    if (zaz::SaveStrip(state_.traffic, callsign_, line))
        emit state_.notifier.stripsChanged();
}

void TForm_strip::RadioGroup1Click(int position)
{
    if (callsign_.isEmpty() || !positions_->button(position))
        return;
    SetRadioIndex(positions_, position);
    const QString name = positions_->button(position)->text();
    StringGrid1->viewport()->setCursor(Qt::PointingHandCursor);
    fillMessages(name);
    SetStripText(line_, StripField::Position, name.left(StripWidth(StripField::Position)));
    RefreshStripForm();
    SaveStrip();
}

void TForm_strip::RadioGroup_depClick(int kind)
{
    if (callsign_.isEmpty())
        return;
    SetRadioIndex(kinds_, kind);
    SetStripText(line_, StripField::FlightKind, kind >= 0 && kind < 3 ? QString(QStringLiteral("DAV")[kind]) : QString());
    RefreshStripForm();
    SaveStrip();
}

void TForm_strip::RadioGroup2Click(int status)
{
    if (callsign_.isEmpty() || status < 0 || status >= statusCodes_.size())
        return;
    SetStripText(line_, statusField_, statusCodes_[status]);
    RefreshStripForm();
    SaveStrip();
}

void TForm_strip::StringGrid1Click(int row)
{
    const QTableWidgetItem *item = StringGrid1->item(row, 0);
    if (!item)
        return;
    const QString name = item->text();
    TextVariableValues values = CommonTextValues(state_.weather, state_.controllers);
    values.destination = Label_arr->text();
    values.sid = ComboBox1->currentText();
    values.altitudePosition = -TrackBar1->value();
    values.speed = TrackBar2->value();
    values.point = Edit_point->text();
    values.heading = Edit_cap->text();
    Edit1->setText(AppendPickedText(Edit1->text(), MessageTemplate(*state_.files.com, messageSection_, name), values));

    if (name == QLatin1String("sid")) {
        if (ComboBox1->currentIndex() < 0)
            return;
        SetStripNumber(line_, StripField::Sid, ComboBox1->currentIndex());
        SaveStrip();
    } else if (name == QLatin1String("niveau")) {
        SetStripNumber(line_, StripField::ClearedLevel, TrackBar1->value());
        SaveStrip();
    }
}

void TForm_strip::Button1Click()
{
    // Refused (no COM1, a ':' in the text): the message stays to be corrected.
    if (SendCom1Message(state_.link, sender_, callsign_, Edit1->text()))
        Edit1->clear();
}

} // namespace zaz
