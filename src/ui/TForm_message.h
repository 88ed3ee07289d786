// The progress window "message" shown during long work such as loading a sector.
#pragma once

#include "core/ProgressDisplay.h"

#include <QWidget>

class QProgressBar;

namespace zaz {

class TForm_message : public QWidget, public ProgressDisplay {
    Q_OBJECT
public:
    explicit TForm_message(QWidget *parent = nullptr);

    QProgressBar *ProgressBar1() const { return progress_; }

    void begin(const QString &caption) override;
    void setMaximum(int maximum) override;
    void setPosition(int position) override;
    void end() override;

private:
    QProgressBar *progress_;
};

} // namespace zaz
