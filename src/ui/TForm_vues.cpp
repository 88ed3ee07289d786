#include "ui/TForm_vues.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegion>

namespace zaz {

namespace {

constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 2;

} // namespace

TForm_vues::TForm_vues(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form_vues"));
    setWindowTitle(QStringLiteral("VUES"));
    const QString hint = QStringLiteral("utliser la touche MAJ pour enregistrer");
    setToolTip(hint);
    QRegion shown;
    for (int i = 0; i < 4; ++i) {
        auto *button = new QPushButton(QStringLiteral("vue%1").arg(i + 1), this);
        button->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        button->setToolTip(hint);
        button->setGeometry(0, i * (kButtonHeight + kButtonGap), kButtonWidth, kButtonHeight);
        button->installEventFilter(this);
        shown += button->geometry();
        connect(button, &QPushButton::clicked, this, [this, i] {
            // Shift counts when it was held as the button went down (or, for a click by
            // the keyboard, now).
            const bool store = shiftAtPress_ || QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier);
            shiftAtPress_ = false;
            if (store)
                emit storeWanted(i);
            else
                emit recallWanted(i);
        });
        buttons_ << button;
    }
    setFixedSize(shown.boundingRect().size());
    setMask(shown);
}

bool TForm_vues::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress)
        shiftAtPress_ = static_cast<QMouseEvent *>(event)->modifiers().testFlag(Qt::ShiftModifier);
    return QWidget::eventFilter(watched, event);
}

} // namespace zaz
