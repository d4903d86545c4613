#include "input/ui/FormTipoElev.h"

#include "core/AppContext.h"
#include "core/ui/ImageButton.h"
#include "core/ui/MDI.h"
#include "core/ui/SceneView.h"
#include "input/TankSketches.h"
#include "input/ui/FormBinding.h"

#include <QGridLayout>
#include <QRadioButton>

FormTipoElev::FormTipoElev(MDI &mdi)
    : InputFormWindow(mdi, InputChain::InputWindow::FormTipoElev, mdi.context().forms.FormTipoElev,
                      QStringLiteral("Reservatório Elevado ou Enterrado"))
{
    auto *grid = new QGridLayout(this);
    m_image1 = picture("Image1");
    m_image2 = picture("Image2");
    m_elevada = new QRadioButton(QStringLiteral("Reservatório Elevado"), this);
    m_elevada->setObjectName("OptionElevada");
    m_enterrada = new QRadioButton(QStringLiteral("Reservatório Enterrado"), this);
    m_enterrada->setObjectName("OptionEnterrada");
    // The model keeps the group's one choice; the buttons only show it.
    for (QRadioButton *r : { m_elevada, m_enterrada })
        r->setAutoExclusive(false);
    grid->addWidget(m_image1, 0, 0);
    grid->addWidget(m_image2, 0, 1);
    grid->addWidget(m_elevada, 1, 0, Qt::AlignHCenter);
    grid->addWidget(m_enterrada, 1, 1, Qt::AlignHCenter);
    grid->setRowStretch(0, 1);
    addButtons(grid, 2, 2, QStringLiteral("butarw"), false);
    binding().bindCheck(m_elevada);
    binding().bindCheck(m_enterrada);
    setTabOrder(m_elevada, m_enterrada);
    setTabOrder(m_enterrada, forwardButton());

    connect(m_elevada, &QRadioButton::clicked, this, &FormTipoElev::OptionElevada_Click);
    connect(m_enterrada, &QRadioButton::clicked, this, &FormTipoElev::OptionEnterrada_Click);
    connect(m_image1, &SceneView::clicked, this, &FormTipoElev::OptionElevada_Click);
    connect(m_image2, &SceneView::clicked, this, &FormTipoElev::OptionEnterrada_Click);
    binding().onChange([this](const std::string &, FormModel::Change change) {
        if (change == FormModel::Change::State)
            redraw();
    });
    redraw();
}

void FormTipoElev::OptionElevada_Click()
{
    m_model.setState("OptionEnterrada", 0);
    m_model.setState("OptionElevada", 1);
    binding().refreshAll();
}

void FormTipoElev::OptionEnterrada_Click()
{
    m_model.setState("OptionElevada", 0);
    m_model.setState("OptionEnterrada", 1);
    binding().refreshAll();
}

QWidget *FormTipoElev::firstControl() const
{
    // The chosen option, as a group of options takes the focus.
    return m_model.state("OptionElevada") != 0 ? m_elevada : m_enterrada;
}

void FormTipoElev::redraw()
{
    m_image1->setScene(TankSketches::ElevatedTankSketch(m_model.state("OptionElevada") != 0));
    m_image2->setScene(TankSketches::BuriedTankSketch(m_model.state("OptionEnterrada") != 0));
}
