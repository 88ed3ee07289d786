// Prompts answered by real dialogs, parented to a window so they stay on top of it.
#pragma once

#include "core/Prompts.h"

class QWidget;

namespace zaz {

class WidgetPrompts final : public Prompts {
public:
    explicit WidgetPrompts(QWidget *parent = nullptr) : parent_(parent) {}
    void setParent(QWidget *parent) { parent_ = parent; }

    void showMessage(const QString &text) override;
    Answer ask(const QString &text, const QString &caption, Buttons buttons) override;
    std::optional<QString> inputQuery(const QString &caption, const QString &prompt,
                                      const QString &value) override;
    std::optional<QString> openFile(const FileDialogRequest &request) override;
    std::optional<QString> saveFile(const FileDialogRequest &request) override;
    std::optional<TColor> chooseColor(TColor initial) override;

private:
    QWidget *parent_;
};

} // namespace zaz
