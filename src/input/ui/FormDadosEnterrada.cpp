#include "input/ui/FormDadosEnterrada.h"

#include "core/AppContext.h"
#include "core/ModuleRSVErr.h"
#include "core/ui/ImageButton.h"
#include "core/ui/MDI.h"
#include "core/ui/NumericLineEdit.h"
#include "core/ui/SceneView.h"
#include "input/InputFlows.h"
#include "input/ui/FormBinding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

FormDadosEnterrada::FormDadosEnterrada(MDI &mdi)
    : InputFormWindow(mdi, InputChain::InputWindow::FormDadosEnterrada,
                      mdi.context().forms.FormDadosEnterrada,
                      QStringLiteral("Dados do Reservatório Enterrado"))
{
    auto *grid = new QGridLayout(this);
    auto addLabel = [this, grid](int row, const char *text) {
        auto *l = new QLabel(QString::fromUtf8(text), this);
        l->setWordWrap(true);
        // Long captions wrap, so the section keeps the width.
        l->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("M")) * 14);
        grid->addWidget(l, row, 0);
        return l;
    };
    auto addUnit = [this, grid](int row, const char *text) {
        auto *l = new QLabel(QString::fromUtf8(text), this);
        grid->addWidget(l, row, 2);
        return l;
    };

    addLabel(0, "Altura a partir da qual a Caixa será enterrada ( ht )  =");
    NumericLineEdit *ht = numericField("Textht");
    grid->addWidget(ht, 0, 1);
    addUnit(0, "m");
    m_first = ht;

    addLabel(1, "Sobrecarga no terreno ( qt ) =");
    NumericLineEdit *qt = numericField("Textqt");
    grid->addWidget(qt, 1, 1);
    addUnit(1, "kgf/m²");

    m_checkhna = new QCheckBox(QStringLiteral("Altura do NA do lençol\n( hna ) ="), this);
    m_checkhna->setObjectName("Checkhna");
    grid->addWidget(m_checkhna, 2, 0);
    NumericLineEdit *hna = numericField("Texthna");
    grid->addWidget(hna, 2, 1);
    m_hnaUnit = addUnit(2, "m");
    m_hnaUnit->setObjectName("Label_hna");

    addLabel(3, "Dados do Solo =");
    m_combo = new QComboBox(this);
    m_combo->setObjectName("ComboSolo");
    m_combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_combo->setMinimumContentsLength(12);
    grid->addWidget(m_combo, 3, 1, 1, 2);
    m_command3 = new QPushButton(QStringLiteral("Cadastro"), this);
    m_command3->setObjectName("Command3");
    m_command3->setAutoDefault(false);
    grid->addWidget(m_command3, 4, 1, 1, 2);

    addLabel(5, "Peso específico do solo ( γ ) =")
            ->setToolTip(QStringLiteral("Peso específico aparente do solo"));
    NumericLineEdit *gama = numericField("TextGama");
    gama->setToolTip(QStringLiteral("Peso específico aparente do solo"));
    grid->addWidget(gama, 5, 1);
    addUnit(5, "tf/m³");

    addLabel(6, "Ângulo de talude natural ( φ ) =")
            ->setToolTip(QStringLiteral("Ângulo de talude natural do solo"));
    NumericLineEdit *ang = numericField("TextAngSolo");
    ang->setToolTip(QStringLiteral("Ângulo de talude natural do solo"));
    grid->addWidget(ang, 6, 1);
    addUnit(6, "Graus");

    addLabel(7, "Ângulo de inclinação adjacente =");
    NumericLineEdit *angT = numericField("TextAngTerreno");
    angT->setToolTip(QStringLiteral("Ângulo de inclinação adjacente"));
    grid->addWidget(angT, 7, 1);
    addUnit(7, "Graus");

    grid->setRowStretch(8, 1);
    m_image1 = picture("Image1");
    grid->addWidget(m_image1, 0, 3, 9, 1);
    grid->setColumnStretch(3, 1);
    addButtons(grid, 9, 4, QStringLiteral("butarw"), true);

    QWidget *order[] = { ht,  qt,   m_checkhna,      hna,         m_combo, m_command3, gama,
                         ang, angT, forwardButton(), backButton() };
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    binding().bindCheck(m_checkhna);
    connect(m_checkhna, &QCheckBox::clicked, this, &FormDadosEnterrada::Checkhna_Click);
    connect(m_combo, &QComboBox::activated, this, &FormDadosEnterrada::ComboSolo_Click);
    connect(m_command3, &QPushButton::clicked, this, &FormDadosEnterrada::Command3_Click);
    binding().onChange([this](const std::string &name, FormModel::Change change) {
        if (name == "ComboSolo") {
            showSoilChoice();
            return;
        }
        if (name == "Texthna" && change == FormModel::Change::Visible)
            m_hnaUnit->setVisible(m_model.visible("Texthna"));
        if (name == "Checkhna" && change == FormModel::Change::State)
            redraw();
        if (change == FormModel::Change::Text && name.rfind("Text", 0) == 0)
            Text_Change();
    });
    m_hnaUnit->setVisible(m_model.visible("Texthna"));
    FillSolo();
    redraw();
}

void FormDadosEnterrada::FillSolo()
{
    m_soils = SoilCatalogue::FillSolo(m_ctx);
    m_filling = true;
    m_combo->clear();
    for (const SoilListEntry &e : m_soils.entries)
        m_combo->addItem(QString::fromStdString(e.name), e.code);
    m_filling = false;
    showSoilChoice();
}

void FormDadosEnterrada::showSoilChoice()
{
    if (m_filling)
        return;
    const int position = m_model.state("ComboSolo");
    m_combo->setCurrentIndex(position < m_combo->count() ? position : -1);
}

void FormDadosEnterrada::ComboSolo_Click(int index)
{
    // A catalogue that cannot be read has shown its error already; the fields stay as typed.
    static_cast<void>(SoilCatalogue::ChooseSoil(m_ctx, m_soils, index));
}

void FormDadosEnterrada::Checkhna_Click()
{
    m_model.setState("Checkhna", m_checkhna->isChecked() ? 1 : 0);
    InputFlows::Checkhna_Click(m_ctx);
    binding().refreshAll();
    redraw();
}

void FormDadosEnterrada::Command3_Click()
{
    if (UiHost *ui = m_ctx.ui())
        ui->ShowForm("FormSolos");
    FillSolo();
}

void FormDadosEnterrada::Text_Change()
{
    ModuleRSVErr::CheckBuriedWindow(m_ctx);
    binding().refreshButtons();
    redraw();
}

QWidget *FormDadosEnterrada::firstControl() const
{
    return m_first;
}

void FormDadosEnterrada::redraw()
{
    const TankSketches::BuriedValues &v =
            m_drawn.update(TankSketches::ReadBuried(m_ctx.forms.FormDadosGeometricos, m_model));
    m_image1->setScene(TankSketches::BuriedSketch(v, m_ctx.regional(), m_drawn.stale));
}
