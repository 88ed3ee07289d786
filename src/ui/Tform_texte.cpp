#include "ui/Tform_texte.h"

#include "core/IniFile.h"
#include "core/Prompts.h"
#include "link/TextVariables.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zaz {

namespace {

QPushButton *Button(QWidget *parent, const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QString CellText(const QTableWidget *grid, int row, int column)
{
    const QTableWidgetItem *item = grid->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

Tform_texte::Tform_texte(IniFile &texts, Prompts &prompts, QWidget *parent)
    : QDialog(parent)
    , texts_(texts)
    , prompts_(prompts)
{
    setObjectName(QStringLiteral("form_texte"));
    setWindowTitle(QStringLiteral("textes prédéfinis"));

    auto *group = new QGroupBox(QStringLiteral("catégorie"), this);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    auto *groupLayout = new QHBoxLayout(group);
    categories_ = new QButtonGroup(this);
    const QStringList names = TextCategories();
    for (int i = 0; i < names.size(); ++i) {
        auto *radio = new QRadioButton(names[i], group);
        radio->setObjectName(QStringLiteral("RadioGroup1_%1").arg(i + 1));
        categories_->addButton(radio, i);
        groupLayout->addWidget(radio);
    }
    connect(categories_, &QButtonGroup::idClicked, this, &Tform_texte::fillGrid);

    grid_ = new QTableWidget(0, 2, this);
    grid_->setObjectName(QStringLiteral("StringGrid1"));
    grid_->setAccessibleName(QStringLiteral("textes"));
    grid_->setHorizontalHeaderLabels({QStringLiteral("commande"), QStringLiteral("texte")});
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);

    command_ = new QLineEdit(this);
    command_->setObjectName(QStringLiteral("Edit_cmd"));
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("Edit_texte"));
    variables_ = new QComboBox(this);
    variables_->setObjectName(QStringLiteral("ComboBox1"));
    variables_->addItems(TextVariableNames());
    variables_->setCurrentIndex(-1);
    connect(variables_, &QComboBox::activated, this, [this](int index) {
        text_->insert(variables_->itemText(index));
        text_->setFocus();
    });
    auto *edits = new QFormLayout;
    auto addRow = [&](const QString &caption, QWidget *field) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(field);
        edits->addRow(label, field);
    };
    addRow(QStringLiteral("commande"), command_);
    addRow(QStringLiteral("texte"), text_);
    addRow(QStringLiteral("variables"), variables_);

    QPushButton *add = Button(this, QStringLiteral("Button1"), QStringLiteral("Ajouter"));
    QPushButton *remove = Button(this, QStringLiteral("Button2"), QStringLiteral("Supprimer"));
    QPushButton *write = Button(this, QStringLiteral("Button3"), QStringLiteral("Enregistrer"));
    QPushButton *cancel = Button(this, QStringLiteral("Button4"), QStringLiteral("Annuler"));
    connect(add, &QPushButton::clicked, this, [this] {
        if (command_->text().trimmed().isEmpty())
            return;
        const int row = grid_->rowCount();
        grid_->insertRow(row);
        grid_->setItem(row, 0, new QTableWidgetItem(command_->text().trimmed()));
        grid_->setItem(row, 1, new QTableWidgetItem(text_->text()));
        command_->clear();
        text_->clear();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (grid_->currentRow() >= 0)
            grid_->removeRow(grid_->currentRow());
    });
    connect(write, &QPushButton::clicked, this, &Tform_texte::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {add, remove, write, cancel})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(grid_, 1);
    layout->addLayout(edits);
    layout->addLayout(buttons);
}

void Tform_texte::textes1Click()
{
    if (categories_->checkedId() < 0)
        categories_->button(0)->setChecked(true);
    fillGrid();
    show();
    raise();
}

QString Tform_texte::category() const
{
    const int id = categories_->checkedId();
    return id < 0 ? QString() : TextCategories().value(id);
}

void Tform_texte::fillGrid()
{
    grid_->setRowCount(0);
    const QString section = category();
    if (section.isEmpty())
        return;
    for (const auto &[command, text] : texts_.readSectionPairs(section)) {
        const int row = grid_->rowCount();
        grid_->insertRow(row);
        grid_->setItem(row, 0, new QTableWidgetItem(command));
        grid_->setItem(row, 1, new QTableWidgetItem(text));
    }
}

bool Tform_texte::save()
{
    const QString section = category();
    if (section.isEmpty())
        return false;
    QList<QPair<QString, QString>> rows;
    for (int row = 0; row < grid_->rowCount(); ++row)
        rows.append({CellText(grid_, row, 0), CellText(grid_, row, 1)});
    QString error;
    if (WriteTextSection(texts_, section, rows, error))
        return true;
    prompts_.showMessage(QStringLiteral("Les textes n'ont pas été enregistrés : ") + error);
    return false;
}

} // namespace zaz
