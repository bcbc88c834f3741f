#include "till/till_id.h"

#include "db/connection.h"
#include "db/dialect.h"
#include "db/dm_orvo.h"
#include "db/query.h"
#include "errors/exception.h"
#include "errors/message_dialog.h"
#include "platform/platform.h"
#include "settings/text_utils.h"
#include "till/till_id_select.h"

#include <memory>

int GetTillID()
{
    int result = -1;
    auto dialog = std::make_unique<TfrmTillIDSelect>(nullptr);
    dialog->SetAllowEdit(true);
    dialog->DoRefresh();
    if (dialog->ThisTill->TillID() >= 1)
        return dialog->ThisTill->TillID();
    if (dialog->ShowModal() == mrCancel)
        return result;
    // Picking some other till in the list does not make it this computer's.
    if (dialog->ThisTill->TillID() >= 1)
        result = dialog->ThisTill->TillID();
    return result;
}

namespace {

// The float is a plain number in SQL whatever the regional settings: a decimal
// comma would split the value in two.
QString amountText(double amount)
{
    const double negated = -amount + 0.0;
    return QString::number(negated, 'g', 15);
}

QString dateText(const pw::db::Dialect& dialect, const QDate& day)
{
    if (dialect.engine() == pw::db::Engine::SqlServer)
        return day.toString(QStringLiteral("yyyy-MM-dd"));
    return dialect.dateTimeText(QDateTime(day, QTime(0, 0)));
}

} // namespace

QStringList PayFloatStatement(const pw::db::Dialect& dialect, int shiftNum, int number, const QString& name,
                              double amount, const QDate& today)
{
    return {QStringLiteral("INSERT INTO CASHUP"),
            QStringLiteral("(SHIFTNUM, [DATE], CLASS, NUMBER, [NAME], AMOUNT)"),
            QStringLiteral("VALUES(") + QString::number(shiftNum) + QStringLiteral(",'") +
                dateText(dialect, today) + QStringLiteral("', 'FloatIssue', ") + QString::number(number) +
                QStringLiteral(", 'Paid out to ") + QuotedSqlValue(name) + QStringLiteral("', ") +
                amountText(amount) + QStringLiteral(");")};
}

bool PayFloatFromTill(int shiftNum, int number, const QString& name, double amount)
{
    try {
        if (!dmOrvo)
            throw pw::Exception(QStringLiteral("The data module has not been created"));
        pw::db::Query query(&dmOrvo->con);
        query.setSql(PayFloatStatement(dmOrvo->con.dialect(), shiftNum, number, name, amount,
                                       pw::platform::now().date()));
        query.execSql();
        return true;
    } catch (const std::exception& e) {
        MessageDlgEx(QStringLiteral("Could not save the float details into the till. Reason: ") +
                         pw::messageOf(e) + QStringLiteral("\rRaised in [modTillID] PayFloatFromTill"),
                     mtInformation, mbOK);
        return false;
    }
}

QString GetLocalComputerName()
{
    return pw::platform::systemInfo().computerName().left(254);
}

QString GetLoginName()
{
    return pw::platform::systemInfo().loginName();
}

void GetVolumeInfo(QChar drive, const QString& serverName, TVolumeInfo& info)
{
    info = TVolumeInfo{};
    const QString root = serverName.isEmpty() ? QString(drive) + QStringLiteral(":\\")
                                              : QStringLiteral("\\\\") + serverName + QLatin1Char('\\') +
                                                    drive + QLatin1Char('\\');
    const std::optional<std::uint32_t> serial = pw::platform::systemInfo().volumeSerial(root);
    if (!serial)
        return;
    info.SerialNumber = *serial;
    info.VolumeName = pw::platform::systemInfo().volumeName(root).left(260);
}

QString GetHardDiskSerial(QChar drive, const QString& serverName)
{
    TVolumeInfo info;
    GetVolumeInfo(drive, serverName, info);
    if (info.SerialNumber == 0)
        return QStringLiteral("0");
    const QString hex = QString::number(info.SerialNumber, 16).toUpper();
    return hex.left(4) + QLatin1Char('-') + hex.mid(4, 4);
}
