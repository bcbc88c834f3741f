#include "db/sqlite_procedures.h"

namespace pw::db {

// What the site's procedure does to one attendance row, on the SQLite schema:
// once a shift has both clock times, its hours, wages and amount owed follow
// from them. HrsWorked is a date-time holding the duration after 1900-01-01, as
// SQL Server's datetime subtraction gives it.
QStringList updateSingleAttendTotalsStatements()
{
    return {QStringLiteral(
        "UPDATE Attend SET "
        "HrsWorked = datetime(julianday('1900-01-01') + julianday(OutDateTime) - julianday(InDateTime)), "
        "TimeWages = ROUND((julianday(OutDateTime) - julianday(InDateTime)) * 24.0 * IFNULL(HourlyRate, 0), 4), "
        "KmsTravlld = IFNULL(OdoEnd, 0) - IFNULL(OdoStart, 0), "
        "TravlWages = ROUND((IFNULL(OdoEnd, 0) - IFNULL(OdoStart, 0)) * IFNULL(KmRate, 0), 4), "
        "TotalOwed = ROUND((julianday(OutDateTime) - julianday(InDateTime)) * 24.0 * IFNULL(HourlyRate, 0), 4) "
        "+ ROUND((IFNULL(OdoEnd, 0) - IFNULL(OdoStart, 0)) * IFNULL(KmRate, 0), 4) "
        "+ IFNULL(DeliveryWages, 0) + IFNULL(Tips, 0) - IFNULL(PdAlready, 0) "
        "WHERE InvoiceLink = ?1 AND InDateTime IS NOT NULL AND OutDateTime IS NOT NULL")};
}

} // namespace pw::db
