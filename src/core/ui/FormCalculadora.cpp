#include "core/ui/FormCalculadora.h"

#include "core/RegionalSettings.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

struct KeyCap
{
    Calculator::Key key;
    const char *name; ///< object name
    const char *caption;
    const char *description; ///< accessible name
    int row, column;
};

} // namespace

FormCalculadora::FormCalculadora(const RegionalSettings &regional, QWidget *parent)
    : QWidget(parent, Qt::Tool), m_calculator(regional)
{
    using K = Calculator::Key;
    setObjectName("FormCalculadora");
    setWindowTitle(QStringLiteral("Calculadora"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto *grid = new QGridLayout(this);
    grid->setSpacing(4);
    m_readout = new QLineEdit(this);
    m_readout->setObjectName("Readout");
    m_readout->setReadOnly(true);
    m_readout->setFocusPolicy(Qt::NoFocus);
    m_readout->setAlignment(Qt::AlignRight);
    m_readout->setAccessibleName(QStringLiteral("Visor"));
    QFont big = m_readout->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    m_readout->setFont(big);
    m_readout->setMinimumWidth(m_readout->fontMetrics().horizontalAdvance(QString(18, '8')));
    grid->addWidget(m_readout, 0, 0, 1, 4);

    const QString decimal = QString::fromStdString(regional.decimalSymbol()).left(1);
    const KeyCap caps[] = {
        { K::ClearEntry, "cmdCE", "CE", "Limpar entrada", 1, 0 },
        { K::Clear, "cmdC", "C", "Limpar tudo", 1, 1 },
        { K::Backspace, "cmdBack", "←", "Apagar último dígito", 1, 2 },
        { K::Divide, "cmdDivide", "÷", "Dividir", 1, 3 },
        { K::D7, "cmd7", "7", "7", 2, 0 },
        { K::D8, "cmd8", "8", "8", 2, 1 },
        { K::D9, "cmd9", "9", "9", 2, 2 },
        { K::Multiply, "cmdMultiply", "×", "Multiplicar", 2, 3 },
        { K::D4, "cmd4", "4", "4", 3, 0 },
        { K::D5, "cmd5", "5", "5", 3, 1 },
        { K::D6, "cmd6", "6", "6", 3, 2 },
        { K::Subtract, "cmdSubtract", "−", "Subtrair", 3, 3 },
        { K::D1, "cmd1", "1", "1", 4, 0 },
        { K::D2, "cmd2", "2", "2", 4, 1 },
        { K::D3, "cmd3", "3", "3", 4, 2 },
        { K::Add, "cmdAdd", "+", "Somar", 4, 3 },
        { K::D0, "cmd0", "0", "0", 5, 0 },
        { K::Decimal, "cmdDecimal", nullptr, "Separador decimal", 5, 1 },
        { K::Percent, "cmdPercent", "%", "Porcentagem", 5, 2 },
        { K::Equals, "cmdEquals", "=", "Igual", 5, 3 },
    };
    for (const KeyCap &cap : caps) {
        const QString caption = cap.caption ? QString::fromUtf8(cap.caption)
                                            : (decimal.isEmpty() ? QStringLiteral(",") : decimal);
        auto *button = new QPushButton(caption, this);
        button->setObjectName(cap.name);
        button->setAccessibleName(QString::fromUtf8(cap.description));
        button->setToolTip(QString::fromUtf8(cap.description));
        // The keyboard drives the calculator; a focused button would take Enter as its click.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        button->setMinimumSize(button->fontMetrics().height() * 3,
                               button->fontMetrics().height() * 2);
        const Calculator::Key key = cap.key;
        connect(button, &QPushButton::clicked, this, [this, key] { press(key); });
        grid->addWidget(button, cap.row, cap.column);
        m_buttons[key] = button;
    }
    setFocusPolicy(Qt::StrongFocus);
    m_readout->setText(QString::fromStdString(m_calculator.readout()));
}

QString FormCalculadora::readoutText() const
{
    return m_readout->text();
}

QPushButton *FormCalculadora::keyButton(Calculator::Key key) const
{
    const auto found = m_buttons.find(key);
    return found == m_buttons.end() ? nullptr : found->second;
}

void FormCalculadora::press(Calculator::Key key)
{
    m_calculator.press(key);
    m_readout->setText(QString::fromStdString(m_calculator.readout()));
}

void FormCalculadora::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        press(Calculator::Key::Equals);
        return;
    case Qt::Key_Escape:
        press(Calculator::Key::Clear);
        return;
    case Qt::Key_Delete:
        press(Calculator::Key::ClearEntry);
        return;
    case Qt::Key_Backspace:
        press(Calculator::Key::Backspace);
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() < 128) {
        if (const auto key = Calculator::keyOf(text[0].toLatin1())) {
            press(*key);
            return;
        }
    } else if (text == QStringLiteral("×")) {
        press(Calculator::Key::Multiply);
        return;
    } else if (text == QStringLiteral("÷")) {
        press(Calculator::Key::Divide);
        return;
    }
    QWidget::keyPressEvent(event);
}
