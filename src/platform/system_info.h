#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace pw::platform {

struct MemoryStatus
{
    int memoryLoadPercent = 0;
    std::uint64_t totalPhysBytes = 0;
    std::uint64_t availPhysBytes = 0;
    std::uint64_t totalPageFileBytes = 0;
    std::uint64_t availPageFileBytes = 0;
    std::uint64_t totalVirtualBytes = 0;
    std::uint64_t availVirtualBytes = 0;
};

struct ProcessorInfo
{
    QString name;
    QString architecture;
    int count = 1;
    int pageSize = 4096;
    int allocationGranularity = 65536;
};

// Facts about this workstation and the person logged on to it.
class SystemInfo
{
public:
    virtual ~SystemInfo() = default;
    virtual QString computerName() const = 0;
    virtual QString loginName() const = 0;
    // Serial of the volume a root path names ("C:\" on Windows; the root file
    // system elsewhere). Empty when the volume cannot be read.
    virtual std::optional<std::uint32_t> volumeSerial(const QString& rootPath) const = 0;
    virtual QString volumeName(const QString& rootPath) const = 0;
    virtual QString operatingSystem() const = 0;
    virtual ProcessorInfo processor() const = 0;
    virtual MemoryStatus memory() const = 0;
    virtual QString ipAddress() const = 0;
    virtual QString windowsDirectory() const = 0;
    virtual QString systemDirectory() const = 0;
    virtual QString tempPath() const = 0;
    virtual QString logicalDrives() const = 0;
};

} // namespace pw::platform
