#include "db/connection.h"
#include "db/currency.h"
#include "db/db_error.h"
#include "db/generic_db.h"
#include "platform_doubles.h"
#include "test_database.h"

#include <QDate>
#include <QtTest>

namespace {

const QString kFailedPrefix = QStringLiteral("Failed to execute the stored procedure [");
const QString kRaisedIn = QStringLiteral("\r\rException Raised In: TGenericDB.ExecStoredProc");

} // namespace

class TestGenericDB : public QObject
{
    Q_OBJECT

private slots:
    void storedProcTextOnSqlServer_data();
    void storedProcTextOnSqlServer();
    void floatsKeepTheirPointInAnyLocale();
    void unsupportedValueIsReported();
    void failingProcedureIsReportedAndTheCallerGoesOn();
    void procedureRunsThroughTheDialectOnSqlite();
    void execSqlRestoresTheCursorLocation();
    void execSqlFailureReachesTheCaller();
    void currencyText_data();
    void currencyText();
};

void TestGenericDB::storedProcTextOnSqlServer_data()
{
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one integer") << QVariantList{42} << QStringLiteral("EXEC name 42");
    QTest::newRow("integer, text, boolean")
        << QVariantList{7, QStringLiteral("A"), true} << QStringLiteral("EXEC name 7,'A',1");
    QTest::newRow("no values") << QVariantList{} << QStringLiteral("EXEC name ");
    QTest::newRow("false") << QVariantList{false} << QStringLiteral("EXEC name 0");
    QTest::newRow("64-bit integer") << QVariantList{qint64(1) << 40}
                                    << QStringLiteral("EXEC name 1099511627776");
    QTest::newRow("float") << QVariantList{2.5, 0.1} << QStringLiteral("EXEC name 2.5,0.1");
    QTest::newRow("currency") << QVariantList{QVariant::fromValue(pw::db::Currency{125000})}
                              << QStringLiteral("EXEC name 12.5");
    QTest::newRow("quote in a text") << QVariantList{QStringLiteral("O'Brien")}
                                     << QStringLiteral("EXEC name 'O''Brien'");
}

// The text is what the procedure receives; on an unopened SQL Server connection
// the call fails after the text has been put in the query.
void TestGenericDB::storedProcTextOnSqlServer()
{
    QFETCH(QVariantList, values);
    QFETCH(QString, expected);
    pw::test::PlatformDoubles doubles;
    pw::db::Connection server;
    server.setConnectionString(QStringLiteral("Provider=SQLOLEDB.1;Data Source=nowhere;"));
    TGenericDB generic(&server);

    QCOMPARE(generic.StoredProcText(QStringLiteral("name"), values), expected);
    QVERIFY(!generic.ExecStoredProc(QStringLiteral("name"), values, pw::db::Query::ClientSide));
    QCOMPARE(generic.Query.sqlText(), expected);
}

void TestGenericDB::floatsKeepTheirPointInAnyLocale()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = TGenericDB::StoredProcArguments({1234.5, 7});
    QLocale::setDefault(before);
    QCOMPARE(text, QStringLiteral("1234.5,7"));
}

void TestGenericDB::unsupportedValueIsReported()
{
    pw::test::PlatformDoubles doubles;
    pw::test::TestDatabase database;
    TGenericDB generic(&database.connection());
    QVERIFY(
        !generic.ExecStoredProc(QStringLiteral("job_UpdateSingleAttendTotals"), {QDate(2026, 12, 11)}, 1));
    QCOMPARE(doubles.modal.shown.size(), 1);
    QCOMPARE(doubles.modal.last().text,
             kFailedPrefix +
                 QStringLiteral("job_UpdateSingleAttendTotals]\rReason: A value of kind QDate cannot be "
                                "passed to a stored procedure") +
                 kRaisedIn);
}

void TestGenericDB::failingProcedureIsReportedAndTheCallerGoesOn()
{
    pw::test::PlatformDoubles doubles;
    pw::test::TestDatabase database;
    TGenericDB generic(&database.connection());

    QVERIFY(!generic.ExecStoredProc(QStringLiteral("job_NoSuchProcedure"), {42}, 1));

    QCOMPARE(doubles.modal.shown.size(), 1);
    const pw::platform::ShownDialog& shown = doubles.modal.last();
    QCOMPARE(shown.kind, QStringLiteral("Error"));
    QCOMPARE(shown.buttons, QStringList{QStringLiteral("OK")});
    QVERIFY2(shown.text.startsWith(kFailedPrefix + QStringLiteral("job_NoSuchProcedure]\rReason: ")),
             qPrintable(shown.text));
    QVERIFY2(shown.text.endsWith(kRaisedIn), qPrintable(shown.text));
    QVERIFY2(shown.text.contains(QStringLiteral("no such function")), qPrintable(shown.text));

    generic.OpenQuery(QStringLiteral("SELECT 5 AS Five"), 1);
    QCOMPARE(generic.Query.fieldByName(QStringLiteral("Five")).asInteger(), 5);
}

void TestGenericDB::procedureRunsThroughTheDialectOnSqlite()
{
    pw::test::PlatformDoubles doubles;
    pw::test::TestDatabase database;
    TGenericDB generic(&database.connection());
    QVERIFY(generic.ExecStoredProc(QStringLiteral("job_UpdateSingleAttendTotals"), {42}, 1));
    QCOMPARE(generic.Query.sqlText(), QStringLiteral("SELECT job_UpdateSingleAttendTotals(42)"));
    QCOMPARE(generic.Query.cursorLocation(), 1);
    QVERIFY(doubles.modal.shown.isEmpty());
}

void TestGenericDB::execSqlRestoresTheCursorLocation()
{
    pw::test::TestDatabase database;
    database.exec(QStringLiteral("CREATE TABLE Scratch (Name TEXT, Done INTEGER)"));
    database.exec(QStringLiteral("INSERT INTO Scratch VALUES ('O''Brien', 0), ('Ng', 0), ('Ng', 1)"));
    TGenericDB generic(&database.connection());

    generic.OpenQuery(QStringLiteral("SELECT Name FROM Scratch"), pw::db::Query::ClientSide);
    QCOMPARE(generic.Query.recordCount(), 3);
    QCOMPARE(generic.ExecSQL(QStringLiteral("UPDATE Scratch SET Done = 1 WHERE Name = 'Ng'")), 2);
    QCOMPARE(generic.Query.cursorLocation(), int(pw::db::Query::ClientSide));
    QVERIFY(!generic.Query.active());
    QCOMPARE(
        generic.ExecSQL(QStringList{QStringLiteral("DELETE FROM Scratch"), QStringLiteral("WHERE Done = 1")}),
        2);
    QCOMPARE(database.count(QStringLiteral("Scratch")), 1);
}

void TestGenericDB::execSqlFailureReachesTheCaller()
{
    pw::test::PlatformDoubles doubles;
    pw::test::TestDatabase database;
    TGenericDB generic(&database.connection());
    generic.OpenQuery(QStringLiteral("SELECT 1"), pw::db::Query::ClientSide);
    QVERIFY_THROWS_EXCEPTION(pw::db::DbError,
                             generic.ExecSQL(QStringLiteral("UPDATE NoSuchTable SET A = 1")));
    QCOMPARE(generic.Query.cursorLocation(), int(pw::db::Query::ServerSide));
    QVERIFY(doubles.modal.shown.isEmpty());
}

void TestGenericDB::currencyText_data()
{
    QTest::addColumn<qint64>("ticks");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << qint64(30000) << QStringLiteral("3");
    QTest::newRow("cents") << qint64(125500) << QStringLiteral("12.55");
    QTest::newRow("smallest negative part") << qint64(-1) << QStringLiteral("-0.0001");
    QTest::newRow("zero") << qint64(0) << QStringLiteral("0");
    QTest::newRow("most negative") << std::numeric_limits<qint64>::min()
                                   << QStringLiteral("-922337203685477.5808");
}

void TestGenericDB::currencyText()
{
    QFETCH(qint64, ticks);
    QFETCH(QString, expected);
    QCOMPARE(pw::db::Currency{ticks}.toString(), expected);
}

QTEST_MAIN(TestGenericDB)
#include "test_generic_db.moc"
