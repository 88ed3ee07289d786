#include "ui/TForm_depot.h"

#include "core/Clock.h"
#include "core/Codec.h"
#include "core/Prompts.h"
#include "core/SafeSave.h"
#include "link/Senders.h"

#include <QFileInfo>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace zaz {

namespace {

// A date typed as the system writes short dates; a two-digit year is of this century,
// and four digits are taken where the format has two. Invalid when the text is no date.
QDate ParseShortDate(const QString &text)
{
    const QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    const bool twoDigitYear = format.contains(QLatin1String("yy")) && !format.contains(QLatin1String("yyyy"));
    const QString typed = text.trimmed();
    QDate date = QDate::fromString(typed, format);
    if (date.isValid() && twoDigitYear)
        return date.addYears(100);
    if (!date.isValid() && twoDigitYear)
        date = QDate::fromString(typed, QString(format).replace(QLatin1String("yy"), QLatin1String("yyyy")));
    return date;
}

} // namespace

TForm_depot::TForm_depot(RadarState &state, LineSender &sender, Prompts &prompts, const Clock &clock,
                         QWidget *parent)
    : QDialog(parent), state_(state), sender_(sender), prompts_(prompts), clock_(clock)
{
    setObjectName(QStringLiteral("Form_depot"));
    setWindowTitle(QStringLiteral("plans de vol déposés"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    list_->setAccessibleName(QStringLiteral("plans de vol déposés"));
    auto *save = new QPushButton(QStringLiteral("exporter"), this);
    save->setObjectName(QStringLiteral("Button_enr"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(save);
    connect(save, &QPushButton::clicked, this, &TForm_depot::Button_enrClick);
    connect(&state_.notifier, &StateNotifier::filedPlansChanged, this, [this] {
        if (isVisible())
            refresh();
    });
}

void TForm_depot::request(const QString &selection, const QString &caption)
{
    state_.traffic.FiledPlans.clear();
    RequestFiledPlans(state_.link, sender_, selection);
    setWindowTitle(caption);
    refresh();
    show();
    raise();
}

void TForm_depot::TOUS1Click()
{
    request(QStringLiteral("TOUS"), QStringLiteral("plans de vol déposés"));
}

void TForm_depot::pardate1Click()
{
    const QDate today = clock_.now().date();
    const QString todayText = QLocale::system().toString(today, QLocale::ShortFormat);
    const std::optional<QString> typed =
        prompts_.inputQuery(QStringLiteral("FP déposés"), QStringLiteral("entrez la date"), todayText);
    if (!typed)
        return;
    const QDate date = ParseShortDate(*typed);
    if (!date.isValid()) {
        prompts_.showMessage(QStringLiteral("date non valide"));
        return;
    }
    if (date < today) {
        prompts_.showMessage(QStringLiteral("date dépassée"));
        return;
    }
    request(*typed, QStringLiteral("plans de vol déposés au ") + *typed);
}

void TForm_depot::refresh()
{
    list_->clear();
    for (const QString &row : std::as_const(state_.traffic.FiledPlans))
        list_->addItem(QString(row).replace(QLatin1Char('\t'), QStringLiteral("  ")));
}

void TForm_depot::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    refresh();
}

void TForm_depot::Button_enrClick()
{
    const QStringList &rows = state_.traffic.FiledPlans;
    if (rows.isEmpty()) {
        prompts_.showMessage(QStringLiteral("pas de plan de vol déposé"));
        return;
    }
    FileDialogRequest dialog;
    dialog.title = QStringLiteral("export vers fichier texte");
    dialog.filter = QStringLiteral("fichier texte (*.txt)|*.txt");
    std::optional<QString> file = prompts_.saveFile(dialog);
    if (!file)
        return;
    if (QFileInfo(*file).suffix().isEmpty())
        *file += QStringLiteral(".txt");
    QString text;
    for (const QString &row : rows)
        text += QString(row).replace(QLatin1Char('/'), QLatin1Char('\t')) + QLatin1String("\r\n");
    QString error;
    if (!SafeSaveBytes(*file, EncodeCp1252(text), error))
        prompts_.showMessage(error);
}

} // namespace zaz
