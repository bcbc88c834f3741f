#pragma once

#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "platform/fingerprint.h"
#include "platform/modal.h"
#include "platform/monitors.h"
#include "platform/printers.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/single_instance.h"
#include "platform/system_info.h"

namespace pw::platform {

// The process's platform services. Each starts as the real implementation for
// this operating system; tests swap in doubles with the set* functions (the
// previous service is returned so a guard can put it back).
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

Clock* setClock(Clock* service);
Registry* setRegistry(Registry* service);
SystemInfo* setSystemInfo(SystemInfo* service);
Monitors* setMonitors(Monitors* service);
Printers* setPrinters(Printers* service);
Shell* setShell(Shell* service);
FileDialogs* setFileDialogs(FileDialogs* service);
SingleInstance* setSingleInstance(SingleInstance* service);
ModalRunner* setModalRunner(ModalRunner* service);
FingerprintReader* setFingerprintReader(FingerprintReader* service);

// Convenience for the clock: the current local date and time.
inline QDateTime now() { return clock().now(); }

} // namespace pw::platform
