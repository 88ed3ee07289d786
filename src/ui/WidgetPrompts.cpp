#include "ui/WidgetPrompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace zaz {

namespace {

QString ApplicationTitle()
{
    return QApplication::applicationName().isEmpty() ? QStringLiteral("ZAZ")
                                                     : QApplication::applicationName();
}

// The program's messages separate their lines with CR, as its own boxes did; a Qt box
// breaks lines at LF.
QString Displayed(const QString &text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QString DialogFilter(const QString &pipeFilter)
{
    return QtFileFilters(pipeFilter).join(QStringLiteral(";;"));
}

} // namespace

void WidgetPrompts::showMessage(const QString &text)
{
    QMessageBox::information(parent_, ApplicationTitle(), Displayed(text));
}

Prompts::Answer WidgetPrompts::ask(const QString &text, const QString &caption, Buttons buttons)
{
    QMessageBox::StandardButtons shown;
    QMessageBox::StandardButton escape = QMessageBox::Cancel;
    switch (buttons) {
    case Buttons::Ok: shown = QMessageBox::Ok; escape = QMessageBox::Ok; break;
    case Buttons::OkCancel: shown = QMessageBox::Ok | QMessageBox::Cancel; break;
    case Buttons::YesNo: shown = QMessageBox::Yes | QMessageBox::No; escape = QMessageBox::No; break;
    case Buttons::YesNoCancel: shown = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    }
    QMessageBox box(QMessageBox::Question, caption.isEmpty() ? ApplicationTitle() : caption, Displayed(text),
                    shown, parent_);
    box.setEscapeButton(escape);
    switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

std::optional<QString> WidgetPrompts::inputQuery(const QString &caption, const QString &prompt,
                                                 const QString &value)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, caption, prompt, QLineEdit::Normal, value, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> WidgetPrompts::openFile(const FileDialogRequest &request)
{
    const QString start = request.fileName.isEmpty() ? request.initialDir : request.fileName;
    const QString file = QFileDialog::getOpenFileName(parent_, request.title, start,
                                                      DialogFilter(request.filter));
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

std::optional<QString> WidgetPrompts::saveFile(const FileDialogRequest &request)
{
    const QString start = request.fileName.isEmpty()
                              ? request.initialDir
                              : QDir(request.initialDir).filePath(request.fileName);
    const QString file = QFileDialog::getSaveFileName(parent_, request.title, start,
                                                      DialogFilter(request.filter));
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

std::optional<TColor> WidgetPrompts::chooseColor(TColor initial)
{
    const QColor chosen = QColorDialog::getColor(ToQColor(initial), parent_);
    if (!chosen.isValid())
        return std::nullopt;
    return FromQColor(chosen);
}

} // namespace zaz
