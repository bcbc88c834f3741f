#include "kitchen/order_sql.h"

namespace pw::kitchen {
namespace {

QStringList invoicesOfTheDay(const QString& start, const QString& end)
{
    return {
        QStringLiteral("SELECT Invoices.InvoiceNum, Invoices.Date, Invoices.OrderNum,"),
        QStringLiteral("       Invoices.Telephone, Invoices.NotifyName, Invoices.TimeDue,"),
        QStringLiteral("       Employee.Firstname, Employee.Lastname, TimeStampCooked"),
        QStringLiteral("FROM Invoices, Attend, Employee"),
        QStringLiteral("WHERE Invoices.CashierLink = Attend.InvoiceLink"),
        QStringLiteral("   AND Attend.EmpNum = Employee.EmpNum"),
        QStringLiteral("   AND Invoices.Date >= '") + start + QLatin1Char('\''),
        QStringLiteral("   AND Invoices.Date < '") + end + QLatin1Char('\''),
    };
}

} // namespace

QStringList PreparingInvoicesSql(const QString& start, const QString& end, bool prepMonitorActive)
{
    QStringList lines = invoicesOfTheDay(start, end);
    lines.append(QStringLiteral("   AND TimeStampCooked is NULL"));
    // With an oven monitor in use an order reaches the kitchen list once it went in the oven.
    if (prepMonitorActive)
        lines.append(QStringLiteral("   AND OvenTimeStamp is not NULL"));
    lines.append(QStringLiteral("   AND Status = 0"));
    lines.append(QStringLiteral("ORDER BY TimeDue"));
    return lines;
}

QStringList FinishedInvoicesSql(const QString& start, const QString& end)
{
    QStringList lines = invoicesOfTheDay(start, end);
    lines.append(QStringLiteral("   AND TimeStampCooked IS NOT NULL"));
    lines.append(QStringLiteral("   AND Status = 0"));
    lines.append(QStringLiteral("ORDER BY TimeDue DESC"));
    return lines;
}

QStringList LineItemsSql(int invoiceNum)
{
    return {QStringLiteral("SELECT Quantity, Code, ItemDesc, Size"), QStringLiteral("FROM LineItem"),
            QStringLiteral("WHERE LineItem.InvoiceNum = ") + QString::number(invoiceNum),
            QStringLiteral("ORDER BY LineNum ASC")};
}

QString MarkDoneSql(const QString& cookedAt, int invoiceNum)
{
    return QStringLiteral("UPDATE Invoices SET TimeStampCooked = '") + cookedAt + QStringLiteral("' ") +
           QStringLiteral("WHERE Invoices.InvoiceNum = ") + QString::number(invoiceNum);
}

QString UndoDoneSql(int invoiceNum)
{
    return QStringLiteral("UPDATE Invoices SET TimeStampCooked = null WHERE Invoices.InvoiceNum = ") +
           QString::number(invoiceNum);
}

} // namespace pw::kitchen
