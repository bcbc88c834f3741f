#pragma once

#include <QList>
#include <QRect>

namespace pw::platform {

// The workstation's monitors by index, as the window system numbers them.
class Monitors
{
public:
    virtual ~Monitors() = default;
    virtual QList<QRect> monitors() const = 0;
};

} // namespace pw::platform
