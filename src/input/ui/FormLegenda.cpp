#include "input/ui/FormLegenda.h"

#include "core/FormModel.h"
#include "core/ui/MDI.h"
#include "input/InputForms.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

FormLegenda::FormLegenda(MDI &mdi, FormModel &model, QWidget *parent)
    : QDialog(parent), m_mdi(mdi), m_model(model)
{
    setObjectName("FormLegenda");
    setWindowTitle(QStringLiteral("Legenda do Projeto"));
    setMouseTracking(true);
    auto *layout = new QVBoxLayout(this);

    const struct
    {
        const char *control;
        const char *frame;
        const char *frameName;
    } rows[] = {
        { "aeESTPROJ", "Nome do Projeto", "Frame1" }, { "aeESTCLI", "Cliente", "Frame2" },
        { "aeESTEND", "Endereço da Obra", "Frame3" }, { "aeESTRESP", "Responsável", "Frame4" },
        { "aeESTOBS", "Observações", "Frame5" },
    };
    for (const auto &row : rows) {
        auto *frame = new QGroupBox(QString::fromUtf8(row.frame), this);
        frame->setObjectName(row.frameName);
        auto *inner = new QVBoxLayout(frame);
        const std::string control = row.control;
        QWidget *edit = nullptr;
        if (control == "aeESTOBS") {
            m_notes = new QPlainTextEdit(frame);
            m_notes->setTabChangesFocus(true);
            m_notes->setFixedHeight(m_notes->fontMetrics().lineSpacing() * 4 + 12);
            connect(m_notes, &QPlainTextEdit::textChanged, this,
                    [this, control] { Field_Change(control); });
            edit = m_notes;
        } else {
            auto *line = new QLineEdit(frame);
            connect(line, &QLineEdit::textChanged, this,
                    [this, control] { Field_Change(control); });
            m_lines[control] = line;
            edit = line;
        }
        edit->setObjectName(row.control);
        edit->setAccessibleName(QString::fromUtf8(row.frame));
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 30);
        inner->addWidget(edit);
        layout->addWidget(frame);
        refreshFromModel(control);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("Command1");
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &FormLegenda::Command1_Click);
    buttons->addWidget(ok);
    layout->addLayout(buttons);

    // A flow that sets a text (a test, a future import) shows in the window at once.
    m_subscription = m_model.subscribe([this](const std::string &name, FormModel::Change change) {
        if (change == FormModel::Change::Text)
            refreshFromModel(name);
    });
}

FormLegenda::~FormLegenda()
{
    m_model.unsubscribe(m_subscription);
}

QWidget *FormLegenda::field(const std::string &control) const
{
    if (control == "aeESTOBS")
        return m_notes;
    const auto found = m_lines.find(control);
    return found == m_lines.end() ? nullptr : found->second;
}

void FormLegenda::Field_Change(const std::string &control)
{
    const QString typed = control == "aeESTOBS" ? m_notes->toPlainText() : m_lines[control]->text();
    SetLegendText(m_model, control, typed.toStdString());
    refreshFromModel(control);
}

void FormLegenda::refreshFromModel(const std::string &control)
{
    if (!m_model.hasField(control))
        return;
    const QString text = QString::fromStdString(m_model.text(control));
    if (control == "aeESTOBS") {
        if (!m_notes || m_notes->toPlainText() == text)
            return;
        const QSignalBlocker block(m_notes);
        m_notes->setPlainText(text);
        m_notes->moveCursor(QTextCursor::End);
        return;
    }
    QLineEdit *line = m_lines.count(control) ? m_lines[control] : nullptr;
    if (!line || line->text() == text)
        return;
    const int cursor = std::min<int>(line->cursorPosition(), static_cast<int>(text.size()));
    const QSignalBlocker block(line);
    line->setText(text);
    line->setCursorPosition(cursor);
}

void FormLegenda::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QWidget *name = field("aeESTPROJ"))
        name->setFocus(Qt::ActiveWindowFocusReason);
}

void FormLegenda::mouseMoveEvent(QMouseEvent *event)
{
    m_mdi.ResetToolbarPictures();
    QDialog::mouseMoveEvent(event);
}

void FormLegenda::Command1_Click()
{
    // Hidden, not closed: the texts stay for the next project.
    accept();
}
