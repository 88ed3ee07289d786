// The aircraft panel: a small window kept on top that shows, for one aircraft with a strip,
// its route with the point it is passing, what the controller recorded on the strip and,
// for simulator traffic, the state the simulator reports. Its title is the header made by
// the strip board.
#pragma once

#include "state/RadarState.h"

#include <QPoint>
#include <QWidget>
#include <optional>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace zaz {

struct SimSession;

// A strip level as the panel shows it: "FL" and the three digits, or the altitude followed
// by "qnh" when it lies below the transition altitude; empty when the field is blank.
QString PanelLevelText(const QString &field, int transitionAltitude);

class TForm_unavion : public QWidget {
    Q_OBJECT
public:
    explicit TForm_unavion(RadarState &state, QWidget *parent = nullptr);

    // Shows the aircraft at index under this title.
    void showAircraft(int index, const QString &header);
    int aircraft() const { return index_; }
    // Fills every field from the aircraft and its strip.
    void refresh();
    // The simulator session the stop button freezes and releases through.
    void setSimSession(SimSession *session) { session_ = session; }

signals:
    // A scope key pressed while the panel has the focus.
    void scopeKey(int key);
    // The strip of this aircraft is to be opened in the strip editor.
    void stripEditorWanted(const QString &callsign);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QLineEdit *field(const char *name, int x, int y, int width);
    void fillStrip(const QString &line);
    // Hidden when the aircraft left the table or lost its strip; refilled otherwise.
    void modelChanged();

    RadarState &state_;
    SimSession *session_ = nullptr;
    int index_ = kNoAircraft;
    QString callsign_;
    QString header_;
    std::optional<QPoint> place_;
    QTableWidget *route_;
    QPushButton *stop_;
    QPushButton *stripButton_;
    QLineEdit *prov_, *dest_, *dav_, *etap_, *cl_, *nivini_, *sid_, *mr_, *tx_, *to_;
    QLineEdit *point_, *cap_, *niv_, *vitesse_, *enRoute_, *hld_, *star_, *ils_, *ldg_, *pkg_, *ho_, *hocs_;
    QLineEdit *trafficState_, *runway_, *parking_, *etd_, *eta_;
};

} // namespace zaz
