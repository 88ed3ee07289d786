// The "version" window: what the program is and which version runs.
#pragma once

#include <QDialog>

namespace zaz {

class TForm_info : public QDialog {
    Q_OBJECT
public:
    explicit TForm_info(const QString &versionTag, QWidget *parent = nullptr);
};

} // namespace zaz
