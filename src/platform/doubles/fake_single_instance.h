#pragma once

#include "platform/single_instance.h"

namespace pw::platform {

class FakeSingleInstance final : public SingleInstance
{
public:
    bool otherRunning = false;
    QStringList activated;

    bool claim(const QString&) override { return !otherRunning; }
    bool activateOther(const QString& windowTitle) override
    {
        activated.append(windowTitle);
        return false;
    }
};

} // namespace pw::platform
