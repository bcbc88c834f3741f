#pragma once

#include "till/till_id.h"

#include <QString>

#include <cstdint>

// The fixed part of a file's version: file version as two double words.
struct TVSFixedFileInfo
{
    std::uint32_t dwFileVersionMS = 0;
    std::uint32_t dwFileVersionLS = 0;
};

// The system information calls the about box and the version text rest on,
// answered by the platform layer. Each value is read when asked for; a call
// that fails gives an empty text or 0.
class TtvAPIThing
{
public:
    QString UserName() const;
    QString ComputerName() const;
    QString WindowsDirectory() const;
    QString SystemDirectory() const;
    QString CurrentDirectory() const;
    QString TempPath() const;
    QString SystemTime() const;
    QString LocalTime() const;
    QString LogicalDrives() const;
    QString OSVersion() const;
    int dwMemoryLoad() const;
    std::uint64_t dwTotalPhys() const;
    std::uint64_t dwAvailPhys() const;
    std::uint64_t dwTotalPageFile() const;
    std::uint64_t dwAvailPageFile() const;
    std::uint64_t dwTotalVirtual() const;
    std::uint64_t dwAvailVirtual() const;
    std::uint16_t ProcessorArchitecture() const;
    std::uint16_t ProcessorLevel() const;
    std::uint16_t ProcessorRevision() const;
    std::uint32_t PageSize() const;
    std::uint64_t ActiveProcessorMask() const;
    std::uint32_t NumberOfProcessors() const;
    std::uint32_t ProcessorType() const;
    std::uint32_t AllocationGranularity() const;

    // Copies the file's fixed version information; leaves `info` as it was when it has none.
    void GetFixedFileInfo(const QString& fileName, TVSFixedFileInfo& info) const;
    // The volume of drive:\; all fields empty or 0 when it cannot be read.
    void ReadVolumeInfo(QChar drive, TVolumeInfo& info) const;
};

// The program file's version as major.minor.release.build ("0.0.0.0" without one).
// The program file is this executable unless another is named.
QString GetProgramVersion(const QString& programFile = QString());
