#pragma once

#include <optional>
#include <string>

class RegionalSettings;

/// The desk calculator of the Tools menu, without its window: it works as a pocket calculator
/// does. Operations are chained left to right (2 + 3 × 4 = 20), "=" repeats the last operation
/// (5 + 2 = = gives 9), "%" turns the entry into that percentage of the first operand
/// (200 + 10 % = gives 220), "CE" clears the entry, "C" everything. A division by zero shows
/// "Divisão por Zero" and the next key starts afresh.
class Calculator
{
public:
    enum class Key {
        D0,
        D1,
        D2,
        D3,
        D4,
        D5,
        D6,
        D7,
        D8,
        D9,
        Decimal,
        Add,
        Subtract,
        Multiply,
        Divide,
        Equals,
        Percent,
        Clear,
        ClearEntry,
        Backspace,
    };

    explicit Calculator(const RegionalSettings &regional);

    void press(Key key);
    /// The key of a typed character: digits, "," and "." (decimal), + - * / x, "=", "%", and
    /// "\b" (backspace); nothing for any other.
    static std::optional<Key> keyOf(char c);

    /// What the readout shows, with the regional decimal symbol.
    std::string readout() const;

    /// The most digits an entry takes, as a pocket calculator's display.
    static constexpr int kMaxDigits = 15;
    static constexpr const char *kDivisionByZero = "Divisão por Zero";
    static constexpr const char *kOverflow = "Número muito grande";

private:
    enum class Op { None, Add, Subtract, Multiply, Divide };
    static Op opOf(Key key);

    double entryValue() const;
    void showValue(double value);
    /// Applies op to a and b; false (and the error shown) on a division by zero or overflow.
    bool apply(Op op, double a, double b, double &result);
    void clearAll();
    std::string decimalSymbol() const;

    const RegionalSettings &m_regional;
    std::string m_entry = "0"; ///< the readout's digits, with "," as decimal symbol
    bool m_newEntry = true; ///< the next digit starts a new entry
    bool m_entryTyped = false; ///< the readout holds an operand given since the last operator
    double m_accumulator = 0;
    Op m_pending = Op::None;
    Op m_lastOp = Op::None; ///< what "=" repeats
    double m_lastOperand = 0;
    std::string m_error; ///< the message in the readout; empty when none
};
