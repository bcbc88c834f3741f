#pragma once

#include <QString>

// The version a program file carries: its version resource on Windows, elsewhere
// the version the build stamps into the executable.
class TFileVersion
{
public:
    // Raises "File <name> does not exist"; a file without a version reads as "?.?.?.?".
    void ReadFromFile(const QString& fileName);

    // The version this build stamps into the programs it links ("1.0.0.0").
    static QString StampedVersion();

    QString FileName;
    int Major = -1;
    int Minor = -1;
    int Release = -1;
    int Build = -1;
    QString VersionText;
};
