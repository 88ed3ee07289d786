// The "visibilité" dialog: range of the view, range-ring spacing and speed-vector length.
#pragma once

#include <QDialog>

class QLabel;
class QSlider;
class QSpinBox;

namespace zaz {

class TForm_range : public QDialog {
    Q_OBJECT
public:
    explicit TForm_range(QWidget *parent = nullptr);

    // Fills the controls and places the dialog 45 pixels below and 90 pixels right of the
    // main window's top-left.
    void prepare(int range, int ringSpacing, int vectorMinutes, QPoint mainTopLeft);
    int range() const;
    int ringSpacing() const;
    int vectorMinutes() const;

    QSlider *TrackBar1() const { return trackBar1_; }
    QSlider *TrackBar2() const { return trackBar2_; }
    QSpinBox *UpDown1() const { return upDown1_; }

private:
    QSlider *trackBar1_ = nullptr;
    QSlider *trackBar2_ = nullptr;
    QSpinBox *upDown1_ = nullptr;
};

} // namespace zaz
