#include "core/ui/FormSobre.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FormSobre::FormSobre(QWidget *parent) : QDialog(parent)
{
    setObjectName("FormSobre");
    setWindowTitle(QStringLiteral("Sobre o Reservium"));
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(QStringLiteral("Reservium"), this);
    title->setObjectName("lblTitle");
    QFont f = title->font();
    f.setPointSize(f.pointSize() * 2);
    f.setBold(true);
    title->setFont(f);
    layout->addWidget(title);
    auto *description = new QLabel(
            QStringLiteral("Software para Projeto de Reservatórios em Concreto Armado"), this);
    description->setObjectName("lblDescription");
    layout->addWidget(description);
    auto *version = new QLabel(QStringLiteral("Versão ") + QStringLiteral(RESERVIUM_VERSION), this);
    version->setObjectName("lblVersion");
    layout->addWidget(version);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName("cmdOK");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(buttons);
}
