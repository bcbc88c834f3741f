#include "db/command.h"
#include "db/connection.h"
#include "db/day_count.h"
#include "db/db_error.h"
#include "db/dialect.h"
#include "db/query.h"

#include "test_database.h"

#include <QSqlQuery>
#include <QtTest>

#include <cmath>

using namespace pw::db;
using pw::test::TestDatabase;

namespace {

// Opens a SELECT on the test database.
void openSql(Query& query, const QString& sql)
{
    query.setSql(sql);
    query.open();
}

// Three printers, named so that they sort A, C, E.
void addPrinters(TestDatabase& db)
{
    for (const char* name : {"C", "A", "E"})
        db.insert(QStringLiteral("Printers"), {{QStringLiteral("Name"), QString::fromLatin1(name)},
                                               {QStringLiteral("PageLength"), int(name[0])}});
}

const QString printerInsert = QStringLiteral(
    "INSERT INTO Printers (Category,FooterHeight,Model,Name,PageLength,PageWidth,Type, PrintLateVoucher, "
    "ExtendedProductionSlip) VALUES (:Category,:FooterHeight,:Model,:Name,:PageLength,:PageWidth,:Type, "
    ":PrintLateVoucher, :ExtendedProductionSlip)");

void setSysDataParameters(Command& command, const QString& updateItem, const QString& insertItem,
                          const QString& value, const QString& value2)
{
    Parameters& p = command.parameters();
    p.byName(QStringLiteral("SClass")).setValue(QStringLiteral("GLOBAL"));
    p.byName(QStringLiteral("SItem")).setValue(insertItem);
    p.byName(QStringLiteral("UClass")).setValue(QStringLiteral("GLOBAL"));
    p.byName(QStringLiteral("UItem")).setValue(updateItem);
    p.byName(QStringLiteral("UValue")).setValue(value);
    p.byName(QStringLiteral("UValue2")).setValue(value2);
    p.byName(QStringLiteral("IClass")).setValue(QStringLiteral("GLOBAL"));
    p.byName(QStringLiteral("IItem")).setValue(insertItem);
    p.byName(QStringLiteral("IValue")).setValue(value);
    p.byName(QStringLiteral("IValue2")).setValue(value2);
}

} // namespace

class TestSql : public QObject
{
    Q_OBJECT

private slots:
    void typedReads_data();
    void typedReads();
    void dayCounts_data();
    void dayCounts();
    void navigation();
    void emptyResult();
    void fieldsByName_data();
    void fieldsByName();
    void missingFieldNamesIt();
    void bookmarkFindsRowThatMoved();
    void bookmarkOfVanishedRow();
    void locate_data();
    void locate();
    void markers_data();
    void markers();
    void nameUsedTwiceBindsBoth();
    void missingParameterNamesIt();
    void quoteInValueRoundTrips();
    void dateTimeParameterComparesWithLiteral();
    void selectChangesNoRows();
    void identityInsertReadsKeyBack();
    void identityInsertTextOnSqlServer();
    void sysDataUpsert_data();
    void sysDataUpsert();
    void sysDataUpsertIsOneTransaction();
    void sqlServerTexts_data();
    void sqlServerTexts();
    void sqliteFormsRun();
    void attendTotalsProcedureRuns();
    void driverErrorReachesCaller();
};

void TestSql::typedReads_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("text") << "'O''Brien'"
                          << "string" << QVariant(QStringLiteral("O'Brien"));
    QTest::newRow("lone NUL reads empty") << "char(0)"
                                          << "string" << QVariant(QString());
    QTest::newRow("text ends at NUL") << "'ab' || char(0) || 'cd'"
                                      << "string" << QVariant(QStringLiteral("ab"));
    QTest::newRow("null text") << "NULL"
                               << "string" << QVariant(QString());
    QTest::newRow("number as text") << "12"
                                    << "string" << QVariant(QStringLiteral("12"));
    QTest::newRow("integer") << "42"
                             << "integer" << QVariant(42);
    QTest::newRow("integer from text") << "' 17 '"
                                       << "integer" << QVariant(17);
    QTest::newRow("null integer") << "NULL"
                                  << "integer" << QVariant(0);
    QTest::newRow("float") << "12.5"
                           << "float" << QVariant(12.5);
    QTest::newRow("float from integer") << "3"
                                        << "float" << QVariant(3.0);
    QTest::newRow("currency") << "12.3456"
                              << "currency" << QVariant(qint64(123456));
    QTest::newRow("negative currency") << "-0.5"
                                       << "currency" << QVariant(qint64(-5000));
    QTest::newRow("currency rounds") << "0.00005"
                                     << "currency" << QVariant(qint64(1));
    QTest::newRow("currency from text") << "'1234567.89015'"
                                        << "currency" << QVariant(qint64(12345678902));
    QTest::newRow("large currency from text") << "'92233720368.5477'"
                                              << "currency" << QVariant(qint64(922337203685477));
    QTest::newRow("boolean 1") << "1"
                               << "boolean" << QVariant(true);
    QTest::newRow("boolean 0") << "0"
                               << "boolean" << QVariant(false);
    QTest::newRow("boolean True") << "'True'"
                                  << "boolean" << QVariant(true);
    QTest::newRow("boolean Y") << "'Y'"
                               << "boolean" << QVariant(true);
    QTest::newRow("boolean text 0") << "'0'"
                                    << "boolean" << QVariant(false);
    QTest::newRow("boolean null") << "NULL"
                                  << "boolean" << QVariant(false);
    QTest::newRow("date-time text") << "'2024-03-01 18:30:00'"
                                    << "datetime" << QVariant(45352.0 + 18.5 / 24.0);
    QTest::newRow("date-time with ms") << "'2024-03-01 06:00:00.000'"
                                       << "datetime" << QVariant(45352.25);
    QTest::newRow("the epoch") << "'1899-12-30 00:00:00'"
                               << "datetime" << QVariant(0.0);
    QTest::newRow("date only") << "'1900-01-01'"
                               << "datetime" << QVariant(2.0);
    QTest::newRow("before the epoch") << "'1899-12-29 06:00:00'"
                                      << "datetime" << QVariant(-1.25);
    QTest::newRow("null date-time") << "NULL"
                                    << "datetime" << QVariant(0.0);
}

void TestSql::typedReads()
{
    QFETCH(QString, expression);
    QFETCH(QString, read);
    QFETCH(QVariant, expected);

    TestDatabase db;
    Query query(&db.connection());
    openSql(query, QStringLiteral("SELECT ") + expression + QStringLiteral(" AS V"));
    const Field field = query.fieldByName(QStringLiteral("V"));
    if (read == QLatin1String("string"))
        QCOMPARE(field.asString(), expected.toString());
    else if (read == QLatin1String("integer"))
        QCOMPARE(field.asInteger(), expected.toInt());
    else if (read == QLatin1String("float"))
        QCOMPARE(field.asFloat(), expected.toDouble());
    else if (read == QLatin1String("currency"))
        QCOMPARE(qint64(field.asCurrency()), expected.toLongLong());
    else if (read == QLatin1String("boolean"))
        QCOMPARE(field.asBoolean(), expected.toBool());
    else if (read == QLatin1String("datetime"))
        QVERIFY2(qAbs(field.asDateTime() - expected.toDouble()) < 1e-9,
                 qPrintable(QString::number(field.asDateTime(), 'f', 10)));
    else
        QFAIL("unknown read");
}

void TestSql::dayCounts_data()
{
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<double>("days");

    QTest::newRow("epoch") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << 0.0;
    QTest::newRow("noon of 1 Jan 1900") << QDateTime(QDate(1900, 1, 1), QTime(12, 0)) << 2.5;
    QTest::newRow("2024 leap day evening") << QDateTime(QDate(2024, 2, 29), QTime(18, 0)) << 45351.75;
    QTest::newRow("before the epoch") << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << -1.25;
    QTest::newRow("five in the morning") << QDateTime(QDate(1899, 12, 30), QTime(5, 0)) << 5.0 / 24.0;
    QTest::newRow("twelve minutes past midnight")
        << QDateTime(QDate(1899, 12, 30), QTime(0, 12)) << 1.0 / 120.0;
}

void TestSql::dayCounts()
{
    QFETCH(QDateTime, when);
    QFETCH(double, days);
    QCOMPARE(toDayCount(when), days);
    QCOMPARE(fromDayCount(days), when);
    QCOMPARE(timeFromDayFraction(days - std::trunc(days)), when.time());
}

void TestSql::navigation()
{
    TestDatabase db;
    addPrinters(db);
    Query query(&db.connection());
    openSql(query, QStringLiteral("SELECT Name FROM Printers ORDER BY Name"));
    auto name = [&query] { return query.fieldByName(QStringLiteral("Name")).asString(); };

    QCOMPARE(query.recordCount(), 3);
    QVERIFY(query.bof());
    QVERIFY(!query.eof());
    QCOMPARE(name(), QStringLiteral("A"));
    query.next();
    QVERIFY(!query.bof());
    QCOMPARE(name(), QStringLiteral("C"));
    query.next();
    QCOMPARE(name(), QStringLiteral("E"));
    QVERIFY(!query.eof());
    query.next(); // past the end stays on the last row
    QVERIFY(query.eof());
    QCOMPARE(name(), QStringLiteral("E"));
    query.prior();
    QVERIFY(!query.eof());
    QCOMPARE(name(), QStringLiteral("C"));
    query.prior();
    query.prior(); // before the start stays on the first row
    QVERIFY(query.bof());
    QCOMPARE(name(), QStringLiteral("A"));
    query.last();
    QCOMPARE(name(), QStringLiteral("E"));
    QCOMPARE(query.recNo(), 3);
    query.first();
    QCOMPARE(name(), QStringLiteral("A"));
    QCOMPARE(query.recNo(), 1);

    // The usual loop visits every row once.
    QStringList seen;
    for (query.first(); !query.eof(); query.next())
        seen << name();
    QCOMPARE(seen, (QStringList{QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("E")}));
}

void TestSql::emptyResult()
{
    TestDatabase db;
    Query query(&db.connection());
    openSql(query, QStringLiteral("SELECT Name FROM Printers"));
    QVERIFY(query.active());
    QVERIFY(query.isEmpty());
    QVERIFY(query.eof());
    QVERIFY(query.bof());
    QCOMPARE(query.recordCount(), 0);
    QCOMPARE(query.recNo(), 0);
    query.next();
    QVERIFY(query.eof());
    QVERIFY(query.fieldByName(QStringLiteral("Name")).isNull());
}

void TestSql::fieldsByName_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    const QString qualified = QStringLiteral("SELECT Employee.EmpNum, Employee.LastName FROM Employee");
    QTest::newRow("qualified as selected") << qualified << "Employee.EmpNum"
                                           << "7";
    QTest::newRow("bare") << qualified << "EmpNum"
                          << "7";
    QTest::newRow("any case") << qualified << "EMPLOYEE.empnum"
                              << "7";
    QTest::newRow("second column") << qualified << "lastname"
                                   << "Ng";
    QTest::newRow("bare any case") << QStringLiteral("SELECT EmpNum, LastName FROM Employee") << "empNUM"
                                   << "7";
    QTest::newRow("qualified name of a bare column")
        << QStringLiteral("SELECT EmpNum, LastName FROM Employee") << "Employee.EmpNum"
        << "7";
    QTest::newRow("alias") << QStringLiteral("SELECT EmpNum AS Emp, LastName FROM Employee") << "emp"
                           << "7";
    QTest::newRow("column with a blank")
        << QStringLiteral("SELECT Tills.[Computer Name], TillID FROM Tills") << "Tills.[computer name]"
        << "K1";
}

void TestSql::fieldsByName()
{
    QFETCH(QString, sql);
    QFETCH(QString, name);
    QFETCH(QString, expected);

    TestDatabase db;
    db.insert(QStringLiteral("Employee"),
              {{QStringLiteral("EmpNum"), 7}, {QStringLiteral("LastName"), "Ng"}});
    db.insert(QStringLiteral("Tills"),
              {{QStringLiteral("TillID"), 7}, {QStringLiteral("Computer Name"), "K1"}});
    Query query(&db.connection());
    openSql(query, sql);
    QCOMPARE(query.fieldByName(name).asString(), expected);
}

void TestSql::missingFieldNamesIt()
{
    TestDatabase db;
    Query query(&db.connection());
    openSql(query, QStringLiteral("SELECT EmpNum FROM Employee"));
    try {
        query.fieldByName(QStringLiteral("Wages"));
        QFAIL("no error");
    } catch (const DbError& e) {
        QCOMPARE(e.message(), QStringLiteral("Field 'Wages' not found"));
    }
}

void TestSql::bookmarkFindsRowThatMoved()
{
    TestDatabase db;
    addPrinters(db);
    Query query(&db.connection());
    openSql(query, QStringLiteral("SELECT PrintersID, Name FROM Printers ORDER BY Name"));
    QVERIFY(query.locate(QStringLiteral("Name"), QStringLiteral("C")));
    const Bookmark mark = query.bookmark();
    QVERIFY(mark.isValid());

    // A row sorting first arrives: "C" is now the third row.
    db.insert(QStringLiteral("Printers"), {{QStringLiteral("Name"), "B"}});
    query.close();
    query.open();
    QCOMPARE(query.fieldByName(QStringLiteral("Name")).asString(), QStringLiteral("A"));
    QVERIFY(query.gotoBookmark(mark));
    QCOMPARE(query.fieldByName(QStringLiteral("Name")).asString(), QStringLiteral("C"));
    QCOMPARE(query.recNo(), 3);
    QVERIFY(!query.eof());
    QVERIFY(!query.bof());
}

void TestSql::bookmarkOfVanishedRow()
{
    TestDatabase db;
    addPrinters(db);
    Query query(&db.connection());
    openSql(query, QStringLiteral("SELECT PrintersID, Name FROM Printers ORDER BY Name"));
    query.next();
    const Bookmark mark = query.bookmark();
    db.exec(QStringLiteral("DELETE FROM Printers WHERE Name = 'C'"));
    query.open();
    QVERIFY(!query.gotoBookmark(mark));
    QCOMPARE(query.recNo(), 1);
}

void TestSql::locate_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("found"); // the row's Name, empty when none

    QTest::newRow("text any case") << "Name" << QVariant(QStringLiteral("e")) << "E";
    QTest::newRow("number") << "PageLength" << QVariant(int('C')) << "C";
    QTest::newRow("number as text") << "PageLength" << QVariant(QString::number(int('E'))) << "E";
    QTest::newRow("date-time stored as text")
        << "Stamp" << QVariant(QDateTime(QDate(2024, 3, 1), QTime(18, 30))) << "E";
    QTest::newRow("missing") << "Name" << QVariant(QStringLiteral("Z")) << "";
}

void TestSql::locate()
{
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(QString, found);

    TestDatabase db;
    addPrinters(db);
    Query query(&db.connection());
    openSql(query,
            QStringLiteral("SELECT Name, PageLength, CASE Name WHEN 'E' THEN '2024-03-01 18:30:00' END "
                           "AS Stamp FROM Printers ORDER BY Name"));
    query.next(); // a failed locate must not move
    QCOMPARE(query.locate(field, value), !found.isEmpty());
    QCOMPARE(query.fieldByName(QStringLiteral("Name")).asString(),
             found.isEmpty() ? QStringLiteral("C") : found);
}

void TestSql::markers_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("positional");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("plain") << "SELECT * FROM T WHERE A=:A AND B = :b_2"
                           << "SELECT * FROM T WHERE A=? AND B = ?" << QStringList{"A", "b_2"};
    QTest::newRow("name used twice") << "UPDATE T SET A=:X WHERE B=:X"
                                     << "UPDATE T SET A=? WHERE B=?" << QStringList{"X", "X"};
    QTest::newRow("inside quotes") << "SELECT 'at 10:30', \"a:b\", [c:d] FROM T WHERE E=:E AND F='It''s :no'"
                                   << "SELECT 'at 10:30', \"a:b\", [c:d] FROM T WHERE E=? AND F='It''s :no'"
                                   << QStringList{"E"};
    QTest::newRow("inside comments") << "SELECT :A -- not :B\n/* nor :C */ FROM T"
                                     << "SELECT ? -- not :B\n/* nor :C */ FROM T" << QStringList{"A"};
    QTest::newRow("double colon") << "SELECT x::int, :Y"
                                  << "SELECT x::int, ?" << QStringList{"Y"};
    QTest::newRow("T-SQL identity") << "INSERT INTO T (A) VALUES (:A) SELECT :IDField = @@Identity"
                                    << "INSERT INTO T (A) VALUES (?) SELECT ? = @@Identity"
                                    << QStringList{"A", "IDField"};
}

void TestSql::markers()
{
    QFETCH(QString, sql);
    QFETCH(QString, positional);
    QFETCH(QStringList, names);

    const PositionalSql result = toPositional(sql);
    QCOMPARE(result.sql, positional);
    QCOMPARE(result.names, names);
}

void TestSql::nameUsedTwiceBindsBoth()
{
    TestDatabase db;
    addPrinters(db);
    Command command(&db.connection());
    command.setCommandText(QStringLiteral(
        "UPDATE Printers SET PageLength = :N, PageWidth = :n WHERE Name = :Name OR Name = ':N'"));
    QCOMPARE(command.parameters().count(), 2);
    command.parameters().byName(QStringLiteral("N")).setValue(66);
    command.parameters().byName(QStringLiteral("NAME")).setValue(QStringLiteral("A"));
    QCOMPARE(command.execute(), 1);
    QCOMPARE(db.count(QStringLiteral("Printers"), QStringLiteral("PageLength = 66 AND PageWidth = 66")), 1);
}

void TestSql::missingParameterNamesIt()
{
    Command command;
    command.setCommandText(QStringLiteral("SELECT :A"));
    try {
        command.parameters().byName(QStringLiteral("B"));
        QFAIL("no error");
    } catch (const DbError& e) {
        QCOMPARE(e.message(), QStringLiteral("Parameter 'B' not found"));
    }
}

void TestSql::quoteInValueRoundTrips()
{
    TestDatabase db;
    Command command(&db.connection());
    command.setCommandText(
        QStringLiteral("INSERT INTO Employee (FirstName, LastName) VALUES (:First, :Last)"));
    command.parameters().byName(QStringLiteral("First")).setValue(QStringLiteral("Seán"));
    command.parameters().byName(QStringLiteral("Last")).setValue(QStringLiteral("O'Brien"));
    QCOMPARE(command.execute(), 1);

    Query query(&db.connection());
    query.setSql(QStringList{QStringLiteral("SELECT FirstName, LastName FROM Employee"),
                             QStringLiteral("WHERE LastName = :Last")});
    query.parameters().byName(QStringLiteral("Last")).setValue(QStringLiteral("O'Brien"));
    query.open();
    QCOMPARE(query.recordCount(), 1);
    QCOMPARE(query.fieldByName(QStringLiteral("LastName")).asString(), QStringLiteral("O'Brien"));
    QCOMPARE(query.fieldByName(QStringLiteral("FirstName")).asString(), QStringLiteral("Seán"));
}

void TestSql::dateTimeParameterComparesWithLiteral()
{
    TestDatabase db;
    const QDateTime cooked(QDate(2024, 3, 1), QTime(18, 30, 5));
    Command command(&db.connection());
    command.setCommandText(QStringLiteral("INSERT INTO Invoices (TimeStampCooked) VALUES (:Cooked)"));
    command.parameters().byName(QStringLiteral("Cooked")).setValue(cooked);
    command.execute();

    // Stored in the form the other programs' rows and the literals have.
    QCOMPARE(db.scalar(QStringLiteral("SELECT TimeStampCooked FROM Invoices")).toString(),
             QStringLiteral("2024-03-01 18:30:05"));
    const Dialect& dialect = db.connection().dialect();
    QCOMPARE(db.count(QStringLiteral("Invoices"), QStringLiteral("TimeStampCooked >= ") +
                                                      dialect.dateTimeLiteral(cooked.addSecs(-1)) +
                                                      QStringLiteral(" AND TimeStampCooked < ") +
                                                      dialect.dateTimeLiteral(cooked.addSecs(1))),
             1);
    Query query(&db.connection());
    openSql(query, QStringLiteral("SELECT TimeStampCooked FROM Invoices"));
    QCOMPARE(query.fieldByName(QStringLiteral("TimeStampCooked")).asQDateTime(), cooked);
}

void TestSql::selectChangesNoRows()
{
    TestDatabase db;
    addPrinters(db);
    Query query(&db.connection());
    query.setSql(QStringLiteral("UPDATE Printers SET PageWidth = 1"));
    QCOMPARE(query.execSql(), 3);
    query.setSql(QStringLiteral("SELECT * FROM Printers"));
    QCOMPARE(query.execSql(), 0);
}

void TestSql::identityInsertReadsKeyBack()
{
    TestDatabase db;
    addPrinters(db);
    Command command(&db.connection());
    command.setIdentityInsert(printerInsert);
    const Parameter& id = command.parameters().byName(QStringLiteral("IDField"));
    QCOMPARE(id.direction, ParamDirection::Output);
    QCOMPARE(id.dataType, QMetaType::Int);
    for (const char* name : {"Category", "FooterHeight", "Model", "PageLength", "PageWidth", "Type",
                             "PrintLateVoucher", "ExtendedProductionSlip"})
        command.parameters().byName(QLatin1String(name)).setValue(0);
    command.parameters().byName(QStringLiteral("Name")).setValue(QStringLiteral("Labels"));

    QCOMPARE(command.execute(), 1);
    const qint64 key = command.parameters().byName(QStringLiteral("IDField")).value.toLongLong();
    QCOMPARE(key,
             db.scalar(QStringLiteral("SELECT PrintersID FROM Printers WHERE Name = 'Labels'")).toLongLong());
    QCOMPARE(key, 4);

    command.parameters().byName(QStringLiteral("Name")).setValue(QStringLiteral("Bar"));
    command.execute();
    QCOMPARE(command.parameters().byName(QStringLiteral("IDField")).value.toLongLong(), 5);
}

void TestSql::identityInsertTextOnSqlServer()
{
    // The dialect follows the connection string; nothing is opened.
    Connection connection;
    connection.setConnectionString(
        QStringLiteral("Provider=SQLOLEDB.1;User ID=orvo;Password=kvw;Data Source=x"));
    Command command(&connection);
    command.setIdentityInsert(
        QStringLiteral("INSERT INTO TillsLinkDepartments (Active,fkTillsID,fkDepartmentID) VALUES "
                       "(:Active,:fkTillsID,:fkDepartmentID)"),
        QStringLiteral("TillsLinkDepartmentID"));
    QCOMPARE(
        command.commandText(),
        QStringLiteral("INSERT INTO TillsLinkDepartments (Active,fkTillsID,fkDepartmentID) VALUES "
                       "(:Active,:fkTillsID,:fkDepartmentID) SELECT :TillsLinkDepartmentID = @@Identity"));
    QCOMPARE(command.parameters().count(), 4);
    QCOMPARE(command.parameters()[3].name, QStringLiteral("TillsLinkDepartmentID"));
    QCOMPARE(command.parameters()[3].direction, ParamDirection::Output);
}

void TestSql::sysDataUpsert_data()
{
    QTest::addColumn<int>("existing"); // rows already holding GLOBAL / DAY START
    QTest::addColumn<QString>("value2");

    QTest::newRow("missing is inserted") << 0 << "C:\\Labels";
    QTest::newRow("one row is updated") << 1 << "C:\\Labels";
    QTest::newRow("both rows sharing the key are updated") << 2 << "C:\\Labels";
    QTest::newRow("empty value as NUL") << 1 << QString(QChar(0));
}

void TestSql::sysDataUpsert()
{
    QFETCH(int, existing);
    QFETCH(QString, value2);

    TestDatabase db;
    for (int i = 0; i < existing; ++i)
        db.insert(QStringLiteral("SysData"),
                  {{QStringLiteral("Class"), "GLOBAL"},
                   {QStringLiteral("Item"), "DAY START"},
                   {QStringLiteral("Value"), QStringLiteral("0%1:00").arg(4 + i)}});
    db.insert(QStringLiteral("SysData"), {{QStringLiteral("Class"), "GLOBAL"},
                                          {QStringLiteral("Item"), "DAY END"},
                                          {QStringLiteral("Value"), "23:00"}});
    db.insert(QStringLiteral("SysData"), {{QStringLiteral("Class"), "1"},
                                          {QStringLiteral("Item"), "DAY START"},
                                          {QStringLiteral("Value"), "03:00"}});

    Command command(&db.connection());
    command.setCommandText(db.connection().dialect().sysDataUpsertText());
    QCOMPARE(command.parameters().count(), 10);
    setSysDataParameters(command, QStringLiteral("DAY START"), QStringLiteral("DAY START"),
                         QStringLiteral("05:00"), value2);
    QCOMPARE(command.execute(), qMax(existing, 1));

    const QString key = QStringLiteral("Class = 'GLOBAL' AND Item = 'DAY START'");
    QCOMPARE(db.count(QStringLiteral("SysData"), key), qMax(existing, 1));
    QCOMPARE(db.count(QStringLiteral("SysData"), key + QStringLiteral(" AND Value = '05:00'")),
             qMax(existing, 1));
    QCOMPARE(db.count(QStringLiteral("SysData")), qMax(existing, 1) + 2);
    QCOMPARE(db.scalar(QStringLiteral("SELECT Value FROM SysData WHERE Item = 'DAY END'")).toString(),
             QStringLiteral("23:00"));
    QCOMPARE(db.scalar(QStringLiteral("SELECT Value FROM SysData WHERE Class = '1'")).toString(),
             QStringLiteral("03:00"));

    Query query(&db.connection());
    openSql(query,
            QStringLiteral("SELECT Value2, length(CAST(Value2 AS BLOB)) AS Stored FROM SysData WHERE ") +
                key);
    QCOMPARE(query.fieldByName(QStringLiteral("Stored")).asInteger(), value2.size());
    QCOMPARE(query.fieldByName(QStringLiteral("Value2")).asString(),
             value2 == QString(QChar(0)) ? QString() : value2);
}

void TestSql::sysDataUpsertIsOneTransaction()
{
    TestDatabase db;
    db.insert(QStringLiteral("SysData"), {{QStringLiteral("Class"), "GLOBAL"},
                                          {QStringLiteral("Item"), "DAY START"},
                                          {QStringLiteral("Value"), "04:00"}});
    // Straight to SQLite: a trigger body is one statement holding semicolons.
    QSqlQuery trigger(db.connection().database());
    QVERIFY(
        trigger.exec(QStringLiteral("CREATE TRIGGER NoFail BEFORE INSERT ON SysData WHEN NEW.Item = 'FAIL' "
                                    "BEGIN SELECT RAISE(ABORT, 'refused'); END")));

    // The update part changes a row, then the insert part fails: nothing may stay.
    Command command(&db.connection());
    command.setCommandText(db.connection().dialect().sysDataUpsertText());
    setSysDataParameters(command, QStringLiteral("DAY START"), QStringLiteral("FAIL"),
                         QStringLiteral("05:00"), QStringLiteral("x"));
    QVERIFY_THROWS_EXCEPTION(DbError, command.execute());
    QCOMPARE(db.scalar(QStringLiteral("SELECT Value FROM SysData WHERE Item = 'DAY START'")).toString(),
             QStringLiteral("04:00"));
    QCOMPARE(db.count(QStringLiteral("SysData")), 1);

    // The connection is usable afterwards, outside any transaction.
    db.exec(QStringLiteral("UPDATE SysData SET Value = '06:00'"));
    QVERIFY(db.connection().database().transaction());
    QVERIFY(db.connection().database().rollback());
}

void TestSql::sqlServerTexts_data()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");

    const SqlServerDialect d;
    const QDateTime when(QDate(2024, 3, 1), QTime(8, 5, 9));
    QTest::newRow("date-time") << d.dateTimeText(when) << "20240301 08:05:09";
    QTest::newRow("date-time literal") << d.dateTimeLiteral(when) << "'20240301 08:05:09'";
    QTest::newRow("evening") << d.dateTimeText(QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59)))
                             << "20231231 23:59:59";
    QTest::newRow("top 1") << d.selectTop1(QStringLiteral("* FROM Tills WHERE TillID = 1"))
                           << "SELECT TOP 1 * FROM Tills WHERE TillID = 1";
    QTest::newRow("identity insert")
        << d.identityInsertText(printerInsert, QStringLiteral("IDField"))
        << "INSERT INTO Printers (Category,FooterHeight,Model,Name,PageLength,PageWidth,Type, "
           "PrintLateVoucher, "
           "ExtendedProductionSlip) VALUES "
           "(:Category,:FooterHeight,:Model,:Name,:PageLength,:PageWidth,:Type, "
           ":PrintLateVoucher, :ExtendedProductionSlip) SELECT :IDField = @@Identity";
    QTest::newRow("SysData insert or update")
        << d.sysDataUpsertText()
        << "IF NOT EXISTS (SELECT NULL FROM SysData WHERE Class=:SClass AND Item=:SItem) INSERT INTO SysData "
           "(Class, "
           "Item, Value, Value2) VALUES(:IClass,:IItem,:IValue,:IValue2) ELSE UPDATE SysData SET Value = "
           ":UValue,Value2 = :UValue2 WHERE Class=:UClass AND Item=:UItem";
    QTest::newRow("EXEC") << d.execProcedureText(QStringLiteral("job_UpdateSingleAttendTotals"),
                                                 QStringLiteral("42"))
                          << "EXEC job_UpdateSingleAttendTotals 42";
    QTest::newRow("EXEC mixed") << d.execProcedureText(QStringLiteral("job_X"), QStringLiteral("7,'A',1"))
                                << "EXEC job_X 7,'A',1";
    QTest::newRow("EXEC without arguments")
        << d.execProcedureText(QStringLiteral("job_X"), QString()) << "EXEC job_X ";
}

void TestSql::sqlServerTexts()
{
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

void TestSql::sqliteFormsRun()
{
    TestDatabase db;
    const Dialect& dialect = db.connection().dialect();
    QCOMPARE(dialect.engine(), Engine::Sqlite);
    for (const char* due : {"2024-03-01 09:00:00", "2024-03-01 10:00:00", "2024-03-02 08:00:00"})
        db.insert(QStringLiteral("Invoices"), {{QStringLiteral("TimeDue"), QString::fromLatin1(due)}});

    Query query(&db.connection());
    openSql(query, dialect.selectTop1(QStringLiteral("TimeDue FROM Invoices WHERE TimeDue >= ") +
                                      dialect.dateTimeLiteral(QDateTime(QDate(2024, 3, 1), QTime(9, 30))) +
                                      QStringLiteral(" ORDER BY TimeDue")));
    QCOMPARE(query.recordCount(), 1);
    QCOMPARE(query.fieldByName(QStringLiteral("TimeDue")).asString(), QStringLiteral("2024-03-01 10:00:00"));
}

void TestSql::attendTotalsProcedureRuns()
{
    TestDatabase db;
    const qint64 shift =
        db.insert(QStringLiteral("Attend"), {{QStringLiteral("EmpNum"), 3},
                                             {QStringLiteral("InDateTime"), "2024-03-01 08:00:00"},
                                             {QStringLiteral("OutDateTime"), "2024-03-01 16:30:00"},
                                             {QStringLiteral("HourlyRate"), 20.0},
                                             {QStringLiteral("ClockedOut"), 1}});
    const qint64 open =
        db.insert(QStringLiteral("Attend"), {{QStringLiteral("EmpNum"), 4},
                                             {QStringLiteral("InDateTime"), "2024-03-01 09:00:00"},
                                             {QStringLiteral("HourlyRate"), 20.0}});
    Query query(&db.connection());
    for (const qint64 row : {shift, open}) {
        query.setSql(db.connection().dialect().execProcedureText(
            QStringLiteral("job_UpdateSingleAttendTotals"), QString::number(row)));
        query.execSql();
    }
    openSql(query,
            QStringLiteral(
                "SELECT InvoiceLink, HrsWorked, TimeWages, TotalOwed FROM Attend ORDER BY InvoiceLink"));
    QCOMPARE(query.fieldByName(QStringLiteral("HrsWorked")).asString(),
             QStringLiteral("1900-01-01 08:30:00"));
    QCOMPARE(query.fieldByName(QStringLiteral("TimeWages")).asCurrency(), 1700000);
    QCOMPARE(query.fieldByName(QStringLiteral("TotalOwed")).asCurrency(), 1700000);
    query.next(); // still clocked in: nothing to total yet
    QVERIFY(query.fieldByName(QStringLiteral("HrsWorked")).isNull());
    QCOMPARE(query.fieldByName(QStringLiteral("TimeWages")).asCurrency(), 0);

    // A call the stand-in does not take fails like a wrong EXEC would.
    query.setSql(db.connection().dialect().execProcedureText(QStringLiteral("job_UpdateSingleAttendTotals"),
                                                             QString()));
    QVERIFY_THROWS_EXCEPTION(DbError, query.execSql());
}

void TestSql::driverErrorReachesCaller()
{
    TestDatabase db;
    Query query(&db.connection());
    query.setSql(QStringLiteral("SELECT Anything FROM NoSuchTable"));
    try {
        query.open();
        QFAIL("no error");
    } catch (const DbError& e) {
        QVERIFY2(e.message().contains(QLatin1String("NoSuchTable")), qPrintable(e.message()));
    }
    QVERIFY(!query.active());
}

QTEST_GUILESS_MAIN(TestSql)
#include "test_sql.moc"
