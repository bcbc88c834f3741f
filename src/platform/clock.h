#pragma once

#include <QDateTime>

namespace pw::platform {

// Every rule that depends on the time of day asks this, so tests can stand at any hour.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

} // namespace pw::platform
