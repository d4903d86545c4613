#include "results/ui/FormResultados.h"

#include "core/AppContext.h"
#include "core/ModuleRSVErr.h"
#include "core/UiHost.h"
#include "core/ui/ImageButton.h"
#include "core/ui/MDI.h"
#include "core/ui/SceneView.h"
#include "design/PositionKeys.h"
#include "design/ui/BarGridView.h"
#include "design/ui/Formasgrd.h"
#include "input/CalculationLaunch.h"
#include "input/InputChain.h"
#include "input/InputFlows.h"
#include "results/LoadDiagrams.h"
#include "results/ModuleCalcConsumo.h"
#include "results/MomentDiagrams.h"
#include "results/TankSections.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const char *const kUnitMoment = "kgfm";
const char *const kUnitLoad = "kgf/m²";

/// A picture with its caption above it.
SceneView *addPicture(QGridLayout *grid, int row, int col, const QString &name,
                      const QString &caption, QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(2);
    if (!caption.isEmpty()) {
        auto *label = new QLabel(caption, box);
        label->setAlignment(Qt::AlignCenter);
        v->addWidget(label);
    }
    auto *view = new SceneView(box);
    view->setObjectName(name);
    view->setAccessibleName(caption.isEmpty() ? name : caption);
    view->setMinimumSize(120, 90);
    v->addWidget(view, 1);
    grid->addWidget(box, row, col);
    return view;
}

/// The key code and shift state the grid's key table is written in, from a released key.
std::pair<int, int> keyCodeOf(const QKeyEvent &e)
{
    const bool keypad = e.modifiers().testFlag(Qt::KeypadModifier);
    const int shift = e.modifiers().testFlag(Qt::ShiftModifier) ? 1 : 0;
    switch (e.key()) {
    case Qt::Key_Insert:
        return { 45, shift };
    case Qt::Key_Delete:
        return { 46, shift };
    case Qt::Key_End:
        return { 35, shift };
    case Qt::Key_Home:
        return { 36, shift };
    case Qt::Key_Plus:
        if (keypad)
            return { 107, shift };
        // Shift with the "=" key, or a "+" key of its own.
        return shift ? std::pair{ 187, 1 } : std::pair{ 43, 0 };
    case Qt::Key_Minus:
        return keypad ? std::pair{ 109, shift } : std::pair{ 189, shift };
    case Qt::Key_Underscore:
        return { 189, 1 }; // the "-" key with shift
    default:
        return { 0, shift };
    }
}

} // namespace

FormResultados::FormResultados(AppContext &ctx, MDI *mdi, QWidget *parent)
    : QWidget(parent), m_ctx(ctx), m_mdi(mdi)
{
    setObjectName("FormResultados");
    setMouseTracking(true);
    auto *layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("SSTab1");
    m_tabs->addTab(buildGeometryTab(), QStringLiteral("Geometria"));
    m_tabs->addTab(buildLoadsTab(), QStringLiteral("Cargas"));
    m_tabs->addTab(buildMomentsTab(), QStringLiteral("Momentos"));
    m_tabs->addTab(buildReinforcementTab(), QStringLiteral("Armaduras"));
    m_tabs->addTab(buildQuantitiesTab(), QStringLiteral("Consumo"));
    layout->addWidget(m_tabs, 1);
    connect(m_tabs->tabBar(), &QTabBar::tabBarClicked, this, &FormResultados::SSTab1_Click);
    connect(m_tabs->tabBar(), &QTabBar::tabBarDoubleClicked, this, [this](int tab) {
        if (tab == 4)
            SSTab1_Click(tab);
    });

    auto *buttons = new QHBoxLayout;
    const struct
    {
        const char *name;
        int index;
        const char *description;
    } defs[] = {
        { "butarw", 3, "Voltar" },
        { "butscr", 2, "Imprimir a imagem da janela" },
        { "butrpt", 2, "Relatório do projeto" },
        { "butdet", 2, "Detalhamento no CAD" },
    };
    for (std::size_t i = 0; i < 4; ++i) {
        auto *b = new ImageButton(defs[i].name, defs[i].index,
                                  QString::fromUtf8(defs[i].description), this);
        b->setObjectName(QString::fromLatin1(defs[i].name) + "_" + QString::number(defs[i].index));
        m_buttons[i] = b;
        connect(b, &ImageButton::hovered, this, [this, b] {
            resetButtons();
            b->SetButtonPicture(2, ModuleRSVErr::GetInputError(m_ctx), false);
        });
        buttons->addWidget(b);
        if (i == 0)
            buttons->addStretch(1);
    }
    connect(m_buttons[0], &QAbstractButton::clicked, this, &FormResultados::butarw_Click);
    connect(m_buttons[1], &QAbstractButton::clicked, this, &FormResultados::butscr_Click);
    connect(m_buttons[2], &QAbstractButton::clicked, this, &FormResultados::butrpt_Click);
    connect(m_buttons[3], &QAbstractButton::clicked, this, &FormResultados::butdet_Click);
    layout->addLayout(buttons);

    // The window's design size, never smaller than its contents need.
    const double dpi = screen() ? screen()->logicalDotsPerInchX() : 96.0;
    const double twipsPerPixel = 1440.0 / (dpi > 0 ? dpi : 96.0);
    QSize size(static_cast<int>(m_ctx.state.largeFormWidth / twipsPerPixel),
               static_cast<int>(m_ctx.state.largeFormHeight / twipsPerPixel));
    resize(size.expandedTo(minimumSizeHint()).expandedTo({ 820, 600 }));
    for (SceneView *view : findChildren<SceneView *>())
        connect(view, &SceneView::pointerMoved, this, &FormResultados::resetButtons);
}

QLineEdit *FormResultados::addField(int index, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("Text_a_%1").arg(index));
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
    edit->setMinimumWidth(64);
    edit->setMaximumWidth(100);
    m_Text_a[static_cast<std::size_t>(index)] = edit;
    return edit;
}

namespace {

/// A row of a field table: caption, symbol, field, unit.
struct FieldRow
{
    const char *caption;
    const char *symbol;
    int index;
    const char *unit;
};

} // namespace

QWidget *FormResultados::buildGeometryTab()
{
    auto *tab = new QWidget;
    auto *h = new QHBoxLayout(tab);
    auto *left = new QGridLayout;
    const FieldRow rows[] = {
        { "Largura do Reservatório", "a", 0, "m" },
        { "Comprimento da base", "b", 1, "m" },
        { "Altura da base", "h", 2, "m" },
        { "Altura do nível d'água interno", "hn", 3, "m" },
        { "Volume total", "Vt", 7, "m³" },
        { "Volume útil", "Vu", 8, "m³" },
        { "Espessura da tampa", "e(t)", 4, "m" },
        { "Espessura das paredes", "e(p)", 5, "m" },
        { "Espessura do fundo", "e(f)", 6, "m" },
    };
    int r = 0;
    for (const FieldRow &f : rows) {
        left->addWidget(new QLabel(QString::fromUtf8(f.caption), tab), r, 0);
        left->addWidget(new QLabel(QString::fromUtf8(f.symbol), tab), r, 1);
        left->addWidget(addField(f.index, tab), r, 2);
        left->addWidget(new QLabel(QString::fromUtf8(f.unit), tab), r, 3);
        ++r;
    }
    const char *review[] = { "Alterar e( t )", "Alterar e( p )", "Alterar e( f )" };
    for (int i = 0; i < 3; ++i) {
        auto *b = new QPushButton(QString::fromUtf8(review[i]), tab);
        b->setObjectName(QStringLiteral("Command5_%1").arg(i));
        connect(b, &QPushButton::clicked, this, [this, i] { Command5_Click(i); });
        left->addWidget(b, 6 + i, 4);
    }
    m_frame1_0 = new QGroupBox(tab);
    m_frame1_0->setObjectName("Frame1_0");
    auto *fg = new QGridLayout(m_frame1_0);
    const FieldRow buried[] = {
        { "Altura do terreno exterior", "ht", 0, "m" },
        { "Atura do nível d'água do lençol", "hna", 1, "m" },
    };
    for (const FieldRow &f : buried) {
        auto *edit = new QLineEdit(m_frame1_0);
        edit->setObjectName(QStringLiteral("Text_hn_%1").arg(f.index));
        edit->setReadOnly(true);
        edit->setAlignment(Qt::AlignRight);
        edit->setMaximumWidth(110);
        m_Text_hn[static_cast<std::size_t>(f.index)] = edit;
        fg->addWidget(new QLabel(QString::fromUtf8(f.caption), m_frame1_0), f.index, 0);
        fg->addWidget(new QLabel(QString::fromUtf8(f.symbol), m_frame1_0), f.index, 1);
        fg->addWidget(edit, f.index, 2);
        fg->addWidget(new QLabel("m", m_frame1_0), f.index, 3);
    }
    left->addWidget(m_frame1_0, r, 0, 1, 5);
    left->setRowStretch(r + 1, 1);
    h->addLayout(left);
    auto *pictures = new QGridLayout;
    addPicture(pictures, 0, 0, "Image1_0", QStringLiteral("Corte Horizontal"), tab);
    addPicture(pictures, 1, 0, "Image1_1", QStringLiteral("Corte Vertical"), tab);
    h->addLayout(pictures, 1);
    return tab;
}

QWidget *FormResultados::buildLoadsTab()
{
    auto *tab = new QWidget;
    auto *h = new QHBoxLayout(tab);
    auto *left = new QVBoxLayout;
    auto *internal = new QGridLayout;
    const FieldRow rows[] = {
        { "Sobrecarga na tampa", "A", 9, kUnitLoad },
        { "Carregamento ( Interno ) nas paredes", "B", 10, kUnitLoad },
        { "Carregamento ( Interno ) no fundo", "C", 11, kUnitLoad },
    };
    int r = 0;
    for (const FieldRow &f : rows) {
        internal->addWidget(new QLabel(QString::fromUtf8(f.caption), tab), r, 0);
        internal->addWidget(new QLabel(QString::fromUtf8(f.symbol), tab), r, 1);
        internal->addWidget(addField(f.index, tab), r, 2);
        internal->addWidget(new QLabel(QString::fromUtf8(f.unit), tab), r, 3);
        ++r;
    }
    left->addLayout(internal);
    auto *frame = new QGroupBox(tab);
    frame->setObjectName("Frame1_1");
    auto *fg = new QGridLayout(frame);
    const FieldRow outside[] = {
        { "Reação no fundo", "D", 12, kUnitLoad },
        { "Empuxo devido ao solo", "E", 13, kUnitLoad },
        { "Empuxo devido a água", "F", 14, kUnitLoad },
        { "Subpressão no fundo do Reservatório", "G", 15, kUnitLoad },
    };
    r = 0;
    for (const FieldRow &f : outside) {
        fg->addWidget(new QLabel(QString::fromUtf8(f.caption), frame), r, 0);
        fg->addWidget(new QLabel(QString::fromUtf8(f.symbol), frame), r, 1);
        fg->addWidget(addField(f.index, frame), r, 2);
        fg->addWidget(new QLabel(QString::fromUtf8(f.unit), frame), r, 3);
        ++r;
    }
    left->addWidget(frame);
    left->addStretch(1);
    h->addLayout(left);
    auto *pictures = new QGridLayout;
    int i = 0;
    for (LoadDiagrams::Picture p : LoadDiagrams::kPictures) {
        addPicture(pictures, i % 2, i / 2, QString::fromStdString(LoadDiagrams::PictureName(p)),
                   QString::fromStdString(LoadDiagrams::Caption(p)), tab);
        ++i;
    }
    h->addLayout(pictures, 1);
    return tab;
}

QWidget *FormResultados::buildMomentsTab()
{
    auto *tab = new QWidget;
    auto *v = new QVBoxLayout(tab);
    struct Moment
    {
        const char *caption;
        int index;
    };
    auto fieldFrame = [this](QWidget *parent, const char *name, const char *title,
                             std::initializer_list<Moment> moments, int columns) {
        auto *box = new QGroupBox(QString::fromUtf8(title), parent);
        box->setObjectName(name);
        auto *g = new QGridLayout(box);
        int i = 0;
        for (const Moment &m : moments) {
            const int row = i / columns, col = (i % columns) * 3;
            g->addWidget(new QLabel(QString::fromUtf8(m.caption), box), row, col);
            g->addWidget(addField(m.index, box), row, col + 1);
            g->addWidget(new QLabel(kUnitMoment, box), row, col + 2);
            ++i;
        }
        return box;
    };

    // Horizontal layout: the ring of walls.
    auto *mom1 = new QGroupBox(QStringLiteral("Reservatório Armado Horizontalmente "), tab);
    mom1->setObjectName("FrameMom_1");
    {
        auto *g = new QGridLayout(mom1);
        g->addWidget(fieldFrame(mom1, "Frame1_9", "Cheio",
                                { { "Mx+", 16 }, { "Xx-", 17 }, { "My+", 18 }, { "Xy-", 19 } }, 1),
                     0, 0);
        g->addWidget(fieldFrame(mom1, "Frame1_2", "Vazio",
                                { { "Mx-", 20 }, { "Xx+", 21 }, { "My-", 22 }, { "Xy+", 23 } }, 1),
                     1, 0);
        auto *pictures = new QGridLayout;
        addPicture(pictures, 0, 0, "imgashche", QStringLiteral("Cheio"), mom1);
        addPicture(pictures, 0, 1, "imgashvaz", QStringLiteral("Vazio"), mom1);
        g->addLayout(pictures, 0, 1, 2, 1);
        g->setColumnStretch(1, 1);
    }
    // Vertical layout: the closed frame.
    auto *mom2 = new QGroupBox(QStringLiteral("Reservatório Armado Verticalmente"), tab);
    mom2->setObjectName("FrameMom_2");
    {
        auto *g = new QGridLayout(mom2);
        g->addWidget(fieldFrame(mom2, "Frame1_3", " Cheio ",
                                { { "Mt1-", 27 },
                                  { "Mf1-", 26 },
                                  { "My1+", 24 },
                                  { "Xy1+", 29 },
                                  { "Xy2+", 30 } },
                                1),
                     0, 0);
        g->addWidget(fieldFrame(mom2, "Frame1_4", " Vazio ",
                                { { "Mt2-", 37 },
                                  { "Mf2-", 35 },
                                  { "My2+", 33 },
                                  { "Xy3+", 32 },
                                  { "Xy4+", 31 } },
                                1),
                     0, 1);
        g->addWidget(fieldFrame(mom2, "Frame1_5", " Combinação dos Carregamentos ",
                                { { "Mt-", 44 },
                                  { "Mf-", 42 },
                                  { "My+", 40 },
                                  { "Xya+", 39 },
                                  { "Xyb+", 38 } },
                                1),
                     0, 2);
        auto *tabs = new QTabWidget(mom2);
        tabs->setObjectName("SSTab2");
        const char *names[] = { "imgasvche", "imgasvvaz", "imgasvchevaz" };
        const char *captions[] = { "Cheio", "Vazio", "Superposição dos Diagramas" };
        for (int i = 0; i < 3; ++i) {
            auto *box = new QWidget(tabs);
            box->setObjectName(QStringLiteral("picmom_%1").arg(i));
            auto *bg = new QGridLayout(box);
            bg->setContentsMargins(2, 2, 2, 2);
            addPicture(bg, 0, 0, names[i], QString(), box);
            tabs->addTab(box, QString::fromUtf8(captions[i]));
        }
        g->addWidget(tabs, 1, 0, 1, 3);
        g->setRowStretch(1, 1);
    }
    // Two-way layout: the plates.
    auto *mom3 = new QGroupBox(QStringLiteral("Reservatório Armado em Duas Direções "), tab);
    mom3->setObjectName("FrameMom_3");
    {
        auto *g = new QGridLayout(mom3);
        g->addWidget(fieldFrame(mom3, "Frame1_8", " Tampa ",
                                { { "Mxt", 65 }, { "Myt", 64 }, { "Xxt", 61 }, { "Xyt", 60 } }, 2),
                     0, 0);
        g->addWidget(fieldFrame(mom3, "Frame1_6", " Paredes ",
                                { { "Mxp1", 45 },
                                  { "Mxp2", 49 },
                                  { "Myp1", 46 },
                                  { "Myp2", 50 },
                                  { "Xxp1", 28 },
                                  { "Xxp2", 25 } },
                                2),
                     1, 0);
        g->addWidget(fieldFrame(mom3, "Frame1_7", " Fundo ",
                                { { "Mxf", 52 }, { "Myf", 53 }, { "Xxf", 56 }, { "Xyf", 57 } }, 2),
                     2, 0);
        auto *pictures = new QGridLayout;
        addPicture(pictures, 0, 0, "imgascruzche", QStringLiteral("Cheio"), mom3);
        addPicture(pictures, 0, 1, "imgascruzvaz", QStringLiteral("Vazio"), mom3);
        g->addLayout(pictures, 0, 1, 3, 1);
        g->setColumnStretch(1, 1);
    }
    m_frameMom = { nullptr, mom1, mom2, mom3 };
    for (QGroupBox *f : { mom1, mom2, mom3 }) {
        v->addWidget(f, 1);
        f->hide();
    }
    return tab;
}

QWidget *FormResultados::buildReinforcementTab()
{
    auto *tab = new QWidget;
    auto *h = new QHBoxLayout(tab);
    m_grid = new QTableView(tab);
    m_grid->setObjectName("grdascal");
    m_gridModel = new QStandardItemModel(this);
    BarGridView::SetUp(*m_grid, *m_gridModel);
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);
    m_grid->setMinimumWidth(330);
    connect(m_grid, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { grdascal_DblClick(index.row() + 1); });
    // The header row sends the selection to the first position.
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int) {
        BarGridView::Select(*m_grid, { 1, 1, 1, 3 });
        grdascal_SelChange();
    });
    h->addWidget(m_grid, 3);

    auto *keys = new QGridLayout;
    addPicture(keys, 0, 0, "imgfix_1", QString(), tab);
    addPicture(keys, 0, 2, "imgfix_2", QString(), tab);
    addPicture(keys, 1, 0, "imgfix_3", QString(), tab);
    const struct
    {
        const char *name;
        int row, col;
    } axes[] = { { "rsvaxixy_0", 0, 1 }, { "imgaxifix", 0, 3 }, { "rsvaxixy_1", 1, 1 } };
    for (const auto &a : axes) {
        SceneView *v = addPicture(keys, a.row, a.col, a.name, QString(), tab);
        v->setMinimumSize(44, 44);
        v->setMaximumSize(64, 64);
        v->setScene(PositionKeys::AxesPicture(std::string(a.name) == "imgaxifix"
                                                      ? PositionKeys::Axes::YZ
                                                      : PositionKeys::Axes::XY));
    }
    keys->setColumnStretch(0, 1);
    keys->setColumnStretch(2, 1);
    h->addLayout(keys, 4);
    return tab;
}

QWidget *FormResultados::buildQuantitiesTab()
{
    auto *tab = new QWidget;
    auto *v = new QVBoxLayout(tab);
    m_quantities = new QTableView(tab);
    m_quantities->setObjectName("MSFlexGrid2");
    m_quantitiesModel = new QStandardItemModel(6, 5, this);
    m_quantities->setModel(m_quantitiesModel);
    m_quantities->horizontalHeader()->hide();
    m_quantities->verticalHeader()->hide();
    m_quantities->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_quantities->setSelectionMode(QAbstractItemView::NoSelection);
    m_quantities->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_quantities->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->addWidget(m_quantities);
    v->addStretch(1);
    return tab;
}

QLineEdit *FormResultados::Text_a(int i) const
{
    return i >= 0 && i < 66 ? m_Text_a[static_cast<std::size_t>(i)] : nullptr;
}

QLineEdit *FormResultados::Text_hn(int i) const
{
    return i >= 0 && i < 2 ? m_Text_hn[static_cast<std::size_t>(i)] : nullptr;
}

SceneView *FormResultados::picture(const QString &name) const
{
    return findChild<SceneView *>(name);
}

void FormResultados::ShowResults()
{
    const ResultsFields &r = m_ctx.results;
    for (std::size_t i = 0; i < m_Text_a.size(); ++i) {
        if (m_Text_a[i])
            m_Text_a[i]->setText(QString::fromStdString(r.Text_a[i]));
    }
    for (std::size_t i = 0; i < m_Text_hn.size(); ++i)
        m_Text_hn[i]->setText(QString::fromStdString(r.Text_hn[i]));
    m_frame1_0->setVisible(r.frame1Visible);

    picture("Image1_0")->setScene(TankSections::Build(m_ctx, TankSections::View::Horizontal));
    picture("Image1_1")->setScene(TankSections::Build(m_ctx, TankSections::View::Vertical));
    const LoadDiagrams::TankCase tankCase = LoadDiagrams::TankCaseOf(m_ctx);
    for (LoadDiagrams::Picture p : LoadDiagrams::kPictures)
        picture(QString::fromStdString(LoadDiagrams::PictureName(p)))
                ->setScene(LoadDiagrams::Build(m_ctx, p, tankCase));
    const std::int16_t layout = InputChain::ChosenLayout(m_ctx.forms.FormPosicaoAs).code;
    for (MomentDiagrams::Picture p : MomentDiagrams::PicturesOf(layout))
        picture(QString::fromStdString(MomentDiagrams::PictureName(p)))
                ->setScene(MomentDiagrams::Build(m_ctx, p));
    ShowKeyPictures(gridSelection().row);
}

void FormResultados::FillBarGrid()
{
    m_filling = true;
    BarGridView::Fill(*m_grid, *m_gridModel, ModulersvARM::PositionsGrid(m_ctx));
    BarGridView::Select(*m_grid, { 1, 1, 1, 3 });
    m_filling = false;
    // The selection model is made with the model's first filling.
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &FormResultados::grdascal_SelChange, Qt::UniqueConnection);
    ShowKeyPictures(1);
}

void FormResultados::Form_Activate()
{
    if (UiHost *ui = m_ctx.ui())
        ui->CloseProgress();
    for (QGroupBox *f : m_frameMom) {
        if (f)
            f->hide();
    }
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->move(0, 0);
    ShowQuantities();
    const std::int16_t layout = InputChain::ChosenLayout(m_ctx.forms.FormPosicaoAs).code;
    const int frame = layout == kHorizontalLayout ? 1 : layout == kVerticalLayout ? 2 : 3;
    m_frameMom[static_cast<std::size_t>(frame)]->show();
    ShowResults();
    resetButtons();
}

void FormResultados::ShowQuantities()
{
    const ModuleCalcConsumo::QuantitiesTable t = ModuleCalcConsumo::ShowQuantities(m_ctx);
    const QPalette &p = palette();
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 5; ++c) {
            auto *item = new QStandardItem(QString::fromStdString(
                    t[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]));
            const bool fixed = r < 2 || c == 0;
            if (fixed) {
                item->setBackground(p.color(QPalette::Button));
                item->setForeground(p.color(QPalette::ButtonText));
            }
            item->setTextAlignment(
                    c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                           : (fixed ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter));
            m_quantitiesModel->setItem(r, c, item);
        }
    }
    m_quantities->resizeColumnsToContents();
    for (int c = 1; c < 5; ++c)
        m_quantities->setColumnWidth(c, std::max(m_quantities->columnWidth(c) + 16, 110));
    m_quantities->resizeRowsToContents();
    // As tall as its rows: the height of one row times the number of rows.
    m_quantities->setFixedHeight(m_quantities->rowHeight(1) * 6 + 2 * m_quantities->frameWidth());
    int w = 2 * m_quantities->frameWidth();
    for (int c = 0; c < 5; ++c)
        w += m_quantities->columnWidth(c);
    m_quantities->setFixedWidth(w);
}

ModulersvARM::GridSelection FormResultados::gridSelection() const
{
    ModulersvARM::GridSelection s{ 1, 1, 1, 3 };
    if (!m_grid->selectionModel())
        return s;
    const QModelIndex current = m_grid->selectionModel()->currentIndex();
    if (!current.isValid())
        return s;
    s.row = current.row() + 1;
    s.col = std::max(current.column(), 1);
    s.rowSel = s.row;
    // The other end of a run of selected rows.
    const QModelIndexList rows = m_grid->selectionModel()->selectedRows();
    for (const QModelIndex &i : rows) {
        const int r = i.row() + 1;
        if (std::abs(r - s.row) > std::abs(s.rowSel - s.row))
            s.rowSel = r;
    }
    return s;
}

void FormResultados::SSTab1_Click(int tab)
{
    if (tab == 3) {
        ShowKeyPictures(gridSelection().row);
    } else if (tab == 4) {
        ModuleCalcConsumo::ComputeQuantities(m_ctx);
        ShowQuantities();
    }
}

void FormResultados::grdascal_SelChange()
{
    if (m_filling)
        return;
    ShowKeyPictures(gridSelection().row);
}

void FormResultados::ShowKeyPictures(int row)
{
    const PositionKeys::KeyPictures k = PositionKeys::KeyPicturesOf(row);
    picture("imgfix_1")->setScene(PositionKeys::Build(m_ctx, 1, k.k1));
    picture("imgfix_2")->setScene(PositionKeys::Build(m_ctx, 2, k.k2));
    picture("imgfix_3")->setScene(PositionKeys::Build(m_ctx, 3, k.k3));
    if (const auto axes = PositionKeys::AxesOf(row))
        picture("imgaxifix")->setScene(PositionKeys::AxesPicture(*axes));
}

void FormResultados::applyUpdate(const ModulersvARM::GridUpdate &update)
{
    for (int row : update.rows)
        BarGridView::SetRow(*m_grid, *m_gridModel, row, ModulersvARM::PositionRow(m_ctx, row));
    if (update.selection)
        BarGridView::Select(*m_grid, *update.selection);
}

void FormResultados::showAlternatives(int row)
{
    if (!ModulersvARM::CanShowAlternatives(m_ctx, row))
        return;
    Formasgrd *window = nullptr;
    if (m_mdi)
        window = qobject_cast<Formasgrd *>(m_mdi->ensureForm("Formasgrd"));
    if (!window) {
        window = findChild<Formasgrd *>("Formasgrd", Qt::FindDirectChildrenOnly);
        if (!window)
            window = new Formasgrd(m_ctx, this);
    }
    window->setPosition(row);
    window->setOnApplied([this](const ModulersvARM::GridUpdate &u) { applyUpdate(u); });
    // Its top left corner at the middle of the window it was opened from.
    window->move(mapToGlobal(QPoint(width() / 2, height() / 2)));
    if (m_mdi)
        m_mdi->ShowForm("Formasgrd");
    else
        window->exec();
    m_grid->setFocus();
}

void FormResultados::grdascal_DblClick(int row)
{
    showAlternatives(row);
}

void FormResultados::grdascal_KeyUp(int keyCode, int shift)
{
    applyUpdate(ModulersvARM::BarGridKeyUp(m_ctx, keyCode, shift, gridSelection()));
    m_grid->setFocus();
}

void FormResultados::grdascal_MouseDown(int row, const QPoint &globalPos)
{
    if (row < 1 || row > 20)
        return;
    BarGridView::Select(*m_grid, { row, 1, row, 3 });
    const std::vector<ModulersvARM::PopupItem> items = ModulersvARM::BarGridPopupMenu(m_ctx, row);
    if (items.empty())
        return;
    QMenu menu(this);
    menu.setObjectName("pupas");
    for (const ModulersvARM::PopupItem &item : items) {
        QAction *a = item.name == "-" ? menu.addSeparator()
                                      : menu.addAction(QString::fromStdString(item.caption));
        if (item.name != "-")
            a->setObjectName(QString::fromStdString(item.name));
        a->setVisible(item.visible);
        a->setEnabled(item.enabled);
    }
    QAction *chosen = menu.exec(globalPos);
    if (chosen)
        RunPopupItem(chosen->objectName().toStdString());
}

void FormResultados::RunPopupItem(const std::string &name)
{
    const ModulersvARM::GridSelection sel = gridSelection();
    if (name == "pupbitnbr")
        showAlternatives(sel.row);
    else if (name == "pupinmm")
        applyUpdate(ModulersvARM::SwitchGaugeUnit(m_ctx, sel));
    else if (name == "pupndwn")
        applyUpdate(ModulersvARM::RenumberDown(m_ctx));
    else if (name == "pupnup")
        applyUpdate(ModulersvARM::RenumberUp(m_ctx));
    else if (name == "pupasout")
        applyUpdate(ModulersvARM::ToggleExclusion(m_ctx, sel.row, sel.rowSel));
    m_grid->setFocus();
}

bool FormResultados::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyRelease) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat()) {
            const auto [code, shift] = keyCodeOf(*key);
            if (code != 0)
                grdascal_KeyUp(code, shift);
        }
    } else if (watched == m_grid && event->type() == QEvent::KeyPress) {
        // Delete, Home, End and the rest belong to the key table, not to the view's own moves.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Home || key->key() == Qt::Key_End)
            return true;
    } else if (watched == m_grid->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            const QModelIndex index = m_grid->indexAt(mouse->position().toPoint());
            if (index.isValid())
                grdascal_MouseDown(index.row() + 1, mouse->globalPosition().toPoint());
            return true;
        }
    } else if (event->type() == QEvent::MouseMove) {
        resetButtons();
    }
    return QWidget::eventFilter(watched, event);
}

void FormResultados::resetButtons()
{
    const InputError status = ModuleRSVErr::GetInputError(m_ctx);
    for (ImageButton *b : m_buttons)
        b->SetButtonPicture(1, status, false);
}

void FormResultados::butarw_Click()
{
    InputFlows::Back(m_ctx, InputChain::InputWindow::FormResultados);
}

void FormResultados::butscr_Click()
{
    const QPixmap image = window()->grab();
    QMessageBox ask(QMessageBox::Question, QStringLiteral("Reservium"),
                    QStringLiteral("Imprimir a imagem da janela de resultados ou salvá-la como "
                                   "figura PNG?"),
                    QMessageBox::Cancel, this);
    QPushButton *print = ask.addButton(QStringLiteral("Imprimir..."), QMessageBox::AcceptRole);
    QPushButton *save = ask.addButton(QStringLiteral("Salvar PNG..."), QMessageBox::AcceptRole);
    ask.exec();
    if (ask.clickedButton() == print) {
        QPrinter printer(QPrinter::HighResolution);
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        QPainter painter(&printer);
        const QRect page = painter.viewport();
        const QSize fitted = image.size().scaled(page.size(), Qt::KeepAspectRatio);
        painter.drawPixmap(QRect(page.topLeft(), fitted), image);
    } else if (ask.clickedButton() == save) {
        const QString start =
                QDir(m_ctx.paths().programFolder()).filePath(QStringLiteral("resultados.png"));
        const QString file = QFileDialog::getSaveFileName(this, QString(), start,
                                                          QStringLiteral("Figura PNG (*.png)"));
        if (file.isEmpty())
            return;
        if (!image.save(file, "PNG") && m_ctx.ui())
            m_ctx.ui()->MessageBox("Não foi possível gravar a figura em " + file.toStdString()
                                           + ". Escolha outra pasta ou outro nome.",
                                   UiHost::Buttons::Ok, UiHost::Icon::Critical, "Reservium");
    }
}

void FormResultados::notAvailable(const char *what)
{
    if (UiHost *ui = m_ctx.ui())
        ui->MessageBox(what, UiHost::Buttons::Ok, UiHost::Icon::Information, "Reservium");
}

void FormResultados::butrpt_Click()
{
    if (!m_mdi || !m_mdi->runCommand("PRINTPRJ"))
        notAvailable("O relatório do projeto ainda não está disponível nesta versão do "
                     "Reservium.");
}

void FormResultados::butdet_Click()
{
    if (ModuleRSVErr::GetInputError(m_ctx).code != 0)
        return;
    if (!m_mdi || !m_mdi->runCommand("DETAIL"))
        notAvailable("O detalhamento no CAD ainda não está disponível nesta versão do "
                     "Reservium.");
}

void FormResultados::Command5_Click(int index)
{
    static const char *const label1[] = { "Espessura calculada da tampa:",
                                          "Espessura calculada das paredes:",
                                          "Espessura calculada do fundo:" };
    static const char *const label4[] = { "e(t):", "e(p):", "e(f):" };
    if (index < 0 || index > 2)
        return;
    const DesignState &s = m_ctx.state;
    const float thickness = index == 0 ? s.thicknessEt : index == 1 ? s.thicknessEp : s.thicknessEf;
    // The review may recalculate, which closes this window and builds a new one: it runs once
    // this click is over, so that nothing of the old window is still on the stack.
    AppContext &ctx = m_ctx;
    QTimer::singleShot(0, qApp, [&ctx, index, thickness] {
        CalculationLaunch::Inicia_Altera_e(ctx, label1[index], thickness, label4[index],
                                           "Altera Espessura");
    });
}
