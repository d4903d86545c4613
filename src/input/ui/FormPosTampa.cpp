#include "input/ui/FormPosTampa.h"

#include "core/AppContext.h"
#include "core/ModuleRSVErr.h"
#include "core/ui/ImageButton.h"
#include "core/ui/MDI.h"
#include "core/ui/NumericLineEdit.h"
#include "core/ui/SceneView.h"
#include "input/ui/FormBinding.h"

#include <QGridLayout>
#include <QLabel>

FormPosTampa::FormPosTampa(MDI &mdi)
    : InputFormWindow(mdi, InputChain::InputWindow::FormPosTampa, mdi.context().forms.FormPosTampa,
                      QStringLiteral("Posição da Tampa do Reservatório"))
{
    auto *grid = new QGridLayout(this);
    m_image1 = layoutFields(
            grid,
            { { "Text_X", "X", "m" },
              { "Text_Y", "Y", "m" },
              { "Text_Lx", "Lx", "m" },
              { "Text_Ly", "Ly", "m" },
              { "TextqA", "Sobrecarga na tampa do Reservatório ( A )  =", "kgf/m²", true } },
            m_first);

    binding().onChange([this](const std::string &name, FormModel::Change change) {
        if (change == FormModel::Change::Text && name.rfind("Text", 0) == 0)
            Text_Change();
    });
    redraw();
}

void FormPosTampa::Text_Change()
{
    ModuleRSVErr::CheckLidWindow(m_ctx);
    binding().refreshButtons();
    redraw();
}

QWidget *FormPosTampa::firstControl() const
{
    return m_first;
}

void FormPosTampa::redraw()
{
    const TankSketches::LidValues &v =
            m_drawn.update(TankSketches::ReadLid(m_ctx.forms.FormDadosGeometricos, m_model));
    m_image1->setScene(TankSketches::LidSketch(v, m_ctx.regional(), m_drawn.stale));
}
