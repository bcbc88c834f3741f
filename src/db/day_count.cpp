#include "db/day_count.h"

#include <cmath>

namespace pw::db {
namespace {
const QDate epoch(1899, 12, 30);
constexpr double msPerDay = 86400000.0;
} // namespace

double toDayFraction(const QTime& time) { return time.isValid() ? time.msecsSinceStartOfDay() / msPerDay : 0.0; }

QTime timeFromDayFraction(double fraction)
{
    double whole = 0;
    double part = std::modf(fraction, &whole);
    // Before the epoch the fraction still counts forward from midnight.
    part = std::fabs(part);
    const int ms = static_cast<int>(std::llround(part * msPerDay));
    return QTime::fromMSecsSinceStartOfDay(ms >= 86400000 ? 86399999 : ms);
}

double toDayCount(const QDateTime& value)
{
    if (!value.isValid())
        return 0.0;
    const double days = static_cast<double>(epoch.daysTo(value.date()));
    const double fraction = toDayFraction(value.time());
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime fromDayCount(double days)
{
    double whole = 0;
    std::modf(days, &whole);
    return QDateTime(epoch.addDays(static_cast<qint64>(whole)), timeFromDayFraction(days));
}

} // namespace pw::db
