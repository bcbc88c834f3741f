#pragma once

#include <QMetaType>
#include <QString>

#include <cstdint>

namespace pw::db {

// A currency amount as the database keeps it: a whole number of ten-thousandths.
// Passed in a QVariant (QVariant::fromValue(Currency{125000})) where a value must
// be told apart from a floating-point number.
struct Currency
{
    std::int64_t ticks = 0;

    // Plain decimal text without trailing zeros or a currency symbol: "12.5", "-0.0001", "3".
    QString toString() const;
    friend bool operator==(const Currency&, const Currency&) = default;
};

} // namespace pw::db

Q_DECLARE_METATYPE(pw::db::Currency)
