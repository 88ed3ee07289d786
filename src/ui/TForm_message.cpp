#include "ui/TForm_message.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QVBoxLayout>

namespace zaz {

TForm_message::TForm_message(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form_message"));
    setWindowTitle(QStringLiteral("message"));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_->setRange(0, 100000);
    progress_->setValue(0);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(progress_);
    resize(420, 60);
}

void TForm_message::begin(const QString &caption)
{
    setWindowTitle(caption);
    progress_->setValue(0);
    show();
    raise();
    // Let the window appear before the work starts.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TForm_message::setMaximum(int maximum)
{
    progress_->setRange(0, maximum > 0 ? maximum : 1);
}

void TForm_message::setPosition(int position)
{
    const int value = qBound(progress_->minimum(), position, progress_->maximum());
    if (value == progress_->value())
        return;
    progress_->setValue(value);
    // The work runs on the GUI thread: give the bar a chance to show its new length.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TForm_message::end()
{
    hide();
}

} // namespace zaz
