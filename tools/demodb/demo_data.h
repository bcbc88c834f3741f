#pragma once

#include <QDateTime>
#include <QString>

namespace pw::demodb {

// Writes a SQLite database holding the suite's schema and one trading day of a
// small pizza and burger shop around `now`: orders still to be prepared (not yet
// due, due and late), orders already cooked, their line items with label texts
// and extras, staff with their shifts, the settings permission for the manager,
// and `computerName` (upper case) registered as till 1 without a label printer.
//
// An existing file is left alone unless `replace` is set. On failure nothing is
// left behind at `file` and error (when given) says why.
bool createDemoDatabase(const QString& file, const QDateTime& now, const QString& computerName,
                        QString* error, bool replace = false);

// The texts a person needs to try the demo: the employees' passwords.
inline constexpr const char* kManagerPassword = "1111";

} // namespace pw::demodb
