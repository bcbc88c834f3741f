#include "db/currency.h"

namespace pw::db {

QString Currency::toString() const
{
    // Worked on the magnitude as unsigned so that the most negative amount has one too.
    const bool negative = ticks < 0;
    const std::uint64_t magnitude =
        negative ? std::uint64_t(0) - static_cast<std::uint64_t>(ticks) : static_cast<std::uint64_t>(ticks);
    QString text = QString::number(magnitude / 10000);
    const std::uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return negative ? QLatin1Char('-') + text : text;
}

} // namespace pw::db
