#include "platform/platform.h"

#include "platform/real_services.h"

namespace pw::platform {
namespace {

template <typename T> struct Slot
{
    T* override = nullptr;
};

template <typename T> T* swapIn(Slot<T>& slot, T* service)
{
    T* previous = slot.override;
    slot.override = service;
    return previous;
}

Slot<Clock> clockSlot;
Slot<Registry> registrySlot;
Slot<SystemInfo> systemInfoSlot;
Slot<Monitors> monitorsSlot;
Slot<Printers> printersSlot;
Slot<Shell> shellSlot;
Slot<FileDialogs> fileDialogsSlot;
Slot<SingleInstance> singleInstanceSlot;
Slot<ModalRunner> modalRunnerSlot;
Slot<FingerprintReader> fingerprintSlot;

} // namespace

// The real services are made on first use so that a test which replaces one
// never builds it (no printer system or screen is touched).
Clock& clock() { return clockSlot.override ? *clockSlot.override : real::clock(); }
Registry& registry() { return registrySlot.override ? *registrySlot.override : real::registry(); }
SystemInfo& systemInfo() { return systemInfoSlot.override ? *systemInfoSlot.override : real::systemInfo(); }
Monitors& monitors() { return monitorsSlot.override ? *monitorsSlot.override : real::monitors(); }
Printers& printers() { return printersSlot.override ? *printersSlot.override : real::printers(); }
Shell& shell() { return shellSlot.override ? *shellSlot.override : real::shell(); }
FileDialogs& fileDialogs() { return fileDialogsSlot.override ? *fileDialogsSlot.override : real::fileDialogs(); }
SingleInstance& singleInstance()
{
    return singleInstanceSlot.override ? *singleInstanceSlot.override : real::singleInstance();
}
ModalRunner& modalRunner() { return modalRunnerSlot.override ? *modalRunnerSlot.override : real::modalRunner(); }
FingerprintReader& fingerprintReader()
{
    return fingerprintSlot.override ? *fingerprintSlot.override : real::fingerprintReader();
}

Clock* setClock(Clock* s) { return swapIn(clockSlot, s); }
Registry* setRegistry(Registry* s) { return swapIn(registrySlot, s); }
SystemInfo* setSystemInfo(SystemInfo* s) { return swapIn(systemInfoSlot, s); }
Monitors* setMonitors(Monitors* s) { return swapIn(monitorsSlot, s); }
Printers* setPrinters(Printers* s) { return swapIn(printersSlot, s); }
Shell* setShell(Shell* s) { return swapIn(shellSlot, s); }
FileDialogs* setFileDialogs(FileDialogs* s) { return swapIn(fileDialogsSlot, s); }
SingleInstance* setSingleInstance(SingleInstance* s) { return swapIn(singleInstanceSlot, s); }
ModalRunner* setModalRunner(ModalRunner* s) { return swapIn(modalRunnerSlot, s); }
FingerprintReader* setFingerprintReader(FingerprintReader* s) { return swapIn(fingerprintSlot, s); }

} // namespace pw::platform
