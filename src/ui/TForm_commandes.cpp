#include "ui/TForm_commandes.h"

#include "core/Clock.h"
#include "core/IniFile.h"
#include "link/Handoff.h"
#include "traffic/StripCatalogs.h"
#include "traffic/TrafficOps.h"
#include "ui/RadioGroups.h"
#include "ui/TForm_choixcontrol.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <algorithm>

namespace zaz {

namespace {

constexpr int kGridColumns = 10;

QLabel *NewLabel(const QString &name, const QString &caption, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    if (buddy) {
        label->setBuddy(buddy);
        buddy->setAccessibleName(caption.trimmed());
    }
    return label;
}

QLineEdit *NewEdit(const QString &name, QWidget *parent, bool readOnly = true)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAccessibleName(name);
    edit->setReadOnly(readOnly);
    return edit;
}

QSlider *NewBar(const QString &name, Qt::Orientation orientation, int minimum, int maximum, QWidget *parent)
{
    auto *bar = new QSlider(orientation, parent);
    bar->setObjectName(name);
    bar->setRange(minimum, maximum);
    bar->setPageStep(10);
    return bar;
}

QSpinBox *NewUpDown(const QString &name, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setAccessibleName(name);
    box->setRange(0, 9);
    return box;
}

void ShowAll(std::initializer_list<QWidget *> widgets, bool shown)
{
    for (QWidget *w : widgets)
        w->setVisible(shown);
}

} // namespace

TForm_commandes::TForm_commandes(RadarState &state, const Clock &clock, QWidget *parent)
    : QWidget(parent, Qt::Window), state_(state), clock_(clock)
{
    setObjectName(QStringLiteral("Form_commandes"));
    setWindowTitle(QStringLiteral("STRIPS"));

    RadioGroup1 = NewRadioGroup(QStringLiteral("RadioGroup1"), QStringLiteral("vols"), lists_, new QHBoxLayout, this);
    SetRadioItems(RadioGroup1, lists_,
                  {QStringLiteral("Ctl"), QStringLiteral("ATT"), QStringLiteral("HO"), QStringLiteral("DEP"),
                   QStringLiteral("ARIV")});
    SetRadioIndex(lists_, 0);
    StringGrid1 = new QTableWidget(0, kGridColumns, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setAccessibleName(QStringLiteral("vols"));
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int c = 0; c < kGridColumns; ++c)
        StringGrid1->setColumnWidth(c, c == 1 || c == 2 ? 4 : c == 0 ? 70 : 40);

    Button1 = new QPushButton(QStringLiteral("creer le strip"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("handoff"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button3 = new QPushButton(QStringLiteral("COM1"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button_refus = new QPushButton(QStringLiteral("refuser"), this);
    Button_refus->setObjectName(QStringLiteral("Button_refus"));
    Button_refus->setAccessibleName(QStringLiteral("refuser le handoff"));

    RadioGroup_op =
        NewRadioGroup(QStringLiteral("RadioGroup_op"), QStringLiteral("Opérations"), positions_, new QVBoxLayout, this);
    RadioGroup_val = NewRadioGroup(QStringLiteral("RadioGroup_val"), QString(), statuses_, new QVBoxLayout, this);
    RadioGroup_dep = NewRadioGroup(QStringLiteral("RadioGroup_dep"), QString(), kinds_, new QVBoxLayout, this);
    RadioGroup_dep->setAccessibleName(QStringLiteral("vol"));
    SetRadioItems(RadioGroup_dep, kinds_,
                  {QStringLiteral("depart"), QStringLiteral("arrivée"), QStringLiteral("enroute")});

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    Label_proc = NewLabel(QStringLiteral("Label_proc"), QStringLiteral("SID"), ComboBox1, this);
    Edit_point = NewEdit(QStringLiteral("Edit_point"), this, false);
    Label_point = NewLabel(QStringLiteral("Label_point"), QStringLiteral("POINT"), Edit_point, this);
    // Up is higher: the bar runs from -500 to 0 and its position is minus the level.
    TrackBar1 = NewBar(QStringLiteral("TrackBar1"), Qt::Vertical, -500, 0, this);
    TrackBar1->setInvertedAppearance(true); // the minimum, -500, at the top
    Label_niveau = NewLabel(QStringLiteral("Label_niveau"), QStringLiteral("niveau"), TrackBar1, this);
    TrackBar2 = NewBar(QStringLiteral("TrackBar2"), Qt::Horizontal, 0, 900, this);
    Label_vitesse = NewLabel(QStringLiteral("Label_vitesse"), QStringLiteral("vitesse"), TrackBar2, this);
    TrackBar3 = NewBar(QStringLiteral("TrackBar3"), Qt::Horizontal, 0, 360, this);
    Label_cap = NewLabel(QStringLiteral("Label_cap"), QStringLiteral("cap"), TrackBar3, this);
    edit_temps = NewEdit(QStringLiteral("edit_temps"), this);
    UpDown1 = NewUpDown(QStringLiteral("UpDown1"), this);
    Label_temps = NewLabel(QStringLiteral("Label_temps"), QStringLiteral("temps"), UpDown1, this);
    Edit_num = NewEdit(QStringLiteral("Edit_num"), this);
    UpDown2 = NewUpDown(QStringLiteral("UpDown2"), this);
    Label_num = NewLabel(QStringLiteral("Label_num"), QStringLiteral("numéro"), UpDown2, this);
    Label_qnh = NewLabel(QStringLiteral("Label_qnh"), QStringLiteral(" QNH"), nullptr, this);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setAccessibleName(QStringLiteral("pavé"));
    RadioGroup2 = NewRadioGroup(QStringLiteral("RadioGroup2"), QString(), targets_, new QVBoxLayout, GroupBox1);
    RadioGroup2->setAccessibleName(QStringLiteral("valeur"));
    SetRadioItems(RadioGroup2, targets_, {QStringLiteral("vitesse"), QStringLiteral("niveau"), QStringLiteral("cap")});
    SetRadioIndex(targets_, 1);
    Edit_calc = NewEdit(QStringLiteral("Edit_calc"), GroupBox1);
    auto *keys = new QGridLayout;
    for (int digit = 0; digit <= 9; ++digit) {
        auto *key = new QPushButton(QString::number(digit), GroupBox1);
        key->setObjectName(QStringLiteral("Bt%1").arg(digit));
        connect(key, &QPushButton::clicked, this, [this, digit] { digitClick(digit); });
        keys->addWidget(key, digit == 0 ? 3 : (9 - digit) / 3, digit == 0 ? 1 : (digit - 1) % 3);
    }
    auto *clear = new QPushButton(QStringLiteral("C"), GroupBox1);
    clear->setObjectName(QStringLiteral("Btclr"));
    clear->setAccessibleName(QStringLiteral("effacer"));
    auto *ok = new QPushButton(QStringLiteral("OK"), GroupBox1);
    ok->setObjectName(QStringLiteral("Btok"));
    keys->addWidget(clear, 3, 0);
    keys->addWidget(ok, 3, 2);
    connect(clear, &QPushButton::clicked, this, &TForm_commandes::BtclrClick);
    connect(ok, &QPushButton::clicked, this, &TForm_commandes::BtokClick);
    auto *pad = new QHBoxLayout(GroupBox1);
    auto *padLeft = new QVBoxLayout;
    padLeft->addWidget(Edit_calc);
    padLeft->addLayout(keys);
    pad->addLayout(padLeft);
    pad->addWidget(RadioGroup2);

    Edit_callsign = NewEdit(QStringLiteral("Edit_callsign"), this);
    Edit_typav = NewEdit(QStringLiteral("Edit_typav"), this);
    Edit_IFR = NewEdit(QStringLiteral("Edit_IFR"), this);
    Edit_depart = NewEdit(QStringLiteral("Edit_depart"), this);
    Edit_ariv = NewEdit(QStringLiteral("Edit_ariv"), this);
    Edit_cruise = NewEdit(QStringLiteral("Edit_cruise"), this);
    Edit_alternate = NewEdit(QStringLiteral("Edit_alternate"), this);
    Edit_encours = NewEdit(QStringLiteral("Edit_encours"), this);
    Edit_niv = NewEdit(QStringLiteral("Edit_niv"), this);
    Edit_vitesse = NewEdit(QStringLiteral("Edit_vitesse"), this);
    Edit_altitude = NewEdit(QStringLiteral("Edit_altitude"), this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);

    connect(lists_, &QButtonGroup::idClicked, this, &TForm_commandes::RadioGroup1Click);
    connect(StringGrid1, &QTableWidget::cellClicked, this, &TForm_commandes::StringGrid1Click);
    connect(Button1, &QPushButton::clicked, this, &TForm_commandes::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm_commandes::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm_commandes::Button3Click);
    connect(Button_refus, &QPushButton::clicked, this, &TForm_commandes::Button_refusClick);
    connect(positions_, &QButtonGroup::idClicked, this, &TForm_commandes::RadioGroup_opClick);
    connect(kinds_, &QButtonGroup::idClicked, this, &TForm_commandes::RadioGroup_depClick);
    connect(statuses_, &QButtonGroup::idClicked, this, &TForm_commandes::RadioGroup_valClick);
    connect(ComboBox1, &QComboBox::textActivated, this, &TForm_commandes::ComboBox1Change);
    connect(Edit_point, &QLineEdit::textEdited, this, &TForm_commandes::Edit_pointChange);
    connect(TrackBar1, &QSlider::valueChanged, this, &TForm_commandes::TrackBar1Change);
    connect(TrackBar2, &QSlider::valueChanged, this, &TForm_commandes::TrackBar2Change);
    connect(TrackBar3, &QSlider::valueChanged, this, &TForm_commandes::TrackBar3Change);
    connect(UpDown1, &QSpinBox::valueChanged, this, &TForm_commandes::UpDown1Click);
    connect(UpDown2, &QSpinBox::valueChanged, this, [this](int n) { Edit_num->setText(QString::number(n)); });

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {Button1, Button2, Button3, Button_refus})
        buttons->addWidget(b);
    auto *plan = new QGridLayout;
    const QList<QWidget *> texts = {Edit_callsign, Edit_typav, Edit_IFR, Edit_depart, Edit_ariv, Edit_cruise,
                                    Edit_alternate, Edit_altitude};
    for (int i = 0; i < texts.size(); ++i)
        plan->addWidget(texts[i], i / 2, i % 2);
    auto *work = new QGridLayout;
    int row = 0;
    const auto addRow = [&](QWidget *label, QWidget *control, QWidget *extra = nullptr) {
        work->addWidget(label, row, 0);
        work->addWidget(control, row, 1);
        if (extra)
            work->addWidget(extra, row, 2);
        ++row;
    };
    addRow(Label_proc, ComboBox1);
    addRow(Label_point, Edit_point);
    addRow(Label_vitesse, TrackBar2, Edit_vitesse);
    addRow(Label_cap, TrackBar3);
    addRow(Label_temps, edit_temps, UpDown1);
    addRow(Label_num, Edit_num, UpDown2);
    work->addWidget(Label_qnh, row++, 0, 1, 3);
    work->addWidget(Edit_encours, row++, 0, 1, 3);
    auto *level = new QVBoxLayout;
    level->addWidget(Label_niveau);
    level->addWidget(TrackBar1, 1);
    level->addWidget(Edit_niv);
    auto *strip = new QHBoxLayout;
    strip->addWidget(RadioGroup_op);
    strip->addWidget(RadioGroup_dep);
    strip->addWidget(RadioGroup_val);
    strip->addLayout(level);
    auto *lower = new QHBoxLayout;
    lower->addLayout(work, 1);
    lower->addWidget(GroupBox1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup1);
    layout->addWidget(StringGrid1, 1);
    layout->addLayout(buttons);
    layout->addLayout(plan);
    layout->addLayout(strip);
    layout->addLayout(lower);
    layout->addWidget(Memo1);

    // The place kept in the settings, unless no screen shows it any more.
    QRect place = state_.settings.windows.commands;
    if (!place.isValid() || !QGuiApplication::screenAt(place.center())) {
        place = WindowPlaces().commands;
        const QScreen *primary = QGuiApplication::primaryScreen();
        if (primary && !primary->availableGeometry().contains(place.center()))
            place.moveTopRight(primary->availableGeometry().topRight());
    }
    setGeometry(place);

    StateNotifier *notifier = &state_.notifier;
    for (auto signal : {&StateNotifier::trafficChanged, &StateNotifier::stripsChanged,
                        &StateNotifier::selectionChanged, &StateNotifier::controllersChanged})
        connect(notifier, signal, this, &TForm_commandes::FormPaint);
    FormPaint();
}

int TForm_commandes::selected() const
{
    const int index = state_.traffic.SelectedAircraft;
    return state_.traffic.table.inUse(index) ? index : kNoAircraft;
}

QString TForm_commandes::selectedLine() const
{
    const int index = selected();
    if (index == kNoAircraft)
        return QString();
    const int position = StripPosition(state_.traffic.strips, state_.traffic.table[index].callsign);
    return position < 0 ? QString() : state_.traffic.strips.entries[position].line;
}

int TForm_commandes::positionIndex() const
{
    const QString held = StripText(selectedLine(), StripField::Position).trimmed();
    if (held.isEmpty())
        return -1;
    const QStringList positions = ControlPositions(*state_.files.ope);
    for (int i = 0; i < positions.size(); ++i)
        if (positions[i].left(StripWidth(StripField::Position)).trimmed() == held)
            return i;
    return -1;
}

QString TForm_commandes::positionName() const
{
    const int i = positionIndex();
    return i < 0 ? QString() : ControlPositions(*state_.files.ope).value(i);
}

ConsoleStep TForm_commandes::currentStep() const
{
    const int position = positionIndex();
    if (position < 0)
        return {};
    ConsoleStep step = CurrentConsoleStep(position, selectedLine());
    if (step.step >= PositionSteps(*state_.files.ope, positionName()).size())
        step.step = -1; // the position has fewer steps than this flight needs
    return step;
}

QString TForm_commandes::stepName() const
{
    const ConsoleStep step = currentStep();
    return step.step < 0 ? QString() : PositionSteps(*state_.files.ope, positionName()).value(step.step).name;
}

void TForm_commandes::stripChanged()
{
    emit state_.notifier.redrawWanted();
    emit state_.notifier.stripsChanged(); // repaints this console with the others
    const int index = selected();
    if (index != kNoAircraft)
        emit state_.notifier.aircraftPanelWanted(index);
}

void TForm_commandes::fillGrid()
{
    const int list = lists_->checkedId();
    rows_ = ConsoleRows(state_.traffic, ConsoleList(list < 0 ? 0 : list), clock_.now(), state_.link.OwnLat,
                        state_.link.OwnLon);
    StringGrid1->setRowCount(int(rows_.size()));
    for (int r = 0; r < rows_.size(); ++r)
        for (int c = 0; c < kGridColumns; ++c)
            StringGrid1->setItem(r, c, new QTableWidgetItem(rows_[r].cells[size_t(c)]));
}

void TForm_commandes::FormPaint()
{
    painting_ = true;
    fillGrid();
    const int index = selected();
    const AVION *a = index == kNoAircraft ? nullptr : &state_.traffic.table[index];
    paintFlightPlan(a);
    const QString line = selectedLine();
    Button1->setEnabled(a != nullptr);
    if (a)
        Button1->setText(line.isEmpty() ? QStringLiteral("Créer le strip") : QStringLiteral("Supprimer le strip"));

    const auto &controllers = state_.controllers.ControllerTable;
    const bool anyController = std::any_of(controllers.begin(), controllers.end(),
                                           [](const t_controller &c) { return !c.callsign.isEmpty(); });
    Button2->setVisible(anyController && !line.isEmpty());
    const QString mark = StripText(line, StripField::HandoffMark);
    QPalette palette = Button2->palette();
    if (mark == QLatin1String("D")) {
        Button2->setText(QStringLiteral("demandé"));
        palette.setColor(QPalette::ButtonText, Qt::red);
    } else if (mark == QLatin1String("A")) {
        Button2->setText(QStringLiteral("accepté"));
        palette.setColor(QPalette::ButtonText, Qt::darkGreen);
    } else {
        Button2->setText(QStringLiteral("handoff"));
        palette.setColor(QPalette::ButtonText, Qt::black);
    }
    Button2->setPalette(palette);
    Button3->setEnabled(!line.isEmpty());
    const auto &offers = state_.traffic.console.handoffs;
    Button_refus->setVisible(a && std::any_of(offers.begin(), offers.end(), [a](const QString &entry) {
                                 return HandoffEntryCallsign(entry) == a->callsign;
                             }));
    paintControls(line);
    painting_ = false;
}

void TForm_commandes::paintFlightPlan(const AVION *a)
{
    const AVION none;
    const AVION &p = a ? *a : none;
    Edit_callsign->setText(p.callsign);
    Edit_typav->setText(p.acType);
    Edit_IFR->setText(!a ? QString() : p.ifr ? QStringLiteral("IFR") : QStringLiteral("VFR"));
    Edit_depart->setText(a ? p.departure + QLatin1Char(' ') + p.etd.toString(QStringLiteral("HH:mm")) : QString());
    Edit_ariv->setText(a ? QStringLiteral("vers ") + p.destination + QStringLiteral(" duree:") +
                               p.timeEnroute.toString(QStringLiteral("HH:mm"))
                         : QString());
    Edit_cruise->setText(a ? QStringLiteral("vitesse:") + QString::number(p.tas) + QStringLiteral(" alt:") +
                                 p.cruiseLevel
                           : QString());
    Edit_alternate->setText(a ? QStringLiteral("alternate:") + p.alternate : QString());
    Edit_altitude->setText(a ? QString::number(p.altitude) : QString());
    Memo1->setPlainText(a ? p.remarks + QLatin1Char('\n') + p.route : QString());
}

void TForm_commandes::paintControls(const QString &line)
{
    const bool hasStrip = !line.isEmpty();
    const int position = positionIndex();
    RadioGroup_op->setVisible(hasStrip);
    GroupBox1->setVisible(hasStrip);
    if (hasStrip) {
        SetRadioItems(RadioGroup_op, positions_, ControlPositions(*state_.files.ope));
        SetRadioIndex(positions_, position);
    }
    RadioGroup_dep->setVisible(position >= 0);
    QStringList kindCodes;
    if (position >= 0) {
        QStringList labels;
        for (const CodeText &kind : FlightKinds(*state_.files.ldep, positionName())) {
            kindCodes << kind.code;
            labels << kind.text;
        }
        SetRadioItems(RadioGroup_dep, kinds_, labels);
        const QString kind = StripText(line, StripField::FlightKind).trimmed();
        SetRadioIndex(kinds_, kind.isEmpty() ? -1 : int(kindCodes.indexOf(kind)));
    }

    const ConsoleStep step = currentStep();
    statusCodes_.clear();
    RadioGroup_val->setVisible(step.step >= 0);
    if (step.step >= 0) {
        const ControlStep s = PositionSteps(*state_.files.ope, positionName()).value(step.step);
        QStringList texts;
        for (const CodeText &status : StepStatuses(*state_.files.val, s.name)) {
            statusCodes_ << status.code;
            texts << status.text;
        }
        SetRadioItems(RadioGroup_val, statuses_, texts);
        RadioGroup_val->setTitle(s.caption);
        RadioGroup_val->setAccessibleName(s.caption);
        SetRadioIndex(statuses_, int(statusCodes_.indexOf(StripText(line, step.status))));
    }

    // The controls of the step: which strip fields it records.
    const StripField f = step.status;
    const bool on = step.step >= 0;
    const bool enRoute = on && f == StripField::EnRoute;
    const bool holding = on && f == StripField::Holding;
    const bool procedure = on && (f == StripField::Clearance || f == StripField::Landing || f == StripField::Approach);
    const bool level = on && (f == StripField::Clearance || f == StripField::Takeoff || f == StripField::Landing ||
                              f == StripField::Approach || enRoute || holding);
    const bool speed = on && (f == StripField::Landing || f == StripField::Approach || enRoute);
    const bool heading = on && (f == StripField::Takeoff || f == StripField::Approach || enRoute);
    const bool point = on && (f == StripField::Taxi || f == StripField::Parking || enRoute || holding);
    const bool waitingEnRoute = StripText(line, StripField::EnRoute) == QLatin1String("A");
    ShowAll({Label_proc, ComboBox1}, procedure);
    ShowAll({Label_niveau, TrackBar1, Edit_niv}, level);
    ShowAll({Label_vitesse, TrackBar2, Edit_vitesse}, speed);
    ShowAll({Label_cap, TrackBar3}, heading);
    ShowAll({Label_point, Edit_point}, point);
    ShowAll({Label_temps, edit_temps, UpDown1}, holding || (enRoute && waitingEnRoute));
    ShowAll({Label_num, Edit_num, UpDown2}, holding);
    Label_qnh->setVisible(on && (f == StripField::Clearance || f == StripField::Startup));
    Label_qnh->setText(QStringLiteral(" QNH ") + state_.weather.qnhText);
    Edit_encours->setVisible(enRoute);

    const bool departure = StripText(line, StripField::FlightKind) == QLatin1String("D");
    Label_proc->setText(departure ? QStringLiteral("SID") : QStringLiteral("STAR"));
    ComboBox1->setAccessibleName(Label_proc->text());
    ComboBox1->clear();
    if (procedure) {
        const QList<ROUTE> &list = departure ? state_.sector.tables.sids : state_.sector.tables.stars;
        for (const ROUTE &r : list)
            ComboBox1->addItem(r.name.trimmed());
        const QString chosen = StripText(line, departure ? StripField::Sid : StripField::Star).trimmed();
        int i = -1;
        ComboBox1->setCurrentIndex(TryStrToInt(chosen, i) && i < ComboBox1->count() ? i : -1);
    }
    const bool cleared = position == 0;
    const QString levelText = StripText(line, cleared ? StripField::ClearedLevel : StripField::Level).trimmed();
    int value = 0;
    TrackBar1->setValue(TryStrToInt(levelText, value) ? -value : 0);
    Edit_niv->setText(levelText);
    TrackBar2->setValue(TryStrToInt(StripText(line, StripField::Speed).trimmed(), value) ? value : 0);
    Edit_vitesse->setText(QStringLiteral("v=") + QString::number(TrackBar2->value()));
    TrackBar3->setValue(TryStrToInt(StripText(line, StripField::Heading).trimmed(), value) ? value : 0);
    Label_cap->setText(QStringLiteral("cap ") + QString::number(TrackBar3->value()));
    // The point is typed in place: it is shown again only for another aircraft.
    const QString callsign = selected() == kNoAircraft ? QString() : state_.traffic.table[selected()].callsign;
    if (callsign != shownCallsign_ || !hasStrip)
        Edit_point->setText(StripText(line, StripField::Point).trimmed());
    shownCallsign_ = hasStrip ? callsign : QString();
    Edit_encours->setText(QStringLiteral("encours: cap") + StripText(line, StripField::Heading) +
                          QStringLiteral("/niv") + StripText(line, StripField::Level) + QLatin1Char('/') +
                          StripText(line, StripField::Speed) + QStringLiteral("kt/") +
                          StripText(line, StripField::Point));
}

void TForm_commandes::RadioGroup1Click(int list)
{
    SetRadioIndex(lists_, list);
    fillGrid();
}

void TForm_commandes::StringGrid1Click(int row, int column)
{
    if (column != 0 || row < 0 || row >= rows_.size())
        return;
    const int index = rows_[row].aircraft;
    if (!state_.traffic.table.inUse(index))
        return;
    state_.traffic.SelectedAircraft = index;
    emit state_.notifier.redrawWanted();
    emit state_.notifier.selectionChanged(); // repaints this console and the lists
    emit state_.notifier.aircraftPanelWanted(index);
}

void TForm_commandes::Button1Click()
{
    const int index = selected();
    if (index == kNoAircraft)
        return;
    const bool made = ToggleConsoleStrip(state_.traffic, state_.sector.tables.airports, index, clock_.now().time());
    if (made)
        emit state_.notifier.aircraftPanelWanted(index);
    emit state_.notifier.redrawWanted();
    emit state_.notifier.stripsChanged();
}

void TForm_commandes::Button2Click()
{
    const int index = selected();
    if (!chooser_ || index == kNoAircraft || !CanOfferHandoff(state_.traffic, index))
        return;
    if (!chooser_->handoff(index))
        return;
    stripChanged();
}

void TForm_commandes::Button_refusClick()
{
    const int index = selected();
    if (!sender_ || index == kNoAircraft || !RefuseHandoff(state_.link, state_.traffic, *sender_, index))
        return;
    stripChanged();
}

void TForm_commandes::Button3Click()
{
    if (selectedLine().isEmpty())
        return;
    QString section = stepName();
    if (section.isEmpty())
        section = QStringLiteral("GEN");
    emit com1Wanted(section, Button3->text());
}

TextVariableValues TForm_commandes::textValues() const
{
    TextVariableValues values;
    const int index = selected();
    values.destination = index == kNoAircraft ? QString() : state_.traffic.table[index].destination;
    values.sid = ComboBox1->currentText();
    values.altitudePosition = TrackBar1->value();
    values.speed = TrackBar2->value();
    values.point = Edit_point->text();
    values.number = Edit_num->text();
    values.time = edit_temps->text();
    values.heading = ZeroPad(TrackBar3->value(), 3);
    return values;
}

void TForm_commandes::RadioGroup_opClick(int item)
{
    const QStringList positions = ControlPositions(*state_.files.ope);
    if (item < 0 || item >= positions.size())
        return;
    if (WriteConsoleField(state_.traffic, selected(), StripField::Position, positions[item]))
        stripChanged();
}

void TForm_commandes::RadioGroup_depClick(int item)
{
    if (WriteFlightKind(state_.traffic, *state_.files.ldep, positionName(), item, selected()))
        stripChanged();
}

void TForm_commandes::RadioGroup_valClick(int item)
{
    const ConsoleStep step = currentStep();
    if (step.step < 0 || item < 0 || item >= statusCodes_.size())
        return;
    if (WriteStepStatus(state_.traffic, selected(), step.status, statusCodes_[item], clock_.now()))
        stripChanged();
}

void TForm_commandes::ComboBox1Change(const QString &text)
{
    if (WriteProcedure(state_.traffic, state_.sector.tables.sids, state_.sector.tables.stars, selected(), text))
        stripChanged();
}

void TForm_commandes::Edit_pointChange(const QString &text)
{
    if (WriteConsoleField(state_.traffic, selected(), StripField::Point, text))
        stripChanged();
}

void TForm_commandes::TrackBar1Change(int value)
{
    if (painting_)
        return;
    Edit_niv->setText(QString::number(-value));
    if (WriteLevel(state_.traffic, selected(), positionIndex(), -value))
        stripChanged();
}

void TForm_commandes::TrackBar2Change(int value)
{
    if (painting_)
        return;
    Edit_vitesse->setText(QStringLiteral("v=") + QString::number(value));
    if (WriteConsoleNumber(state_.traffic, selected(), StripField::Speed, value))
        stripChanged();
}

void TForm_commandes::TrackBar3Change(int value)
{
    if (painting_)
        return;
    Label_cap->setText(QStringLiteral("cap ") + QString::number(value));
    if (WriteConsoleNumber(state_.traffic, selected(), StripField::Heading, value))
        stripChanged();
}

void TForm_commandes::UpDown1Click(int minutes)
{
    edit_temps->setText(QString::number(minutes));
    if (!painting_ && WriteHoldingTime(state_.traffic, selected(), minutes))
        stripChanged();
}

void TForm_commandes::digitClick(int digit)
{
    Edit_calc->setText(KeypadAppend(Edit_calc->text(), digit));
}

void TForm_commandes::BtclrClick()
{
    Edit_calc->clear();
}

void TForm_commandes::BtokClick()
{
    const std::optional<int> value = KeypadValue(Edit_calc->text());
    if (!value)
        return; // not a number: nothing is written, the entry stays to be corrected
    const auto target = KeypadTarget(targets_->checkedId() < 0 ? 1 : targets_->checkedId());
    // The bars follow the value without writing it a second time.
    painting_ = true;
    if (target == KeypadTarget::Speed) {
        TrackBar2->setValue(*value);
        Edit_vitesse->setText(QStringLiteral("v=") + QString::number(*value));
    } else if (target == KeypadTarget::Level) {
        TrackBar1->setValue(-*value);
        Edit_niv->setText(Edit_calc->text());
    } else {
        TrackBar3->setValue(*value);
        Label_cap->setText(QStringLiteral("cap ") + QString::number(*value));
    }
    painting_ = false;
    Edit_calc->clear();
    if (ApplyKeypad(state_.traffic, selected(), target, positionIndex(), *value))
        stripChanged();
}

} // namespace zaz
