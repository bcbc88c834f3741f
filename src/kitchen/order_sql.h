#pragma once

#include <QString>
#include <QStringList>

namespace pw::kitchen {

// The SQL of the order screen, line by line as it is sent. Date-times come in
// already written by the connection's dialect, without their quotes.
QStringList PreparingInvoicesSql(const QString& start, const QString& end, bool prepMonitorActive);
QStringList FinishedInvoicesSql(const QString& start, const QString& end);
QStringList LineItemsSql(int invoiceNum);
QString MarkDoneSql(const QString& cookedAt, int invoiceNum);
QString UndoDoneSql(int invoiceNum);

} // namespace pw::kitchen
