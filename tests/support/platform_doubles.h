#pragma once

#include "platform/doubles/fake_clock.h"
#include "platform/doubles/fake_file_dialogs.h"
#include "platform/doubles/fake_monitors.h"
#include "platform/doubles/fake_shell.h"
#include "platform/doubles/fake_single_instance.h"
#include "platform/doubles/fake_system_info.h"
#include "platform/doubles/memory_registry.h"
#include "platform/doubles/pdf_printers.h"
#include "platform/doubles/scripted_modal_runner.h"
#include "platform/doubles/simulated_fingerprint_reader.h"

namespace pw::test {

// Puts a double in place of every platform service for the life of the object.
struct PlatformDoubles
{
    platform::FakeClock clock;
    platform::MemoryRegistry registry;
    platform::FakeSystemInfo systemInfo;
    platform::FakeMonitors monitors;
    platform::FakeShell shell;
    platform::FakeFileDialogs fileDialogs;
    platform::FakeSingleInstance singleInstance;
    platform::ScriptedModalRunner modal;
    platform::SimulatedFingerprintReader fingerprint;
    platform::PdfPrinters printers;

    PlatformDoubles();
    ~PlatformDoubles();
    PlatformDoubles(const PlatformDoubles&) = delete;
    PlatformDoubles& operator=(const PlatformDoubles&) = delete;
};

} // namespace pw::test
