#include "ui/TForm5.h"

#include "core/Text.h"
#include "link/LineProtocol.h"
#include "link/Senders.h"
#include "state/RadarState.h"
#include "state/WeatherRefresh.h"
#include "weather/Metar.h"
#include "weather/MetarFetch.h"
#include "weather/Stations.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace zaz {

namespace {

constexpr int kMinutesMs = 60000;

// A label showing a value, reached by what it shows.
QLabel *ValueLabel(const char *name, const QString &accessible, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(accessible);
    return label;
}

QTableWidget *Grid(const char *name, const QStringList &header, QWidget *parent)
{
    auto *grid = new QTableWidget(0, int(header.size()), parent);
    grid->setObjectName(QLatin1String(name));
    grid->setHorizontalHeaderLabels(header);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    return grid;
}

// One row per entry; the header row is the grid's own.
void FillGrid(QTableWidget *grid, const QList<QStringList> &rows)
{
    grid->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c)
            grid->setItem(r, c, new QTableWidgetItem(rows[r].value(c)));
}

QSpinBox *UpDown(const char *editName, const char *name, int minimum, int maximum, int step, QWidget *parent)
{
    auto *upDown = new QSpinBox(parent);
    upDown->setObjectName(QLatin1String(name));
    upDown->setRange(minimum, maximum);
    upDown->setSingleStep(step);
    if (auto *edit = upDown->findChild<QLineEdit *>())
        edit->setObjectName(QLatin1String(editName));
    return upDown;
}

QLabel *Caption(const char *name, const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setBuddy(buddy);
    return label;
}


} // namespace

TForm5::TForm5(RadarState &state, LineSender &server, MetarFetch &fetch, QTimer &refreshTimer, QWidget *mainWindow)
    : QDialog(mainWindow), state_(state), server_(server), fetch_(fetch), refreshTimer_(refreshTimer)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("METEO"));
    setWindowFlag(Qt::WindowStaysOnTopHint);

    metar_ = new QLineEdit(this);
    metar_->setObjectName(QStringLiteral("Edit_metar"));
    metar_->setAccessibleName(QStringLiteral("METAR"));
    simMetar_ = new QLineEdit(this);
    simMetar_->setObjectName(QStringLiteral("Edit_fsmetar"));
    simMetar_->setAccessibleName(QStringLiteral("METAR du simulateur"));
    simMetar_->setReadOnly(true);
    time_ = ValueLabel("Label1", QStringLiteral("heure"), this);
    station_ = ValueLabel("Label_station", QStringLiteral("station"), this);
    altitude_ = ValueLabel("Label_altitude", QStringLiteral("altitude"), this);
    date_ = ValueLabel("Label_date", QStringLiteral("date"), this);
    altimeter_ = ValueLabel("Label_altimeter", QStringLiteral("QNH"), this);
    auto *header = new QHBoxLayout;
    for (QLabel *label : {time_, station_, altitude_, date_, altimeter_})
        header->addWidget(label);

    // Winds.
    auto *windsBox = new QGroupBox(QStringLiteral("winds"), this);
    direction_ = ValueLabel("Label_direction", QStringLiteral("direction"), windsBox);
    sector_ = ValueLabel("Label_minmaxdir", QStringLiteral("secteur"), windsBox);
    speed_ = ValueLabel("Label_speed", QStringLiteral("vitesse"), windsBox);
    gust_ = ValueLabel("Label_gust", QStringLiteral("gust"), windsBox);
    depth_ = ValueLabel("Label_depth", QStringLiteral("depth"), windsBox);
    turbulence_ = ValueLabel("Label_turb", QStringLiteral("turbulences"), windsBox);
    shear_ = ValueLabel("Label_shear", QStringLiteral("shear"), windsBox);
    winds_ = Grid("StringGrid_winds",
                  {QStringLiteral("altitude(ft)"), QStringLiteral("temp°C"), QStringLiteral("dir°"),
                   QStringLiteral("speed(kt)"), QStringLiteral("turb"), QStringLiteral("shear")},
                  windsBox);
    auto *windsLayout = new QGridLayout(windsBox);
    int column = 0;
    for (QLabel *label : {direction_, sector_, speed_, gust_, depth_, turbulence_, shear_})
        windsLayout->addWidget(label, 0, column++);
    windsLayout->addWidget(winds_, 1, 0, 1, column);

    // Visibility.
    auto *visibilityBox = new QGroupBox(QStringLiteral("visibility"), this);
    cavok_ = ValueLabel("Label_cavok", QStringLiteral("cavok"), visibilityBox);
    visibility_ = Grid("StringGrid_visibility",
                       {QStringLiteral("distance"), QStringLiteral("base(m)"), QStringLiteral("depth(m)")},
                       visibilityBox);
    runwayVisual_ = Grid("StringGrid_runwayvisual", {QStringLiteral("runway"), QStringLiteral("visual (ft)")},
                         visibilityBox);
    auto *visibilityLayout = new QVBoxLayout(visibilityBox);
    visibilityLayout->addWidget(cavok_);
    visibilityLayout->addWidget(visibility_);
    visibilityLayout->addWidget(runwayVisual_);

    // Sky conditions.
    auto *skyBox = new QGroupBox(QStringLiteral("sky conditions"), this);
    conditions_ = ValueLabel("Label_conditions", QStringLiteral("conditions"), skyBox);
    obscuration_ = ValueLabel("Label_obscuration", QStringLiteral("obscuration"), skyBox);
    clouds_ = Grid("StringGrid_cloud",
                   {QStringLiteral("cloud"), QStringLiteral("base(ft)"), QStringLiteral("height(ft)"),
                    QStringLiteral("top"), QStringLiteral("turbulence"), QStringLiteral("precipitation"), QString(),
                    QStringLiteral("icing")},
                   skyBox);
    auto *skyLayout = new QVBoxLayout(skyBox);
    skyLayout->addWidget(conditions_);
    skyLayout->addWidget(obscuration_);
    skyLayout->addWidget(clouds_);

    // Temperatures.
    auto *temperatureBox = new QGroupBox(QStringLiteral("temperatures"), this);
    temperatures_ = Grid("StringGrid_temperature",
                         {QStringLiteral("temp°C"), QStringLiteral("dewpoint"), QStringLiteral("alt(m)")},
                         temperatureBox);
    (new QVBoxLayout(temperatureBox))->addWidget(temperatures_);

    // Source, stations, radius and period.
    auto *sourceBox = new QGroupBox(QStringLiteral("serveur"), this);
    sourceBox->setObjectName(QStringLiteral("RadioGroup1"));
    realItem_ = new QRadioButton(QStringLiteral("Real"), sourceBox);
    simItem_ = new QRadioButton(sourceBox);
    sources_ = new QButtonGroup(this);
    sources_->addButton(realItem_, 0);
    sources_->addButton(simItem_, 1);
    auto *sourceLayout = new QVBoxLayout(sourceBox);
    sourceLayout->addWidget(realItem_);
    sourceLayout->addWidget(simItem_);

    publish_ = new QCheckBox(QStringLiteral("send to Vireo-server"), this);
    publish_->setObjectName(QStringLiteral("CheckBox1"));
    publish_->installEventFilter(this);
    stations_ = new QListWidget(this);
    stations_->setObjectName(QStringLiteral("CheckListBox1"));
    stations_->setAccessibleName(QStringLiteral("stations"));
    stationCount_ = ValueLabel("Label6", QStringLiteral("nombre de stations"), this);
    loading_ = ValueLabel("Label_chargemeteo", QStringLiteral("chargement"), this);

    radius_ = UpDown("Edit_rayon", "UpDown2", 10, 300, 10, this);
    radiusLabel_ = Caption("Label_rayon", QStringLiteral("nm autour de "), radius_, this);
    period_ = UpDown("Edit_actu", "UpDown1", 15, 60, 15, this);
    periodLabel_ = Caption("Label_actu", QStringLiteral("période d'actualisation"), period_, this);
    periodUnit_ = new QLabel(QStringLiteral("min"), this);
    periodUnit_->setObjectName(QStringLiteral("Label_unit"));
    refresh_ = new QPushButton(QStringLiteral("actualiser"), this);
    refresh_->setObjectName(QStringLiteral("Button1"));
    auto *exit = new QPushButton(QStringLiteral("EXIT"), this);
    exit->setObjectName(QStringLiteral("Button2"));

    zuluHours_ = UpDown("Edit_zuluh", "UpDown_h", 0, 23, 1, this);
    zuluHours_->setAccessibleName(QStringLiteral("heure zulu"));
    zuluMinutes_ = UpDown("Edit_zulum", "UpDown_m", 0, 59, 1, this);
    zuluMinutes_->setAccessibleName(QStringLiteral("minutes zulu"));
    setZulu_ = new QPushButton(QStringLiteral("set zulu"), this);
    setZulu_->setObjectName(QStringLiteral("Button_setzulu"));

    auto *controls = new QGridLayout;
    controls->addWidget(sourceBox, 0, 0, 3, 1);
    controls->addWidget(radius_, 0, 1);
    controls->addWidget(radiusLabel_, 0, 2);
    controls->addWidget(periodLabel_, 1, 1);
    controls->addWidget(period_, 1, 2);
    controls->addWidget(periodUnit_, 1, 3);
    controls->addWidget(refresh_, 2, 1);
    controls->addWidget(publish_, 2, 2);
    controls->addWidget(zuluHours_, 3, 1);
    controls->addWidget(zuluMinutes_, 3, 2);
    controls->addWidget(setZulu_, 3, 3);
    controls->addWidget(exit, 4, 3);

    auto *stationsColumn = new QVBoxLayout;
    stationsColumn->addWidget(stationCount_);
    stationsColumn->addWidget(stations_);
    stationsColumn->addWidget(loading_);

    auto *weatherColumn = new QVBoxLayout;
    weatherColumn->addWidget(metar_);
    weatherColumn->addWidget(simMetar_);
    weatherColumn->addLayout(header);
    weatherColumn->addWidget(windsBox);
    weatherColumn->addWidget(visibilityBox);
    weatherColumn->addWidget(skyBox);
    weatherColumn->addWidget(temperatureBox);
    weatherColumn->addLayout(controls);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(weatherColumn, 3);
    layout->addLayout(stationsColumn, 1);

    connect(sources_, &QButtonGroup::idClicked, this, &TForm5::RadioGroup1Click);
    connect(refresh_, &QPushButton::clicked, this, &TForm5::Button1Click);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    connect(stations_, &QListWidget::itemClicked, this, &TForm5::CheckListBox1Click);
    connect(publish_, &QCheckBox::clicked, this, &TForm5::CheckBox1Click);
    connect(period_, &QSpinBox::valueChanged, this, [this](int v) {
        if (!filling_)
            UpDown1Click(v);
    });
    connect(radius_, &QSpinBox::valueChanged, this, [this](int v) {
        if (!filling_)
            UpDown2Click(v);
    });
    connect(setZulu_, &QPushButton::clicked, this, &TForm5::Button_setzuluClick);
    connect(&fetch_, &MetarFetch::notice, this, &TForm5::repaintWeather);
    connect(&fetch_, &MetarFetch::finished, this, &TForm5::repaintWeather);
    connect(&fetch_, &MetarFetch::stationStored, this, &TForm5::repaintWeather);
    connect(&state_.notifier, &StateNotifier::weatherChanged, this, &TForm5::repaintWeather);
}

void TForm5::mto1Click()
{
    show();
    raise();
}

void TForm5::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TForm5::closeEvent(QCloseEvent *event)
{
    place_ = pos();
    placed_ = true;
    QDialog::closeEvent(event);
}

bool TForm5::eventFilter(QObject *watched, QEvent *event)
{
    // Leaving the box stores its state again.
    if (watched == publish_ && event->type() == QEvent::FocusOut)
        state_.weather.stations.publish = publish_->isChecked();
    return QDialog::eventFilter(watched, event);
}

bool TForm5::simulatorSource() const
{
    const QString &source = state_.weather.CurrentWeather.source;
    return !source.isEmpty() && source == state_.sim.simulatorName;
}

QString TForm5::plainSimMetar() const
{
    // The plain text of the simulator's METAR, as it is decoded.
    WeatherState scratch;
    return NormalizeSimMetar(scratch, state_.weather.rawMetar);
}

void TForm5::setRadioItems(bool withSimulator, int selected)
{
    simItem_->setText(state_.sim.simulatorName);
    simItem_->setVisible(withSimulator);
    sources_->setExclusive(false);
    realItem_->setChecked(selected == 0);
    simItem_->setChecked(selected == 1);
    sources_->setExclusive(true);
}

void TForm5::FormShow()
{
    RadarState &s = state_;
    WeatherState &weather = s.weather;
    t_weather &current = weather.CurrentWeather;
    if (!placed_ && parentWidget())
        place_ = parentWidget()->pos() + QPoint(240, 45);
    move(place_);
    radiusLabel_->setText(QStringLiteral("nm autour de ") + s.link.WeatherStation);

    const QString position = Copy(s.link.OwnCallsign, 6, 3);
    const bool publisher = s.link.connected
        && (position == QLatin1String("APP") || position == QLatin1String("CTR") || position == QLatin1String("TWR"));
    publish_->setVisible(publisher);
    setZulu_->setVisible(publisher);
    publish_->setChecked(weather.stations.publish);

    if (!current.source.isEmpty()) {
        selectOwnStation();
        refresh_->setEnabled(!weather.stations.busy);
        const bool simulator = simulatorSource();
        setRadioItems(simulator || s.sim.connected, simulator ? 1 : 0);
        if (simulator) {
            metar_->setText(plainSimMetar());
            simMetar_->setText(weather.rawMetar);
        } else {
            metar_->setText(current.metar);
        }
    } else {
        ResetWeather(current);
        current.station.clear();
        setRadioItems(false, -1);
        refresh_->setEnabled(false);
        metar_->clear();
    }
    fillStationList();
    fillDisplay();
    // The simulator's clock, while it is connected.
    if (s.sim.connected) {
        zuluHours_->setValue(s.sim.zuluSeconds / 3600 % 24);
        zuluMinutes_->setValue(s.sim.zuluSeconds % 3600 / 60);
    }
}

void TForm5::selectOwnStation()
{
    WeatherState &weather = state_.weather;
    weather.CurrentWeather.station = state_.link.WeatherStation;
    SelectStationWeather(weather, state_.sector, weather.CurrentWeather.station, state_.sim.simulatorName);
}

void TForm5::fillStationList()
{
    const StationsState &stations = state_.weather.stations;
    stations_->clear();
    for (const StationCheck &check : stations.checkList) {
        auto *item = new QListWidgetItem(check.code, stations_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(check.checked ? Qt::Checked : Qt::Unchecked);
        if (check.code == state_.weather.CurrentWeather.station)
            stations_->setCurrentItem(item);
    }
    stationCount_->setText(IntToStr(stations_->count()) + QStringLiteral(" stations"));
    loading_->setText(stations.loadingText);
}

void TForm5::repaintWeather()
{
    if (!isVisible())
        return;
    const WeatherState &weather = state_.weather;
    fillStationList();
    refresh_->setEnabled(!weather.stations.busy && !weather.CurrentWeather.source.isEmpty());
    if (simulatorSource()) {
        metar_->setText(plainSimMetar());
        simMetar_->setText(weather.rawMetar);
    } else {
        metar_->setText(weather.CurrentWeather.metar);
    }
    fillDisplay();
}

void TForm5::fillDisplay()
{
    const WeatherState &weather = state_.weather;
    const t_weather &w = weather.CurrentWeather;
    const bool sourced = !w.source.isEmpty();
    filling_ = true;
    setWindowTitle(sourced ? QStringLiteral("METEO ") + w.source : QStringLiteral("PAS de METEO disponible"));
    metar_->setReadOnly(sourced);
    for (QWidget *control : std::initializer_list<QWidget *>{periodLabel_, period_, periodUnit_})
        control->setVisible(sourced);
    period_->setValue(refreshTimer_.interval() / kMinutesMs);
    radius_->setValue(StrToIntDef(weather.server.radius, radius_->minimum()));
    filling_ = false;

    time_->setText(w.time);
    date_->setText(w.time);
    station_->setText(w.station);
    altitude_->setText(IntToStr(w.elevation) + QLatin1Char('m'));

    const t_wind &wind = w.wind;
    direction_->setText(wind.direction + QStringLiteral("°"));
    sector_->setText(QLatin1Char('(') + wind.sectorStart + QLatin1Char('/') + wind.sectorEnd + QLatin1Char(')'));
    speed_->setText(wind.speed + wind.unit);
    gust_->setText(QStringLiteral("gust:") + wind.gust);
    depth_->setText(QStringLiteral("depth:") + wind.depth);
    turbulence_->setText(QStringLiteral("turbulences:") + wind.turbulence);
    shear_->setText(QStringLiteral("shear:") + wind.shear);
    QList<QStringList> rows;
    for (const t_wind &layer : w.windsAloft)
        rows.append({layer.altitude, layer.temperature, layer.direction, layer.speed, layer.turbulence, layer.shear});
    FillGrid(winds_, rows);

    cavok_->setText(w.cavok ? QStringLiteral("CAVOK") : QString());
    rows.clear();
    for (const t_visibility &v : w.visibilities)
        rows.append({v.distance, v.base, v.depth});
    FillGrid(visibility_, rows);
    rows.clear();
    for (const t_runwayvisual &r : w.runwayVisualRanges)
        rows.append({r.runway, r.range});
    FillGrid(runwayVisual_, rows);

    const t_condition &c = w.condition;
    conditions_->setText(c.intensity + QLatin1Char(' ') + c.descriptor + QLatin1Char(' ') + c.phenomenon);
    obscuration_->setText(w.skySummary);
    rows.clear();
    for (const t_cloud &cloud : w.clouds)
        rows.append({cloud.cover, cloud.base, cloud.height, cloud.top, cloud.turbulence, cloud.precipIntensity,
                     cloud.precipType, cloud.icing});
    FillGrid(clouds_, rows);

    rows.clear();
    for (const t_temperature &t : w.temperatures)
        rows.append({t.temperature, t.dewPoint, t.altitude});
    FillGrid(temperatures_, rows);
    altimeter_->setText(QStringLiteral("QNH: ") + weather.qnhText);
}

void TForm5::RadioGroup1Click(int item)
{
    RadarState &s = state_;
    WeatherState &weather = s.weather;
    BuildStationList(weather, s.sector, s.link.OwnLat, s.link.OwnLon);
    if (item == 0) {
        fetch_.StartInternetFetch();
        weather.CurrentWeather.source = weather.server.server;
    } else {
        refresh_->setEnabled(true);
        weather.CurrentWeather.serverAddress.clear();
        weather.CurrentWeather.source = s.sim.simulatorName;
        if (s.sim.commands.requestStations)
            s.sim.commands.requestStations();
    }
    selectOwnStation();
    refreshTimer_.start();
    fillStationList();
    fillDisplay();
}

void TForm5::Button1Click()
{
    state_.weather.CurrentWeather.station = state_.link.WeatherStation;
    RefreshWeather(state_, fetch_, &server_);
    repaintWeather();
}

void TForm5::CheckListBox1Click(QListWidgetItem *item)
{
    if (!item)
        return;
    WeatherState &weather = state_.weather;
    weather.CurrentWeather.station = item->text();
    SelectStationWeather(weather, state_.sector, item->text(), state_.sim.simulatorName);
    repaintWeather();
}

void TForm5::CheckBox1Click(bool checked)
{
    state_.weather.stations.publish = checked;
    if (checked) {
        setZulu_->setText(QStringLiteral("send zulu"));
        PublishStationMetars(state_, server_);
        fillStationList();
    } else {
        setZulu_->setText(QStringLiteral("set zulu"));
    }
}

void TForm5::UpDown1Click(int minutes)
{
    refreshTimer_.setInterval(minutes * kMinutesMs);
}

void TForm5::UpDown2Click(int radius)
{
    state_.weather.server.radius = IntToStr(radius);
}

void TForm5::Button_setzuluClick()
{
    // The simulator's clock is set, and the server told the time, over whichever is open.
    if (state_.sim.connected && state_.sim.commands.setZuluTime)
        state_.sim.commands.setZuluTime(zuluHours_->value(), zuluMinutes_->value());
    if (state_.link.connected)
        SendLogged(state_.link, server_, ZuluLine(zuluHours_->value(), zuluMinutes_->value()), SendLog::Always);
}

} // namespace zaz
