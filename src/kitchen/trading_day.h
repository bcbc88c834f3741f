#pragma once

#include <QDateTime>

namespace pw::kitchen {

// The trading day that `now` falls in, for a "DAY START" read as a day count
// (its whole-day part is ignored; exactly 0 stands for 05:00). The end is the
// start of the next trading day and is not part of this one.
QDateTime TradingDayStart(double dayStart, const QDateTime& now);
QDateTime TradingDayEnd(double dayStart, const QDateTime& now);

} // namespace pw::kitchen
