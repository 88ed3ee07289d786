#include "ui/TForm2.h"

#include "core/IniFile.h"
#include "core/Prompts.h"
#include "state/RadarState.h"
#include "state/Settings.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

namespace zaz {

namespace {

const QString kMissing = QStringLiteral("error");

QString Read(const IniFile *ini, const QString &section, const QString &key)
{
    return ini ? ini->readString(section, key, kMissing) : kMissing;
}

QLineEdit *NewEdit(const char *name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

// The facility a callsign's suffix (characters 6 to 8) stands for, as the start of the
// facility's caption; empty for any other suffix.
QString FacilityCaptionOf(const QString &callsign)
{
    const QString suffix = callsign.mid(5, 3);
    if (suffix == QLatin1String("OBS"))
        return QStringLiteral("Observer");
    if (suffix == QLatin1String("GND"))
        return QStringLiteral("Ground Controller");
    if (suffix == QLatin1String("TWR"))
        return QStringLiteral("Tower Controller");
    if (suffix == QLatin1String("APP"))
        return QStringLiteral("Approche Departure");
    if (suffix == QLatin1String("CTR"))
        return QStringLiteral("Center Controller");
    return QString();
}

QString RatingFor(int facility)
{
    return facility == 0 ? QStringLiteral("Observer") : QStringLiteral("Controller1");
}

} // namespace

QString TForm2::newServerEntry()
{
    return QStringLiteral("nouveau serveur");
}

TForm2::TForm2(RadarState &state, Prompts &prompts, QWidget *parent)
    : QDialog(parent), state_(state), prompts_(prompts)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("paramètres de Connexion"));

    ComboBox2_ = new QComboBox(this);
    ComboBox2_->setObjectName(QStringLiteral("ComboBox2"));
    edit_serveur_ = NewEdit("edit_serveur", this);
    Label_typ_ = new QLabel(this);
    Label_typ_->setObjectName(QStringLiteral("Label_typ"));
    adresse_ = NewEdit("adresse", this);
    Port_ = NewEdit("Port", this);
    ID_ = NewEdit("ID", this);
    Password_ = NewEdit("Password", this);
    Password_->setEchoMode(QLineEdit::Password);
    Nom_ = NewEdit("Nom", this);
    Callsign_ = NewEdit("Callsign", this);
    ComboBox1_ = new QComboBox(this);
    ComboBox1_->setObjectName(QStringLiteral("ComboBox1"));

    RadioGroup1_ = new QGroupBox(QStringLiteral("type de contrôle"), this);
    RadioGroup1_->setObjectName(QStringLiteral("RadioGroup1"));
    radioLayout_ = new QVBoxLayout(RadioGroup1_);
    radioButtons_ = new QButtonGroup(this);
    radioButtons_->setExclusive(true);

    Button1_ = new QPushButton(QStringLiteral("Connecter"), this);
    Button1_->setObjectName(QStringLiteral("Button1"));
    Button1_->setDefault(true);
    Button2_ = new QPushButton(QStringLiteral("Annuler"), this);
    Button2_->setObjectName(QStringLiteral("Button2"));
    Button4_ = new QPushButton(QStringLiteral("effacer le serveur"), this);
    Button4_->setObjectName(QStringLiteral("Button4"));

    auto *serverRow = new QHBoxLayout;
    serverRow->addWidget(ComboBox2_, 1);
    serverRow->addWidget(Button4_);

    auto *form = new QFormLayout;
    auto *serversLabel = new QLabel(QStringLiteral("serveurs :"), this);
    serversLabel->setBuddy(ComboBox2_);
    form->addRow(serversLabel, serverRow);
    form->addRow(QStringLiteral("nom du serveur :"), edit_serveur_);
    form->addRow(QStringLiteral("type :"), Label_typ_);
    form->addRow(QStringLiteral("adresse :"), adresse_);
    form->addRow(QStringLiteral("port :"), Port_);
    form->addRow(QStringLiteral("identifiant :"), ID_);
    form->addRow(QStringLiteral("mot de passe :"), Password_);
    form->addRow(QStringLiteral("nom :"), Nom_);
    form->addRow(QStringLiteral("callsign :"), Callsign_);
    form->addRow(QStringLiteral("qualification :"), ComboBox1_);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1_);
    buttons->addWidget(Button2_);

    auto *columns = new QHBoxLayout;
    columns->addLayout(form, 1);
    columns->addWidget(RadioGroup1_);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    connect(ComboBox2_, &QComboBox::currentIndexChanged, this, &TForm2::serverSelected);
    connect(Button1_, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(Button2_, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button4_, &QPushButton::clicked, this, &TForm2::Button4Click);
    connect(radioButtons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked && !filling_)
            facilityChosen(id);
    });
}

void TForm2::prepare(const QString &serverName)
{
    setWindowTitle(QStringLiteral("paramètres de connexion VIREO SERVER"));
    edit_serveur_->setText(serverName);
    edit_serveur_->setReadOnly(true);
    loadServer(serverName);
    Callsign_->setText(state_.link.OwnCallsign);

    // The user's name and ID of the last connection.
    const Settings::LastConnection last =
        state_.files.zaz ? Settings::ReadLastConnection(*state_.files.zaz) : Settings::LastConnection();
    if (last.name)
        Nom_->setText(*last.name);
    const IniFile *servers = state_.files.servers.get();
    const bool serverHasId = servers && servers->valueExists(serverName, QStringLiteral("ID"));
    if (!serverHasId && last.id)
        ID_->setText(*last.id);

    fillServerList(serverName);
    fillRatings();
    fillFacilities();
    selectFromCallsign();
}

void TForm2::loadServer(const QString &section)
{
    const IniFile *servers = state_.files.servers.get();
    Label_typ_->setText(Read(servers, section, QStringLiteral("type")));
    adresse_->setText(Read(servers, section, QStringLiteral("adresse")));
    Port_->setText(Read(servers, section, QStringLiteral("port")));
    ID_->setText(Read(servers, section, QStringLiteral("ID")));
    Password_->setText(Read(servers, section, QStringLiteral("password")));
}

void TForm2::fillServerList(const QString &select)
{
    const QStringList sections =
        state_.files.servers ? state_.files.servers->readSections() : QStringList();
    filling_ = true;
    {
        const QSignalBlocker block(ComboBox2_);
        ComboBox2_->clear();
        ComboBox2_->addItems(sections);
        ComboBox2_->addItem(newServerEntry());
        // A server the file does not hold yet is not in the list: nothing is selected.
        int index = -1;
        for (int i = 0; i < sections.size() && index < 0; ++i)
            if (sections[i].compare(select.trimmed(), Qt::CaseInsensitive) == 0)
                index = i;
        ComboBox2_->setCurrentIndex(index);
    }
    filling_ = false;
}

bool TForm2::isNewServerSelected() const
{
    const int index = ComboBox2_->currentIndex();
    return index >= 0 && index == ComboBox2_->count() - 1;
}

void TForm2::serverSelected(int index)
{
    if (filling_ || index < 0)
        return;
    if (isNewServerSelected()) {
        // A new server: its name is typed by the user; the type stays as it was.
        edit_serveur_->clear();
        edit_serveur_->setReadOnly(false);
        adresse_->clear();
        Port_->clear();
        ID_->clear();
        Password_->clear();
        edit_serveur_->setFocus();
        return;
    }
    const QString name = ComboBox2_->itemText(index);
    edit_serveur_->setText(name);
    edit_serveur_->setReadOnly(true);
    loadServer(name);
}

void TForm2::fillRatings()
{
    const QSignalBlocker block(ComboBox1_);
    ComboBox1_->clear();
    ComboBox1_->addItems(state_.link.codeTexts.ratingCaptions);
    ComboBox1_->setCurrentIndex(-1);
}

void TForm2::fillFacilities()
{
    filling_ = true;
    for (QRadioButton *button : std::as_const(facilityItems_)) {
        radioButtons_->removeButton(button);
        delete button;
    }
    facilityItems_.clear();
    const QStringList &captions = state_.link.codeTexts.facilityCaptions;
    for (int k = 0; k < captions.size(); ++k) {
        auto *button = new QRadioButton(captions[k], RadioGroup1_);
        button->setObjectName(QStringLiteral("RadioGroup1_%1").arg(k));
        radioButtons_->addButton(button, k);
        radioLayout_->addWidget(button);
        facilityItems_.append(button);
    }
    filling_ = false;
}

void TForm2::selectRating(const QString &text)
{
    const int index = ComboBox1_->findText(text, Qt::MatchExactly);
    if (index >= 0)
        ComboBox1_->setCurrentIndex(index);
}

void TForm2::selectFromCallsign()
{
    const QString caption = FacilityCaptionOf(state_.link.OwnCallsign);
    if (caption.isEmpty())
        return;
    for (int k = 0; k < facilityItems_.size(); ++k) {
        if (facilityItems_[k]->text().startsWith(caption)) {
            filling_ = true;
            facilityItems_[k]->setChecked(true);
            filling_ = false;
            break;
        }
    }
    selectRating(caption == QLatin1String("Observer") ? RatingFor(0) : RatingFor(1));
}

void TForm2::facilityChosen(int facility)
{
    Callsign_->setText(Callsign_->text().left(4) + FacilitySuffix(facility));
    selectRating(RatingFor(facility));
}

ConnectionChoice TForm2::choice() const
{
    ConnectionChoice choice;
    choice.serverName = edit_serveur_->text().trimmed();
    choice.serverType = Label_typ_->text();
    choice.address = adresse_->text();
    choice.port = Port_->text();
    choice.userId = ID_->text();
    choice.password = Password_->text();
    choice.userName = Nom_->text();
    choice.callsign = Callsign_->text();
    choice.rating = ComboBox1_->currentIndex() + 1;
    choice.ratingText = ComboBox1_->currentIndex() >= 0 ? ComboBox1_->currentText() : QString();
    choice.facility = radioButtons_->checkedId();
    if (const QAbstractButton *button = radioButtons_->checkedButton())
        choice.facilityText = button->text();
    return choice;
}

void TForm2::Button1Click()
{
    const ConnectionChoice c = choice();
    // A callsign the server would refuse is not saved and connects nothing: the dialog stays
    // open for it to be corrected.
    if (!CallsignIsValid(c.callsign)) {
        prompts_.showMessage(InvalidCallsignText());
        Callsign_->setFocus();
        return;
    }

    if (IniFile *zaz = state_.files.zaz.get()) {
        if (!Settings::WriteConnection(*zaz, c))
            prompts_.showMessage(zaz->lastError());
    }

    // A new server whose name was left empty has no section to go to.
    IniFile *servers = state_.files.servers.get();
    if (servers && !c.serverName.isEmpty()) {
        servers->beginUpdate();
        servers->writeString(c.serverName, QStringLiteral("type"), c.serverType);
        servers->writeString(c.serverName, QStringLiteral("adresse"), c.address);
        servers->writeString(c.serverName, QStringLiteral("port"), c.port);
        servers->writeString(c.serverName, QStringLiteral("ID"), c.userId);
        servers->writeString(c.serverName, QStringLiteral("password"), c.password);
        if (!servers->endUpdate())
            prompts_.showMessage(servers->lastError());
    }
    accept();
}

void TForm2::Button4Click()
{
    const int index = ComboBox2_->currentIndex();
    if (index < 0 || isNewServerSelected())
        return;
    const QString name = ComboBox2_->itemText(index);
    if (prompts_.ask(QStringLiteral("voulez vous supprimer le serveur:") + name,
                     QStringLiteral("effacer le serveur"), Prompts::Buttons::OkCancel)
        != Prompts::Answer::Ok)
        return;
    IniFile *servers = state_.files.servers.get();
    if (!servers)
        return;
    if (!servers->eraseSection(name))
        prompts_.showMessage(servers->lastError());
    // The first remaining server (or the new-server entry) takes the deleted one's place.
    fillServerList(QString());
    ComboBox2_->setCurrentIndex(0);
}

} // namespace zaz
