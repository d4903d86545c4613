#include "settings/ui/FormCFG.h"

#include "core/AppContext.h"
#include "core/CalcError.h"
#include "core/ModuleRSVBut.h"
#include "core/ModuleRSVErr.h"
#include "core/ui/ImageButton.h"
#include "core/ui/MDI.h"
#include "core/ui/NumericLineEdit.h"
#include "settings/ApplySettings.h"
#include "settings/FormCFGModel.h"
#include "settings/ParameterFile.h"
#include "settings/Parameters.h"

#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

struct Row
{
    const char *control;
    const char *label; ///< empty: the parameter's own caption
    const char *unit;
};

struct Frame
{
    const char *name;
    const char *caption;
    std::vector<Row> rows;
};

ParameterFile parameterFileOf(const AppContext &context)
{
    const QString name = QString::fromUtf8(ParameterFile::kFileName.data(),
                                           static_cast<qsizetype>(ParameterFile::kFileName.size()));
    return ParameterFile(QFile::encodeName(context.paths().userFile(name)).toStdString());
}

} // namespace

FormCFG::FormCFG(MDI &mdi, QWidget *parent) : QDialog(parent), m_mdi(mdi), m_context(mdi.context())
{
    setObjectName("FormCFG");
    setWindowTitle(QStringLiteral("Configurações de Cálculo"));
    setMouseTracking(true);
    FormModel &model = m_context.forms.FormCFG;

    auto *layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("SSTab1");
    layout->addWidget(m_tabs);

    const std::vector<Frame> tab0 = {
        { "Frame6", "Cálculo ", { { "RSVESPMINPAR", "", "cm" }, { "RSVCFGSECASMIN", "", "%" } } },
        { "Frame5",
          "Armaduras",
          { { "RSVCFGESPMINAS", "", "cm" },
            { "RSVCFGESPMAXAS", "", "cm" },
            { "RSVCFGESPMULT", "", "cm" },
            { "RSVMELESPAS", "", "cm" } } },
        { "Frame7",
          " Geometria ",
          { { "RSVCHAMFPAR", "", "cm" },
            { "RSVCHAMFFUND", "", "cm" },
            { "RSVPORCTAMASEST", "", "%" } } },
    };
    const std::vector<Frame> tab1 = {
        { "Frame3",
          "Aço",
          { { "RSVCFGTIPOACO", "", "" },
            { "RSVCFGACOMIN", "", "" },
            { "RSVCFGBITOUNID", "", "" } } },
        { "Frame4",
          "Concreto",
          { { "RSVCFGCONCFCK", "", "kgf/cm²" },
            { "RSVCFGCONCPESESP", "", "tf/m³" },
            { "RSVCFGMAJCARGAS", "", "" },
            { "RSVCFGCONCMIN", "", "" },
            { "RSVCFGCOBMIN", "", "cm" } } },
        { "Frame1",
          " Fissuração ",
          { { "RSVFissOK", "", "" },
            { "RSVFissNOK", "", "" },
            { "RSVABMAXFISS", "", "mm" },
            { "RSVBITADOTFISS", "", "" } } },
        { "Frame10", " Água ", { { "RSVH20PESESP", "", "tf/m³" } } },
    };

    const auto buildTab = [&](const std::vector<Frame> &frames, const QString &caption,
                              int columns) {
        auto *page = new QWidget(m_tabs);
        page->setMouseTracking(true);
        auto *grid = new QGridLayout(page);
        int n = 0;
        for (const Frame &f : frames) {
            auto *box = new QGroupBox(QString::fromUtf8(f.caption), page);
            box->setObjectName(f.name);
            auto *rows = new QGridLayout(box);
            rows->setColumnStretch(0, 1);
            int r = 0;
            for (const Row &row : f.rows) {
                const std::string control = row.control;
                const ParameterDef *def = FindParameter(control);
                const QString label =
                        QString::fromUtf8(def ? def->caption.data() : row.label,
                                          def ? static_cast<qsizetype>(def->caption.size()) : -1);
                if (def && def->kind == ParameterKind::Option) {
                    auto *option = new QRadioButton(label, box);
                    option->setObjectName(row.control);
                    rows->addWidget(option, r++, 0, 1, 3);
                    if (control == "RSVFissOK") {
                        m_fissOK = option;
                        connect(option, &QRadioButton::toggled, this, [this](bool on) {
                            if (m_refreshing)
                                return;
                            m_context.forms.FormCFG.setState("RSVFissOK", on ? 1 : 0);
                            m_context.forms.FormCFG.setState("RSVFissNOK", on ? 0 : 1);
                        });
                    } else {
                        m_fissNOK = option;
                    }
                    continue;
                }
                auto *caption = new QLabel(label, box);
                rows->addWidget(caption, r, 0);
                QWidget *field = nullptr;
                if (def && def->kind == ParameterKind::List) {
                    auto *list = new QComboBox(box);
                    for (const std::string &item : FormCFGListItems(control))
                        list->addItem(QString::fromStdString(item));
                    connect(list, &QComboBox::currentIndexChanged, this, [this, control](int i) {
                        if (!m_refreshing)
                            m_context.forms.FormCFG.setState(control, i);
                    });
                    m_lists[control] = list;
                    field = list;
                } else {
                    auto *text = new NumericLineEdit(box);
                    if (const auto mask = ModuleNumberBox::NumericFieldMask("FormCFG", control))
                        text->setNumericMask(*mask);
                    text->setRegionalSettings(m_context);
                    text->setAlignment(Qt::AlignRight);
                    text->setMaximumWidth(text->fontMetrics().horizontalAdvance(QLatin1Char('0'))
                                          * 9);
                    connect(text, &QLineEdit::textChanged, this,
                            [this, control](const QString &t) { Field_Change(control, t); });
                    m_texts[control] = text;
                    field = text;
                }
                field->setObjectName(row.control);
                field->setAccessibleName(label.trimmed());
                caption->setBuddy(field);
                rows->addWidget(field, r, 1);
                auto *unit = new QLabel(QString::fromUtf8(row.unit), box);
                unit->setObjectName(QString::fromLatin1(row.control) + "_unit");
                rows->addWidget(unit, r, 2);
                ++r;
            }
            grid->addWidget(box, n / columns, n % columns);
            ++n;
        }
        grid->setRowStretch(grid->rowCount(), 1);
        m_tabs->addTab(page, caption);
    };
    buildTab(tab0, QStringLiteral("Geometria e Configurações de Cálculo"), 1);
    buildTab(tab1, QStringLiteral("Propriedades Físicas dos Materiais"), 2);

    // The buttons: "Arquivo" (save, factory values) and "Atualizar" at the bottom.
    auto *bottom = new QHBoxLayout;
    auto *file = new QGroupBox(QStringLiteral("Arquivo"), this);
    file->setObjectName("Frame8");
    auto *fileRow = new QHBoxLayout(file);
    const struct
    {
        const char *name;
        const char *description;
        QLayout *into;
    } buttons[] = {
        { "butsav", "Salvar Configuração", fileRow },
        { "butopn", "Carregar Configuração Padrão", fileRow },
        { "butarw", "Atualizar", nullptr },
    };
    bottom->addWidget(file);
    bottom->addStretch();
    for (const auto &b : buttons) {
        auto *button = new ImageButton(QString::fromLatin1(b.name), ModuleRSVBut::kForwardIndex,
                                       QString::fromUtf8(b.description), this);
        const QString name = button->objectName();
        connect(button, &ImageButton::hovered, this, [this, button] {
            button->SetButtonPicture(button->index(), statusFor(button->objectName()), false);
        });
        if (name != "butopn") {
            button->setPressAllowed(
                    [this] { return ModuleRSVErr::GetInputError(m_context).code == 0; });
        }
        m_buttons[name] = button;
        if (b.into) {
            b.into->addWidget(button);
        } else {
            auto *caption = new QLabel(QString::fromUtf8(b.description), this);
            bottom->addWidget(caption);
            bottom->addWidget(button);
        }
    }
    connect(m_buttons["butsav"], &ImageButton::clicked, this, &FormCFG::butsav_Click);
    connect(m_buttons["butopn"], &ImageButton::clicked, this, &FormCFG::butopn_Click);
    connect(m_buttons["butarw"], &ImageButton::clicked, this, &FormCFG::butarw_Click);
    layout->addLayout(bottom);

    m_subscription = model.subscribe(
            [this](const std::string &name, FormModel::Change) { refreshControl(name); });
    for (const std::string &name : model.fieldNames())
        refreshControl(name);

    // The design size of the large windows, or what the labels need, whichever is larger.
    const QSize design(m_context.state.largeFormWidth / 15, m_context.state.largeFormHeight / 15);
    resize(sizeHint().expandedTo(design));
}

FormCFG::~FormCFG()
{
    m_context.forms.FormCFG.unsubscribe(m_subscription);
}

ImageButton *FormCFG::button(const QString &controlName) const
{
    const auto found = m_buttons.find(controlName);
    return found == m_buttons.end() ? nullptr : found->second;
}

void FormCFG::refreshControl(const std::string &control)
{
    FormModel &model = m_context.forms.FormCFG;
    if (!model.hasField(control))
        return;
    m_refreshing = true;
    if (const auto t = m_texts.find(control); t != m_texts.end()) {
        NumericLineEdit *edit = t->second;
        const QString text = QString::fromStdString(model.text(control));
        if (edit->text() != text) {
            const QSignalBlocker block(edit);
            edit->setText(text);
        }
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Text,
                         model.error(control) ? QColor(255, 0, 0)
                                              : this->palette().color(QPalette::Text));
        edit->setPalette(palette);
    } else if (const auto l = m_lists.find(control); l != m_lists.end()) {
        if (l->second->currentIndex() != model.state(control))
            l->second->setCurrentIndex(model.state(control));
    } else if (control == "RSVFissOK" || control == "RSVFissNOK") {
        const bool on = model.state("RSVFissOK") != 0;
        m_fissOK->setChecked(on);
        m_fissNOK->setChecked(!on);
    } else if (const auto b = m_buttons.find(QString::fromStdString(control));
               b != m_buttons.end()) {
        b->second->SetButtonPicture(model.state(control), statusFor(b->first), false);
    }
    m_refreshing = false;
}

InputError FormCFG::statusFor(const QString &button) const
{
    // Restoring the factory values is the way out of a broken limit: that button never
    // refuses, so it does not take the limit's disabled picture.
    return button == "butopn" ? noError : ModuleRSVErr::GetInputError(m_context);
}

void FormCFG::Field_Change(const std::string &control, const QString &text)
{
    if (m_refreshing)
        return;
    m_context.forms.FormCFG.setText(control, text.toStdString());
    ModuleRSVErr::CheckSettingsWindow(m_context);
    refreshButtons();
}

void FormCFG::refreshButtons()
{
    for (const char *name : { "butarw", "butsav", "butopn" })
        refreshControl(name);
}

void FormCFG::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void FormCFG::Form_Activate()
{
    m_keptError = ModuleRSVErr::GetInputError(m_context);
    ModuleRSVErr::CheckSettingsWindow(m_context);
    // The unit list follows the unit the results window last chose.
    m_context.forms.FormCFG.setState("RSVCFGBITOUNID", m_context.state.gaugeUnitIsMm ? 0 : 1);
    m_tabs->setCurrentIndex(0);
    refreshButtons();
}

void FormCFG::done(int result)
{
    // Closing (Escape, the title bar, or butarw): the status of the window underneath returns.
    QDialog::done(result);
    ModuleRSVErr::SetInputError(m_context, m_keptError);
    m_mdi.ResetToolbarPictures();
}

void FormCFG::mouseMoveEvent(QMouseEvent *event)
{
    refreshButtons();
    m_mdi.ResetToolbarPictures();
    QDialog::mouseMoveEvent(event);
}

void FormCFG::showStatus(const std::string &error, int number, const std::string &warning)
{
    if (!error.empty())
        m_mdi.MessageBox(error, UiHost::Buttons::Ok, UiHost::Icon::Critical,
                         "Erro " + std::to_string(number));
    if (!warning.empty())
        m_mdi.MessageBox(warning, UiHost::Buttons::Ok, UiHost::Icon::Exclamation, "ATENÇÃO!");
}

void FormCFG::butarw_Click()
{
    if (ModuleRSVErr::GetInputError(m_context).code != 0)
        return;
    try {
        ApplySettings(m_context);
    } catch (const CalcError &e) {
        // A value that is no number stays in the window to be corrected; nothing was applied.
        showStatus(e.what(), 13, {});
        return;
    }
    accept();
}

void FormCFG::butsav_Click()
{
    if (ModuleRSVErr::GetInputError(m_context).code != 0)
        return;
    const ParametersStatus status = SaveParameters(m_context, parameterFileOf(m_context));
    showStatus(status.error.description, status.error.number, status.warning);
    ModuleRSVErr::CheckSettingsWindow(m_context);
    refreshButtons();
}

void FormCFG::butopn_Click()
{
    const ParametersStatus status = RestoreDefaultParameters(m_context, parameterFileOf(m_context));
    showStatus(status.error.description, status.error.number, status.warning);
    // The factory values are within every limit: the buttons are free again.
    ModuleRSVErr::CheckSettingsWindow(m_context);
    refreshButtons();
}
