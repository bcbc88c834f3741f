#pragma once

#include <QColor>
#include <QDateTime>

namespace pw::kitchen {

enum class TLateness
{
    NotDue,
    Due,
    Late
};

// Due from the minute of TimeDue through half the preparation time ("FOOD PREP",
// a day count) after it, late from then on; compared to the minute.
TLateness Lateness(const QDateTime& reference, const QDateTime& timeDue, double foodPrep);

// The colours of one order row; an invalid colour means "leave the grid's own".
struct TCellColours
{
    QColor brush;
    QColor font;
};

// What the order grid needs to colour a row: in the finished view the row is
// judged by when it was cooked, in the preparing view by the time now.
struct TColourRow
{
    int InvoiceNum = 0;
    QDateTime TimeDue;
    QDateTime TimeStampCooked;
};

TCellColours CalcCellColors(const TColourRow& row, bool finishedView, const QDateTime& now, double foodPrep,
                            bool highlighted);

} // namespace pw::kitchen
