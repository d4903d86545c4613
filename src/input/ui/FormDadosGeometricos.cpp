#include "input/ui/FormDadosGeometricos.h"

#include "core/AppContext.h"
#include "core/ModuleRSVErr.h"
#include "core/ui/ImageButton.h"
#include "core/ui/MDI.h"
#include "core/ui/NumericLineEdit.h"
#include "core/ui/SceneView.h"
#include "input/ui/FormBinding.h"

#include <QGridLayout>
#include <QLabel>

FormDadosGeometricos::FormDadosGeometricos(MDI &mdi)
    : InputFormWindow(mdi, InputChain::InputWindow::FormDadosGeometricos,
                      mdi.context().forms.FormDadosGeometricos,
                      QStringLiteral("Dados Geométricos do Reservatório"))
{
    auto *grid = new QGridLayout(this);
    m_image1 = layoutFields(grid,
                            { { "Text_a", "a", "m" },
                              { "Text_b", "b", "m" },
                              { "Text_h", "h", "m" },
                              { "Text_hn", "hn", "m" } },
                            m_first);

    binding().onChange([this](const std::string &name, FormModel::Change change) {
        if (change == FormModel::Change::Text && name.rfind("Text_", 0) == 0)
            Text_Change();
    });
    redraw();
}

void FormDadosGeometricos::Text_Change()
{
    ModuleRSVErr::CheckGeometryWindow(m_ctx);
    binding().refreshButtons();
    redraw();
}

QWidget *FormDadosGeometricos::firstControl() const
{
    return m_first;
}

void FormDadosGeometricos::redraw()
{
    const TankSketches::GeometryValues &v = m_drawn.update(TankSketches::ReadGeometry(m_model));
    m_image1->setScene(TankSketches::GeometrySketch(v, m_ctx.regional(), m_drawn.stale));
}
