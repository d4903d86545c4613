#include "cad/ui/FormCADEscala.h"

#include "cad/CadExchange.h"
#include "cad/CadForms.h"
#include "cad/ModuleCAD.h"
#include "cad/ui/CadFieldSelects.h"
#include "cad/ui/CadSession.h"
#include "core/AppContext.h"
#include "core/ModuleNumberBox.h"
#include "core/UiHost.h"
#include "core/ui/NumericLineEdit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FormCADEscala::FormCADEscala(CadSession &session, QWidget *parent)
    : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("FormCADEscala"));
    setWindowTitle(QStringLiteral("Reservium - Escala"));
    MakeFloating(this, true);

    auto *frame = new QGroupBox(QStringLiteral("Defina a escala "), this);
    auto *grid = new QGridLayout(frame);
    // Option n at index n − 1; laid out largest scale first, the custom one last.
    const char *captions[] = { "1 : 100", "1 : 75", "1 : 50", "1 : 25",
                               "1 : 15",  "1 : 10", "1 : ",   "1 : 20" };
    for (int i = 0; i < 8; ++i) {
        Option[static_cast<std::size_t>(i)] =
                new QRadioButton(QString::fromUtf8(captions[i]), frame);
        Option[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("Option%1").arg(i + 1));
    }
    const int order[] = { 0, 1, 2, 3, 7, 4, 5 };
    for (int k = 0; k < 7; ++k)
        grid->addWidget(Option[static_cast<std::size_t>(order[k])], k % 4, k / 4);
    NumberBox1 = new NumericLineEdit(frame);
    NumberBox1->setObjectName(QStringLiteral("NumberBox1"));
    if (const auto mask = ModuleNumberBox::NumericFieldMask("FormCADEscala", "NumberBox1"))
        NumberBox1->setNumericMask(*mask);
    NumberBox1->setRegionalSettings(session.context());
    NumberBox1->setMaximumWidth(60);
    auto *custom = new QHBoxLayout;
    custom->addWidget(Option[6]);
    custom->addWidget(NumberBox1);
    custom->addStretch();
    grid->addLayout(custom, 3, 1);
    Option[0]->setChecked(true);
    OnFieldUsed(NumberBox1, [this] { Option[6]->setChecked(true); });

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("Cancela"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);

    connect(Command1, &QPushButton::clicked, this, &FormCADEscala::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FormCADEscala::Command2_Click);
}

void FormCADEscala::Command1_Click()
{
    int option = 1;
    for (int i = 0; i < 8; ++i) {
        if (Option[static_cast<std::size_t>(i)]->isChecked())
            option = i + 1;
    }
    const auto scale = CadForms::ScaleValue(option, NumberBox1->text().toStdString());
    AppContext &ctx = m_session.context();
    if (!scale) {
        ctx.ui()->MessageBox("Digite um valor numérico válido para a escala:", UiHost::Buttons::Ok,
                             UiHost::Icon::Information, "Reservium");
        NumberBox1->setFocus();
        return;
    }
    const ErrorPair e = ModuleCAD::WriteProgramExchangeFile(ctx, CadExchange::kScaleFile,
                                                            CadExchange::ScaleLines(*scale));
    if (!e.ok()) {
        ctx.ui()->MessageBox(e.description, UiHost::Buttons::Ok, UiHost::Icon::Critical,
                             "Erro " + std::to_string(e.number));
        return;
    }
    m_session.send(insertMode == 1 ? 9 : 10);
    close();
}

void FormCADEscala::Command2_Click()
{
    close();
}
