#include "settings/dbi_currency.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLocale>

#include <cmath>

namespace {

QChar decimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.at(0);
}

QLocale plainLocale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

double toDouble(std::int64_t value)
{
    return static_cast<double>(value) / 10000.0;
}

} // namespace

TdbiCurrency::TdbiCurrency(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setText(PlainText(0));
}

QString TdbiCurrency::PlainText(std::int64_t value)
{
    return plainLocale().toString(toDouble(value), 'g', 15);
}

bool TdbiCurrency::parseNumber(const QString& text, std::int64_t& value)
{
    const QChar separator = decimalSeparator();
    QString kept;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if ((c == QLatin1Char('+') || c == QLatin1Char('-')) && i == 0)
            kept += c;
        else if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == separator)
            kept += c;
    }
    if (kept.isEmpty())
        kept = QStringLiteral("0");
    bool ok = false;
    const double number = plainLocale().toDouble(kept, &ok);
    if (!ok || !std::isfinite(number))
        return false;
    value = static_cast<std::int64_t>(std::llround(number * 10000.0));
    return true;
}

bool TdbiCurrency::ParseText(const QString& text)
{
    return parseNumber(text, m_value);
}

std::int64_t TdbiCurrency::Value()
{
    ParseText(text());
    return m_value;
}

void TdbiCurrency::SetValue(std::int64_t value)
{
    m_value = value;
    setText(PlainText(value));
}

void TdbiCurrency::SetFormatOnExit(const QString& pattern)
{
    m_formatOnExit = pattern;
    if (hasFocus())
        return;
    setText(pattern.isEmpty() ? PlainText(m_value) : FormatAmount(pattern, m_value));
}

QString TdbiCurrency::textAfterTyping(QChar c) const
{
    QString result = text();
    if (hasSelectedText())
        result.replace(selectionStart(), selectedText().size(), c);
    else
        result.insert(cursorPosition(), c);
    return result;
}

bool TdbiCurrency::AcceptsChar(QChar c) const
{
    const QChar separator = decimalSeparator();
    const bool isDigit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!isDigit && c != separator && c != QLatin1Char('\b'))
        return false;
    if (c == QLatin1Char('\b'))
        return true;
    const QString current = text();
    const bool separatorAllowed = m_decimalPlaces != 0;
    // Typing over the whole text still keeps the limits: no separator where no
    // decimals are allowed, no digit above the maximum.
    if (selectedText() == current) {
        if (c == separator)
            return separatorAllowed;
        std::int64_t value = 0;
        return m_maxValue <= 0 || (parseNumber(QString(c), value) && value <= m_maxValue);
    }
    if (c == separator && !separatorAllowed)
        return false;
    const qsizetype at = current.indexOf(separator);
    if (at >= 0) {
        const qsizetype decimalsWithSeparator = current.size() - at;
        if (m_decimalPlaces > 0 && m_decimalPlaces < decimalsWithSeparator)
            return false;
    }
    if (c == separator && at < 0)
        return true;
    // The text as it would be with the character where the caret is.
    std::int64_t value = 0;
    if (!parseNumber(textAfterTyping(c), value))
        return false;
    return m_maxValue <= 0 || value <= m_maxValue;
}

void TdbiCurrency::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (typed.size() == 1) {
        const QChar c = typed.at(0);
        if ((c == QLatin1Char('\b') || c.isPrint()) && !AcceptsChar(c)) {
            QApplication::beep();
            emit charRefused(c);
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TdbiCurrency::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    setText(PlainText(m_value));
    selectAll();
}

void TdbiCurrency::focusOutEvent(QFocusEvent* event)
{
    ParseText(text());
    if (m_isCurrency && !m_formatOnExit.isEmpty())
        setText(FormatAmount(m_formatOnExit, m_value));
    QLineEdit::focusOutEvent(event);
}

// The pieces of a format pattern: "%%" and "%[-][width][.precision]type" with the types
// m (currency), f (fixed), n (fixed with thousands), g (general), d (whole number) and s.
QString TdbiCurrency::FormatAmount(const QString& pattern, std::int64_t value)
{
    const QLocale locale;
    const double amount = toDouble(value);
    QString result;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        if (c != QLatin1Char('%') || i + 1 >= pattern.size()) {
            result += c;
            ++i;
            continue;
        }
        if (pattern.at(i + 1) == QLatin1Char('%')) {
            result += QLatin1Char('%');
            i += 2;
            continue;
        }
        qsizetype j = i + 1;
        const bool leftAlign = pattern.at(j) == QLatin1Char('-');
        if (leftAlign)
            ++j;
        int width = 0;
        while (j < pattern.size() && pattern.at(j).isDigit())
            width = width * 10 + pattern.at(j++).digitValue();
        int precision = -1;
        if (j < pattern.size() && pattern.at(j) == QLatin1Char('.')) {
            precision = 0;
            ++j;
            while (j < pattern.size() && pattern.at(j).isDigit())
                precision = precision * 10 + pattern.at(j++).digitValue();
        }
        if (j >= pattern.size()) {
            result += pattern.mid(i);
            break;
        }
        const QChar type = pattern.at(j).toLower();
        QString piece;
        if (type == QLatin1Char('m'))
            piece = locale.toCurrencyString(amount, QString(), precision < 0 ? 2 : precision);
        else if (type == QLatin1Char('f'))
            piece = plainLocale().toString(amount, 'f', precision < 0 ? 2 : precision);
        else if (type == QLatin1Char('n'))
            piece = locale.toString(amount, 'f', precision < 0 ? 2 : precision);
        else if (type == QLatin1Char('g') || type == QLatin1Char('s'))
            piece = PlainText(value);
        else if (type == QLatin1Char('d'))
            piece = QString::number(std::llround(amount));
        else
            piece = pattern.mid(i, j - i + 1);
        if (piece.size() < width)
            piece = leftAlign ? piece.leftJustified(width) : piece.rightJustified(width);
        result += piece;
        i = j + 1;
    }
    return result;
}
