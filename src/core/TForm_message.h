// The progress window "message" shown during long work such as loading a sector.
#pragma once

#include <QWidget>

class QProgressBar;

namespace zaz {

class TForm_message : public QWidget {
    Q_OBJECT
public:
    explicit TForm_message(QWidget *parent = nullptr);

    QProgressBar *ProgressBar1() const { return progress_; }
    // Shows the window with a caption and an empty bar running to maximum.
    void Begin(const QString &caption, int maximum);
    void SetPosition(int position);
    void End();

private:
    QProgressBar *progress_;
};

} // namespace zaz
