#include "input/ui/FormAltera_e.h"

#include "core/AppContext.h"
#include "core/ModuleNumberBox.h"
#include "core/ModuleRSVErr.h"
#include "core/ui/ImageButton.h"
#include "core/ui/NumericLineEdit.h"
#include "input/CalculationLaunch.h"
#include "input/ui/FormBinding.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>

FormAltera_e::FormAltera_e(AppContext &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName("FormAltera_e");
    FormModel &model = ctx.forms.FormAltera_e;
    m_binding = new FormBinding(ctx, model, this);
    auto *grid = new QGridLayout(this);

    auto *label1 = new QLabel(this);
    label1->setObjectName("Label1");
    label1->setWordWrap(true);
    grid->addWidget(label1, 0, 0, 1, 3);
    auto *label2 = new QLabel(this);
    label2->setObjectName("Label2");
    label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(label2, 1, 1);
    auto *label3 = new QLabel(QStringLiteral("m"), this);
    label3->setObjectName("Label3");
    grid->addWidget(label3, 1, 2);

    auto *label4 = new QLabel(this);
    label4->setObjectName("Label4");
    label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(label4, 2, 0);
    m_text = new NumericLineEdit(this);
    m_text->setObjectName("Text_e");
    if (const auto mask = ModuleNumberBox::NumericFieldMask("FormAltera_e", "Text_e"))
        m_text->setNumericMask(std::string(mask->mask), mask->allowZero);
    m_text->setRegionalSettings(ctx);
    m_text->setAlignment(Qt::AlignRight);
    grid->addWidget(m_text, 2, 1);
    auto *label6 = new QLabel(QStringLiteral("m"), this);
    label6->setObjectName("Label6");
    grid->addWidget(label6, 2, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_back = new ImageButton("butarw", 3, QStringLiteral("Voltar"), this);
    m_back->setObjectName("butarw_3");
    m_confirm = new ImageButton("butres", 2, QStringLiteral("Confirmar"), this);
    m_confirm->setObjectName("butres_2");
    buttons->addWidget(m_back);
    buttons->addWidget(m_confirm);
    for (ImageButton *b : { m_back, m_confirm }) {
        if (b->pictureFile(1).isEmpty())
            b->setPictureSize({ fontMetrics().horizontalAdvance(b->description()) + 8,
                                fontMetrics().height() });
    }
    grid->addLayout(buttons, 3, 0, 1, 3);
    grid->setColumnStretch(0, 1);

    m_binding->bindLabel(label1, "Label1");
    m_binding->bindLabel(label2, "Label2");
    m_binding->bindLabel(label4, "Label4");
    m_binding->bindText(m_text);
    m_binding->bindImageButton(m_confirm, "butres_2");
    m_binding->bindImageButton(m_back, "butarw_3");
    setTabOrder(m_text, m_confirm);
    setTabOrder(m_confirm, m_back);

    connect(m_confirm, &QAbstractButton::clicked, this, &FormAltera_e::butnext);
    connect(m_back, &QAbstractButton::clicked, this, &FormAltera_e::butarw_Click);
    m_binding->onChange([this](const std::string &name, FormModel::Change change) {
        if (name == "Caption")
            setWindowTitle(QString::fromStdString(m_ctx.forms.FormAltera_e.text("Caption")));
        if (name == "Text_e" && change == FormModel::Change::Text)
            CalculationLaunch::Text_e_Change(m_ctx);
    });
    setMinimumWidth(340);
}

void FormAltera_e::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    setWindowTitle(QString::fromStdString(m_ctx.forms.FormAltera_e.text("Caption")));
    m_binding->refreshAll();
    m_text->setFocus(Qt::OtherFocusReason);
}

void FormAltera_e::butnext()
{
    CalculationLaunch::butnext(m_ctx);
}

void FormAltera_e::butarw_Click()
{
    CalculationLaunch::Altera_eClose(m_ctx);
}

void FormAltera_e::reject()
{
    ModuleRSVErr::SetInputError(m_ctx, noError);
    QDialog::reject();
}

void FormAltera_e::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // The same check as the button: refused while the value breaks its limit.
        butnext();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        butarw_Click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
