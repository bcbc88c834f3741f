#include "kitchen/late_colouring.h"

#include "db/day_count.h"

#include <cmath>

namespace pw::kitchen {
namespace {

QString toMinute(const QDateTime& value)
{
    return value.toString(QStringLiteral("yyyyMMdd HH:mm"));
}

// A missing time reads as day 0, as the date fields of the suite read it: an
// order the till gave no due time is long overdue and shows red, so it is seen.
QDateTime orDayZero(const QDateTime& value)
{
    return value.isValid() ? value : db::fromDayCount(0);
}

} // namespace

TLateness Lateness(const QDateTime& reference, const QDateTime& timeDue, double foodPrep)
{
    const qint64 halfPrepMs = std::llround(foodPrep * 50.0 / 100.0 * 86400000.0);
    const QDateTime due = orDayZero(timeDue);
    const QString r = toMinute(orDayZero(reference));
    const QString d = toMinute(due);
    const QString h = toMinute(due.addMSecs(halfPrepMs));
    if (r >= d && r <= h)
        return TLateness::Due;
    if (r > h)
        return TLateness::Late;
    return TLateness::NotDue;
}

TCellColours CalcCellColors(const TColourRow& row, bool finishedView, const QDateTime& now, double foodPrep,
                            bool highlighted)
{
    if (row.InvoiceNum <= 0)
        return highlighted ? TCellColours{Qt::black, Qt::white} : TCellColours{};
    const QDateTime reference = finishedView ? row.TimeStampCooked : now;
    switch (Lateness(reference, row.TimeDue, foodPrep)) {
    case TLateness::Due:
        return highlighted ? TCellColours{Qt::black, Qt::yellow} : TCellColours{Qt::yellow, Qt::black};
    case TLateness::Late:
        return highlighted ? TCellColours{Qt::black, Qt::red} : TCellColours{Qt::red, Qt::black};
    case TLateness::NotDue:
        break;
    }
    return {};
}

} // namespace pw::kitchen
