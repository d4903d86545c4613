#include "core/Calculator.h"

#include "core/Numbers.h"
#include "core/RegionalSettings.h"

#include <cmath>

namespace {

/// Results are shown with 15 significant digits; beyond that a pocket calculator overflows.
constexpr double kLargest = 1e15;

} // namespace

Calculator::Calculator(const RegionalSettings &regional) : m_regional(regional) { }

std::optional<Calculator::Key> Calculator::keyOf(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<Key>(static_cast<int>(Key::D0) + (c - '0'));
    switch (c) {
    case ',':
    case '.':
        return Key::Decimal;
    case '+':
        return Key::Add;
    case '-':
        return Key::Subtract;
    case '*':
    case 'x':
    case 'X':
        return Key::Multiply;
    case '/':
        return Key::Divide;
    case '=':
        return Key::Equals;
    case '%':
        return Key::Percent;
    case '\b':
        return Key::Backspace;
    default:
        return std::nullopt;
    }
}

Calculator::Op Calculator::opOf(Key key)
{
    switch (key) {
    case Key::Add:
        return Op::Add;
    case Key::Subtract:
        return Op::Subtract;
    case Key::Multiply:
        return Op::Multiply;
    case Key::Divide:
        return Op::Divide;
    default:
        return Op::None;
    }
}

std::string Calculator::decimalSymbol() const
{
    const std::string d = m_regional.decimalSymbol();
    // An odd or unreadable setting reads as ".", as the numeric fields do.
    if (d.size() != 1 || (d[0] >= '0' && d[0] <= '9'))
        return ".";
    return d;
}

double Calculator::entryValue() const
{
    // The entry holds digits and at most one ","; always a number.
    return TryTextToNumber(m_entry, kMaxDigits).value_or(0.0);
}

void Calculator::showValue(double value)
{
    if (value == 0)
        value = 0; // no "-0"
    m_entry = DoubleText(value, m_regional);
    const std::string d = decimalSymbol();
    if (d != ",") {
        const auto at = m_entry.find(d);
        if (at != std::string::npos)
            m_entry.replace(at, d.size(), ",");
    }
}

void Calculator::clearAll()
{
    m_entry = "0";
    m_newEntry = true;
    m_entryTyped = false;
    m_accumulator = 0;
    m_pending = Op::None;
    m_lastOp = Op::None;
    m_lastOperand = 0;
    m_error.clear();
}

bool Calculator::apply(Op op, double a, double b, double &result)
{
    switch (op) {
    case Op::Add:
        result = a + b;
        break;
    case Op::Subtract:
        result = a - b;
        break;
    case Op::Multiply:
        result = a * b;
        break;
    case Op::Divide:
        if (b == 0) {
            clearAll();
            m_error = kDivisionByZero;
            return false;
        }
        result = a / b;
        break;
    case Op::None:
        result = b;
        break;
    }
    if (!(std::fabs(result) < kLargest)) {
        clearAll();
        m_error = kOverflow;
        return false;
    }
    return true;
}

void Calculator::press(Key key)
{
    if (!m_error.empty()) {
        // After an error the next key starts afresh; a digit or the decimal key also begins the
        // new entry.
        clearAll();
        if (key != Key::Decimal && !(key >= Key::D0 && key <= Key::D9))
            return;
    }

    if (key >= Key::D0 && key <= Key::D9) {
        const char digit =
                static_cast<char>('0' + (static_cast<int>(key) - static_cast<int>(Key::D0)));
        if (m_newEntry) {
            m_entry = std::string(1, digit);
            m_newEntry = false;
            m_entryTyped = true;
            return;
        }
        int digits = 0;
        for (char c : m_entry)
            digits += (c >= '0' && c <= '9') ? 1 : 0;
        if (digits >= kMaxDigits)
            return;
        if (m_entry == "0")
            m_entry = std::string(1, digit);
        else
            m_entry += digit;
        return;
    }

    switch (key) {
    case Key::Decimal:
        if (m_newEntry) {
            m_entry = "0,";
            m_newEntry = false;
            m_entryTyped = true;
        } else if (m_entry.find(',') == std::string::npos) {
            m_entry += ',';
        }
        return;
    case Key::Backspace:
        if (m_newEntry)
            return;
        m_entry.pop_back();
        if (m_entry.empty() || m_entry == "-")
            m_entry = "0";
        return;
    case Key::Clear:
        clearAll();
        return;
    case Key::ClearEntry:
        m_entry = "0";
        m_newEntry = true;
        m_entryTyped = true;
        return;
    case Key::Add:
    case Key::Subtract:
    case Key::Multiply:
    case Key::Divide: {
        // A second operator in a row only changes the operation.
        if (m_pending != Op::None && m_entryTyped) {
            double result = 0;
            if (!apply(m_pending, m_accumulator, entryValue(), result))
                return;
            m_accumulator = result;
            showValue(result);
        } else if (m_pending == Op::None) {
            m_accumulator = entryValue();
        }
        m_pending = opOf(key);
        m_newEntry = true;
        m_entryTyped = false;
        return;
    }
    case Key::Equals: {
        double result = 0;
        if (m_pending != Op::None) {
            // "5 + =" takes the first operand again, as pocket calculators do.
            const double operand = m_entryTyped ? entryValue() : m_accumulator;
            if (!apply(m_pending, m_accumulator, operand, result))
                return;
            m_lastOp = m_pending;
            m_lastOperand = operand;
            m_pending = Op::None;
        } else if (m_lastOp != Op::None) {
            if (!apply(m_lastOp, entryValue(), m_lastOperand, result))
                return;
        } else {
            result = entryValue();
        }
        m_accumulator = result;
        showValue(result);
        m_newEntry = true;
        m_entryTyped = false;
        return;
    }
    case Key::Percent: {
        // The entry becomes that percentage of the first operand; without one, of 1.
        const double base = m_pending != Op::None ? m_accumulator : 1.0;
        double result = base * entryValue() / 100.0;
        if (!(std::fabs(result) < kLargest)) {
            clearAll();
            m_error = kOverflow;
            return;
        }
        showValue(result);
        m_newEntry = true;
        m_entryTyped = true;
        return;
    }
    default:
        return;
    }
}

std::string Calculator::readout() const
{
    if (!m_error.empty())
        return m_error;
    std::string shown = m_entry;
    const auto at = shown.find(',');
    if (at != std::string::npos)
        shown.replace(at, 1, decimalSymbol());
    return shown;
}
