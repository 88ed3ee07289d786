// Prompts answered by real dialogs, parented to a window so they stay on top of it.
#pragma once

#include "core/Prompts.h"

class QWidget;

namespace zaz {

class WidgetPrompts final : public Prompts {
public:
    explicit WidgetPrompts(QWidget *parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget *parent) { parent_ = parent; }

    void ShowMessage(const QString &text) override;
    Answer Ask(const QString &text, const QString &caption, Buttons buttons) override;
    std::optional<QString> InputQuery(const QString &caption, const QString &prompt,
                                      const QString &value) override;
    std::optional<QString> OpenFile(const FileDialogRequest &request) override;
    std::optional<QString> SaveFile(const FileDialogRequest &request) override;
    std::optional<TColor> ChooseColor(TColor initial) override;

private:
    QWidget *parent_;
};

} // namespace zaz
