#include "db/field.h"

#include "db/day_count.h"
#include "db/db_error.h"

#include <QRegularExpression>

#include <cmath>

namespace pw::db {
namespace {

// A text column reads back up to its first NUL, as the suite's other programs read it.
QString upToNul(QString text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

} // namespace

QString Field::asString() const
{
    if (isNull())
        return {};
    if (m_value.typeId() == QMetaType::QDateTime)
        return m_value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (m_value.typeId() == QMetaType::Bool)
        return m_value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return upToNul(m_value.toString());
}

int Field::asInteger() const
{
    return static_cast<int>(asLargeInt());
}

qint64 Field::asLargeInt() const
{
    if (isNull())
        return 0;
    switch (m_value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return static_cast<qint64>(std::llround(m_value.toDouble()));
    case QMetaType::QString: {
        bool ok = false;
        const QString text = asString().trimmed();
        const qint64 v = text.toLongLong(&ok);
        if (ok)
            return v;
        const double d = text.toDouble(&ok);
        if (ok)
            return static_cast<qint64>(std::llround(d));
        throw DbError(QStringLiteral("'%1' is not a valid integer value for field '%2'").arg(text, m_name));
    }
    default:
        return m_value.toLongLong();
    }
}

double Field::asFloat() const
{
    if (isNull())
        return 0.0;
    if (m_value.typeId() == QMetaType::QString) {
        bool ok = false;
        const QString text = asString().trimmed();
        const double v = text.toDouble(&ok);
        if (!ok)
            throw DbError(
                QStringLiteral("'%1' is not a valid floating point value for field '%2'").arg(text, m_name));
        return v;
    }
    if (m_value.typeId() == QMetaType::QDateTime)
        return toDayCount(m_value.toDateTime());
    return m_value.toDouble();
}

std::int64_t Field::asCurrency() const
{
    if (!isNull() && m_value.typeId() == QMetaType::QString) {
        // An amount held as text is read digit by digit: no binary rounding on the way.
        static const QRegularExpression plain(QStringLiteral("^([+-]?)([0-9]*)(?:\\.([0-9]*))?$"));
        const QRegularExpressionMatch m = plain.match(asString().trimmed());
        if (m.hasMatch() && (!m.captured(2).isEmpty() || !m.captured(3).isEmpty()) &&
            m.captured(2).size() < 15) {
            const QString decimals = m.captured(3);
            std::int64_t amount =
                m.captured(2).toLongLong() * 10000 + (decimals + QStringLiteral("0000")).left(4).toLongLong();
            if (decimals.size() > 4 && decimals[4] >= QLatin1Char('5'))
                ++amount;
            return m.captured(1) == QLatin1String("-") ? -amount : amount;
        }
    }
    return static_cast<std::int64_t>(std::llround(asFloat() * 10000.0));
}

bool Field::asBoolean() const
{
    if (isNull())
        return false;
    if (m_value.typeId() == QMetaType::QString) {
        const QString text = asString().trimmed();
        if (text.isEmpty())
            return false;
        const QChar c = text[0].toUpper();
        if (c == QLatin1Char('T') || c == QLatin1Char('Y'))
            return true;
        bool ok = false;
        const double v = text.toDouble(&ok);
        return ok && v != 0.0;
    }
    return m_value.toDouble() != 0.0;
}

QDateTime Field::toDateTime(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return {};
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.toDateTime();
    case QMetaType::QDate:
        return QDateTime(value.toDate(), QTime(0, 0));
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
        return fromDayCount(value.toDouble());
    default:
        break;
    }
    const QString text = upToNul(value.toString().trimmed());
    if (text.isEmpty())
        return {};
    for (const char* format :
         {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss.zzz", "yyyy-MM-ddTHH:mm:ss",
          "yyyy-MM-dd HH:mm", "yyyyMMdd HH:mm:ss", "yyyy-MM-dd"}) {
        const QDateTime parsed = QDateTime::fromString(text, QLatin1String(format));
        if (parsed.isValid())
            return parsed;
    }
    return {};
}

QDateTime Field::asQDateTime() const
{
    const QDateTime result = toDateTime(m_value);
    if (!result.isValid() && !isNull() && !asString().isEmpty())
        throw DbError(
            QStringLiteral("'%1' is not a valid date and time for field '%2'").arg(asString(), m_name));
    return result;
}

double Field::asDateTime() const
{
    const QDateTime value = asQDateTime();
    return value.isValid() ? toDayCount(value) : 0.0;
}

} // namespace pw::db
