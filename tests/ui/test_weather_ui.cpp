// The ATIS and weather windows opened from the menu, driven through their captions: what
// "OK" and "Anul" store, the missing frequency, the weather window without a source and for
// a ground position, and a station's decoded weather painted in its grids.
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "ui/TForm5.h"
#include "weather/Stations.h"
#include "support/TestEnv.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace zaz::test {
namespace {

template <typename T>
T *Captioned(const QWidget &window, const QString &text)
{
    for (T *widget : window.findChildren<T *>())
        if (widget->text() == text && widget->isVisibleTo(&window))
            return widget;
    return nullptr;
}

// The control a label names.
template <typename T>
T *Labelled(const QWidget &window, const QString &label)
{
    const QLabel *l = Captioned<QLabel>(window, label);
    return l ? qobject_cast<T *>(l->buddy()) : nullptr;
}

template <typename T>
T *Accessible(const QWidget &window, const QString &name)
{
    for (T *widget : window.findChildren<T *>())
        if (widget->accessibleName() == name)
            return widget;
    return nullptr;
}

// A grid's row, or its header for row -1.
QStringList Row(const QTableWidget *grid, int row)
{
    QStringList texts;
    for (int c = 0; c < grid->columnCount(); ++c)
        texts << (row < 0 ? grid->horizontalHeaderItem(c) : grid->item(row, c))->text();
    return texts;
}

// The program after its start on the starting data, LFLL_TWR on 118.700.
struct Program {
    Program()
    {
        main.FormShow();
        state.link.OwnCallsign = QStringLiteral("LFLL_TWR");
        state.link.Com1Digits = QStringLiteral("118700");
        env.prompts.clear();
    }
    // Opens the ATIS from its menu item, runs steps in it, then presses close.
    void atis(const std::function<void(QWidget &)> &steps, const QString &close)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            steps(*dialog);
            ran = true;
            Captioned<QAbstractButton>(*dialog, close)->click();
        });
        main.menu().ATIS1->trigger();
        EXPECT_TRUE(ran);
    }
    TForm5 &meteo() { return *windows->meteo; }

    TestEnv env = TestEnv::withStartingData();
    std::unique_ptr<AppWindows> windows = CreateAppWindows(env.services());
    TForm1 &main = *windows->form1;
    RadarState &state = main.state();
};

} // namespace

// Without an own frequency only the message shows. "OK" stores the summary and the
// additional text, clears the new-METAR flag and keeps the broadcast as sound; "Anul" keeps
// the stored ATIS but not the edits' former values. A later opening shows the stored text.
TEST(AtisWindow, OkStoresAnulKeepsAndAFrequencyIsNeeded)
{
    Program p;
    p.state.link.Com1Digits = QStringLiteral(" ");
    p.main.menu().ATIS1->trigger();
    EXPECT_EQ(p.env.prompts.messages(), QStringList{"renseignez votre fréquence radio"});
    EXPECT_TRUE(p.state.weather.atis.lines.isEmpty());
    p.state.link.Com1Digits = QStringLiteral("118700");

    WeatherState &w = p.state.weather;
    w.CurrentWeather.time = QStringLiteral("071030Z");
    w.newMetar = true;
    QString caption, summary;
    p.atis([&](QWidget &d) {
        caption = d.windowTitle();
        Labelled<QComboBox>(d, "information")->setCurrentText("DELTA");
        QTest::keyClicks(Labelled<QLineEdit>(d, "piste TO"), "27R");
        QTest::keyClicks(Labelled<QLineEdit>(d, "piste LDG"), "09L");
        QTest::keyClicks(Labelled<QLineEdit>(d, "altitude de transition"), "5000");
        Labelled<QPlainTextEdit>(d, "texte additionel")->setPlainText("bird activity\nwork in progress");
        summary = Accessible<QPlainTextEdit>(d, "résumé")->toPlainText();
    }, "OK");
    EXPECT_EQ(caption, "ATIS  LFLL_TWR  118.700");
    const QStringList lines = summary.split('\n');
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], "LFLL_TWR info DELTA enregitré à 10H30Z");
    EXPECT_EQ(lines[5] + "|" + lines[6], "runway TO 27R LDG 09L|transitions TA5000 TL");
    EXPECT_EQ(w.atis.lines, lines + QStringList({"bird activity", "work in progress"}));
    EXPECT_FALSE(w.newMetar);
    EXPECT_EQ(w.atisLetterText + "|" + QString::number(w.transitionAltitude), "DELTA|5000");
    EXPECT_TRUE(w.atis.soundText.contains(", takeoff runway 27right, landing runway 09left, "));

    const QStringList stored = w.atis.lines;
    const QString sound = w.atis.soundText;
    QString additional;
    p.atis([&](QWidget &d) {
        additional = Labelled<QPlainTextEdit>(d, "texte additionel")->toPlainText();
        EXPECT_EQ(Labelled<QLineEdit>(d, "piste TO")->text(), "27R");
        QTest::keyClicks(Labelled<QLineEdit>(d, "piste LDG"), "X");
        Labelled<QComboBox>(d, "information")->setCurrentText("ECHO");
    }, "Anul");
    EXPECT_EQ(additional, "bird activity\nwork in progress");
    EXPECT_EQ(w.atis.lines, stored);
    EXPECT_EQ(w.atis.soundText, sound);
    EXPECT_EQ(w.atis.landingRunway + "|" + w.atisLetterText, "09LX|ECHO");
}

// Before a source is chosen the window says so, offers "Real" alone and no refresh; the
// send box and the zulu button are for a connected approach, centre or tower position only.
TEST(WeatherWindow, NoSourceAndWhoMayPublish)
{
    Program p;
    p.state.weather.CurrentWeather.cavok = true;
    struct Case {
        const char *callsign;
        bool connected, publisher;
    };
    const Case cases[] = {
        {"LFLL_GND", true, false}, {"LFLL_APP", true, true}, {"LFMM_CTR", true, true},
        {"LFLL_TWR", false, false}, {"LFLL_DEL", true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.callsign);
        p.state.link.OwnCallsign = c.callsign;
        p.state.link.connected = c.connected;
        p.main.menu().mto1->trigger();
        TForm5 &m = p.meteo();
        EXPECT_EQ(Captioned<QCheckBox>(m, "send to Vireo-server") != nullptr, c.publisher);
        EXPECT_EQ(Captioned<QAbstractButton>(m, "set zulu") != nullptr, c.publisher);
        EXPECT_EQ(m.windowTitle(), "PAS de METEO disponible");
        EXPECT_NE(Captioned<QRadioButton>(m, "Real"), nullptr);
        const auto items = m.findChild<QGroupBox *>("RadioGroup1")->findChildren<QRadioButton *>();
        EXPECT_EQ(std::count_if(items.begin(), items.end(), [&](auto *b) { return b->isVisibleTo(&m); }), 1);
        EXPECT_FALSE(Captioned<QRadioButton>(m, "Real")->isChecked());
        EXPECT_EQ(Captioned<QLabel>(m, "période d'actualisation"), nullptr);
        EXPECT_FALSE(Captioned<QAbstractButton>(m, "actualiser")->isEnabled());
        EXPECT_FALSE(p.state.weather.CurrentWeather.cavok) << "the weather shown is reset";
        m.close();
    }
}

// With the internet source, opening selects the own airport and paints its decoded METAR:
// labels, grids with their headers, the QNH; the period up-down sets the refresh timer.
TEST(WeatherWindow, TheOwnStationsWeatherIsPaintedAndThePeriodSetsTheTimer)
{
    Program p;
    RadarState &s = p.state;
    const int own = FindStation(s.sector, s.link.WeatherStation);
    ASSERT_GE(own, 0);
    Airport &airport = s.sector.tables.airports[own];
    const QString metar = s.link.WeatherStation + " 071030Z 24015G25KT 200V280 0800 -SHRA FEW030 BKN080CB 15/M02 Q1013";
    airport.metar = metar;
    airport.dateLine = QStringLiteral("2026/12/07 10:30");
    airport.realMetarReceived = 1;
    s.weather.server.server = QStringLiteral("WX");
    s.weather.CurrentWeather.source = QStringLiteral("WX");
    p.main.menu().mto1->trigger();
    TForm5 &m = p.meteo();

    EXPECT_EQ(m.windowTitle(), "METEO WX");
    const QLineEdit *edit = Accessible<QLineEdit>(m, "METAR");
    EXPECT_EQ(edit->text(), metar);
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_TRUE(Captioned<QRadioButton>(m, "Real")->isChecked());
    const char *labels[][2] = {{"direction", "240°"}, {"secteur", "(200/280)"}, {"vitesse", "15KT"},
                               {"gust", "gust:25"}, {"QNH", "QNH: 1013"}, {"date", "2026/12/07 10:30"}};
    for (const auto &[name, text] : labels)
        EXPECT_EQ(Accessible<QLabel>(m, name)->text(), text) << name;

    const QTableWidget *clouds = m.findChild<QTableWidget *>("StringGrid_cloud");
    EXPECT_EQ(Row(clouds, -1), QStringList({"cloud", "base(ft)", "height(ft)", "top", "turbulence", "precipitation",
                                           "", "icing"}));
    ASSERT_EQ(clouds->rowCount(), 2);
    EXPECT_EQ(Row(clouds, 1).mid(0, 3), QStringList({"6/8CB", "", "8000"}));
    const QTableWidget *temperatures = m.findChild<QTableWidget *>("StringGrid_temperature");
    ASSERT_EQ(temperatures->rowCount(), 1);
    EXPECT_EQ(Row(temperatures, 0), QStringList({"15", "-02", ""}));
    EXPECT_EQ(Row(m.findChild<QTableWidget *>("StringGrid_visibility"), 0)[0], "0800");

    Labelled<QSpinBox>(m, "période d'actualisation")->setValue(30);
    EXPECT_EQ(p.main.Timer3()->interval(), 1800000);
    m.close();
}

} // namespace zaz::test
