// The connection settings dialog "paramètres de Connexion": the server (a section of
// servers.ini), its address and credentials, the controller's callsign, rating and facility.
// "Connecter" checks the callsign, then saves the values to ZAZ.ini [connect] and to the
// server's section of servers.ini; the caller then reads them with Choice().
#pragma once

#include "link/Connection.h"

#include <QDialog>
#include <QList>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace zaz {

class IniFile;
class Prompts;
struct RadarState;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(RadarState &state, Prompts &prompts, QWidget *parent = nullptr);

    // Fills every control before the dialog is shown: the server serverName of servers.ini,
    // the own callsign, the rating and facility lists of ZAZ.ini and the choice implied by
    // the callsign's suffix.
    void prepare(const QString &serverName);

    // The values of the dialog as they stand. rating is 0 and facility -1 while nothing is
    // selected in the corresponding list.
    ConnectionChoice choice() const;

    // The entry of ComboBox2 that starts a new server.
    static QString newServerEntry();

private:
    void fillServerList(const QString &select);
    void serverSelected(int index);
    void loadServer(const QString &section);
    void fillRatings();
    void fillFacilities();
    void selectFromCallsign();
    void selectRating(const QString &text);
    void facilityChosen(int facility);
    void Button1Click();
    void Button4Click();
    bool isNewServerSelected() const;

    RadarState &state_;
    Prompts &prompts_;

    QComboBox *ComboBox2_;
    QLineEdit *edit_serveur_;
    QLabel *Label_typ_;
    QLineEdit *adresse_;
    QLineEdit *Port_;
    QLineEdit *ID_;
    QLineEdit *Password_;
    QLineEdit *Nom_;
    QLineEdit *Callsign_;
    QComboBox *ComboBox1_;
    QGroupBox *RadioGroup1_;
    QVBoxLayout *radioLayout_;
    QButtonGroup *radioButtons_;
    QList<QRadioButton *> facilityItems_;
    QPushButton *Button1_;
    QPushButton *Button2_;
    QPushButton *Button4_;
    // Set while the program itself changes a selection, so only the user's choices react.
    bool filling_ = false;
};

} // namespace zaz
