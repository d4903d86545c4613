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
    const struct
    {
        const char *control;
        const char *symbol;
        const char *unit;
    } rows[] = { { "Text_X", "X", "m" },
                 { "Text_Y", "Y", "m" },
                 { "Text_Lx", "Lx", "m" },
                 { "Text_Ly", "Ly", "m" },
                 { "TextqA", "Sobrecarga na tampa do Reservatório ( A )  =", "kgf/m²" } };
    QWidget *previous = nullptr;
    int row = 0;
    for (const auto &r : rows) {
        NumericLineEdit *field = numericField(r.control);
        auto *symbol = new QLabel(QString::fromUtf8(r.symbol), this);
        symbol->setObjectName(QStringLiteral("Label_") + r.control);
        if (row < 4) {
            grid->addWidget(symbol, row, 0, Qt::AlignRight);
            grid->addWidget(new QLabel(QStringLiteral("="), this), row, 1);
        } else {
            // The long caption of the live load wraps, so the picture keeps the width.
            symbol->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            symbol->setWordWrap(true);
            symbol->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("M")) * 15);
            grid->addWidget(symbol, row, 0, 1, 2);
        }
        grid->addWidget(field, row, 2);
        grid->addWidget(new QLabel(QString::fromUtf8(r.unit), this), row, 3);
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
