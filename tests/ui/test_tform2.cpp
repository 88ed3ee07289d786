// The connection settings dialog: filling from servers.ini and ZAZ.ini, the facility and
// rating choice, saving with "Connecter", new and deleted servers.
#include "state/RadarState.h"
#include "ui/TForm2.h"
#include "support/IniText.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace zaz;
using zaz::test::IniText;
using zaz::test::PromptCall;
using zaz::test::TestEnv;

namespace {

// The starting data folder with its ZAZ.ini and servers.ini open, and the dialog prepared.
struct Rig {
    explicit Rig(const QString &ownCallsign = QStringLiteral("LFLL_APP"), bool serversIsFolder = false)
        : env(TestEnv::withStartingData())
    {
        if (serversIsFolder) {
            // Not a file: it cannot be read, so it is never written over.
            QFile::remove(env.path(QStringLiteral("servers.ini")));
            QDir(env.dir()).mkdir(QStringLiteral("servers.ini"));
        }
        state.files.zaz = std::make_unique<IniFile>(env.path(QStringLiteral("ZAZ.ini")));
        state.files.servers = std::make_unique<IniFile>(env.path(QStringLiteral("servers.ini")));
        state.files.zaz->writeString(QStringLiteral("connect"), QStringLiteral("nom"), QStringLiteral("Jean Martin"));
        state.link.OwnCallsign = ownCallsign;
        dialog = std::make_unique<TForm2>(state, env.prompts);
    }
    template <typename T = QLineEdit> T *get(const QString &name) { return dialog->findChild<T *>(name); }
    QString text(const char *edit) { return get(QLatin1String(edit))->text(); }
    void clickFacility(int k) { Get<QRadioButton>(QStringLiteral("RadioGroup1_%1").arg(k))->click(); }
    QComboBox *servers() { return Get<QComboBox>(QStringLiteral("ComboBox2")); }
    QStringList serverItems()
    {
        QStringList items;
        for (int i = 0; i < servers()->count(); ++i)
            items << servers()->itemText(i);
        return items;
    }
    IniText Read(const QString &file) { return IniText::parse(env.readBytes(file)); }

    TestEnv env;
    RadarState state;
    std::unique_ptr<TForm2> dialog;
};

} // namespace

TEST(TForm2, PrepareFillsEveryControlFromTheSettings)
{
    Rig s;
    s.dialog->Prepare(QStringLiteral("VIREO-SERVER"));
    EXPECT_EQ(s.dialog->windowTitle(), "paramètres de connexion VIREO SERVER");
    EXPECT_TRUE(s.get(QStringLiteral("edit_serveur"))->isReadOnly());
    EXPECT_EQ(s.serverItems(), QStringList({"VIREO-SERVER", "FSD-LOCAL", "nouveau serveur"}));
    EXPECT_EQ(s.servers()->currentIndex(), 0);
    auto *ratings = s.Get<QComboBox>(QStringLiteral("ComboBox1"));
    ASSERT_EQ(ratings->count(), 12);
    EXPECT_EQ(ratings->itemText(11), "Administrator");
    EXPECT_EQ(s.Get<QRadioButton>(QStringLiteral("RadioGroup1_6"))->text(), "Center Controller (400nm)");

    const ConnectionChoice c = s.dialog->Choice();
    EXPECT_EQ(c.serverName, "VIREO-SERVER");
    EXPECT_EQ(c.serverType, "VIREO-SERVER");
    EXPECT_EQ(c.address + ":" + c.port + "|" + c.userId + "|" + c.password, "127.0.0.1:6809||");
    EXPECT_EQ(c.userName, "Jean Martin");
    EXPECT_EQ(c.callsign, "LFLL_APP");
    EXPECT_EQ(c.facility, 5);
    EXPECT_EQ(c.facilityText, "Approche Departure Control (100nm)");
    EXPECT_EQ(c.rating, 5);
    EXPECT_EQ(c.ratingText, "Controller1");

    // A reused dialog does not pile up items; a server the file lacks reads as "error".
    s.dialog->Prepare(QStringLiteral("INCONNU"));
    EXPECT_EQ(s.dialog->findChildren<QRadioButton *>().size(), 7);
    EXPECT_EQ(ratings->count(), 12);
    EXPECT_EQ(s.servers()->count(), 3);
    EXPECT_EQ(s.servers()->currentIndex(), -1);
    EXPECT_EQ(s.Get<QLabel>(QStringLiteral("Label_typ"))->text(), "error");
    for (const char *edit : {"adresse", "Port", "ID", "Password"})
        EXPECT_EQ(s.text(edit), "error") << edit;
}

TEST(TForm2, CallsignSuffixSelectsFacilityAndRatingAndAFacilityRewritesTheCallsign)
{
    struct Case { const char *callsign; int facility; const char *rating; };
    for (const Case &k : {Case{"LFLL_OBS", 0, "Observer"}, Case{"LFLL_GND", 3, "Controller1"},
                          Case{"LFLLXAPP", 5, "Controller1"}, Case{"LFLL_CTR", 6, "Controller1"},
                          Case{"LFLL_DEL", -1, ""}, Case{"LF", -1, ""}}) {
        Rig s(QLatin1String(k.callsign));
        s.dialog->Prepare(QStringLiteral("VIREO-SERVER"));
        const ConnectionChoice c = s.dialog->Choice();
        EXPECT_EQ(c.facility, k.facility) << k.callsign;
        EXPECT_EQ(c.ratingText, QLatin1String(k.rating)) << k.callsign;
        EXPECT_EQ(c.callsign, QLatin1String(k.callsign)) << "the callsign is not rewritten";
    }

    Rig s;
    s.dialog->Prepare(QStringLiteral("VIREO-SERVER"));
    s.clickFacility(4);
    EXPECT_EQ(s.text("Callsign"), "LFLL_TWR");
    EXPECT_EQ(s.dialog->Choice().ratingText, "Controller1");
    s.clickFacility(0);
    EXPECT_EQ(s.text("Callsign"), "LFLL_OBS");
    EXPECT_EQ(s.dialog->Choice().rating, 1);
}

TEST(TForm2, ConnecterSavesBothFilesAnnulerNothing)
{
    Rig s;
    s.dialog->Prepare(QStringLiteral("VIREO-SERVER"));
    const QByteArray before = s.env.readBytes(QStringLiteral("servers.ini"));
    s.get(QStringLiteral("adresse"))->setText(QStringLiteral("10.0.0.7"));
    s.Get<QPushButton>(QStringLiteral("Button2"))->click();
    EXPECT_EQ(s.dialog->result(), QDialog::Rejected);
    EXPECT_EQ(s.env.readBytes(QStringLiteral("servers.ini")), before);

    s.servers()->setCurrentIndex(1);
    EXPECT_EQ(s.text("Port"), "6810");
    s.get(QStringLiteral("adresse"))->setText(QStringLiteral("10.0.0.7"));
    s.get(QStringLiteral("ID"))->setText(QStringLiteral("1234567"));
    s.get(QStringLiteral("Password"))->setText(QStringLiteral("secret"));
    s.clickFacility(6);
    s.Get<QPushButton>(QStringLiteral("Button1"))->click();
    EXPECT_EQ(s.dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(s.env.prompts.calls().isEmpty());

    const IniText zaz = s.read(QStringLiteral("ZAZ.ini"));
    const IniText servers = s.read(QStringLiteral("servers.ini"));
    const QStringList expected{"FSD-LOCAL", "10.0.0.7", "6810", "LFLL_CTR", "1234567", "Jean Martin", "secret"};
    const QStringList keys{"serveur", "adresse", "port", "callsign", "ID", "nom", "password"};
    for (int i = 0; i < keys.size(); ++i)
        EXPECT_EQ(zaz.value("connect", keys[i]), expected[i]) << keys[i].toStdString();
    EXPECT_EQ(zaz.value("rating", "12"), "Administrator");
    EXPECT_EQ(servers.sectionNames(), QStringList({"VIREO-SERVER", "FSD-LOCAL"}));
    for (const char *key : {"type=FSD", "adresse=10.0.0.7", "port=6810", "ID=1234567", "password=secret"}) {
        const QStringList kv = QString::fromLatin1(key).split('=');
        EXPECT_EQ(servers.value("FSD-LOCAL", kv[0]), kv[1]) << key;
    }
    EXPECT_EQ(servers.value("VIREO-SERVER", "adresse"), "127.0.0.1");
}

TEST(TForm2, NewServerIsNamedByTheUserAndKeepsTheType)
{
    Rig s;
    s.dialog->Prepare(QStringLiteral("FSD-LOCAL"));
    s.servers()->setCurrentIndex(2);
    QLineEdit *name = s.get(QStringLiteral("edit_serveur"));
    EXPECT_FALSE(name->isReadOnly());
    for (const char *edit : {"edit_serveur", "adresse", "Port", "ID", "Password"})
        EXPECT_EQ(s.text(edit), "") << edit;
    name->setText(QStringLiteral("MON-SERVEUR"));
    s.get(QStringLiteral("Port"))->setText(QStringLiteral("6809"));
    s.Get<QPushButton>(QStringLiteral("Button1"))->click();
    const IniText servers = s.read(QStringLiteral("servers.ini"));
    EXPECT_EQ(servers.sectionNames(), QStringList({"VIREO-SERVER", "FSD-LOCAL", "MON-SERVEUR"}));
    EXPECT_EQ(servers.value("MON-SERVEUR", "type"), "FSD");
    EXPECT_EQ(servers.value("MON-SERVEUR", "port"), "6809");
}

TEST(TForm2, EffacerLeServeurAsksFirst)
{
    Rig s;
    s.dialog->Prepare(QStringLiteral("FSD-LOCAL"));
    auto *erase = s.Get<QPushButton>(QStringLiteral("Button4"));
    s.env.prompts.answerAsk(Prompts::Answer::Cancel);
    erase->click();
    ASSERT_EQ(s.env.prompts.count(PromptCall::Ask), 1);
    EXPECT_EQ(s.env.prompts.calls()[0].text, "voulez vous supprimer le serveur:FSD-LOCAL");
    EXPECT_EQ(s.read(QStringLiteral("servers.ini")).sectionNames().size(), 2);

    s.env.prompts.answerAsk(Prompts::Answer::Ok);
    erase->click();
    EXPECT_EQ(s.read(QStringLiteral("servers.ini")).sectionNames(), QStringList({"VIREO-SERVER"}));
    EXPECT_EQ(s.serverItems(), QStringList({"VIREO-SERVER", "nouveau serveur"}));
    EXPECT_EQ(s.text("edit_serveur"), "VIREO-SERVER");

    s.env.prompts.clear();
    s.servers()->setCurrentIndex(1);
    erase->click();
    EXPECT_TRUE(s.env.prompts.calls().isEmpty());
}

TEST(TForm2, FailedWriteIsShownAndTheDialogStillCloses)
{
    Rig s(QStringLiteral("LFLL_APP"), true);
    s.dialog->Prepare(QStringLiteral("VIREO-SERVER"));
    EXPECT_EQ(s.serverItems(), QStringList({"nouveau serveur"}));
    s.Get<QPushButton>(QStringLiteral("Button1"))->click();
    EXPECT_EQ(s.dialog->result(), QDialog::Accepted);
    EXPECT_EQ(s.env.prompts.messages(), QStringList({s.state.files.servers->lastError()}));
    EXPECT_FALSE(s.state.files.servers->lastError().isEmpty());
    EXPECT_EQ(s.read(QStringLiteral("ZAZ.ini")).value("connect", "serveur"), "VIREO-SERVER");
}
