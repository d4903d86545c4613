#include "input/ui/FormSolos.h"

#include "core/AppContext.h"
#include "input/ui/FormBinding.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

struct FieldRow
{
    const char *control;
    const char *label;
    const char *unit;
    const char *tooltip;
};

const FieldRow kRows[] = {
    { "Text1", "Nome:", "", "Nome do solo cadastrado" },
    { "NumberBox1", "Peso esp. aparente:", "tf/m³", "Peso específico aparente do solo" },
    { "NumberBox2", "Peso esp. saturado:", "tf/m³", "Peso específico do solo saturado" },
    { "NumberBox3", "Ângulo de talude:", "Graus", "Ângulo de talude natural" },
    { "NumberBox4", "Tensão admissível:", "tf/m²", "Tensão máxima admissível no solo de fundação" },
    { "NumberBox5", "SPT", "", "Valor do Standard Penetration Test" },
    { "Text2", "Obs.:", "", "Observações sobre o solo cadastrado" },
};

const struct
{
    const char *key;
    const char *tooltip;
} kButtons[] = {
    { "Inserir", "Insere novo tipo de solo" },      { "Editar", "" },
    { "Excluir", "Exclui tipo de solo existente" }, { "Salvar", "Salva alterações" },
    { "Cancelar", "Cancela alterações" },
};

} // namespace

FormSolos::FormSolos(AppContext &ctx, QWidget *parent) : QDialog(parent), m_solos(ctx)
{
    setObjectName("FormSolos");
    setWindowTitle(QStringLiteral("Cadastro de Tipos de Solo"));
    m_binding = new FormBinding(ctx, m_solos.form(), this);
    auto *column = new QVBoxLayout(this);

    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName("Toolbar1");
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const auto &b : kButtons) {
        QAction *a = m_toolbar->addAction(QString::fromUtf8(b.key));
        a->setObjectName(b.key);
        a->setToolTip(QString::fromUtf8(b.tooltip));
        a->setCheckable(true);
        if (auto *button = qobject_cast<QToolButton *>(m_toolbar->widgetForAction(a))) {
            button->setObjectName(b.key);
            m_binding->bindCheck(button);
        }
        const QString key = QString::fromUtf8(b.key);
        connect(a, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
    }
    column->addWidget(m_toolbar);

    m_grid = new QTableWidget(0, 7, this);
    m_grid->setObjectName("DBGrid1");
    m_grid->setHorizontalHeaderLabels(
            { "Nome", "PESP", "PESPSAT", "ANG", "TMAX", "SPT", QStringLiteral("Observação") });
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    // 3000, 500 and 3160 twips at 15 twips a pixel, the numbers wide enough for their header.
    m_grid->setColumnWidth(0, 200);
    for (int c = 1; c <= 5; ++c)
        m_grid->setColumnWidth(c, 64);
    m_grid->setColumnWidth(6, 211);
    column->addWidget(m_grid, 1);
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (!m_showing) {
            m_solos.SelectRow(row);
            m_binding->refreshAll();
        }
    });

    auto *frame = new QGroupBox(QStringLiteral("Tipo de Solo Selecionado"), this);
    auto *grid = new QGridLayout(frame);
    int r = 0;
    QWidget *previous = nullptr;
    for (const FieldRow &row : kRows) {
        auto *edit = new QLineEdit(frame);
        edit->setObjectName(row.control);
        edit->setToolTip(QString::fromUtf8(row.tooltip));
        auto *label = new QLabel(QString::fromUtf8(row.label), frame);
        label->setBuddy(edit);
        const int gridRow = r < 4 ? r : r - 4;
        const int gridColumn = r < 4 ? 0 : 3;
        if (row.control == std::string("Text2")) {
            grid->addWidget(label, 4, 0);
            grid->addWidget(edit, 4, 1, 1, 5);
        } else {
            grid->addWidget(label, gridRow, gridColumn);
            grid->addWidget(edit, gridRow, gridColumn + 1);
            grid->addWidget(new QLabel(QString::fromUtf8(row.unit), frame), gridRow,
                            gridColumn + 2);
        }
        m_binding->bindText(edit);
        if (previous)
            setTabOrder(previous, edit);
        previous = edit;
        ++r;
    }
    column->addWidget(frame);

    m_command1 = new QPushButton(QStringLiteral("< Retornar"), this);
    m_command1->setObjectName("Command1");
    m_command1->setToolTip(QStringLiteral("Retorna aos dados iniciais"));
    m_command1->setAutoDefault(false);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(m_command1);
    column->addLayout(bottom);
    m_binding->bindCheck(m_command1);
    connect(m_command1, &QPushButton::clicked, this, &FormSolos::Command1_Click);

    m_binding->onChange([this](const std::string &name, FormModel::Change change) {
        if (name == "DBGrid1" && change == FormModel::Change::Enabled)
            m_grid->setEnabled(m_solos.form().enabled("DBGrid1"));
        // The actions follow their buttons.
        for (QAction *a : m_toolbar->actions()) {
            if (a->objectName().toStdString() == name) {
                a->setEnabled(m_solos.form().enabled(name));
                a->setChecked(m_solos.form().state(name) != 0);
            }
        }
    });
    resize(720, 460);
    m_solos.Form_Load();
    m_binding->refreshAll();
    showRows();
}

FormSolos::~FormSolos()
{
    // The binding listens to the catalogue's model, a member that goes before the children.
    delete m_binding;
}

void FormSolos::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_solos.Form_Activate();
    afterCommand();
}

void FormSolos::showRows()
{
    m_showing = true;
    const auto &rows = m_solos.rows();
    m_grid->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        int c = 0;
        for (const SoilField &f : kSoilFields) {
            auto *item = new QTableWidgetItem(QString::fromStdString(rows[i].*f.member));
            if (c >= 1 && c <= 5)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grid->setItem(static_cast<int>(i), c++, item);
        }
    }
    if (m_solos.currentRow() >= 0)
        m_grid->setCurrentCell(m_solos.currentRow(), 0);
    m_grid->setEnabled(m_solos.form().enabled("DBGrid1"));
    m_showing = false;
}

void FormSolos::afterCommand()
{
    showRows();
    m_binding->refreshAll();
    for (QAction *a : m_toolbar->actions()) {
        const std::string key = a->objectName().toStdString();
        a->setEnabled(m_solos.form().enabled(key));
        a->setChecked(m_solos.form().state(key) != 0);
    }
    if (!m_solos.focus().empty()) {
        if (auto *w = findChild<QWidget *>(QString::fromStdString(m_solos.focus())))
            w->setFocus(Qt::OtherFocusReason);
    }
}

void FormSolos::Toolbar1_ButtonClick(const QString &key)
{
    m_solos.Toolbar1_ButtonClick(key.toStdString());
    afterCommand();
}

void FormSolos::Command1_Click()
{
    if (m_solos.form().enabled("Command1"))
        accept();
}
