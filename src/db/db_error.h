#pragma once

#include "errors/exception.h"

namespace pw::db {

// A failure reported by the database or its driver, or a connection string we cannot use.
class DbError : public pw::Exception
{
public:
    using Exception::Exception;
    QString className() const override { return QStringLiteral("EDatabaseError"); }
};

} // namespace pw::db
