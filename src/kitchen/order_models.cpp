#include "kitchen/order_models.h"

#include "db/field.h"
#include "platform/platform.h"

#include <cstdlib>

namespace pw::kitchen {

TInvoicesModel::TInvoicesModel(QObject* parent)
    : TSnapshotModel({{QStringLiteral("OrderNum"), QStringLiteral("Order #"), 5},
                      {QStringLiteral("Telephone"), QStringLiteral("Telephone"), 10},
                      {QStringLiteral("NotifyName"), QStringLiteral("Customer"), 14},
                      {QStringLiteral("CashierName"), QStringLiteral("Cashier"), 14},
                      {QStringLiteral("LeadTime"), QStringLiteral("Lapsed"), 10},
                      {QStringLiteral("Lapsed"), QStringLiteral("Lapsed"), 10}},
                     parent)
{
}

void TInvoicesModel::SetColourContext(bool finishedView, double foodPrep)
{
    m_finishedView = finishedView;
    m_foodPrep = foodPrep;
}

QVariant TInvoicesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    switch (role) {
    case Qt::BackgroundRole:
    case Qt::ForegroundRole:
    case HighlightBrushRole:
    case HighlightFontRole: {
        const bool highlighted = role == HighlightBrushRole || role == HighlightFontRole;
        const TCellColours colours = Colours(index.row(), highlighted);
        const QColor& colour =
            (role == Qt::BackgroundRole || role == HighlightBrushRole) ? colours.brush : colours.font;
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    default:
        return TSnapshotModel::data(index, role);
    }
}

int TInvoicesModel::InvoiceNum(int row) const
{
    return db::Field(QStringLiteral("InvoiceNum"), value(row, QStringLiteral("InvoiceNum"))).asInteger();
}

int TInvoicesModel::OrderNum(int row) const
{
    return db::Field(QStringLiteral("OrderNum"), value(row, QStringLiteral("OrderNum"))).asInteger();
}

QDateTime TInvoicesModel::dateTime(int row, const QString& field) const
{
    return db::Field::toDateTime(value(row, field));
}

TColourRow TInvoicesModel::ColourRow(int row) const
{
    return {InvoiceNum(row), dateTime(row, QStringLiteral("TimeDue")),
            dateTime(row, QStringLiteral("TimeStampCooked"))};
}

TCellColours TInvoicesModel::Colours(int row, bool highlighted) const
{
    return CalcCellColors(ColourRow(row), m_finishedView, platform::now(), m_foodPrep, highlighted);
}

QString TInvoicesModel::DurationText(qint64 milliseconds)
{
    // As a time of day: a negative span shows its size, a span over a day its remainder.
    const qint64 ms = std::llabs(milliseconds);
    const qint64 hours = (ms / 3600000) % 24;
    const qint64 minutes = (ms / 60000) % 60;
    return QStringLiteral("%1:%2").arg(hours, 2, 10, QLatin1Char('0')).arg(minutes, 2, 10, QLatin1Char('0'));
}

QString TInvoicesModel::cellText(int row, const Column& column) const
{
    if (column.field == QLatin1String("CashierName")) {
        const QString first = db::Field({}, value(row, QStringLiteral("Firstname"))).asString().trimmed();
        const QString last = db::Field({}, value(row, QStringLiteral("Lastname"))).asString().trimmed();
        return first + QLatin1Char(' ') + last;
    }
    if (column.field == QLatin1String("Lapsed") || column.field == QLatin1String("LeadTime")) {
        const QDateTime ordered = dateTime(row, QStringLiteral("Date"));
        const QDateTime until = column.field == QLatin1String("Lapsed")
                                    ? platform::now()
                                    : dateTime(row, QStringLiteral("TimeStampCooked"));
        if (!ordered.isValid() || !until.isValid())
            return {};
        return DurationText(ordered.msecsTo(until));
    }
    return TSnapshotModel::cellText(row, column);
}

TLineItemsModel::TLineItemsModel(QObject* parent)
    : TSnapshotModel({{QStringLiteral("Quantity"), QStringLiteral("Qty"), 4, Qt::AlignCenter},
                      {QStringLiteral("Code"), QStringLiteral("Code"), 8},
                      {QStringLiteral("Size"), QStringLiteral("Size"), 8},
                      {QStringLiteral("ItemDesc"), QStringLiteral("Description"), 31}},
                     parent)
{
}

QString TLineItemsModel::cellText(int row, const Column& column) const
{
    if (column.field == QLatin1String("Quantity")) {
        const QVariant quantity = value(row, column.field);
        return quantity.isNull() ? QString() : QString::number(quantity.toDouble(), 'g', 15);
    }
    return TSnapshotModel::cellText(row, column);
}

} // namespace pw::kitchen
