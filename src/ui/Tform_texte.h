// The editor of predefined texts "textes prédéfinis": the commands of one category of
// com.ini and their texts, edited in a grid and written back as a whole.
#pragma once

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QTableWidget;

namespace zaz {

class IniFile;
class Prompts;

class Tform_texte : public QDialog {
    Q_OBJECT
public:
    // texts: com.ini, kept open by the main window; prompts: where a failed write is told.
    Tform_texte(IniFile &texts, Prompts &prompts, QWidget *parent = nullptr);

    // Menu "textes": shows the dialog on the chosen category (the first at the first show).
    void textes1Click();
    // The category's commands and texts, read again from the file.
    void fillGrid();
    // "Enregistrer": writes the grid as the category's section; false when the write failed.
    bool save();

private:
    QString category() const;

    IniFile &texts_;
    Prompts &prompts_;
    QButtonGroup *categories_ = nullptr;
    QTableWidget *grid_ = nullptr;
    QLineEdit *command_ = nullptr;
    QLineEdit *text_ = nullptr;
    QComboBox *variables_ = nullptr;
};

} // namespace zaz
