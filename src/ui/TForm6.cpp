#include "ui/TForm6.h"

#include "core/Prompts.h"
#include "state/RadarState.h"
#include "weather/Atis.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace zaz {

namespace {

QLineEdit *NamedEdit(const char *name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

} // namespace

TForm6::TForm6(RadarState &state, Prompts &prompts, QWidget *mainWindow)
    : QDialog(mainWindow), state_(state), prompts_(prompts), broadcast_(kAtisLineCount)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("ATIS"));
    // Closed by its buttons only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    letter_ = new QComboBox(this);
    letter_->setObjectName(QStringLiteral("ComboBox1"));
    letter_->addItems(AtisLetters());
    takeoff_ = NamedEdit("Edit_TO", this);
    landing_ = NamedEdit("Edit_LDG", this);
    altitude_ = NamedEdit("Edit_TA", this);
    level_ = NamedEdit("Edit_TL", this);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("information"), letter_);
    form->addRow(QStringLiteral("piste TO"), takeoff_);
    form->addRow(QStringLiteral("piste LDG"), landing_);
    form->addRow(QStringLiteral("altitude de transition"), altitude_);
    form->addRow(QStringLiteral("niveau de transition"), level_);

    summaryMemo_ = new QPlainTextEdit(this);
    summaryMemo_->setObjectName(QStringLiteral("Memo1"));
    summaryMemo_->setAccessibleName(QStringLiteral("résumé"));
    summaryMemo_->setReadOnly(true);
    additionalMemo_ = new QPlainTextEdit(this);
    additionalMemo_->setObjectName(QStringLiteral("Memo2"));
    auto *additionalLabel = new QLabel(QStringLiteral("texte additionel"), this);
    additionalLabel->setObjectName(QStringLiteral("Label_memo2"));
    additionalLabel->setBuddy(additionalMemo_);
    additionalMemo_->setAccessibleName(additionalLabel->text());

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    auto *cancel = new QPushButton(QStringLiteral("Anul"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(summaryMemo_);
    layout->addWidget(additionalLabel);
    layout->addWidget(additionalMemo_);
    layout->addLayout(buttons);

    connect(letter_, &QComboBox::currentIndexChanged, this, &TForm6::letterChosen);
    connect(takeoff_, &QLineEdit::textChanged, this, &TForm6::runwaysEdited);
    connect(landing_, &QLineEdit::textChanged, this, &TForm6::runwaysEdited);
    connect(altitude_, &QLineEdit::textChanged, this, &TForm6::transitionsEdited);
    connect(level_, &QLineEdit::textChanged, this, &TForm6::transitionsEdited);
    connect(ok, &QPushButton::clicked, this, &TForm6::okClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm6::ATIS1Click()
{
    const LinkState &link = state_.link;
    if (link.Com1Digits.trimmed().isEmpty()) {
        prompts_.showMessage(QStringLiteral("renseignez votre fréquence radio"));
        return;
    }
    prepare();
    setWindowTitle(AtisCaption(link.OwnCallsign, link.Com1Digits));
    if (exec() == QDialog::Accepted)
        emit atisStored();
}

void TForm6::prepare()
{
    const AtisOpening opening = OpenAtis(state_.weather.atis.lines, state_.link.OwnCallsign);
    summary_ = opening.summary;
    additionalMemo_->setPlainText(opening.additional.join(QLatin1Char('\n')));
    // The edits show the values in force; loading them rewrites no summary line.
    const AtisState &atis = state_.weather.atis;
    const QSignalBlocker blockLetter(letter_), blockTakeoff(takeoff_), blockLanding(landing_),
        blockAltitude(altitude_), blockLevel(level_);
    letter_->setCurrentIndex(AtisLetters().indexOf(atis.letter));
    takeoff_->setText(atis.takeoffRunway);
    landing_->setText(atis.landingRunway);
    altitude_->setText(atis.transitionAltitude);
    level_->setText(atis.transitionLevel);
    refreshWeatherLines();
}

void TForm6::refreshWeatherLines()
{
    FillAtisSummaryWeather(summary_, state_.weather.CurrentWeather);
    showSummary();
}

void TForm6::showSummary()
{
    summaryMemo_->setPlainText(summary_.join(QLatin1Char('\n')));
}

void TForm6::letterChosen()
{
    WeatherState &weather = state_.weather;
    SetAtisLetter(weather, letter_->currentText());
    summary_[0] = AtisSummaryHeader(state_.link.OwnCallsign, weather.atis.letter, weather.CurrentWeather.time);
    refreshWeatherLines();
}

void TForm6::runwaysEdited()
{
    SetAtisRunways(state_.weather, takeoff_->text(), landing_->text());
    summary_[5] = AtisSummaryRunways(state_.weather.atis);
    refreshWeatherLines();
}

void TForm6::transitionsEdited()
{
    SetAtisTransitions(state_.weather, altitude_->text(), level_->text());
    summary_[6] = AtisSummaryTransitions(state_.weather.atis);
    refreshWeatherLines();
}

void TForm6::okClick()
{
    const QString additional = additionalMemo_->toPlainText();
    const QStringList lines = additional.isEmpty() ? QStringList() : additional.split(QLatin1Char('\n'));
    AcceptAtis(state_.weather, summary_, lines, broadcast_);
    accept();
}

} // namespace zaz
