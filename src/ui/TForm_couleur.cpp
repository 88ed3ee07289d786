#include "ui/TForm_couleur.h"

#include "core/Prompts.h"
#include "core/Text.h"
#include "state/RadarState.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <utility>

namespace zaz {

namespace {

const QString kCheckAll = QStringLiteral("tout cocher");
const QString kUncheckAll = QStringLiteral("tout décocher");

QTableWidget *NewGrid(const char *name, QWidget *parent)
{
    auto *grid = new QTableWidget(0, 2, parent);
    grid->setObjectName(QLatin1String(name));
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    return grid;
}

// Sets the grid to rows rows of two cells, widths 96 and 32, names in column 0.
template <typename Entries>
void FillGrid(QTableWidget *grid, const Entries &entries)
{
    grid->clearContents();
    grid->setRowCount(int(entries.size()));
    grid->setColumnWidth(0, 96);
    grid->setColumnWidth(1, 32);
    int row = 0;
    for (const auto &entry : entries) {
        grid->setItem(row, 0, new QTableWidgetItem(entry.name));
        grid->setItem(row, 1, new QTableWidgetItem());
        ++row;
    }
}

QPushButton *NewButton(const QString &caption, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    // Enter in an edit must not close the dialog.
    button->setAutoDefault(false);
    return button;
}

QCheckBox *NewCheckBox(const QString &caption, const char *name, QWidget *parent)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QLabel *NewLabel(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

void CheckButton(QButtonGroup *group, int id)
{
    if (QAbstractButton *button = group->button(id))
        button->setChecked(true);
}

struct ElementListNames {
    const char *list;
    const char *button;
};

ElementListNames NamesOf(ElementKind kind)
{
    switch (kind) {
    case ElementKind::Fixes: return {"CheckListBox4", "Button_fix"};
    case ElementKind::Sids: return {"CheckListBox2", "Button_sid"};
    case ElementKind::Stars: return {"CheckListBox3", "Button_star"};
    case ElementKind::LowAirways: return {"CheckListBox5", "Button_low"};
    case ElementKind::HighAirways: break;
    }
    return {"CheckListBox6", "Button_hi"};
}

bool IsProcedureList(ElementKind kind)
{
    return kind == ElementKind::Sids || kind == ElementKind::Stars;
}

} // namespace

TForm_couleur::TForm_couleur(RadarState &state, Prompts &prompts, QWidget *mainWindow)
    : QDialog(mainWindow), state_(state), prompts_(prompts)
{
    setObjectName(QStringLiteral("Form_couleur"));
    setWindowTitle(QStringLiteral("Affichage"));

    StringGrid1_ = NewGrid("StringGrid1", this);
    StringGrid1_->setAccessibleName(QStringLiteral("couleurs"));
    CheckListBox1_ = new QListWidget(this);
    CheckListBox1_->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1_->setAccessibleName(QStringLiteral("affichage"));
    StringGrid2_ = NewGrid("StringGrid2", this);
    StringGrid2_->setAccessibleName(QStringLiteral("détails"));
    connect(StringGrid1_, &QTableWidget::cellClicked, this, &TForm_couleur::StringGrid1Click);
    connect(StringGrid2_, &QTableWidget::cellClicked, this, &TForm_couleur::StringGrid2Click);
    connect(CheckListBox1_, &QListWidget::itemChanged, this, &TForm_couleur::CheckListBox1ClickCheck);

    CheckBox_sid_ = NewCheckBox(QStringLiteral("afficher les noms"), "CheckBox_sid", this);
    CheckBox_star_ = NewCheckBox(QStringLiteral("afficher les noms"), "CheckBox_star", this);
    CheckBox_low_ = NewCheckBox(QStringLiteral("afficher les noms"), "CheckBox_low", this);
    CheckBox_hi_ = NewCheckBox(QStringLiteral("afficher les noms"), "CheckBox_hi", this);
    DisplaySettings &d = state_.settings.display;
    const auto flagOf = [](std::uint8_t &flag) { return [&f = flag](bool on) { f = on ? 1 : 0; }; };
    connect(CheckBox_sid_, &QCheckBox::clicked, this, flagOf(d.showSidNames));
    connect(CheckBox_star_, &QCheckBox::clicked, this, flagOf(d.showStarNames));
    connect(CheckBox_low_, &QCheckBox::clicked, this, flagOf(d.showLowNames));
    connect(CheckBox_hi_, &QCheckBox::clicked, this, flagOf(d.showHighNames));

    auto *elements = new QHBoxLayout;
    elements->addWidget(buildElementGroup(ElementKind::Fixes, QStringLiteral("FIXES"), nullptr));
    elements->addWidget(buildElementGroup(ElementKind::Sids, QStringLiteral("SID"), CheckBox_sid_));
    elements->addWidget(buildElementGroup(ElementKind::Stars, QStringLiteral("STAR"), CheckBox_star_));
    elements->addWidget(buildElementGroup(ElementKind::LowAirways, QStringLiteral("LOW AIRWAY"), CheckBox_low_));
    elements->addWidget(buildElementGroup(ElementKind::HighAirways, QStringLiteral("HIGH AIRWAY"), CheckBox_hi_));

    QGroupBox *screenFont =
        buildFontGroup(QStringLiteral("Caractères écran"), ComboBox1_, Edit1_, "ComboBox1", "Edit1");
    QGroupBox *listFont = buildFontGroup(QStringLiteral("Caractères liste"), ComboBox2_, Edit2_, "ComboBox2", "Edit2");
    connect(ComboBox1_, &QComboBox::currentTextChanged, this, [this](const QString &name) {
        if (!filling_)
            state_.settings.display.screenFontName = name;
    });
    connect(ComboBox2_, &QComboBox::currentTextChanged, this, [this](const QString &name) {
        if (!filling_)
            state_.settings.display.listFontName = name;
    });
    connect(Edit1_, &QLineEdit::editingFinished, this, [this, &d = d] { fontSizeEdited(Edit1_, d.screenFontSize); });
    connect(Edit2_, &QLineEdit::editingFinished, this, [this, &d = d] { fontSizeEdited(Edit2_, d.listFontSize); });

    QGroupBox *labelMode = buildRadioGroup("RadioGroup1", QStringLiteral("affichage des paramètres avion"),
                                           {QStringLiteral("permanent"), QStringLiteral("mode Charly")}, RadioGroup1_);
    QGroupBox *rings = buildRadioGroup("RadioGroup2", QStringLiteral("cercles equidistants"),
                                       {QStringLiteral("fixe sur l'écran"), QStringLiteral("fixe sur le control")},
                                       RadioGroup2_);
    const QStringList yesNo{QStringLiteral("oui"), QStringLiteral("non")};
    QGroupBox *trail = buildRadioGroup("RadioGroup3", QStringLiteral("trace de l'avion"), yesNo, RadioGroup3_);
    QGroupBox *ils = buildRadioGroup("RadioGroup4", QStringLiteral("Affichage axes ILS"), yesNo, RadioGroup4_);
    connect(RadioGroup1_, &QButtonGroup::idClicked, this, [&d = d](int id) { d.labelMode = std::uint8_t(id); });
    connect(RadioGroup2_, &QButtonGroup::idClicked, this, [&d = d](int id) { d.ringsOnScreen = id == 0 ? 1 : 0; });
    connect(RadioGroup3_, &QButtonGroup::idClicked, this, [&d = d](int id) { d.trailShown = id == 0 ? 1 : 0; });
    connect(RadioGroup4_, &QButtonGroup::idClicked, this, [&d = d](int id) { d.ilsAxesShown = id == 0 ? 1 : 0; });

    CheckBox1_ = NewCheckBox(QStringLiteral("transpondeur sur l'étiquette de l'avion"), "CheckBox1", this);
    connect(CheckBox1_, &QCheckBox::clicked, this, flagOf(d.transponderOnLabel));

    UpDown_roul_ = buildUpDown("Edit_roulette", "UpDown_roul", 101, 150, 1);
    UpDown1_ = buildUpDown("Edit_delai", "UpDown1", 1, 3, 1);
    UpDown2_ = buildUpDown("Edit_changeindexvroute", "UpDown2", 0, 20, 5);
    connect(UpDown_roul_, &QSpinBox::valueChanged, this, [this, &d = d](int v) {
        if (!filling_)
            d.zoomSensitivity = std::int16_t(v);
    });
    connect(UpDown1_, &QSpinBox::valueChanged, this, [this](int v) {
        if (!filling_)
            state_.traffic.ExpiryDelay = DelayDays(v);
    });
    connect(UpDown2_, &QSpinBox::valueChanged, this, [this](int v) {
        if (!filling_)
            state_.traffic.passingDistance = v;
    });

    auto *values = new QGridLayout;
    values->addWidget(NewLabel(QStringLiteral("sensibilté ZOOM"), UpDown_roul_, this), 0, 0);
    values->addWidget(UpDown_roul_, 0, 1);
    values->addWidget(NewLabel(QStringLiteral("delai d'effacement des avions disparus"), UpDown1_, this), 1, 0);
    values->addWidget(UpDown1_, 1, 1);
    values->addWidget(new QLabel(QStringLiteral("minutes"), this), 1, 2);
    values->addWidget(NewLabel(QStringLiteral("Distance  de passage au point suivant"), UpDown2_, this), 2, 0);
    values->addWidget(UpDown2_, 2, 1);
    values->addWidget(new QLabel(QStringLiteral("nautiques"), this), 2, 2);

    QPushButton *save = NewButton(QStringLiteral("enregistrer"), "Button1", this);
    QPushButton *cancel = NewButton(QStringLiteral("annuler"), "Button2", this);
    connect(save, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *tables = new QHBoxLayout;
    tables->addWidget(StringGrid1_);
    tables->addWidget(CheckListBox1_);
    tables->addWidget(StringGrid2_);

    auto *settings = new QGridLayout;
    settings->addWidget(screenFont, 0, 0);
    settings->addWidget(listFont, 0, 1);
    settings->addWidget(labelMode, 1, 0);
    settings->addWidget(rings, 1, 1);
    settings->addWidget(trail, 2, 0);
    settings->addWidget(ils, 2, 1);
    settings->addWidget(CheckBox1_, 3, 0, 1, 2);
    settings->addLayout(values, 4, 0, 1, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);

    auto *top = new QHBoxLayout;
    top->addLayout(tables, 3);
    top->addLayout(settings, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(elements);
    layout->addLayout(buttons);
}

QGroupBox *TForm_couleur::buildElementGroup(ElementKind kind, const QString &title, QCheckBox *showNames)
{
    const ElementListNames names = NamesOf(kind);
    auto *group = new QGroupBox(title, this);
    auto *list = new QListWidget(group);
    list->setObjectName(QLatin1String(names.list));
    list->setAccessibleName(title);
    listOf(kind) = list;
    QPushButton *all = NewButton(kCheckAll, names.button, group);
    checkAll_[int(kind)] = all;
    connect(list, &QListWidget::itemChanged, this, [this, kind](QListWidgetItem *item) { elementChecked(kind, item); });
    connect(all, &QPushButton::clicked, this, [this, kind] { checkAllClick(kind); });

    auto *layout = new QVBoxLayout(group);
    layout->addWidget(list);
    layout->addWidget(all);
    if (showNames) {
        showNames->setParent(group);
        layout->addWidget(showNames);
    }
    return group;
}

QGroupBox *TForm_couleur::buildFontGroup(const QString &title, QComboBox *&combo, QLineEdit *&edit,
                                         const char *comboName, const char *editName)
{
    auto *group = new QGroupBox(title, this);
    combo = new QComboBox(group);
    combo->setObjectName(QLatin1String(comboName));
    combo->setEditable(true);
    combo->setAccessibleName(title);
    edit = new QLineEdit(group);
    edit->setObjectName(QLatin1String(editName));
    edit->setAccessibleName(title + QStringLiteral(" (taille)"));
    auto *layout = new QHBoxLayout(group);
    layout->addWidget(combo, 1);
    layout->addWidget(edit);
    return group;
}

QGroupBox *TForm_couleur::buildRadioGroup(const char *name, const QString &title, const QStringList &items,
                                          QButtonGroup *&group)
{
    auto *box = new QGroupBox(title, this);
    box->setObjectName(QLatin1String(name));
    group = new QButtonGroup(box);
    auto *layout = new QVBoxLayout(box);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items[i], box);
        button->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
        group->addButton(button, i);
        layout->addWidget(button);
    }
    return box;
}

QSpinBox *TForm_couleur::buildUpDown(const char *editName, const char *upDownName, int minimum, int maximum,
                                     int step)
{
    auto *upDown = new QSpinBox(this);
    upDown->setObjectName(QLatin1String(upDownName));
    upDown->setRange(minimum, maximum);
    upDown->setSingleStep(step);
    // The edit part bears the edit's name.
    if (auto *edit = upDown->findChild<QLineEdit *>())
        edit->setObjectName(QLatin1String(editName));
    return upDown;
}

void TForm_couleur::prepare()
{
    const DisplaySettings &d = state_.settings.display;
    filling_ = true;
    CheckListBox1_->clear();
    FillGrid(StringGrid1_, d.colours);
    for (int i = 0; i < kColourCount; ++i) {
        auto *item = new QListWidgetItem(d.colours[i].name, CheckListBox1_);
        Qt::ItemFlags flags = Qt::ItemIsUserCheckable | Qt::ItemIsSelectable;
        if (LayerVisibilityEditable(i))
            flags |= Qt::ItemIsEnabled;
        item->setFlags(flags);
        item->setCheckState(d.colours[i].visible ? Qt::Checked : Qt::Unchecked);
        paintColourRow(i);
    }
    FillGrid(StringGrid2_, d.details);
    for (int row = 0; row < StringGrid2_->rowCount(); ++row)
        paintDetailRow(row);
    filling_ = false;
}

void TForm_couleur::showEvent(QShowEvent *event)
{
    FormShow();
    FormActivate();
    QDialog::showEvent(event);
}

void TForm_couleur::hideEvent(QHideEvent *event)
{
    if (parentWidget())
        offset_ = pos() - parentWidget()->pos();
    QDialog::hideEvent(event);
}

void TForm_couleur::FormShow()
{
    const DisplaySettings &d = state_.settings.display;
    if (parentWidget())
        move(parentWidget()->pos() + offset_);
    filling_ = true;
    UpDown_roul_->setValue(d.zoomSensitivity);
    CheckBox_sid_->setChecked(d.showSidNames != 0);
    CheckBox_star_->setChecked(d.showStarNames != 0);
    CheckBox_low_->setChecked(d.showLowNames != 0);
    CheckBox_hi_->setChecked(d.showHighNames != 0);
    CheckButton(RadioGroup4_, d.ilsAxesShown ? 0 : 1);
    filling_ = false;
    for (ElementKind kind : kElementKinds)
        fillElementList(kind);
    filling_ = true;
    CheckButton(RadioGroup1_, d.labelMode ? 1 : 0);
    CheckButton(RadioGroup3_, d.trailShown ? 0 : 1);
    CheckBox1_->setChecked(d.transponderOnLabel != 0);
    UpDown1_->setValue(DelayMinutes(state_.traffic.ExpiryDelay));
    UpDown2_->setValue(state_.traffic.passingDistance);
    filling_ = false;
}

void TForm_couleur::FormActivate()
{
    const DisplaySettings &d = state_.settings.display;
    filling_ = true;
    const QStringList families = QFontDatabase::families();
    for (QComboBox *combo : {ComboBox1_, ComboBox2_}) {
        combo->clear();
        combo->addItems(families);
    }
    ComboBox1_->setCurrentText(d.screenFontName);
    ComboBox2_->setCurrentText(d.listFontName);
    Edit1_->setText(IntToStr(d.screenFontSize));
    Edit2_->setText(IntToStr(d.listFontSize));
    CheckButton(RadioGroup2_, d.ringsOnScreen ? 0 : 1);
    filling_ = false;
}

void TForm_couleur::fillElementList(ElementKind kind)
{
    QListWidget *list = listOf(kind);
    const QListWidgetItem *layer = CheckListBox1_->item(LayerOf(kind));
    const bool shown = layer && layer->checkState() == Qt::Checked;
    const bool wasFilling = std::exchange(filling_, true);
    list->clear();
    if (shown) {
        for (const ElementItem &e : ElementListItems(state_.sector.tables, kind)) {
            auto *item = new QListWidgetItem(e.name, list);
            item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            item->setCheckState(e.checked ? Qt::Checked : Qt::Unchecked);
        }
    }
    filling_ = wasFilling;
}

void TForm_couleur::paintColourRow(int row)
{
    if (QTableWidgetItem *cell = StringGrid1_->item(row, 1))
        cell->setBackground(ToQColor(state_.settings.display.colours[row].colour));
}

void TForm_couleur::paintDetailRow(int row)
{
    const QList<t_define> &details = state_.settings.display.details;
    TColor colour = 0;
    QTableWidgetItem *cell = StringGrid2_->item(row, 1);
    if (cell && row < details.size() && TryStringToMapColor(details[row].value, colour))
        cell->setBackground(ToQColor(colour));
}

void TForm_couleur::StringGrid1Click(int row, int column)
{
    if (column != 1 || row < 0 || row >= kColourCount)
        return;
    t_couleur &entry = state_.settings.display.colours[row];
    if (const auto colour = prompts_.chooseColor(entry.colour)) {
        entry.colour = *colour;
        paintColourRow(row);
    }
}

void TForm_couleur::StringGrid2Click(int row, int column)
{
    QList<t_define> &details = state_.settings.display.details;
    if (column != 1 || row < 0 || row >= details.size())
        return;
    TColor initial = 0;
    TryStringToMapColor(details[row].value, initial);
    if (const auto colour = prompts_.chooseColor(initial)) {
        details[row].value = ColorToString(*colour);
        paintDetailRow(row);
    }
}

void TForm_couleur::CheckListBox1ClickCheck(QListWidgetItem *item)
{
    if (filling_)
        return;
    const int layer = CheckListBox1_->row(item);
    if (layer < 0 || layer >= kColourCount)
        return;
    state_.settings.display.colours[layer].visible = item->checkState() == Qt::Checked ? 1 : 0;
    if (const auto kind = ElementKindOfLayer(layer))
        fillElementList(*kind);
}

void TForm_couleur::elementChecked(ElementKind kind, QListWidgetItem *item)
{
    if (filling_ || !IsProcedureList(kind))
        return;
    SelectProcedure(state_.sector.tables, kind, listOf(kind)->row(item), item->checkState() == Qt::Checked);
}

void TForm_couleur::checkAllClick(ElementKind kind)
{
    QPushButton *button = checkAll_[int(kind)];
    const bool check = button->text() == kCheckAll;
    QListWidget *list = listOf(kind);
    const bool wasFilling = std::exchange(filling_, true);
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(check ? Qt::Checked : Qt::Unchecked);
    filling_ = wasFilling;
    if (IsProcedureList(kind))
        SelectAllProcedures(state_.sector.tables, kind, check);
    button->setText(check ? kUncheckAll : kCheckAll);
}

void TForm_couleur::fontSizeEdited(QLineEdit *edit, int &size)
{
    if (filling_)
        return;
    if (const auto typed = FontSizeFromText(edit->text())) {
        size = *typed;
        return;
    }
    prompts_.showMessage(QStringLiteral("valeur non entière"));
    edit->setText(IntToStr(size));
}

AcceptedElementLists TForm_couleur::elementLists() const
{
    const auto itemsOf = [this](ElementKind kind) {
        ElementItems items;
        const QListWidget *list = listOf(kind);
        for (int i = 0; i < list->count(); ++i)
            items.append({list->item(i)->text(), list->item(i)->checkState() == Qt::Checked});
        return items;
    };
    return {itemsOf(ElementKind::Fixes), itemsOf(ElementKind::LowAirways), itemsOf(ElementKind::HighAirways)};
}

int TForm_couleur::zoomPosition() const
{
    return UpDown_roul_->value();
}

} // namespace zaz
