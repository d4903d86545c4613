#include "cad/ui/FormCADFormato.h"

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
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

NumericLineEdit *numberBox(QWidget *parent, const char *form, const char *name,
                           const AppContext &ctx)
{
    auto *f = new NumericLineEdit(parent);
    f->setObjectName(QString::fromLatin1(name));
    if (const auto mask = ModuleNumberBox::NumericFieldMask(form, name))
        f->setNumericMask(*mask);
    f->setRegionalSettings(ctx);
    f->setMaximumWidth(70);
    return f;
}

} // namespace

FormCADFormato::FormCADFormato(CadSession &session, QWidget *parent)
    : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("FormCADFormato"));
    setWindowTitle(QStringLiteral("Reservium - Tamanho do Formato"));
    MakeFloating(this, true);

    auto *frame = new QGroupBox(QStringLiteral("Selecione o Tamanho do Formato em (mm) "), this);
    auto *grid = new QGridLayout(frame);
    const char *captions[] = { "A4", "A3", "A2", "A1", "A0", "Personalizado" };
    for (int i = 0; i < 6; ++i) {
        Option[static_cast<std::size_t>(i)] =
                new QRadioButton(QString::fromUtf8(captions[i]), frame);
        Option[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        grid->addWidget(Option[static_cast<std::size_t>(i)], i < 5 ? i % 3 : 3, i < 5 ? i / 3 : 0);
    }
    Option[0]->setChecked(true);
    NumberBox1 = numberBox(frame, "FormCADFormato", "NumberBox1", session.context());
    NumberBox2 = numberBox(frame, "FormCADFormato", "NumberBox2", session.context());
    auto *custom = new QGridLayout;
    custom->addWidget(new QLabel(QStringLiteral("Largura - X"), frame), 0, 0);
    custom->addWidget(NumberBox1, 0, 1);
    custom->addWidget(new QLabel(QStringLiteral("Altura - Y"), frame), 1, 0);
    custom->addWidget(NumberBox2, 1, 1);
    grid->addLayout(custom, 3, 1, 2, 1);
    for (NumericLineEdit *f : { NumberBox1, NumberBox2 })
        OnFieldUsed(f, [this] { Option[5]->setChecked(true); });

    Command1 = new QPushButton(QStringLiteral("Insere"), this);
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

    connect(Command1, &QPushButton::clicked, this, &FormCADFormato::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FormCADFormato::Command2_Click);
}

void FormCADFormato::Command1_Click()
{
    int option = 1;
    for (int i = 0; i < 6; ++i) {
        if (Option[static_cast<std::size_t>(i)]->isChecked())
            option = i + 1;
    }
    const auto sheet = CadForms::SheetSize(option, NumberBox1->text().toStdString(),
                                           NumberBox2->text().toStdString());
    AppContext &ctx = m_session.context();
    if (!sheet) {
        ctx.ui()->MessageBox("Digite um valor numérico válido para construção do formato:",
                             UiHost::Buttons::Ok, UiHost::Icon::Information, "Reservium");
        NumberBox1->setFocus();
        return;
    }
    const ErrorPair e = ModuleCAD::WriteProgramExchangeFile(
            ctx, CadExchange::kFormatFile, CadExchange::FormatLines(sheet->first, sheet->second));
    if (!e.ok()) {
        ctx.ui()->MessageBox(e.description, UiHost::Buttons::Ok, UiHost::Icon::Critical,
                             "Erro " + std::to_string(e.number));
        return;
    }
    m_session.send(8);
    close();
}

void FormCADFormato::Command2_Click()
{
    close();
}
