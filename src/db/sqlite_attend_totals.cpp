#include "db/sqlite_procedures.h"

namespace pw::db {

// What the site's procedure does to one attendance row, on the demo schema.
QStringList updateSingleAttendTotalsStatements()
{
    return {};
}

} // namespace pw::db
