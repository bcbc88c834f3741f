#pragma once

#include "platform/system_info.h"

namespace pw::platform {

// A workstation with facts a test chooses.
class FakeSystemInfo final : public SystemInfo
{
public:
    QString computer = QStringLiteral("KITCHEN-1");
    QString login = QStringLiteral("cook");
    std::optional<std::uint32_t> serial = 0x1A2B3C4Du;
    QString volume = QStringLiteral("root");
    QString os = QStringLiteral("Debian GNU/Linux 12 (bookworm)");
    ProcessorInfo cpu{QStringLiteral("Test CPU"), QStringLiteral("x86_64"), 2, 4096, 65536};
    MemoryStatus mem{42, 8ull << 30, 4ull << 30, 2ull << 30, 1ull << 30, 10ull << 30, 5ull << 30};
    QString ip = QStringLiteral("192.168.1.20");

    QString computerName() const override { return computer; }
    QString loginName() const override { return login; }
    std::optional<std::uint32_t> volumeSerial(const QString& rootPath) const override
    {
        if (rootPath.startsWith(QLatin1String("\\\\")))
            return std::nullopt;
        return serial;
    }
    QString volumeName(const QString&) const override { return volume; }
    QString operatingSystem() const override { return os; }
    ProcessorInfo processor() const override { return cpu; }
    MemoryStatus memory() const override { return mem; }
    QString ipAddress() const override { return ip; }
    QString windowsDirectory() const override { return QStringLiteral("/etc"); }
    QString systemDirectory() const override { return QStringLiteral("/usr/lib"); }
    QString tempPath() const override { return QStringLiteral("/tmp"); }
    QString logicalDrives() const override { return QStringLiteral("C"); }
};

} // namespace pw::platform
