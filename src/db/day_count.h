#pragma once

#include <QDateTime>

namespace pw::db {

// Dates and times as the suite stores them in memory: whole days since
// 30 December 1899, the fraction the time of day.
double toDayCount(const QDateTime& value);
QDateTime fromDayCount(double days);
// A time of day as a day fraction (06:00 is 0.25).
double toDayFraction(const QTime& time);
QTime timeFromDayFraction(double fraction);

} // namespace pw::db
