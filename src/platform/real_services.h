#pragma once

#include "platform/platform.h"

// The real implementations for the operating system the build targets. The
// portable ones live in qt/, the rest in linux/ or windows/ (chosen by CMake).
namespace pw::platform::real {

Clock& clock();
Registry& registry();
SystemInfo& systemInfo();
Monitors& monitors();
Printers& printers();
Shell& shell();
FileDialogs& fileDialogs();
SingleInstance& singleInstance();
ModalRunner& modalRunner();
FingerprintReader& fingerprintReader();

} // namespace pw::platform::real
