// The "VUES" tool window: four buttons "vue1" to "vue4". A click with Shift held stores the
// current view under the button, a plain click recalls it. Only the buttons show.
#pragma once

#include <QList>
#include <QWidget>

class QPushButton;

namespace zaz {

class TForm_vues : public QWidget {
    Q_OBJECT
public:
    explicit TForm_vues(QWidget *parent = nullptr);

    QList<QPushButton *> buttons() const { return buttons_; }

signals:
    void storeWanted(int slot);
    void recallWanted(int slot);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QPushButton *> buttons_;
    bool shiftAtPress_ = false;
};

} // namespace zaz
