#include "input/ui/FormPosicaoAs.h"

#include "core/AppContext.h"
#include "core/ui/ImageButton.h"
#include "core/ui/MDI.h"
#include "input/InputChain.h"
#include "input/ui/FormBinding.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

FormPosicaoAs::FormPosicaoAs(MDI &mdi)
    : InputFormWindow(mdi, InputChain::InputWindow::FormPosicaoAs,
                      mdi.context().forms.FormPosicaoAs,
                      QStringLiteral("Posição da Armação do Reservatório"))
{
    auto *grid = new QGridLayout(this);
    auto *group = new QGroupBox(this);
    auto *column = new QVBoxLayout(group);
    const char *captions[] = { "Caixa D'água Armada Horizontalmente",
                               "Caixa D'água Armada Verticalmente",
                               "Caixa D'água Armada em Duas Direções" };
    for (std::size_t i = 0; i < 3; ++i) {
        const InputChain::LayoutOption &opt = InputChain::LayoutOptions()[i];
        auto *r = new QRadioButton(QString::fromUtf8(captions[i]), group);
        r->setObjectName(opt.optionName);
        r->setAutoExclusive(false);
        column->addWidget(r);
        binding().bindCheck(r);
        const std::int16_t code = opt.code;
        connect(r, &QRadioButton::clicked, this, [this, code] { Option_Click(code); });
        m_options[i] = r;
    }
    grid->addWidget(group, 0, 0, Qt::AlignCenter);
    grid->setRowStretch(0, 1);
    addButtons(grid, 1, 1, QStringLiteral("butres"), true);
    setTabOrder(m_options[0], m_options[1]);
    setTabOrder(m_options[1], m_options[2]);
    setTabOrder(m_options[2], forwardButton());
    setTabOrder(forwardButton(), backButton());
}

void FormPosicaoAs::Option_Click(std::int16_t layoutCode)
{
    InputChain::ChooseLayout(m_model, layoutCode);
    binding().refreshAll();
}

QWidget *FormPosicaoAs::firstControl() const
{
    for (QRadioButton *r : m_options) {
        if (r->isChecked())
            return r;
    }
    return m_options[0];
}
