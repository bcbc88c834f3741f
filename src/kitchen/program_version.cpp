#include "kitchen/program_version.h"

#include "errors/file_version.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QSysInfo>

namespace {

QString dateTimeText(const QDateTime& value)
{
    return QLocale::system().toString(value, QLocale::ShortFormat);
}

} // namespace

QString TtvAPIThing::UserName() const
{
    return pw::platform::systemInfo().loginName();
}
QString TtvAPIThing::ComputerName() const
{
    return pw::platform::systemInfo().computerName();
}
QString TtvAPIThing::WindowsDirectory() const
{
    return pw::platform::systemInfo().windowsDirectory();
}
QString TtvAPIThing::SystemDirectory() const
{
    return pw::platform::systemInfo().systemDirectory();
}
QString TtvAPIThing::CurrentDirectory() const
{
    return QDir::toNativeSeparators(QDir::currentPath());
}
QString TtvAPIThing::TempPath() const
{
    return pw::platform::systemInfo().tempPath();
}
QString TtvAPIThing::SystemTime() const
{
    return dateTimeText(pw::platform::now().toUTC());
}
QString TtvAPIThing::LocalTime() const
{
    return dateTimeText(pw::platform::now());
}
QString TtvAPIThing::LogicalDrives() const
{
    return pw::platform::systemInfo().logicalDrives();
}

// The system's name, its kernel's major and minor version, and the rest of the
// kernel version where Windows gives its build.
QString TtvAPIThing::OSVersion() const
{
    const QStringList kernel = QSysInfo::kernelVersion().split(QLatin1Char('.'));
    const QString majorMinor = kernel.mid(0, 2).join(QLatin1Char('.'));
    const QString build = kernel.mid(2).join(QLatin1Char('.'));
    return pw::platform::systemInfo().operatingSystem() + QStringLiteral(" Version ") + majorMinor +
           QStringLiteral("\r\n (Build ") + build + QStringLiteral(": )");
}

int TtvAPIThing::dwMemoryLoad() const
{
    return pw::platform::systemInfo().memory().memoryLoadPercent;
}
std::uint64_t TtvAPIThing::dwTotalPhys() const
{
    return pw::platform::systemInfo().memory().totalPhysBytes >> 10;
}
std::uint64_t TtvAPIThing::dwAvailPhys() const
{
    return pw::platform::systemInfo().memory().availPhysBytes >> 10;
}
std::uint64_t TtvAPIThing::dwTotalPageFile() const
{
    return pw::platform::systemInfo().memory().totalPageFileBytes >> 10;
}
std::uint64_t TtvAPIThing::dwAvailPageFile() const
{
    return pw::platform::systemInfo().memory().availPageFileBytes >> 10;
}
std::uint64_t TtvAPIThing::dwTotalVirtual() const
{
    return pw::platform::systemInfo().memory().totalVirtualBytes >> 10;
}
std::uint64_t TtvAPIThing::dwAvailVirtual() const
{
    return pw::platform::systemInfo().memory().availVirtualBytes >> 10;
}

// Windows' processor architecture numbers.
std::uint16_t TtvAPIThing::ProcessorArchitecture() const
{
    const QString arch = pw::platform::systemInfo().processor().architecture;
    if (arch == QLatin1String("x86_64"))
        return 9;
    if (arch == QLatin1String("arm64"))
        return 12;
    if (arch.startsWith(QLatin1String("arm")))
        return 5;
    if (arch == QLatin1String("ia64"))
        return 6;
    return 0;
}

std::uint16_t TtvAPIThing::ProcessorLevel() const
{
    return 0;
}
std::uint16_t TtvAPIThing::ProcessorRevision() const
{
    return 0;
}
std::uint32_t TtvAPIThing::PageSize() const
{
    return static_cast<std::uint32_t>(pw::platform::systemInfo().processor().pageSize);
}
std::uint64_t TtvAPIThing::ActiveProcessorMask() const
{
    const int count = pw::platform::systemInfo().processor().count;
    return count >= 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << count) - 1;
}
std::uint32_t TtvAPIThing::NumberOfProcessors() const
{
    return static_cast<std::uint32_t>(pw::platform::systemInfo().processor().count);
}
std::uint32_t TtvAPIThing::ProcessorType() const
{
    return ProcessorArchitecture() == 9 ? 8664 : 586;
}
std::uint32_t TtvAPIThing::AllocationGranularity() const
{
    return static_cast<std::uint32_t>(pw::platform::systemInfo().processor().allocationGranularity);
}

void TtvAPIThing::GetFixedFileInfo(const QString& fileName, TVSFixedFileInfo& info) const
{
    TFileVersion version;
    try {
        version.ReadFromFile(fileName);
    } catch (const std::exception&) {
        return;
    }
    if (version.Major < 0)
        return;
    info.dwFileVersionMS = (std::uint32_t(version.Major) << 16) | std::uint32_t(version.Minor & 0xFFFF);
    info.dwFileVersionLS = (std::uint32_t(version.Release) << 16) | std::uint32_t(version.Build & 0xFFFF);
}

void TtvAPIThing::ReadVolumeInfo(QChar drive, TVolumeInfo& info) const
{
    GetVolumeInfo(drive, QString(), info);
}

QString GetProgramVersion(const QString& programFile)
{
    const TtvAPIThing api;
    TVSFixedFileInfo info;
    api.GetFixedFileInfo(programFile.isEmpty() ? QCoreApplication::applicationFilePath() : programFile, info);
    return QStringLiteral("%1.%2.%3.%4")
        .arg(info.dwFileVersionMS >> 16)
        .arg(info.dwFileVersionMS & 0xFFFF)
        .arg(info.dwFileVersionLS >> 16)
        .arg(info.dwFileVersionLS & 0xFFFF);
}
