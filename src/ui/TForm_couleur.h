// The display settings dialog "Affichage": layer colours and visibility, detail colours,
// the fix, procedure and airway lists, fonts, label and trail modes, range rings, ILS axes,
// zoom-wheel sensitivity, disappearance delay and waypoint passing distance.
//
// Every control writes its setting as soon as it changes, so "annuler" keeps what was
// edited; what acceptance adds (GEO colours, the fix and airway lists read back) is done by
// the caller with AcceptDisplayEdits.
#pragma once

#include "scope/DisplayEdits.h"

#include <QDialog>
#include <QPoint>
#include <array>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace zaz {

class Prompts;
struct RadarState;

class TForm_couleur : public QDialog {
    Q_OBJECT
public:
    // mainWindow is the parent the dialog stays on top of and places itself from.
    TForm_couleur(RadarState &state, Prompts &prompts, QWidget *mainWindow = nullptr);

    // Fills the colour grid, the layer list and the detail grid from the state; run before
    // each showing.
    void prepare();

    // What acceptance reads back.
    AcceptedElementLists elementLists() const;
    int zoomPosition() const;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QGroupBox *buildElementGroup(ElementKind kind, const QString &title, QCheckBox *showNames);
    QGroupBox *buildFontGroup(const QString &title, QComboBox *&combo, QLineEdit *&edit, const char *comboName,
                              const char *editName);
    QGroupBox *buildRadioGroup(const char *name, const QString &title, const QStringList &items,
                               QButtonGroup *&group);
    QSpinBox *buildUpDown(const char *editName, const char *upDownName, int minimum, int maximum, int step);

    void FormShow();
    void FormActivate();
    void fillElementList(ElementKind kind);
    void paintColourRow(int row);
    void paintDetailRow(int row);

    void StringGrid1Click(int row, int column);
    void StringGrid2Click(int row, int column);
    void CheckListBox1ClickCheck(QListWidgetItem *item);
    void elementChecked(ElementKind kind, QListWidgetItem *item);
    void checkAllClick(ElementKind kind);
    void fontSizeEdited(QLineEdit *edit, int &size);

    QListWidget *&listOf(ElementKind kind) { return lists_[int(kind)]; }
    const QListWidget *listOf(ElementKind kind) const { return lists_[int(kind)]; }

    RadarState &state_;
    Prompts &prompts_;
    QPoint offset_{65, 45};

    QTableWidget *StringGrid1_;
    QListWidget *CheckListBox1_;
    QTableWidget *StringGrid2_;
    // CheckListBox4 (fixes), CheckListBox2 (SID), CheckListBox3 (STAR), CheckListBox5 (low
    // airways), CheckListBox6 (high airways), by ElementKind.
    std::array<QListWidget *, 5> lists_{};
    std::array<QPushButton *, 5> checkAll_{};
    QComboBox *ComboBox1_;
    QLineEdit *Edit1_;
    QComboBox *ComboBox2_;
    QLineEdit *Edit2_;
    QButtonGroup *RadioGroup1_;
    QButtonGroup *RadioGroup2_;
    QButtonGroup *RadioGroup3_;
    QButtonGroup *RadioGroup4_;
    QCheckBox *CheckBox_sid_;
    QCheckBox *CheckBox_star_;
    QCheckBox *CheckBox_low_;
    QCheckBox *CheckBox_hi_;
    QCheckBox *CheckBox1_;
    QSpinBox *UpDown_roul_;
    QSpinBox *UpDown1_;
    QSpinBox *UpDown2_;
    // Set while the program fills controls, so that only the user's changes write settings.
    bool filling_ = false;
};

} // namespace zaz
