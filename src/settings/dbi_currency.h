#pragma once

#include <QLineEdit>

#include <cstdint>

// A one-line edit for amounts and other decimal numbers: takes only digits and one
// regional decimal separator, limits the decimals and optionally the size, and keeps
// the value as a count of ten-thousandths.
class TdbiCurrency : public QLineEdit
{
    Q_OBJECT

public:
    explicit TdbiCurrency(QWidget* parent = nullptr);

    // The text is parsed first, so the value follows what was typed.
    std::int64_t Value();
    void SetValue(std::int64_t value);
    // Most decimals that can be typed; 0 allows no separator, a negative number no limit.
    int DecimalPlaces() const { return m_decimalPlaces; }
    void SetDecimalPlaces(int value) { m_decimalPlaces = value; }
    // The largest value that can be typed; 0 or less is no limit.
    std::int64_t MaxValue() const { return m_maxValue; }
    void SetMaxValue(std::int64_t value) { m_maxValue = value; }
    bool IsCurrency() const { return m_isCurrency; }
    void SetIsCurrency(bool value) { m_isCurrency = value; }
    // A pattern with one amount argument ("%m", "%.2f", "R %n"), applied on leaving when IsCurrency.
    const QString& FormatOnExit() const { return m_formatOnExit; }
    void SetFormatOnExit(const QString& pattern);
    Qt::Alignment AlignMent() const { return alignment(); }
    void SetAlignMent(Qt::Alignment value) { setAlignment(value); }

    // Keeps a leading sign, the digits and the separators of the text and stores the
    // number; false (the value unchanged) when that is no number.
    bool ParseText(const QString& text);
    // Whether the key filter lets the typed character into the box as it is now.
    bool AcceptsChar(QChar c) const;

    // The value in the regional plain number form.
    static QString PlainText(std::int64_t value);
    // The value formatted with a pattern of one amount argument.
    static QString FormatAmount(const QString& pattern, std::int64_t value);

signals:
    // A typed character was refused (the system also beeps).
    void charRefused(QChar c);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    static bool parseNumber(const QString& text, std::int64_t& value);
    QString textAfterTyping(QChar c) const;

    std::int64_t m_value = 0;
    int m_decimalPlaces = 2;
    std::int64_t m_maxValue = 0;
    bool m_isCurrency = false;
    QString m_formatOnExit;
};
