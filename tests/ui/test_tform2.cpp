// The connection dialog on the main window's state: servers from servers.ini, ratings and
// facilities from the code texts read at start, the callsign suffix rule, what "Connecter"
// writes. Every control is reached by what the user sees: its caption or its label.
#include "app/TForm1.h"
#include "ui/TForm2.h"
#include "support/IniText.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace zaz::test {
namespace {

using Keys = QList<QPair<QString, QString>>;

template <typename T>
T *Showing(const QWidget &window, const char *text)
{
    for (T *widget : window.findChildren<T *>())
        if (widget->text() == QString::fromUtf8(text))
            return widget;
    return nullptr;
}

struct Rig {
    Rig()
    {
        main.state().link.OwnCallsign = QStringLiteral("LFLL_APP");
        dialog.prepare(QStringLiteral("VIREO-SERVER"));
    }
    QLineEdit *edit(const char *label) { return qobject_cast<QLineEdit *>(Showing<QLabel>(dialog, label)->buddy()); }
    QComboBox *ratings() { return qobject_cast<QComboBox *>(Showing<QLabel>(dialog, "qualification :")->buddy()); }
    // The label of the server list names no buddy (its row holds a button too): the list is
    // the one offering a new server.
    QComboBox *servers()
    {
        for (QComboBox *box : dialog.findChildren<QComboBox *>())
            if (box->findText(QStringLiteral("nouveau serveur")) >= 0)
                return box;
        return nullptr;
    }
    void click(const char *caption) { Showing<QAbstractButton>(dialog, caption)->click(); }
    IniText file(const char *name) const { return IniText::parse(env.readBytes(QLatin1String(name))); }

    TestEnv env = TestEnv::withStartingData();
    TForm1 main{env.services()};
    TForm2 dialog{main.state(), env.prompts};
};

} // namespace

TEST(TForm2, PrepareShowsTheServerOfTheFileAndTheCodeTextsReadAtStart)
{
    Rig r;
    EXPECT_EQ(r.dialog.windowTitle(), "paramètres de connexion VIREO SERVER");
    // The starting file names the local FSD server first, on the usual port.
    EXPECT_EQ(r.servers()->itemText(0) + "|" + r.servers()->currentText() + "|" + r.servers()->itemText(2),
              "FSD-LOCAL|VIREO-SERVER|nouveau serveur");
    EXPECT_EQ(r.edit("adresse :")->text() + "|" + r.edit("port :")->text(), "127.0.0.1|6810");
    r.servers()->setCurrentIndex(0);
    EXPECT_EQ(r.dialog.choice().serverType + "|" + r.edit("port :")->text(), "FSD|6809");

    // The lists are those texts; prepared again, the dialog does not pile them up. The values
    // of a server the file lacks read "error".
    r.main.state().link.codeTexts.ratingCaptions = QStringList{"Observer", "Controller1"};
    r.main.state().link.codeTexts.facilityCaptions = QStringList{"Observer", "Approche Departure (essai)"};
    r.dialog.prepare(QStringLiteral("INCONNU"));
    EXPECT_EQ(r.dialog.findChildren<QRadioButton *>().size(), 2);
    EXPECT_EQ(r.dialog.choice().facilityText + "|" + r.dialog.choice().ratingText,
              "Approche Departure (essai)|Controller1");
    EXPECT_EQ(r.edit("adresse :")->text() + "|" + r.edit("mot de passe :")->text(), "error|error");
}

TEST(TForm2, TheCallsignSuffixChoosesFacilityAndRatingAndAFacilityRewritesTheSuffix)
{
    const std::tuple<const char *, const char *, const char *> cases[] = {
        {"LFLL_OBS", "Observer", "Observer"}, {"LFLL_GND", "Ground Controller (5nm)", "Controller1"},
        {"LFLLXCTR", "Center Controller (400nm)", "Controller1"}, {"LFLL_DEL", "", ""}, {"LF", "", ""}};
    Rig r;
    for (const auto &[callsign, facility, rating] : cases) {
        r.main.state().link.OwnCallsign = QLatin1String(callsign);
        r.dialog.prepare(QStringLiteral("VIREO-SERVER"));
        const ConnectionChoice c = r.dialog.choice();
        EXPECT_EQ(QStringList({c.facilityText, c.ratingText, c.callsign}), QStringList({facility, rating, callsign}));
    }
    r.edit("callsign :")->setText(QStringLiteral("LFMN_APP"));
    r.click("Tower Controller (30nm)");
    EXPECT_EQ(r.edit("callsign :")->text() + "|" + r.ratings()->currentText(), "LFMN_TWR|Controller1");
}

TEST(TForm2, ConnecterRefusesACallsignTheServerWouldRefuse)
{
    const std::pair<const char *, bool> cases[] = {{"L", false},        {"LFLL_APP_1234", false}, {"LFLL APP", false},
                                                   {"LFLÉ_APP", false}, {"LF", true},             {"LFLL_APP_123", true}};
    Rig r;
    for (const auto &[callsign, valid] : cases) {
        r.dialog.setResult(QDialog::Rejected);
        r.edit("callsign :")->setText(QString::fromUtf8(callsign));
        r.click("Connecter");
        EXPECT_EQ(r.dialog.result() == QDialog::Accepted, valid) << callsign;
    }
    EXPECT_EQ(r.env.prompts.messages(), QStringList(4, "indicatif non valide : 2 à 12 lettres, chiffres ou _"));
}

TEST(TForm2, ServersAreErasedAfterAQuestionOrAddedByNameAndConnecterWritesTheConnection)
{
    Rig r;
    r.servers()->setCurrentText(QStringLiteral("FSD-LOCAL"));
    r.env.prompts.answerAsk(Prompts::Answer::Cancel);
    r.click("effacer le serveur");
    r.env.prompts.answerAsk(Prompts::Answer::Ok);
    r.click("effacer le serveur");
    EXPECT_EQ(r.env.prompts.calls().value(1).text + "|" + r.env.prompts.calls().value(1).caption,
              "voulez vous supprimer le serveur:FSD-LOCAL|effacer le serveur");
    // Cancelled, then erased: the first server left takes its place.
    EXPECT_EQ(r.file("servers.ini").sectionNames(), QStringList({"VIREO-SERVER"}));
    EXPECT_EQ(r.edit("nom du serveur :")->text(), "VIREO-SERVER");

    // The new-server entry is no server to erase; its fields are the user's to fill.
    r.servers()->setCurrentText(QStringLiteral("nouveau serveur"));
    r.click("effacer le serveur");
    EXPECT_EQ(r.env.prompts.calls().size(), 2);
    r.edit("nom du serveur :")->setText(QStringLiteral("MON-SERVEUR"));
    r.edit("identifiant :")->setText(QStringLiteral("1234567"));
    r.click("Center Controller (400nm)");
    r.click("Connecter");
    EXPECT_EQ(r.dialog.result(), QDialog::Accepted);
    // The fields were emptied for the new server; it keeps the type shown.
    EXPECT_EQ(r.file("ZAZ.ini").find("connect")->keys,
              (Keys{{"serveur", "MON-SERVEUR"}, {"adresse", ""}, {"port", ""}, {"callsign", "LFLL_CTR"},
                    {"ID", "1234567"}, {"nom", ""}, {"password", ""}}));
    EXPECT_EQ(r.file("servers.ini").find("MON-SERVEUR")->keys,
              (Keys{{"type", "VIREO-SERVER"}, {"adresse", ""}, {"port", ""}, {"ID", "1234567"}, {"password", ""}}));
}

} // namespace zaz::test
