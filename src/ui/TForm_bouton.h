// The shortcut window "CMD": five labels that do what their menu items do.
#pragma once

#include <QList>
#include <QWidget>

class QAction;
class QLabel;

namespace zaz {

class TForm_bouton : public QWidget {
    Q_OBJECT
public:
    // One label per (caption, menu item) pair; clicking a label triggers its item.
    struct Shortcut {
        QString caption;
        QAction *item;
    };
    explicit TForm_bouton(const QList<Shortcut> &shortcuts, QWidget *parent = nullptr);

    QList<QLabel *> labels() const { return labels_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QLabel *> labels_;
    QList<QAction *> items_;
};

} // namespace zaz
