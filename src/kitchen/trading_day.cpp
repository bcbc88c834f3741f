#include "kitchen/trading_day.h"

#include "db/day_count.h"

namespace pw::kitchen {
namespace {

// A day start of midnight is taken as unset: the shops trade past midnight.
QTime dayStartTime(double dayStart)
{
    return dayStart == 0.0 ? QTime(5, 0) : db::timeFromDayFraction(dayStart);
}

QDateTime at(const QDateTime& now, const QDate& day, const QTime& time)
{
    QDateTime result = now;
    result.setDate(day);
    result.setTime(time);
    return result;
}

QDate tradingDate(const QTime& start, const QDateTime& now)
{
    return now.time() < start ? now.date().addDays(-1) : now.date();
}

} // namespace

QDateTime TradingDayStart(double dayStart, const QDateTime& now)
{
    const QTime start = dayStartTime(dayStart);
    return at(now, tradingDate(start, now), start);
}

QDateTime TradingDayEnd(double dayStart, const QDateTime& now)
{
    const QTime start = dayStartTime(dayStart);
    return at(now, tradingDate(start, now).addDays(1), start);
}

} // namespace pw::kitchen
