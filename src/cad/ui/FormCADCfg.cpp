#include "cad/ui/FormCADCfg.h"

#include "cad/CadForms.h"
#include "cad/ModuleCAD.h"
#include "cad/ui/CadColorPicker.h"
#include "cad/ui/CadSession.h"
#include "core/AppContext.h"
#include "core/ModuleNumberBox.h"
#include "core/ModuleRSVErr.h"
#include "core/UiHost.h"
#include "core/ui/NumericLineEdit.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <fontconfig/fontconfig.h>

QString FindTrueTypeFont(const QString &family)
{
    const QString error = QStringLiteral("###ERRO###");
    if (family.trimmed().isEmpty() || !FcInit())
        return error;
    const QByteArray name = family.toUtf8();
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(name.constData()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern *match = FcFontMatch(nullptr, pattern, &result);
    QString file = error;
    if (match) {
        FcChar8 *found = nullptr;
        FcChar8 *path = nullptr;
        bool same = false;
        // A family that is not installed is matched by another one; that is no answer.
        for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &found) == FcResultMatch; ++i) {
            if (QString::fromUtf8(reinterpret_cast<const char *>(found))
                        .compare(family, Qt::CaseInsensitive)
                == 0)
                same = true;
        }
        if (same && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
            const QString candidate = QString::fromUtf8(reinterpret_cast<const char *>(path));
            const QString suffix = QFileInfo(candidate).suffix().toLower();
            if (suffix == QLatin1String("ttf") || suffix == QLatin1String("otf")
                || suffix == QLatin1String("ttc"))
                file = candidate;
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return file;
}

namespace {

QString qs(const std::string &s)
{
    return QString::fromUtf8(s.c_str(), static_cast<qsizetype>(s.size()));
}

} // namespace

FormCADCfg::FormCADCfg(CadSession &session, QWidget *parent)
    : QDialog(parent), m_session(session), m_form(CadForms::MakeFormCADCfg())
{
    setObjectName(QStringLiteral("FormCADCfg"));
    setWindowTitle(QStringLiteral("Reservium - Configura Detalhamento"));
    AppContext &ctx = session.context();

    const auto numberBox = [&](QWidget *owner, const char *name) {
        auto *f = new NumericLineEdit(owner);
        f->setObjectName(QString::fromLatin1(name));
        if (const auto mask = ModuleNumberBox::NumericFieldMask("FormCADCfg", name))
            f->setNumericMask(*mask);
        f->setRegionalSettings(ctx);
        f->setMaximumWidth(90);
        return f;
    };

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));

    // Geral
    auto *general = new QWidget(SSTab1);
    auto *dims = new QGroupBox(QStringLiteral("Configura Dimensionamento"), general);
    auto *dimsLayout = new QGridLayout(dims);
    dimsLayout->addWidget(new QLabel(QStringLiteral("Tick :"), dims), 0, 0);
    const char *ticks[] = { "Traço", "Seta", "Ponto", "Arquitetônico" };
    auto *tickRow = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        Option[static_cast<std::size_t>(i)] = new QRadioButton(QString::fromUtf8(ticks[i]), dims);
        Option[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        Option[static_cast<std::size_t>(i)]->setToolTip(
                QStringLiteral("Define o separador das cotas"));
        tickRow->addWidget(Option[static_cast<std::size_t>(i)]);
    }
    tickRow->addStretch();
    dimsLayout->addLayout(tickRow, 0, 1);
    dimsLayout->setColumnStretch(1, 1);
    NumberBox3 = numberBox(dims, "NumberBox3");
    dimsLayout->addWidget(new QLabel(QStringLiteral("Distância da Cota ao Desenho:"), dims), 1, 0);
    dimsLayout->addWidget(NumberBox3, 1, 1, Qt::AlignLeft);

    auto *drawing = new QGroupBox(QStringLiteral("Desenho "), general);
    auto *drawingLayout = new QFormLayout(drawing);
    const char *numberNames[] = { "Text6", "Text7", "Text8" };
    const char *numberCaptions[] = { "ø para Desenho das As Transversais (mm)",
                                     "Altura do Desenho do Corte da Tampa (cm)",
                                     "% para Posição dos Textos de As (%)" };
    for (int i = 0; i < 3; ++i) {
        Text[static_cast<std::size_t>(5 + i)] = numberBox(drawing, numberNames[i]);
        drawingLayout->addRow(QString::fromUtf8(numberCaptions[i]),
                              Text[static_cast<std::size_t>(5 + i)]);
    }
    auto *limits = new QGroupBox(QStringLiteral("Limites da Área de Desenho"), general);
    auto *limitsLayout = new QHBoxLayout(limits);
    NumberBox1 = numberBox(limits, "NumberBox1");
    NumberBox2 = numberBox(limits, "NumberBox2");
    limitsLayout->addWidget(new QLabel(QStringLiteral("X:"), limits));
    limitsLayout->addWidget(NumberBox1);
    limitsLayout->addSpacing(12);
    limitsLayout->addWidget(new QLabel(QStringLiteral("Y:"), limits));
    limitsLayout->addWidget(NumberBox2);
    limitsLayout->addStretch();
    auto *generalLayout = new QVBoxLayout(general);
    generalLayout->addWidget(dims);
    generalLayout->addWidget(drawing);
    generalLayout->addWidget(limits);
    generalLayout->addStretch();
    SSTab1->addTab(general, QStringLiteral("Geral"));

    // Layers
    auto *layers = new QWidget(SSTab1);
    auto *layersLayout = new QFormLayout(layers);
    for (int i = 0; i < 10; ++i) {
        auto *picker = new CadColorPicker(layers);
        picker->setObjectName(QStringLiteral("AcadColor%1").arg(8 + i));
        AcadColor[static_cast<std::size_t>(i)] = picker;
        const std::string_view name = CadForms::LayerNames()[static_cast<std::size_t>(i)];
        layersLayout->addRow(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                             picker);
        connect(picker, &CadColorPicker::colorChanged, this, [this, i](int c) {
            if (!m_showing)
                m_form.setState("AcadColor" + std::to_string(8 + i), c);
        });
    }
    SSTab1->addTab(layers, QStringLiteral("Layers"));

    // TextStyle
    auto *styles = new QWidget(SSTab1);
    auto *stylesLayout = new QGridLayout(styles);
    for (int s = 0; s < 5; ++s) {
        const std::string_view styleName = CadForms::TextStyleNames()[static_cast<std::size_t>(s)];
        auto *frame = new QGroupBox(
                QString::fromUtf8(styleName.data(), static_cast<qsizetype>(styleName.size())),
                styles);
        auto *grid = new QGridLayout(frame);
        auto *font = new QLineEdit(frame);
        font->setObjectName(QStringLiteral("Text%1").arg(1 + s));
        Text[static_cast<std::size_t>(s)] = font;
        auto *height = numberBox(frame, "Text9");
        height->setObjectName(QStringLiteral("Text%1").arg(9 + s));
        height->setNumericMask("000", false);
        height->setMaximumWidth(50);
        Text[static_cast<std::size_t>(8 + s)] = height;
        auto *up = new QToolButton(frame);
        up->setObjectName(QStringLiteral("UpDown%1").arg(1 + s));
        up->setArrowType(Qt::UpArrow);
        up->setFixedSize(18, 11);
        auto *down = new QToolButton(frame);
        down->setObjectName(QStringLiteral("UpDown%1Down").arg(1 + s));
        down->setArrowType(Qt::DownArrow);
        down->setFixedSize(18, 11);
        UpDownUp[static_cast<std::size_t>(s)] = up;
        UpDownDown[static_cast<std::size_t>(s)] = down;
        auto *spin = new QVBoxLayout;
        spin->setSpacing(0);
        spin->addWidget(up);
        spin->addWidget(down);
        auto *check = new QCheckBox(QStringLiteral("Selecionar Fontes True Type"), frame);
        check->setObjectName(QStringLiteral("Check%1").arg(1 + s));
        Check[static_cast<std::size_t>(s)] = check;
        auto *button = new QPushButton(QStringLiteral("Fonte"), frame);
        button->setObjectName(QStringLiteral("Command%1").arg(3 + s));
        FontButton[static_cast<std::size_t>(s)] = button;
        grid->addWidget(new QLabel(QStringLiteral("Fonte:"), frame), 0, 0);
        grid->addWidget(font, 0, 1, 1, 3);
        grid->addWidget(button, 0, 4);
        grid->addWidget(new QLabel(QStringLiteral("Altura:"), frame), 1, 0);
        auto *heightRow = new QHBoxLayout;
        heightRow->setSpacing(1);
        heightRow->addWidget(height);
        heightRow->addLayout(spin);
        heightRow->addStretch();
        grid->addLayout(heightRow, 1, 1);
        grid->addWidget(check, 1, 2, 1, 3);
        stylesLayout->addWidget(frame, s / 2, s % 2, 1, s == 4 ? 2 : 1);

        connect(up, &QToolButton::clicked, this, [this, s] {
            CadForms::SpinHeight(m_form, s + 1, 1);
            showModel();
        });
        connect(down, &QToolButton::clicked, this, [this, s] {
            CadForms::SpinHeight(m_form, s + 1, -1);
            showModel();
        });
        connect(check, &QCheckBox::toggled, this, [this, s](bool on) {
            if (!m_showing)
                m_form.setState("Check" + std::to_string(s + 1), on ? 1 : 0);
        });
        connect(button, &QPushButton::clicked, this, [this, s] { FontClick(s + 1); });
    }
    SSTab1->addTab(styles, QStringLiteral("TextStyle"));

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setToolTip(QStringLiteral("Salva configurações e retorna"));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("Cancela"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    auto *status = new QLabel(this);
    status->setObjectName(QStringLiteral("limitMessage"));
    status->setStyleSheet(QStringLiteral("color: #b00000"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(status, 1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addLayout(buttons);

    for (int i = 0; i < 4; ++i) {
        connect(Option[static_cast<std::size_t>(i)], &QRadioButton::toggled, this,
                [this, i](bool on) {
                    if (!m_showing)
                        m_form.setState("Option" + std::to_string(i + 1), on ? 1 : 0);
                });
    }
    const auto bindText = [this](QLineEdit *field) {
        connect(field, &QLineEdit::textChanged, this, [this, field](const QString &t) {
            if (m_showing)
                return;
            const std::string name = field->objectName().toStdString();
            m_form.setText(name, t.toStdString());
            fieldChanged(name);
        });
    };
    for (QLineEdit *f : Text)
        bindText(f);
    for (QLineEdit *f :
         { static_cast<QLineEdit *>(NumberBox1), static_cast<QLineEdit *>(NumberBox2),
           static_cast<QLineEdit *>(NumberBox3) })
        bindText(f);
    connect(Command1, &QPushButton::clicked, this, &FormCADCfg::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FormCADCfg::Command2_Click);

    chooseTrueType = [this](const QString &current, int *pointSize) {
        bool ok = false;
        const QFont font =
                QFontDialog::getFont(&ok, QFont(current), this, QStringLiteral("Fonte True Type"));
        if (!ok)
            return QString();
        *pointSize = font.pointSize();
        return font.family();
    };
    chooseShx = [this](const QString &folder) {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Fontes padrão SHX"), folder,
                                            QStringLiteral("Fontes CAD (*.shx)"));
    };

    // Load: the file of the program's folder, seeded from the shipped default.
    int missing = 0;
    const ErrorPair e = ModuleCAD::ReadCadConfig(ctx, m_form, missing);
    showModel();
    checkLimits();
    SSTab1->setCurrentIndex(0);
    if (!e.ok()) {
        ctx.ui()->MessageBox(e.description, UiHost::Buttons::Ok, UiHost::Icon::Critical,
                             "Erro " + std::to_string(e.number));
    } else if (missing > 0) {
        ctx.ui()->MessageBox("O arquivo de configuração do detalhamento \"RSV_ACAD.CFG\" está "
                             "incompleto: faltam "
                                     + std::to_string(missing)
                                     + " de suas 32 linhas. Os valores que faltam foram "
                                       "preenchidos com os valores iniciais; confira-os e "
                                       "pressione OK para gravar o arquivo completo.",
                             UiHost::Buttons::Ok, UiHost::Icon::Exclamation, "ATENÇÃO!");
    }
}

void FormCADCfg::showModel()
{
    m_showing = true;
    for (int i = 0; i < 4; ++i)
        Option[static_cast<std::size_t>(i)]->setChecked(
                m_form.state("Option" + std::to_string(i + 1)) != 0);
    NumberBox1->setText(qs(m_form.text("NumberBox1")));
    NumberBox2->setText(qs(m_form.text("NumberBox2")));
    NumberBox3->setText(qs(m_form.text("NumberBox3")));
    for (int i = 0; i < 13; ++i)
        Text[static_cast<std::size_t>(i)]->setText(qs(m_form.text("Text" + std::to_string(i + 1))));
    for (int i = 0; i < 10; ++i)
        AcadColor[static_cast<std::size_t>(i)]->setColor(
                m_form.state("AcadColor" + std::to_string(8 + i)));
    for (int i = 0; i < 5; ++i)
        Check[static_cast<std::size_t>(i)]->setChecked(m_form.state("Check" + std::to_string(i + 1))
                                                       != 0);
    m_showing = false;
}

void FormCADCfg::fieldChanged(const std::string &name)
{
    (void)name;
    checkLimits();
}

void FormCADCfg::checkLimits()
{
    // The six numeric fields in order; the first broken limit disables "OK" and says why.
    AppContext &ctx = m_session.context();
    std::string message;
    for (const char *name :
         { "NumberBox3", "Text6", "Text7", "Text8", "NumberBox1", "NumberBox2" }) {
        const InputError result = ModuleRSVErr::CheckField(ctx, m_form, name);
        QWidget *field = findChild<QWidget *>(QString::fromLatin1(name));
        if (field)
            field->setStyleSheet(result.code != 0 ? QStringLiteral("color: #d00000") : QString());
        if (result.code != 0 && message.empty())
            message = result.message;
    }
    Command1->setEnabled(message.empty());
    Command1->setToolTip(message.empty() ? QStringLiteral("Salva configurações e retorna")
                                         : qs(message));
    if (auto *status = findChild<QLabel *>(QStringLiteral("limitMessage")))
        status->setText(qs(message));
}

void FormCADCfg::FontClick(int style)
{
    AppContext &ctx = m_session.context();
    const std::size_t s = static_cast<std::size_t>(style - 1);
    const ModuleCAD::CadSettings cad = ModuleCAD::ReadCadSettings(ctx);
    QString folder = ModuleCAD::PlatformFolder(cad.name, cad.path);
    if (Check[s]->isChecked()) {
        int size = 0;
        const QString family = chooseTrueType ? chooseTrueType(Text[s]->text(), &size) : QString();
        if (family.isEmpty())
            return;
        const QString file = FindTrueTypeFont(family);
        if (file == QLatin1String("###ERRO###")) {
            ctx.ui()->MessageBox("Erro ao selecionar a fonte True Type. Sua plataforma CAD não é "
                                 "compatível com a fonte selecionada.\nPressione OK e selecione "
                                 "outra fonte.",
                                 UiHost::Buttons::Ok, UiHost::Icon::Critical,
                                 "Erro ao selecionar fonte True Type");
            return;
        }
        Text[s]->setText(file);
        if (size > 0)
            Text[8 + s]->setText(QString::number(size));
        return;
    }
    const QString start = folder.isEmpty() ? ctx.paths().programFolder() : folder + "Fonts";
    const QString chosen = chooseShx ? chooseShx(start) : QString();
    if (!chosen.isEmpty())
        Text[s]->setText(QFileInfo(chosen).fileName());
}

void FormCADCfg::Command1_Click()
{
    AppContext &ctx = m_session.context();
    const ErrorPair e = ModuleCAD::SaveCadConfig(ctx, m_form);
    if (!e.ok()) {
        ctx.ui()->MessageBox(e.description, UiHost::Buttons::Ok, UiHost::Icon::Critical,
                             "Erro " + std::to_string(e.number));
        return;
    }
    accept();
}

void FormCADCfg::Command2_Click()
{
    reject();
}
