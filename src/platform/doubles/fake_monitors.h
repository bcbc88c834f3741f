#pragma once

#include "platform/monitors.h"

namespace pw::platform {

class FakeMonitors final : public Monitors
{
public:
    QList<QRect> screens{QRect(0, 0, 1024, 768)};
    QList<QRect> monitors() const override { return screens; }
};

} // namespace pw::platform
