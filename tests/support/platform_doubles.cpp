#include "platform_doubles.h"

#include "platform/platform.h"

namespace pw::test {

PlatformDoubles::PlatformDoubles()
{
    platform::setClock(&clock);
    platform::setRegistry(&registry);
    platform::setSystemInfo(&systemInfo);
    platform::setMonitors(&monitors);
    platform::setShell(&shell);
    platform::setFileDialogs(&fileDialogs);
    platform::setSingleInstance(&singleInstance);
    platform::setModalRunner(&modal);
    platform::setFingerprintReader(&fingerprint);
    platform::setPrinters(&printers);
}

PlatformDoubles::~PlatformDoubles()
{
    platform::setClock(nullptr);
    platform::setRegistry(nullptr);
    platform::setSystemInfo(nullptr);
    platform::setMonitors(nullptr);
    platform::setShell(nullptr);
    platform::setFileDialogs(nullptr);
    platform::setSingleInstance(nullptr);
    platform::setModalRunner(nullptr);
    platform::setFingerprintReader(nullptr);
    platform::setPrinters(nullptr);
}

} // namespace pw::test
