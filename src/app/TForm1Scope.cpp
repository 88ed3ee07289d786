// The main window's scope interaction: mouse, wheel and keys on the scope, the screen
// layouts, the stored views and the centring, range and declination dialogs.
#include "app/TForm1.h"

#include "core/Text.h"
#include "link/Connection.h"
#include "scope/ScopeInteraction.h"
#include "ui/ControlAiLink.h"
#include "ui/ScopeView.h"
#include "ui/TForm3.h"
#include "ui/TForm_decline.h"
#include "ui/TForm_range.h"
#include "ui/TForm_vues.h"

#include <QAction>

namespace zaz {

namespace {

constexpr int kConsoleWidthOneScreen = 261;

// The scope in the pixels of the mouse: the picture's size without its resolution factor.
QSize ScopeSize(const QImage &picture)
{
    return picture.deviceIndependentSize().toSize();
}

} // namespace

void TForm1::connectScopeInteraction(const ScopeDialogs &dialogs)
{
    scopeDialogs_ = dialogs;
    connect(scope_, &ScopeView::mousePressed, this, [this](QMouseEvent *e) {
        FormMouseDown(e->button(), e->position().toPoint(), e->modifiers());
    });
    connect(scope_, &ScopeView::mouseMoved, this, [this](QMouseEvent *e) {
        FormMouseMove(e->buttons(), e->position().toPoint(), e->modifiers());
    });
    connect(scope_, &ScopeView::mouseReleased, this, [this](QMouseEvent *e) { FormMouseUp(e->button()); });
    connect(scope_, &ScopeView::mouseDoubleClicked, this, [this](QMouseEvent *e) {
        if (e->button() == Qt::LeftButton)
            FormDblClick();
    });
    connect(scope_, &ScopeView::wheelTurned, this, [this](QWheelEvent *e) { FormMouseWheel(e->angleDelta().y()); });
    connect(scope_, &ScopeView::keyPressed, this, [this](QKeyEvent *e) { FormKeyDown(e->key()); });
    connect(scope_, &ScopeView::keyReleased, this, [this](QKeyEvent *e) {
        if (!e->isAutoRepeat())
            FormKeyUp(e->key());
    });

    const MainMenuItems &m = menu_;
    connect(m.rectangulaire1, &QAction::triggered, this, &TForm1::rectangulaire1Click);
    connect(m.carr1, &QAction::triggered, this, &TForm1::carr1Click);
    connect(m.range1, &QAction::triggered, this, &TForm1::range1Click);
    connect(m.centrer1, &QAction::triggered, this, &TForm1::centrer1Click);
    connect(m.Dclinaison1, &QAction::triggered, this, &TForm1::Dclinaison1Click);
    connect(m.vues1, &QAction::triggered, this, &TForm1::vues1Click);
    for (int slot = 0; slot < kStoredViews; ++slot) {
        // No view is stored at start.
        viewItem(slot)->setVisible(false);
        connect(viewItem(slot), &QAction::triggered, this, [this, slot] { recallView(slot); });
    }

    if (TForm3 *centre = dialogs.centre) {
        connect(centre, &TForm3::pointChosen, this, [this](PointTable table, const QString &identifier) {
            CentreOnPoint(state_.view, state_.sector.tables, table, identifier);
            fullRedraw();
        });
        connect(centre, &TForm3::ownPositionChosen, this, [this] { FormKeyDown(Qt::Key_F5); });
        connect(centre, &TForm3::selectedAircraftChosen, this, [this] { FormKeyDown(Qt::Key_F6); });
    }
    if (TForm_vues *views = dialogs.views) {
        connect(views, &TForm_vues::storeWanted, this, &TForm1::storeView);
        connect(views, &TForm_vues::recallWanted, this, &TForm1::recallView);
    }
}

QAction *TForm1::viewItem(int slot) const
{
    QAction *const items[kStoredViews] = {menu_.Vue11, menu_.vue21, menu_.vue31, menu_.vue41};
    return items[slot];
}

void TForm1::FormMouseDown(Qt::MouseButton button, QPoint point, Qt::KeyboardModifiers modifiers)
{
    RadarState &s = state_;
    if (button == Qt::RightButton) {
        SetPanAnchor(s.scope, s.view, ScopeSize(picture_), point);
        return;
    }
    if (button != Qt::LeftButton)
        return;
    scope_->unsetCursor();
    const QList<int> picked = LeftClick(s.scope, s.traffic, s.link, *connection_, s.sector.tables, s.view,
                                        ScopeSize(picture_), point, modifiers.testFlag(Qt::ShiftModifier));
    if (!picked.isEmpty()) {
        emit s.notifier.selectionChanged();
        emit s.notifier.aircraftPanelWanted(s.traffic.SelectedAircraft);
    }
    fullRedraw();
}

void TForm1::FormMouseMove(Qt::MouseButtons buttons, QPoint point, Qt::KeyboardModifiers modifiers)
{
    RadarState &s = state_;
    if (buttons.testFlag(Qt::RightButton)) {
        scope_->setCursor(Qt::ClosedHandCursor);
        PanTo(s.scope, s.view, ScopeSize(picture_), point);
        fullRedraw();
        return;
    }
    bool redraw = HoverBeacons(s.sector.tables, s.view, ScopeSize(picture_), point);
    if (s.sector.identity.loaded)
        setStatusText(1, PointerPositionText(s.view, ScopeSize(picture_), point));
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        UpdateRangeLine(s.scope, s.view, ScopeSize(picture_), point);
        redraw = true;
    }
    if (redraw)
        fullRedraw();
}

void TForm1::FormMouseUp(Qt::MouseButton button)
{
    if (button == Qt::LeftButton) {
        EndMeasuring(state_.scope);
        fullRedraw();
    } else if (button == Qt::RightButton) {
        scope_->unsetCursor();
    }
}

void TForm1::FormDblClick()
{
    state_.traffic.SelectedAircraft = kNoAircraft;
    emit state_.notifier.selectionChanged();
    fullRedraw();
}

void TForm1::FormMouseWheel(int delta)
{
    ViewState &view = state_.view;
    ZoomWheel(view, delta, state_.settings.display.zoomSensitivity, clientSize().height());
    if (state_.sector.identity.loaded)
        fullRedraw();
    else
        copyPictureToWindow();
}

void TForm1::FormKeyDown(int key)
{
    RadarState &s = state_;
    switch (key) {
    case Qt::Key_F1:
    case Qt::Key_F2:
    case Qt::Key_F3:
        s.view.vectorMinutes = key - Qt::Key_F1 + 1;
        break;
    case Qt::Key_F5:
        CentreOnOwnPosition(s.view, s.sector.identity);
        break;
    case Qt::Key_F6:
        CentreOnSelected(s.view, s.traffic);
        break;
    case Qt::Key_F7:
        rectangulaire1Click();
        return;
    case Qt::Key_F8:
        carr1Click();
        return;
    case Qt::Key_Left:
        NudgeView(s.view, -kArrowStep, 0);
        break;
    case Qt::Key_Right:
        NudgeView(s.view, kArrowStep, 0);
        break;
    case Qt::Key_Up:
        NudgeView(s.view, 0, kArrowStep);
        break;
    case Qt::Key_Down:
        NudgeView(s.view, 0, -kArrowStep);
        break;
    case Qt::Key_C:
        SendCursorToControlAi(s.scope.panAnchorLat, s.scope.panAnchorLon, *services_.prompts);
        return;
    case Qt::Key_R:
        s.scope.routeKeyHeld = true;
        break;
    default:
        return;
    }
    fullRedraw();
}

void TForm1::FormKeyUp(int key)
{
    if (key == Qt::Key_R) {
        state_.scope.routeKeyHeld = false;
        fullRedraw();
    }
}

void TForm1::rectangulaire1Click()
{
    const QSize screen = screenSize();
    setGeometry(0, 0, screen.width() - kConsoleWidthOneScreen, screen.height());
    // The command console goes beside it (left = main width, top 0, width 261, the main
    // window's height) and the flight list's offsets become 40 and 50 once those windows exist.
    FormResize(clientSize());
    fullRedraw();
}

void TForm1::carr1Click()
{
    const QSize screen = screenSize();
    setGeometry(0, 0, RoundHalfEven(screen.width() / 2.0), screen.height());
    // The command console goes beside it (left = main width, top 0, width 300, the main
    // window's height) and the flight list's offsets become 40 and 50 once those windows exist.
    FormResize(clientSize());
    fullRedraw();
}

void TForm1::range1Click()
{
    TForm_range *dialog = scopeDialogs_.range;
    if (!dialog)
        return;
    ViewState &view = state_.view;
    const double proportion = ZoomProportion(view, clientSize().width());
    dialog->prepare(view.range, view.ringSpacing, view.vectorMinutes, pos());
    if (dialog->exec() != QDialog::Accepted)
        return;
    ApplyRange(view, proportion, clientSize().width(), dialog->range());
    view.ringSpacing = dialog->ringSpacing();
    view.vectorMinutes = dialog->vectorMinutes();
    emit state_.notifier.settingsChanged();
    fullRedraw();
}

void TForm1::centrer1Click()
{
    // Modal to the main window without a nested event loop: its buttons act through signals.
    if (TForm3 *dialog = scopeDialogs_.centre) {
        dialog->prepare(pos());
        dialog->open();
    }
}

void TForm1::Dclinaison1Click()
{
    TForm_decline *dialog = scopeDialogs_.declination;
    if (!dialog)
        return;
    dialog->prepare(state_.sector.identity.declinationText);
    if (dialog->exec() != QDialog::Accepted)
        return;
    SetDeclination(state_.sector.identity, state_.view, dialog->text());
    fullRedraw();
}

void TForm1::vues1Click()
{
    if (TForm_vues *views = scopeDialogs_.views) {
        views->show();
        views->raise();
    }
}

void TForm1::storeView(int slot)
{
    StoreView(state_.scope, state_.view, slot);
    if (slot >= 0 && slot < kStoredViews)
        viewItem(slot)->setVisible(true);
}

void TForm1::recallView(int slot)
{
    if (RecallView(state_.scope, state_.view, slot))
        fullRedraw();
}

} // namespace zaz
