#pragma once

#include <QString>

namespace pw::platform {

// One copy of the program per workstation.
class SingleInstance
{
public:
    virtual ~SingleInstance() = default;
    // Claims the program's name; false when another copy already holds it.
    virtual bool claim(const QString& programName) = 0;
    // Brings the other copy's window with that title to the front; false when none has it.
    virtual bool activateOther(const QString& windowTitle) = 0;
};

} // namespace pw::platform
