#include "db/generic_db.h"

#include "db/connection.h"
#include "errors/exception.h"
#include "errors/message_dialog.h"

TGenericDB* GenericDB = nullptr;

TGenericDB::TGenericDB(pw::db::Connection* connection) : Query(connection), Connection(connection) {}

void TGenericDB::OpenQuery(const QString& sql, int cursorLocation)
{
    Query.close();
    Query.clearSql();
    Query.setSql(sql);
    Query.setCursorLocation(cursorLocation);
    Query.open();
}

int TGenericDB::ExecSQL(const QString& sql) { return ExecSQL(QStringList{sql}); }

int TGenericDB::ExecSQL(const QStringList& sql)
{
    const int remembered = Query.cursorLocation();
    Query.close();
    Query.setCursorLocation(pw::db::Query::ServerSide);
    Query.setSql(sql);
    const int affected = Query.execSql();
    Query.setCursorLocation(remembered);
    return affected;
}

bool TGenericDB::ExecStoredProc(const QString& procName, const QVariantList& values, int cursorLocation)
{
    try {
        Query.close();
        QStringList texts;
        for (const QVariant& value : values) {
            switch (value.typeId()) {
            case QMetaType::Bool:
                texts.append(value.toBool() ? QStringLiteral("1") : QStringLiteral("0"));
                break;
            case QMetaType::QString: {
                QString text = value.toString();
                text.replace(QLatin1Char('\''), QLatin1String("''"));
                texts.append(QLatin1Char('\'') + text + QLatin1Char('\''));
                break;
            }
            case QMetaType::Double:
            case QMetaType::Float:
                texts.append(QString::number(value.toDouble(), 'g', 15));
                break;
            default:
                texts.append(value.toString());
                break;
            }
        }
        Query.setCursorLocation(cursorLocation);
        ExecSQL(Connection->dialect().execProcedureText(procName, texts.join(QLatin1Char(','))));
        return true;
    } catch (const pw::Exception& e) {
        MessageDlgEx(QStringLiteral("Failed to execute the stored procedure [") + procName +
                         QStringLiteral("]\rReason: ") + e.message() +
                         QStringLiteral("\r\rException Raised In: TGenericDB.ExecStoredProc"),
                     mtError, mbOK, {}, 0, 0, buttonFaceColour());
        return false;
    }
}
