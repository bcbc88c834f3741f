#include "errors/file_version.h"

#include "errors/exception.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#ifndef PW_VERSION
#define PW_VERSION "0.0.0.0"
#endif

#if defined(__GNUC__)
#define PW_KEEP __attribute__((used))
#else
#define PW_KEEP
#endif

// The stamp ReadFromFile finds in an executable.
extern "C" PW_KEEP const char pw_version_stamp[] = "PWVERSION:" PW_VERSION;

namespace {

struct Version
{
    int major = -1, minor = -1, release = -1, build = -1;
};

// The marker is put together at run time so that only the stamp itself matches.
QByteArray stampMarker()
{
    return QByteArray("PWVER") + QByteArray("SION:");
}

bool scanForStamp(const QString& fileName, Version& version)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    const QByteArray marker = stampMarker();
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,5})\\.(\\d{1,5})\\.(\\d{1,5})\\.(\\d{1,5})$"));
    for (qsizetype at = bytes.indexOf(marker); at >= 0; at = bytes.indexOf(marker, at + 1)) {
        const qsizetype start = at + marker.size();
        const qsizetype end = bytes.indexOf('\0', start);
        if (end < 0 || end - start > 32)
            continue;
        const auto match = pattern.match(QString::fromLatin1(bytes.mid(start, end - start)));
        if (!match.hasMatch())
            continue;
        version = {match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt(),
                   match.captured(4).toInt()};
        return true;
    }
    return false;
}

#ifdef Q_OS_WIN
bool readVersionResource(const QString& fileName, Version& version)
{
    const std::wstring name =
        QFileInfo(fileName).absoluteFilePath().replace(QLatin1Char('/'), QLatin1Char('\\')).toStdWString();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(name.c_str(), &handle);
    if (size == 0)
        return false;
    QByteArray data(static_cast<qsizetype>(size), '\0');
    if (!GetFileVersionInfoW(name.c_str(), 0, size, data.data()))
        return false;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info)
        return false;
    version = {
        static_cast<int>(HIWORD(info->dwFileVersionMS)), static_cast<int>(LOWORD(info->dwFileVersionMS)),
        static_cast<int>(HIWORD(info->dwFileVersionLS)), static_cast<int>(LOWORD(info->dwFileVersionLS))};
    return true;
}
#endif

} // namespace

void TFileVersion::ReadFromFile(const QString& fileName)
{
    FileName = fileName;
    if (!QFileInfo(fileName).isFile())
        throw pw::Exception(QStringLiteral("File ") + fileName + QStringLiteral(" does not exist"));
    Major = Minor = Release = Build = -1;
    VersionText = QStringLiteral("?.?.?.?");
    Version version;
    bool found = false;
#ifdef Q_OS_WIN
    found = readVersionResource(fileName, version);
#endif
    if (!found)
        found = scanForStamp(fileName, version);
    if (!found)
        return;
    Major = version.major;
    Minor = version.minor;
    Release = version.release;
    Build = version.build;
    VersionText = QStringLiteral("%1.%2.%3.%4").arg(Major).arg(Minor).arg(Release).arg(Build);
}

QString TFileVersion::StampedVersion()
{
    return QString::fromLatin1(pw_version_stamp + stampMarker().size());
}
