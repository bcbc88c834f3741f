#include "platform/real_services.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QSettings>
#include <QSysInfo>

#include <string>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <lmcons.h>

#ifdef _MSC_VER
#pragma comment(lib, "advapi32.lib")
#pragma comment(lib, "user32.lib")
#endif

namespace pw::platform::real {
namespace {

// A folder from a call that fills a buffer and returns the length it wrote (0 on failure).
template <typename Call> QString folderFrom(Call call)
{
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = call(buffer, static_cast<DWORD>(MAX_PATH + 1));
    if (length == 0 || length > MAX_PATH)
        return {};
    return QString::fromWCharArray(buffer, static_cast<qsizetype>(length));
}

// "C:" or "C:/" become "C:\": the volume calls want a root with its closing backslash.
std::wstring volumeRoot(const QString& rootPath)
{
    QString root = rootPath.isEmpty() ? QStringLiteral("C:\\") : rootPath;
    root.replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (!root.endsWith(QLatin1Char('\\')))
        root += QLatin1Char('\\');
    return root.toStdWString();
}

class WindowsSystemInfo final : public SystemInfo
{
public:
    QString computerName() const override
    {
        wchar_t buffer[MAX_COMPUTERNAME_LENGTH + 1] = {};
        DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
        // On success size holds the length without the closing NUL.
        if (!GetComputerNameW(buffer, &size))
            return {};
        return QString::fromWCharArray(buffer, static_cast<qsizetype>(size));
    }

    QString loginName() const override
    {
        wchar_t buffer[UNLEN + 1] = {};
        DWORD size = UNLEN + 1;
        // On success size counts the closing NUL as well.
        if (!GetUserNameW(buffer, &size) || size == 0)
            return {};
        return QString::fromWCharArray(buffer, static_cast<qsizetype>(size - 1));
    }

    std::optional<std::uint32_t> volumeSerial(const QString& rootPath) const override
    {
        const std::wstring root = volumeRoot(rootPath);
        DWORD serial = 0;
        if (!GetVolumeInformationW(root.c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0))
            return std::nullopt;
        return static_cast<std::uint32_t>(serial);
    }

    QString volumeName(const QString& rootPath) const override
    {
        const std::wstring root = volumeRoot(rootPath);
        wchar_t name[MAX_PATH + 1] = {};
        if (!GetVolumeInformationW(root.c_str(), name, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
            return {};
        return QString::fromWCharArray(name);
    }

    // Qt reads the real version, where GetVersionEx answers what the manifest allows.
    QString operatingSystem() const override { return QSysInfo::prettyProductName(); }

    ProcessorInfo processor() const override
    {
        SYSTEM_INFO system{};
        GetSystemInfo(&system);
        ProcessorInfo info;
        switch (system.wProcessorArchitecture) {
        case PROCESSOR_ARCHITECTURE_AMD64:
            info.architecture = QStringLiteral("x86_64");
            break;
        case PROCESSOR_ARCHITECTURE_INTEL:
            info.architecture = QStringLiteral("i386");
            break;
        case PROCESSOR_ARCHITECTURE_ARM:
            info.architecture = QStringLiteral("arm");
            break;
#ifdef PROCESSOR_ARCHITECTURE_ARM64
        case PROCESSOR_ARCHITECTURE_ARM64:
            info.architecture = QStringLiteral("arm64");
            break;
#endif
        default:
            info.architecture = QSysInfo::currentCpuArchitecture();
            break;
        }
        info.count = static_cast<int>(system.dwNumberOfProcessors);
        info.pageSize = static_cast<int>(system.dwPageSize);
        info.allocationGranularity = static_cast<int>(system.dwAllocationGranularity);
        // The marketing name lives only in the registry.
        const QSettings cpu(
            QStringLiteral("HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0"),
            QSettings::NativeFormat);
        info.name = cpu.value(QStringLiteral("ProcessorNameString")).toString().trimmed();
        if (info.name.isEmpty())
            info.name = info.architecture;
        return info;
    }

    MemoryStatus memory() const override
    {
        MemoryStatus status;
        MEMORYSTATUSEX memory{};
        memory.dwLength = sizeof(memory);
        if (!GlobalMemoryStatusEx(&memory))
            return status;
        status.memoryLoadPercent = static_cast<int>(memory.dwMemoryLoad);
        status.totalPhysBytes = memory.ullTotalPhys;
        status.availPhysBytes = memory.ullAvailPhys;
        status.totalPageFileBytes = memory.ullTotalPageFile;
        status.availPageFileBytes = memory.ullAvailPageFile;
        status.totalVirtualBytes = memory.ullTotalVirtual;
        status.availVirtualBytes = memory.ullAvailVirtual;
        return status;
    }

    QString ipAddress() const override
    {
        for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
            if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
                return address.toString();
        }
        return QStringLiteral("127.0.0.1");
    }

    QString windowsDirectory() const override
    {
        return folderFrom([](wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); });
    }

    QString systemDirectory() const override
    {
        return folderFrom([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); });
    }

    QString tempPath() const override
    {
        return folderFrom([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); });
    }

    QString logicalDrives() const override
    {
        const DWORD drives = GetLogicalDrives();
        QString letters;
        for (int bit = 0; bit < 26; ++bit) {
            if (drives & (DWORD(1) << bit))
                letters += QLatin1Char(static_cast<char>('A' + bit));
        }
        return letters;
    }
};

// A named mutex claims the program's name for the session; the other copy's
// window is found by its title among the top-level windows of other processes.
class MutexInstance final : public SingleInstance
{
public:
    MutexInstance() = default;
    MutexInstance(const MutexInstance&) = delete;
    MutexInstance& operator=(const MutexInstance&) = delete;
    ~MutexInstance() override
    {
        if (m_mutex)
            CloseHandle(m_mutex);
    }

    bool claim(const QString& programName) override
    {
        if (m_mutex)
            return m_owner;
        // A backslash in a mutex name would name a namespace.
        QString name = programName;
        name.replace(QLatin1Char('\\'), QLatin1Char('_'));
        const std::wstring wide = name.toStdWString();
        m_mutex = CreateMutexW(nullptr, FALSE, wide.c_str());
        // The handle stays open for the life of the process, so the name stays taken.
        m_owner = m_mutex != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
        return m_owner;
    }

    bool activateOther(const QString& windowTitle) override
    {
        if (windowTitle.isEmpty())
            return false;
        const std::wstring title = windowTitle.toStdWString();
        const DWORD self = GetCurrentProcessId();
        HWND window = nullptr;
        while ((window = FindWindowExW(nullptr, window, nullptr, title.c_str())) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == self)
                continue;
            if (IsIconic(window))
                ShowWindow(window, SW_RESTORE);
            else
                SetForegroundWindow(window);
            return true;
        }
        return false;
    }

private:
    HANDLE m_mutex = nullptr;
    bool m_owner = false;
};

} // namespace

SystemInfo& systemInfo()
{
    static WindowsSystemInfo instance;
    return instance;
}

SingleInstance& singleInstance()
{
    static MutexInstance instance;
    return instance;
}

} // namespace pw::platform::real
