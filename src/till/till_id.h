#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace pw::db {
class Dialect;
}

// This computer's till number, or -1 when it has none and the user did not register it.
// Shows the till selection dialog only when this computer is not registered.
int GetTillID();

// Records a float paid out of the till as a CASHUP row. Reports a failure and returns false.
bool PayFloatFromTill(int shiftNum, int number, const QString& name, double amount);
// The statement PayFloatFromTill runs, for the engine of the dialect.
QStringList PayFloatStatement(const pw::db::Dialect& dialect, int shiftNum, int number, const QString& name,
                              double amount, const QDate& today);

struct TVolumeInfo
{
    QString VolumeName;
    std::uint32_t SerialNumber = 0;
    std::uint32_t MaxComponentLength = 0;
    std::uint32_t FileSystemFlags = 0;
    QString FileSystemName;
};

// The computer's name as the platform reports it; empty when it cannot be read.
QString GetLocalComputerName();
// The user logged on; empty when it cannot be read.
QString GetLoginName();
// The volume of drive:\, or of \\server\drive\ when a server is named. All empty or 0 on failure.
void GetVolumeInfo(QChar drive, const QString& serverName, TVolumeInfo& info);
// "0" when the serial is 0 or unreadable; else its hexadecimal digits as "XXXX-XXXX".
QString GetHardDiskSerial(QChar drive, const QString& serverName);
