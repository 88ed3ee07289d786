// The radio window, the predefined texts editor and the packet monitor, shown offscreen
// and driven through their captions: messages arriving while the radio is in use or not,
// typed messages going out, the tuning panels, the waiting controllers, com.ini written
// back, and lines sent by hand from the monitor.
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "link/Connection.h"
#include "ui/TForm4.h"
#include "ui/TForm8.h"
#include "ui/Tform_texte.h"
#include "support/TestEnv.h"

#include <QTest>
#include <QtWidgets>
#include "support/RecordingSender.h"

#include <gtest/gtest.h>

namespace zaz::test {
namespace {

using Recorder = test::RecordingSender;

// The control showing text as its caption, accessible name or label.
template <typename T>
T *Find(const QWidget &window, const QString &text)
{
    for (T *widget : window.findChildren<T *>()) {
        if constexpr (requires { widget->text(); })
            if (widget->text() == text)
                return widget;
        if (widget->accessibleName() == text)
            return widget;
    }
    for (QLabel *label : window.findChildren<QLabel *>())
        if (label->text() == text && qobject_cast<T *>(label->buddy()))
            return qobject_cast<T *>(label->buddy());
    return nullptr;
}

// The colour of the view's last line.
QColor LastLineColour(const QWidget &radio)
{
    QTextCursor end(Find<QTextEdit>(radio, "messages")->document()->lastBlock());
    end.movePosition(QTextCursor::NextCharacter);
    return end.charFormat().foreground().color();
}

bool Red(const TForm4 &radio, RadioChannel channel) { return radio.indicatorColour(channel) == QColor(255, 0, 0); }

// The program's windows; LFLL_APP on COM1 118.700 with two aircraft and LFMN_APP known.
struct Rig {
    Rig()
    {
        windows = CreateAppWindows(env.services());
        main = windows->form1.get();
        LinkState &link = state().link;
        link.OwnCallsign = QStringLiteral("LFLL_APP");
        link.Com1Digits = QStringLiteral("118700");
        TrafficState &traffic = state().traffic;
        traffic.table.setCallsign(traffic.table.AcquireRecord(), QStringLiteral("EZY45"));
        traffic.LiveTrafficList.append(QStringLiteral("0"));
        ApplyControllerPosition(state().controllers, {}, {QStringLiteral("LFMN_APP"), {}, {}, 0, {}, 0, 0, 0}, {});
    }
    RadarState &state() { return main->state(); }
    TForm4 &radio() { return *windows->radio; }
    // Files a message as the line dispatcher does.
    void receive(const QString &channel, const QString &sender, const QString &text, bool isPrivate = false)
    {
        const QString entry = '>' + channel + ':' + sender + ':' + text;
        state().link.RadioMessages.append(entry);
        emit state().notifier.radioMessage(channel, entry, sender, isPrivate);
    }
    // Shows the radio on a channel and makes it the active window.
    void useRadio(const QString &channel)
    {
        main->menu().Frquence1->trigger();
        Find<QToolButton>(radio(), channel)->click();
        QApplication::setActiveWindow(&radio());
    }
    QString view() { return Find<QTextEdit>(radio(), "messages")->toPlainText(); }
    bool pressed(const QString &channel) { return Find<QToolButton>(radio(), channel)->isChecked(); }

    TestEnv env = TestEnv::withStartingData();
    std::unique_ptr<AppWindows> windows;
    TForm1 *main = nullptr;
};

} // namespace

TEST(RadioWindow, AMessageMarksItsChannelUnreadWhileTheRadioIsUsedElseShowsItAndCallersWait)
{
    Rig r;
    r.useRadio("COM1");
    ASSERT_TRUE(r.radio().isActiveWindow());
    r.receive("UNICOM", "EZY45", "bonjour");
    EXPECT_TRUE(Red(r.radio(), RadioChannel::Unicom));
    EXPECT_TRUE(r.pressed("COM1") && r.view().isEmpty());

    // Pressing the channel shows it and restores its indicator.
    Find<QToolButton>(r.radio(), "UNICOM")->click();
    EXPECT_FALSE(Red(r.radio(), RadioChannel::Unicom));
    EXPECT_EQ(r.view(), ">UNICOM:EZY45:bonjour");
    EXPECT_EQ(LastLineColour(r.radio()), QColor(255, 0, 0));

    // With the radio hidden, the message's channel is pressed and the window shown.
    r.radio().hide();
    QApplication::setActiveWindow(r.main);
    r.receive("COM1", "EZY45", "descente");
    EXPECT_TRUE(r.radio().isVisible() && r.pressed("COM1"));
    EXPECT_EQ(r.view(), ">COM1:EZY45:descente");

    // A call while the radio is used on COM1 waits on its button.
    QApplication::setActiveWindow(&r.radio());
    r.receive("TELE", "LFMN_APP", "on se parle ?", true);
    EXPECT_TRUE(Red(r.radio(), RadioChannel::Telephone));
    QPushButton *waiting = r.radio().findChild<QPushButton *>(QStringLiteral("Button_att1"));
    ASSERT_TRUE(waiting->isVisibleTo(&r.radio()));
    EXPECT_EQ(waiting->text(), "LFMN_APP");
    waiting->click();
    EXPECT_TRUE(r.pressed("Telephone") && !waiting->isVisibleTo(&r.radio()));
    EXPECT_FALSE(Red(r.radio(), RadioChannel::Telephone));
    EXPECT_TRUE(Find<QPushButton>(r.radio(), "envoi LFMN_APP")->isEnabled());
    EXPECT_EQ(r.view(), ">TELE:LFMN_APP:on se parle ?");

    // The scope's keys reach the scope from the radio.
    QTest::keyClick(Find<QLineEdit>(r.radio(), "message"), Qt::Key_F2);
    EXPECT_EQ(r.state().view.vectorMinutes, 2);
}

TEST(RadioWindow, TypedMessagesGoOutOnTheChannelAndTuningEnablesCom2)
{
    Rig r;
    Recorder wire;
    TForm4 radio(r.state(), wire);
    radio.Frquence1Click();
    auto *selector = Find<QComboBox>(radio, "destinataire");
    selector->setCurrentIndex(selector->findText("EZY45"));
    auto *input = Find<QLineEdit>(radio, "message");
    input->setText("bonjour");
    QTest::keyClick(input, Qt::Key_Return);
    EXPECT_EQ(wire.sent, QStringList{"#TMLFLL_APP:@22800:EZY45 bonjour\r\n"});
    EXPECT_TRUE(input->text().isEmpty());
    EXPECT_EQ(Find<QTextEdit>(radio, "messages")->toPlainText(), "<UNICOM:EZY45 bonjour");
    EXPECT_EQ(LastLineColour(radio), QColor(Qt::black));

    // COM2 cannot send until tuned: 117.025 through the panels.
    Find<QToolButton>(radio, "COM2")->click();
    EXPECT_FALSE(Find<QPushButton>(radio, "envoi")->isEnabled());
    QLabel *whole = Find<QLabel>(radio, "MHz");
    QTest::mouseClick(whole, Qt::LeftButton);
    QTest::mouseClick(Find<QLabel>(radio, "kHz"), Qt::LeftButton);
    EXPECT_EQ(whole->text(), "117");
    Find<QPushButton>(radio, "régler COM2")->click();
    EXPECT_EQ(Find<QLabel>(radio, "fréquence COM2")->text(), "117.025");
    EXPECT_TRUE(Find<QPushButton>(radio, "envoi 117.025")->isEnabled());
}

TEST(TextsEditor, AnAddedTextIsSavedIntoItsSectionAndAFailedWriteLosesNothing)
{
    Rig r;
    r.main->menu().textes1->trigger();
    Tform_texte &editor = *r.windows->texts;
    Find<QRadioButton>(editor, "centre ")->click();
    auto *grid = editor.findChild<QTableWidget *>(QStringLiteral("StringGrid1"));
    const int rows = grid->rowCount();
    Find<QLineEdit>(editor, "commande")->setText("sortie");
    Find<QLineEdit>(editor, "texte")->setText("quittez ");
    auto *variables = Find<QComboBox>(editor, "variables");
    emit variables->activated(variables->findText("$FREQ"));
    Find<QPushButton>(editor, "Ajouter")->click();
    ASSERT_EQ(grid->rowCount(), rows + 1);
    Find<QPushButton>(editor, "Enregistrer")->click();
    EXPECT_TRUE(r.env.prompts.messages().isEmpty());

    EXPECT_EQ(IniFile(r.env.path("com.ini")).readString("centre ", "sortie", ""), "quittez $FREQ");

    // The file cannot be replaced: told, and the grid keeps the new row.
    ASSERT_TRUE(QFile::remove(r.env.path("com.ini")) && QDir(r.env.dir()).mkdir("com.ini"));
    grid->item(rows, 1)->setText("autre");
    Find<QPushButton>(editor, "Enregistrer")->click();
    ASSERT_EQ(r.env.prompts.messages().size(), 1);
    EXPECT_TRUE(r.env.prompts.messages()[0].startsWith("Les textes n'ont pas été enregistrés"));
    EXPECT_EQ(grid->item(rows, 1)->text(), "autre");
}

TEST(PacketMonitor, TheMenuFollowsTheConnectionAndLinesAreSentByHand)
{
    Rig r;
    QAction *item = r.main->menu().paquets1;
    EXPECT_FALSE(item->isEnabled());
    emit r.main->connection().loginSent();
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    EXPECT_TRUE(r.state().link.monitorTicked && r.windows->packets->isVisible());
    item->trigger();
    EXPECT_FALSE(r.state().link.monitorTicked);
    emit r.main->connection().closed(false);
    EXPECT_FALSE(item->isEnabled());

    // Lines are sent as typed; Enter in the sent lines sends the last one again.
    Recorder wire;
    LinkState &link = r.state().link;
    link.ErrorLog.append("$ZZ:mauvais");
    TForm8 monitor(link, r.state().traffic, wire);
    monitor.show();
    EXPECT_EQ(Find<QPlainTextEdit>(monitor, "paquets en erreur")->toPlainText(), "$ZZ:mauvais");
    auto *packet = Find<QLineEdit>(monitor, "envoi paquet");
    packet->setText("#TMLFLL_APP:@22800:essai");
    QTest::keyClick(packet, Qt::Key_Return);
    auto *sent = Find<QPlainTextEdit>(monitor, "paquets sortants");
    EXPECT_EQ(sent->toPlainText(), "#TMLFLL_APP:@22800:essai");
    QTest::keyClick(sent, Qt::Key_Return);
    EXPECT_EQ(wire.sent, QStringList({"#TMLFLL_APP:@22800:essai", "#TMLFLL_APP:@22800:essai\r\n"}));
}

} // namespace zaz::test
