#include "kitchen/late_colouring.h"

#include <cmath>

namespace pw::kitchen {
namespace {

QString toMinute(const QDateTime& value)
{
    return value.toString(QStringLiteral("yyyyMMdd HH:mm"));
}

} // namespace

TLateness Lateness(const QDateTime& reference, const QDateTime& timeDue, double foodPrep)
{
    // An order without a due time (or a row without the reference) cannot be judged.
    if (!reference.isValid() || !timeDue.isValid())
        return TLateness::NotDue;
    const qint64 halfPrepMs = std::llround(foodPrep * 50.0 / 100.0 * 86400000.0);
    const QString r = toMinute(reference);
    const QString d = toMinute(timeDue);
    const QString h = toMinute(timeDue.addMSecs(halfPrepMs));
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
