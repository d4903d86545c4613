#include "cad/ui/FormCADEdAs.h"

#include "cad/CadExchange.h"
#include "cad/EditorPreview.h"
#include "cad/ModuleCAD.h"
#include "cad/ui/CadPictures.h"
#include "cad/ui/CadSession.h"
#include "core/AppContext.h"
#include "core/ModuleNumberBox.h"
#include "core/UiHost.h"
#include "core/ui/NumericLineEdit.h"
#include "core/ui/SceneView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QStringList items(const std::vector<std::string> &list)
{
    QStringList out;
    for (const std::string &s : list)
        out << QString::fromStdString(s);
    return out;
}

QComboBox *combo(QWidget *parent, const QString &name, const QStringList &list, bool editable)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    c->addItems(list);
    c->setEditable(editable);
    c->setMinimumContentsLength(5);
    return c;
}

NumericLineEdit *numberBox(QWidget *parent, const char *name, const AppContext &ctx)
{
    auto *f = new NumericLineEdit(parent);
    f->setObjectName(QString::fromLatin1(name));
    if (const auto mask = ModuleNumberBox::NumericFieldMask("FormCADEdAs", name))
        f->setNumericMask(*mask);
    f->setRegionalSettings(ctx);
    f->setMaximumWidth(60);
    return f;
}

QPushButton *stepButton(QWidget *parent, const char *name, const char *caption)
{
    auto *b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFixedWidth(26);
    return b;
}

} // namespace

FormCADEdAs::FormCADEdAs(CadSession &session, QWidget *parent) : QWidget(parent), m_session(session)
{
    setObjectName(QStringLiteral("FormCADEdAs"));
    MakeFloating(this, true);
    AppContext &ctx = session.context();
    const bool inches = ctx.forms.FormCFG.state("RSVCFGBITOUNID") != 0;
    const QStringList gauges = items(CadForms::EditorGauges(inches));

    Image2 = new QToolButton(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setToolTip(QStringLiteral("Recolhe ou expande o editor"));
    Image2->setAutoRaise(true);
    m_body = new QWidget(this);

    Option3 = new QRadioButton(QStringLiteral("Armadura Longitudinal (Asl)"), m_body);
    Option3->setObjectName(QStringLiteral("Option3"));
    Option4 = new QRadioButton(QStringLiteral("Armadura Transversal (Ast)"), m_body);
    Option4->setObjectName(QStringLiteral("Option4"));

    m_longitudinal = new QGroupBox(m_body);
    auto *lg = new QGridLayout(m_longitudinal);
    NumberBox4 = numberBox(m_longitudinal, "NumberBox4", ctx);
    Command23 = stepButton(m_longitudinal, "Command23", "+");
    Command24 = stepButton(m_longitudinal, "Command24", "-");
    Combo11[0] = combo(m_longitudinal, QStringLiteral("Combo11_0"),
                       items(CadForms::EditorBarCounts()), true);
    Combo1 = combo(m_longitudinal, QStringLiteral("Combo1"), gauges, false);
    Combo10 = combo(m_longitudinal, QStringLiteral("Combo10"), items(CadForms::EditorSpacings()),
                    true);
    NumberBox1 = new QLineEdit(QStringLiteral("a definir"), m_longitudinal);
    NumberBox1->setObjectName(QStringLiteral("NumberBox1"));
    NumberBox1->setReadOnly(true);
    NumberBox1->setMaximumWidth(80);
    auto *posRow = new QHBoxLayout;
    posRow->addWidget(NumberBox4);
    posRow->addWidget(Command23);
    posRow->addWidget(Command24);
    posRow->addStretch();
    lg->addWidget(new QLabel(QStringLiteral("Posição"), m_longitudinal), 0, 0);
    lg->addLayout(posRow, 0, 1);
    lg->addWidget(new QLabel(QStringLiteral("Nº de Barras"), m_longitudinal), 1, 0);
    lg->addWidget(Combo11[0], 1, 1);
    lg->addWidget(new QLabel(QStringLiteral("Bitola"), m_longitudinal), 2, 0);
    lg->addWidget(Combo1, 2, 1);
    lg->addWidget(new QLabel(QStringLiteral("Espaçamento"), m_longitudinal), 3, 0);
    lg->addWidget(Combo10, 3, 1);
    lg->addWidget(new QLabel(QStringLiteral("Comprimento"), m_longitudinal), 4, 0);
    lg->addWidget(NumberBox1, 4, 1);

    m_transverse = new QGroupBox(m_body);
    auto *tg = new QGridLayout(m_transverse);
    NumberBox2 = numberBox(m_transverse, "NumberBox2", ctx);
    Command3 = stepButton(m_transverse, "Command3", "+");
    Command4 = stepButton(m_transverse, "Command4", "-");
    Option1 = new QRadioButton(QStringLiteral("Nº de Barras"), m_transverse);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option2 = new QRadioButton(QStringLiteral("Espaçamento"), m_transverse);
    Option2->setObjectName(QStringLiteral("Option2"));
    Combo11[1] = combo(m_transverse, QStringLiteral("Combo11_1"),
                       items(CadForms::EditorBarCounts()), true);
    Combo4 = combo(m_transverse, QStringLiteral("Combo4"), gauges, false);
    Combo2 = combo(m_transverse, QStringLiteral("Combo2"), items(CadForms::EditorSpacings()), true);
    NumberBox3 = numberBox(m_transverse, "NumberBox3", ctx);
    auto *tposRow = new QHBoxLayout;
    tposRow->addWidget(NumberBox2);
    tposRow->addWidget(Command3);
    tposRow->addWidget(Command4);
    tposRow->addStretch();
    tg->addWidget(new QLabel(QStringLiteral("Posição"), m_transverse), 0, 0);
    tg->addLayout(tposRow, 0, 1);
    tg->addWidget(Option1, 1, 0);
    tg->addWidget(Combo11[1], 1, 1);
    tg->addWidget(new QLabel(QStringLiteral("Bitola"), m_transverse), 2, 0);
    tg->addWidget(Combo4, 2, 1);
    tg->addWidget(Option2, 3, 0);
    tg->addWidget(Combo2, 3, 1);
    tg->addWidget(new QLabel(QStringLiteral("Comprimento"), m_transverse), 4, 0);
    tg->addWidget(NumberBox3, 4, 1);

    const char *checks[] = { "Adiciona ao Banco de Dados", "Com Número da Posição",
                             "Com Descrição da Posição", "Cotagem Automática" };
    auto *checkBox = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        Check[static_cast<std::size_t>(i)] = new QCheckBox(QString::fromUtf8(checks[i]), m_body);
        Check[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("Check%1").arg(i + 1));
        checkBox->addWidget(Check[static_cast<std::size_t>(i)], i / 2, i % 2);
    }
    Label8 = new QLabel(m_body);
    Label8->setObjectName(QStringLiteral("Label8"));
    Label8->setAlignment(Qt::AlignCenter);
    Label8->setFrameShape(QFrame::StyledPanel);
    QFont bold = Label8->font();
    bold.setBold(true);
    Label8->setFont(bold);
    Picture1 = new SceneView(m_body);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setMinimumHeight(90);

    Command1 = new QPushButton(QStringLiteral("Desenha As"), m_body);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("Cancelar"), m_body);
    Command2->setObjectName(QStringLiteral("Command2"));

    auto *groups = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(Option3);
    left->addWidget(m_longitudinal);
    auto *right = new QVBoxLayout;
    right->addWidget(Option4);
    right->addWidget(m_transverse);
    groups->addLayout(left);
    groups->addLayout(right);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto *body = new QVBoxLayout(m_body);
    body->setContentsMargins(0, 0, 0, 0);
    body->addLayout(groups);
    body->addLayout(checkBox);
    body->addWidget(Label8);
    body->addWidget(Picture1, 1);
    body->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Image2, 0, Qt::AlignTop);
    layout->addWidget(m_body, 1);

    // Load.
    NumberBox3->setText(QStringLiteral("100"));
    NumberBox4->setText(QStringLiteral("1"));
    NumberBox2->setText(QStringLiteral("1"));
    Option3->setChecked(true);
    Combo11[0]->setCurrentIndex(0);
    Combo10->setCurrentIndex(0);
    Combo11[1]->setCurrentIndex(0);
    Combo2->setEditText(QStringLiteral("?"));
    Combo1->setCurrentIndex(0);
    Combo4->setCurrentIndex(0);
    Option1->setChecked(true);

    connect(Option3, &QRadioButton::toggled, this, [this] { modeChanged(); });
    connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            transverseOptionChanged();
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            transverseOptionChanged();
    });
    const auto step = [this](NumericLineEdit *field, int by) {
        field->setText(
                QString::fromStdString(CadForms::StepPosition(field->text().toStdString(), by)));
    };
    connect(Command23, &QPushButton::clicked, this, [this, step] { step(NumberBox4, 1); });
    connect(Command24, &QPushButton::clicked, this, [this, step] { step(NumberBox4, -1); });
    connect(Command3, &QPushButton::clicked, this, [this, step] { step(NumberBox2, 1); });
    connect(Command4, &QPushButton::clicked, this, [this, step] { step(NumberBox2, -1); });
    for (QLineEdit *f :
         { static_cast<QLineEdit *>(NumberBox4), static_cast<QLineEdit *>(NumberBox2),
           static_cast<QLineEdit *>(NumberBox3) })
        connect(f, &QLineEdit::textChanged, this, &FormCADEdAs::refresh);
    for (QComboBox *c : { Combo11[0], Combo11[1], Combo1, Combo10, Combo4, Combo2 })
        connect(c, &QComboBox::currentTextChanged, this, &FormCADEdAs::refresh);
    for (QCheckBox *c : Check)
        connect(c, &QCheckBox::toggled, this, &FormCADEdAs::refresh);
    connect(Image2, &QToolButton::clicked, this, &FormCADEdAs::Image2_Click);
    connect(Command1, &QPushButton::clicked, this, &FormCADEdAs::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FormCADEdAs::Command2_Click);

    m_loading = false;
    modeChanged();
    fold(false);
    move(0, 0);
}

CadForms::EditorEntry FormCADEdAs::entry() const
{
    CadForms::EditorEntry e;
    e.longitudinal = Option3->isChecked();
    if (e.longitudinal) {
        e.position = NumberBox4->text().toStdString();
        e.bars = Combo11[0]->currentText().toStdString();
        e.gauge = Combo1->currentText().toStdString();
        e.spacing = Combo10->currentText().toStdString();
        e.length = NumberBox1->text().toStdString();
    } else {
        e.position = NumberBox2->text().toStdString();
        e.bars = Combo11[1]->currentText().toStdString();
        e.gauge = Combo4->currentText().toStdString();
        e.spacing = Combo2->currentText().toStdString();
        e.length = NumberBox3->text().toStdString();
        e.byBarCount = Option1->isChecked();
    }
    for (std::size_t i = 0; i < 4; ++i)
        e.checks[i] = Check[i]->isChecked();
    return e;
}

void FormCADEdAs::modeChanged()
{
    if (m_loading)
        return;
    const bool longitudinal = Option3->isChecked();
    m_longitudinal->setEnabled(longitudinal);
    m_transverse->setEnabled(!longitudinal);
    Option1->setEnabled(!longitudinal);
    Option2->setEnabled(!longitudinal);
    Check[1]->setEnabled(longitudinal);
    Check[3]->setEnabled(longitudinal);
    m_loading = true;
    for (QCheckBox *c : Check)
        c->setChecked(true);
    m_loading = false;
    refresh();
}

void FormCADEdAs::transverseOptionChanged()
{
    if (m_loading)
        return;
    m_loading = true;
    if (Option1->isChecked()) {
        Combo11[1]->setCurrentIndex(1);
        Combo11[1]->setEnabled(true);
        Combo2->setEditText(QStringLiteral(" ? "));
        Combo2->setEnabled(false);
    } else {
        Combo2->setCurrentIndex(0);
        Combo2->setEnabled(true);
        Combo11[1]->setEditText(QStringLiteral(" ? "));
        Combo11[1]->setEnabled(false);
    }
    m_loading = false;
    refresh();
}

void FormCADEdAs::refresh()
{
    if (m_loading)
        return;
    const CadForms::EditorEntry e = entry();
    const std::string description = CadForms::EditorDescription(e);
    Label8->setText(QString::fromStdString(description));
    Picture1->setScene(EditorPreview::Build(e.longitudinal, e.checks, description));
}

void FormCADEdAs::fold(bool folded)
{
    m_folded = folded;
    m_body->setVisible(!folded);
    Image2->setIcon(CadPictures::picture(folded ? CadPictures::Picture::Unfold
                                                : CadPictures::Picture::Fold));
    Image2->setIconSize(QSize(24, 24));
    setWindowTitle(folded ? QStringLiteral("... Reservium - Editor de As")
                          : QStringLiteral("Reservium - Editor de As"));
    // 5550 × 7065 twips unfolded, 465 × 690 folded.
    if (folded) {
        setFixedSize(std::max(TwipsToPixels(465), Image2->sizeHint().width() + 8),
                     std::max(TwipsToPixels(690), Image2->sizeHint().height() + 8));
    } else {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        const QSize design(TwipsToPixels(5550), TwipsToPixels(7065));
        resize(design.expandedTo(sizeHint()));
    }
}

void FormCADEdAs::Image2_Click()
{
    fold(!m_folded);
}

void FormCADEdAs::Command1_Click()
{
    const CadForms::EditorEntry e = entry();
    AppContext &ctx = m_session.context();
    if (const auto problem = CadForms::CheckEditor(e)) {
        ctx.ui()->MessageBox(problem->message, UiHost::Buttons::Ok, UiHost::Icon::Information,
                             "Reservium");
        QWidget *field = nullptr;
        if (problem->field == "position")
            field = e.longitudinal ? static_cast<QWidget *>(NumberBox4) : NumberBox2;
        else if (problem->field == "bars")
            field = e.longitudinal ? Combo11[0] : Combo11[1];
        else if (problem->field == "spacing")
            field = e.longitudinal ? Combo10 : Combo2;
        else
            field = NumberBox3;
        field->setFocus();
        return;
    }
    const ErrorPair written = ModuleCAD::WriteProgramExchangeFile(ctx, CadExchange::kEditorFile,
                                                                  CadForms::EditorRequest(e));
    if (!written.ok()) {
        ctx.ui()->MessageBox(written.description, UiHost::Buttons::Ok, UiHost::Icon::Critical,
                             "Erro " + std::to_string(written.number));
        return;
    }
    m_session.send(11);
    fold(true);
}

void FormCADEdAs::Command2_Click()
{
    close();
}
