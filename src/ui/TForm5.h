// The weather window "METEO": the source of the weather (internet server or simulator), the
// radius and refresh period of the stations around the own position, the stations whose
// METAR arrived, every field of the selected station's decoded weather, and the METARs and
// zulu time sent to the server.
#pragma once

#include <QDialog>
#include <QPoint>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class QTimer;

namespace zaz {

class LineSender;
class MetarFetch;
struct RadarState;

class TForm5 : public QDialog {
    Q_OBJECT
public:
    // server: the server link; fetch: the stations' internet fetch; refreshTimer: the timer
    // that refreshes the stations' weather; mainWindow: the window it is placed from.
    TForm5(RadarState &state, LineSender &server, MetarFetch &fetch, QTimer &refreshTimer,
           QWidget *mainWindow = nullptr);

    // Menu "météo".
    void mto1Click();
    // Shows the weather again: the station count, the METAR edits and every decoded field.
    // Does nothing while the window is hidden.
    void repaintWeather();

    void RadioGroup1Click(int item);
    void Button1Click();
    void CheckListBox1Click(QListWidgetItem *item);
    void CheckBox1Click(bool checked);
    void UpDown1Click(int minutes);
    void UpDown2Click(int radius);
    void Button_setzuluClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void FormShow();
    void fillDisplay();
    void fillStationList();
    void selectOwnStation();
    void setRadioItems(bool withSimulator, int selected);
    bool simulatorSource() const;
    QString plainSimMetar() const;

    RadarState &state_;
    LineSender &server_;
    MetarFetch &fetch_;
    QTimer &refreshTimer_;
    QPoint place_;
    bool placed_ = false;
    bool filling_ = false;

    QLineEdit *metar_ = nullptr;
    QLineEdit *simMetar_ = nullptr;
    QLabel *time_ = nullptr;
    QLabel *station_ = nullptr;
    QLabel *altitude_ = nullptr;
    QLabel *date_ = nullptr;
    QLabel *altimeter_ = nullptr;
    QLabel *direction_ = nullptr;
    QLabel *sector_ = nullptr;
    QLabel *speed_ = nullptr;
    QLabel *gust_ = nullptr;
    QLabel *depth_ = nullptr;
    QLabel *turbulence_ = nullptr;
    QLabel *shear_ = nullptr;
    QLabel *cavok_ = nullptr;
    QLabel *conditions_ = nullptr;
    QLabel *obscuration_ = nullptr;
    QTableWidget *winds_ = nullptr;
    QTableWidget *visibility_ = nullptr;
    QTableWidget *runwayVisual_ = nullptr;
    QTableWidget *clouds_ = nullptr;
    QTableWidget *temperatures_ = nullptr;
    QButtonGroup *sources_ = nullptr;
    QRadioButton *realItem_ = nullptr;
    QRadioButton *simItem_ = nullptr;
    QCheckBox *publish_ = nullptr;
    QListWidget *stations_ = nullptr;
    QSpinBox *radius_ = nullptr;
    QLabel *radiusLabel_ = nullptr;
    QSpinBox *period_ = nullptr;
    QLabel *periodLabel_ = nullptr;
    QLabel *periodUnit_ = nullptr;
    QPushButton *refresh_ = nullptr;
    QSpinBox *zuluHours_ = nullptr;
    QSpinBox *zuluMinutes_ = nullptr;
    QPushButton *setZulu_ = nullptr;
    QLabel *loading_ = nullptr;
    QLabel *stationCount_ = nullptr;
};

} // namespace zaz
