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
    const struct
    {
        const char *control;
        const char *symbol;
    } rows[] = { { "Text_a", "a" }, { "Text_b", "b" }, { "Text_h", "h" }, { "Text_hn", "hn" } };
    QWidget *previous = nullptr;
    int row = 0;
    for (const auto &r : rows) {
        auto *symbol = new QLabel(QString::fromUtf8(r.symbol), this);
        symbol->setObjectName(QStringLiteral("Label_") + r.control);
        NumericLineEdit *field = numericField(r.control);
        grid->addWidget(symbol, row, 0, Qt::AlignRight);
        grid->addWidget(new QLabel(QStringLiteral("="), this), row, 1);
        grid->addWidget(field, row, 2);
        grid->addWidget(new QLabel(QStringLiteral("m"), this), row, 3);
        if (previous)
            setTabOrder(previous, field);
        else
            m_first = field;
        previous = field;
        ++row;
    }
    grid->setRowStretch(row, 1);
    m_image1 = picture("Image1");
    grid->addWidget(m_image1, 0, 4, row + 1, 1);
    grid->setColumnStretch(4, 1);
    addButtons(grid, row + 1, 5, QStringLiteral("butarw"), true);
    setTabOrder(previous, forwardButton());
    setTabOrder(forwardButton(), backButton());

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
