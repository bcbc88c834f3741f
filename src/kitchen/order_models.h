#pragma once

#include "kitchen/late_colouring.h"
#include "kitchen/snapshot_model.h"

namespace pw::kitchen {

// The order list of either view with its calculated fields: CashierName,
// LeadTime (cooked minus ordered) and Lapsed (now minus ordered), worked out
// as each cell is drawn, and the late colouring of each row.
class TInvoicesModel : public TSnapshotModel
{
    Q_OBJECT
public:
    // The colours of a selected row, which the grid's delegate paints.
    enum Roles
    {
        HighlightBrushRole = Qt::UserRole + 1,
        HighlightFontRole
    };
    // Grid columns, in the order of the grid's column list.
    enum ColumnIndex
    {
        colOrderNum,
        colTelephone,
        colNotifyName,
        colCashierName,
        colLeadTime,
        colLapsed
    };

    explicit TInvoicesModel(QObject* parent = nullptr);

    // Whether the rows are the finished view's, and the "FOOD PREP" they are judged by.
    void SetColourContext(bool finishedView, double foodPrep);

    QVariant data(const QModelIndex& index, int role) const override;

    int InvoiceNum(int row) const;
    int OrderNum(int row) const;
    TColourRow ColourRow(int row) const;
    TCellColours Colours(int row, bool highlighted) const;

    // A duration as the time-of-day text "hh:nn".
    static QString DurationText(qint64 milliseconds);

protected:
    QString cellText(int row, const Column& column) const override;

private:
    QDateTime dateTime(int row, const QString& field) const;

    bool m_finishedView = false;
    double m_foodPrep = 0;
};

class TLineItemsModel : public TSnapshotModel
{
    Q_OBJECT
public:
    explicit TLineItemsModel(QObject* parent = nullptr);

protected:
    QString cellText(int row, const Column& column) const override;
};

} // namespace pw::kitchen
