#include "ui/TForm_info.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace zaz {

TForm_info::TForm_info(const QString &versionTag, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_info"));
    setWindowTitle(QStringLiteral("version"));
    auto *layout = new QVBoxLayout(this);

    auto *name = new QLabel(QStringLiteral("ZAZ"), this);
    name->setObjectName(QStringLiteral("Label_nom"));
    QFont big = name->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    name->setFont(big);
    name->setAlignment(Qt::AlignCenter);

    auto *version = new QLabel(versionTag, this);
    version->setObjectName(QStringLiteral("Label_version"));
    version->setAlignment(Qt::AlignCenter);

    auto *about = new QLabel(
        QStringLiteral("Client radar pour le contrôle aérien sur les réseaux de simulation de vol.\n"
                       "Il affiche un secteur, le trafic du serveur et celui du simulateur, "
                       "et offre strips, radio texte, météo, ATIS et plans de vol."),
        this);
    about->setObjectName(QStringLiteral("Label_description"));
    about->setWordWrap(true);
    about->setAlignment(Qt::AlignCenter);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(about);
    layout->addWidget(buttons);
    resize(380, 200);
}

} // namespace zaz
