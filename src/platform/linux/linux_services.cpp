#include "platform/real_services.h"

#include <QDir>
#include <QFile>
#include <QHostInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QNetworkInterface>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QSysInfo>

#include <memory>
#include <sys/statvfs.h>
#include <sys/sysinfo.h>
#include <unistd.h>

namespace pw::platform::real {
namespace {

class LinuxSystemInfo final : public SystemInfo
{
public:
    QString computerName() const override { return QSysInfo::machineHostName().section(QLatin1Char('.'), 0, 0); }

    QString loginName() const override
    {
        const char* name = getlogin();
        if (name && *name)
            return QString::fromLocal8Bit(name);
        QString user = qEnvironmentVariable("USER");
        return user.isEmpty() ? QStringLiteral("unknown") : user;
    }

    // The volume holding the root file system stands in for drive C; its serial
    // is the file system's identifier. Any other root (a server name) cannot be read.
    std::optional<std::uint32_t> volumeSerial(const QString& rootPath) const override
    {
        if (!isLocalRoot(rootPath))
            return std::nullopt;
        struct statvfs info {};
        if (statvfs("/", &info) != 0)
            return std::nullopt;
        return static_cast<std::uint32_t>(info.f_fsid);
    }

    QString volumeName(const QString& rootPath) const override
    {
        if (!isLocalRoot(rootPath))
            return {};
        return QStorageInfo::root().name();
    }

    QString operatingSystem() const override { return QSysInfo::prettyProductName(); }

    ProcessorInfo processor() const override
    {
        ProcessorInfo info;
        info.architecture = QSysInfo::currentCpuArchitecture();
        info.count = static_cast<int>(sysconf(_SC_NPROCESSORS_ONLN));
        info.pageSize = static_cast<int>(sysconf(_SC_PAGESIZE));
        info.allocationGranularity = info.pageSize;
        QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
        if (cpuinfo.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : cpuinfo.readAll().split('\n')) {
                if (line.startsWith("model name")) {
                    info.name = QString::fromLatin1(line.mid(line.indexOf(':') + 1)).trimmed();
                    break;
                }
            }
        }
        if (info.name.isEmpty())
            info.name = info.architecture;
        return info;
    }

    MemoryStatus memory() const override
    {
        MemoryStatus status;
        struct sysinfo info {};
        if (sysinfo(&info) != 0)
            return status;
        const std::uint64_t unit = info.mem_unit;
        status.totalPhysBytes = info.totalram * unit;
        status.availPhysBytes = (info.freeram + info.bufferram) * unit;
        status.totalPageFileBytes = info.totalswap * unit;
        status.availPageFileBytes = info.freeswap * unit;
        status.totalVirtualBytes = status.totalPhysBytes + status.totalPageFileBytes;
        status.availVirtualBytes = status.availPhysBytes + status.availPageFileBytes;
        if (status.totalPhysBytes > 0)
            status.memoryLoadPercent =
                static_cast<int>(100 - (status.availPhysBytes * 100) / status.totalPhysBytes);
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

    QString windowsDirectory() const override { return QStringLiteral("/etc"); }
    QString systemDirectory() const override { return QStringLiteral("/usr/lib"); }
    QString tempPath() const override { return QDir::tempPath(); }
    QString logicalDrives() const override { return QStringLiteral("C"); }

private:
    static bool isLocalRoot(const QString& rootPath)
    {
        return rootPath.isEmpty() || rootPath == QLatin1String("/") ||
               rootPath.compare(QLatin1String("C:\\"), Qt::CaseInsensitive) == 0;
    }
};

// A lock file claims the name; a local server in the running copy answers
// "activate" requests from later copies.
class LockFileInstance final : public SingleInstance
{
public:
    bool claim(const QString& programName) override
    {
        const QString base = QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
                                 .filePath(programName + QStringLiteral(".lock"));
        m_lock = std::make_unique<QLockFile>(base);
        m_lock->setStaleLockTime(0);
        return m_lock->tryLock(0);
    }

    bool activateOther(const QString&) override { return false; }

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace

SystemInfo& systemInfo()
{
    static LinuxSystemInfo instance;
    return instance;
}

SingleInstance& singleInstance()
{
    static LockFileInstance instance;
    return instance;
}

} // namespace pw::platform::real
