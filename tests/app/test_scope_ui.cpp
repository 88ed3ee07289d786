// The scope of the main window under the mouse and the keys, its dialogs and the "C" key.
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "scope/ScopeInteraction.h"
#include "sector/Projection.h"
#include "traffic/TrafficOps.h"
#include "ui/ControlAiLink.h"
#include "ui/ScopeView.h"
#include "ui/TForm_vues.h"
#include "support/TestEnv.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <future>
#include <gtest/gtest.h>

namespace zaz::test {
namespace {

// The program after its start on the starting data (the demo sector loaded), shown.
struct Program {
    Program()
    {
        form.FormShow();
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        env.prompts.clear();
    }
    // The scope in the pixels of the mouse.
    QSize size() const { return form.picture().deviceIndependentSize().toSize(); }
    QPoint middle() const { return QPoint(size().width() / 2, size().height() / 2); }
    QPointF geoUnder(QPoint p)
    {
        ComputeEdges(state.view, size());
        return ScreenToGeo(state.view, p.x(), p.y());
    }

    TestEnv env = TestEnv::withStartingData();
    std::unique_ptr<AppWindows> windows = CreateAppWindows(env.services());
    TForm1 &form = *windows->form1;
    RadarState &state = form.state();
    ScopeView *scope = form.findChild<ScopeView *>(QStringLiteral("scope"));
};

QAbstractButton *Button(QWidget *window, const QString &caption)
{
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>())
        if (b->text() == caption)
            return b;
    ADD_FAILURE() << "no button " << caption.toStdString();
    return nullptr;
}

// Runs work on the modal dialog the next action opens.
void OnModal(std::function<void(QWidget *)> work)
{
    QTimer::singleShot(0, [work] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        work(dialog);
    });
}

} // namespace

TEST(ScopeUi, TheMousePicksMeasuresPansHoversAndDeselects)
{
    Program p;
    const SectorIdentity &own = p.state.sector.identity;
    ServerPosition position;
    position.callsign = QStringLiteral("AFR1");
    position.lat = own.ownLat;
    position.lon = own.ownLon;
    const int index = ApplyServerPosition(p.state.traffic, position, false, p.env.clock.now());
    QSignalSpy selection(&p.state.notifier, &StateNotifier::selectionChanged);

    QTest::keyClick(p.scope, Qt::Key_F5);
    const QPoint target = p.middle();
    QTest::mousePress(p.scope, Qt::LeftButton, Qt::NoModifier, target);
    EXPECT_EQ(p.state.traffic.SelectedAircraft, index);
    EXPECT_EQ(selection.count(), 1);
    EXPECT_TRUE(p.state.scope.cursor.shown);
    QTest::mouseRelease(p.scope, Qt::LeftButton, Qt::NoModifier, target);
    EXPECT_FALSE(p.state.scope.cursor.shown);

    QMouseEvent hover(QEvent::MouseMove, QPoint(40, 30), QPoint(), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(p.scope, &hover);
    EXPECT_EQ(p.form.statusText(1), PointerPositionText(p.state.view, p.size(), QPoint(40, 30)));

    QTest::mousePress(p.scope, Qt::RightButton, Qt::NoModifier, QPoint(50, 60));
    const QPointF anchor = p.geoUnder(QPoint(50, 60));
    QMouseEvent drag(QEvent::MouseMove, QPoint(250, 160), QPoint(), Qt::NoButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(p.scope, &drag);
    EXPECT_EQ(p.scope->cursor().shape(), Qt::ClosedHandCursor);
    const QPointF under = p.geoUnder(QPoint(250, 160));
    EXPECT_NEAR(under.x(), anchor.x(), 1e-4);
    EXPECT_NEAR(under.y(), anchor.y(), 1e-4);
    QTest::mouseRelease(p.scope, Qt::RightButton, Qt::NoModifier, QPoint(250, 160));
    EXPECT_EQ(p.scope->cursor().shape(), Qt::ArrowCursor);

    QTest::mouseDClick(p.scope, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(p.state.traffic.SelectedAircraft, kNoAircraft);
    EXPECT_EQ(selection.count(), 2);
}

TEST(ScopeUi, TheWheelAndTheKeysZoomMoveCentreAndLayTheWindowOut)
{
    Program p;
    ViewState &view = p.state.view;
    const float scale = view.scale;
    QWheelEvent wheel(QPointF(9, 9), QPointF(), QPoint(), QPoint(0, 120), {}, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(p.scope, &wheel);
    EXPECT_FLOAT_EQ(view.scale, scale * p.state.settings.display.zoomSensitivity / 100);

    const QPoint centre = p.middle();
    const QPointF east = p.geoUnder(centre + QPoint(10, 0));
    QTest::keyClick(p.scope, Qt::Key_Right);
    EXPECT_NEAR(p.geoUnder(centre).x(), east.x(), 1e-4);
    QTest::keyClick(p.scope, Qt::Key_F5);
    const SectorIdentity &own = p.state.sector.identity;
    EXPECT_EQ(QPointF(view.centreLon, view.centreLat), QPointF(own.ownLon, own.ownLat));
    QTest::keyClick(p.scope, Qt::Key_Up);
    const float north = view.centreLat;
    QTest::keyClick(p.scope, Qt::Key_F6);
    EXPECT_EQ(view.centreLat, north) << "no aircraft selected: the view stays";

    QTest::keyPress(p.scope, Qt::Key_R);
    EXPECT_TRUE(p.state.scope.routeKeyHeld);
    QTest::keyRelease(p.scope, Qt::Key_R);
    EXPECT_FALSE(p.state.scope.routeKeyHeld);

    QTest::keyClick(p.scope, Qt::Key_F7);
    EXPECT_EQ(p.form.geometry(), QRect(0, 0, 1920 - 261, 1080));
    EXPECT_EQ(p.size(), p.form.clientSize());
    QTest::keyClick(p.scope, Qt::Key_F8);
    EXPECT_EQ(p.form.geometry(), QRect(0, 0, 960, 1080));
}

TEST(ScopeUi, TheRadarMenuDialogsChangeTheViewOnlyWhenAccepted)
{
    Program p;
    ViewState &view = p.state.view;
    const float shown = view.range * view.scale;
    OnModal([&](QWidget *dialog) {
        EXPECT_EQ(dialog->windowTitle(), "visibilité");
        EXPECT_EQ(dialog->pos(), p.form.pos() + QPoint(90, 45));
        dialog->findChild<QSlider *>(QStringLiteral("TrackBar1"))->setValue(300);
        dialog->findChild<QSlider *>(QStringLiteral("TrackBar2"))->setValue(25);
        dialog->findChild<QSpinBox *>(QStringLiteral("UpDown1"))->setValue(3);
        Button(dialog, QStringLiteral("changer"))->click();
    });
    p.form.menu().range1->trigger();
    EXPECT_EQ(QString("%1 %2 %3").arg(view.range).arg(view.ringSpacing).arg(view.vectorMinutes), "300 25 3");
    EXPECT_FLOAT_EQ(view.range * view.scale, shown) << "the zoom proportion is kept";

    const VOR &vor = p.state.sector.tables.vors.value(0);
    p.form.menu().centrer1->trigger();
    QWidget *centre = QApplication::activeModalWidget();
    ASSERT_EQ(centre->windowTitle(), "centrer");
    auto *list = centre->findChild<QListWidget *>(QStringLiteral("ListBox1"));
    EXPECT_EQ(list->count(), p.state.sector.tables.airports.size()) << "Airports chosen first";
    Button(centre, QStringLiteral("VOR"))->click();
    list->setCurrentItem(list->findItems(vor.identifier.trimmed(), Qt::MatchExactly).value(0));
    Button(centre, QStringLiteral("Centrer"))->click();
    EXPECT_EQ(QPointF(view.centreLon, view.centreLat), QPointF(vor.longitude, vor.latitude));
    Button(centre, QStringLiteral("Annuler"))->click();
    EXPECT_FALSE(centre->isVisible());
    const SectorIdentity &own = p.state.sector.identity;

    const QString before = own.declinationText;
    for (auto [button, stored] : {std::pair{"annuler", before}, std::pair{"enregistrer", QString("-3.5")}}) {
        OnModal([&](QWidget *dialog) {
            EXPECT_EQ(dialog->windowTitle(), "déclinaison magnétique");
            EXPECT_EQ(dialog->findChild<QLineEdit *>()->text(), before);
            dialog->findChild<QLineEdit *>()->setText(QStringLiteral("-3.5"));
            Button(dialog, QString::fromUtf8(button))->click();
        });
        p.form.menu().Dclinaison1->trigger();
        EXPECT_EQ(own.declinationText, stored);
    }
    EXPECT_FLOAT_EQ(view.declination, -3.5f);
}

TEST(ScopeUi, VuesStoresWithShiftAndRecallsFromItsButtonsAndTheMenu)
{
    Program p;
    p.form.menu().vues1->trigger();
    TForm_vues &views = *p.windows->vues;
    ASSERT_TRUE(views.isVisible());
    ViewState &view = p.state.view;
    const float scale = view.scale;
    QTest::mouseClick(Button(&views, QStringLiteral("vue2")), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_TRUE(p.form.menu().vue21->isVisible());
    EXPECT_FALSE(p.form.menu().Vue11->isVisible());

    view.scale = scale * 2;
    QTest::mouseClick(Button(&views, QStringLiteral("vue1")), Qt::LeftButton);
    EXPECT_EQ(view.scale, scale * 2) << "view 1 was never stored";
    QTest::mouseClick(Button(&views, QStringLiteral("vue2")), Qt::LeftButton);
    EXPECT_EQ(view.scale, scale);
}

TEST(ScopeUi, TheCKeySendsThePanAnchorToTheControlProgramAndShowsItsAnswer)
{
    const std::pair<std::optional<QByteArray>, QStringList> cases[] = {
        {QByteArray::fromHex("03000000"), {"Receiver has 3 lines in Memo!"}},
        {QByteArray::fromHex("00000000"), {}},
        {QByteArray::fromHex("0300"), {"CopyData Receiver NOT found!"}}, // a short answer
        {std::nullopt, {"CopyData Receiver NOT found!"}},               // nobody listens
    };
    Program p;
    QTest::mouseClick(p.scope, Qt::RightButton, Qt::NoModifier, QPoint(70, 80));
    const float anchor[2] = {p.state.scope.panAnchorLat, p.state.scope.panAnchorLon};
    const QByteArray frame = QByteArray::fromHex("0200000008000000")
                             + QByteArray(reinterpret_cast<const char *>(anchor), 8); // little-endian host
    for (const auto &c : cases) {
        SCOPED_TRACE(c.second.join("").toStdString());
        p.env.prompts.clear();
        QLocalServer::removeServer(QLatin1String(kControlAiServer));
        QByteArray received;
        std::promise<void> listening;
        std::unique_ptr<QThread> peer(QThread::create([&] {
            QLocalServer server;
            const bool ok = c.first && server.listen(QLatin1String(kControlAiServer));
            listening.set_value();
            if (!ok || !server.waitForNewConnection(3000))
                return;
            QLocalSocket *socket = server.nextPendingConnection();
            while (received.size() < 16 && socket->waitForReadyRead(2000))
                received += socket->readAll();
            socket->write(*c.first);
            socket->waitForBytesWritten(1000);
            socket->waitForDisconnected(2000);
        }));
        peer->start();
        listening.get_future().wait();
        QTest::keyClick(p.scope, Qt::Key_C);
        peer->wait();
        EXPECT_EQ(p.env.prompts.messages(), c.second);
        EXPECT_EQ(received.toHex(), c.first ? frame.toHex() : QByteArray());
    }
}

} // namespace zaz::test
