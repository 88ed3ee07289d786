// The "déclinaison magnétique" dialog: the declination as the controller types it.
#pragma once

#include <QDialog>

class QLineEdit;

namespace zaz {

class TForm_decline : public QDialog {
    Q_OBJECT
public:
    explicit TForm_decline(QWidget *parent = nullptr);

    void prepare(const QString &declinationText);
    QString text() const;
    QLineEdit *Edit1() const { return edit1_; }

private:
    QLineEdit *edit1_ = nullptr;
};

} // namespace zaz
