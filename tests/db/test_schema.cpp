#include "db/schema/schema.h"
#include "test_database.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

namespace {

struct TableColumns
{
    const char* table;
    QStringList columns;
};

// Every table the programs of the suite use, with its columns in order.
const QList<TableColumns>& suiteTables()
{
    static const QList<TableColumns> tables = {
        {"Invoices",
         {"InvoiceNum", "Date", "OrderNum", "Telephone", "NotifyName", "TimeDue", "TimeStampCooked",
          "OvenTimeStamp", "Status", "CashierLink", "DriverLink", "ClosedTable", "TransType"}},
        {"LineItem", {"LineItemID", "InvoiceNum", "LineNum", "Quantity", "Code", "ItemDesc", "Size"}},
        {"Prices", {"PricesID", "Code", "LabelDesc", "Size", "CatMenuCode", "Recipe"}},
        {"CatMenu", {"CatMenuCode", "Description"}},
        {"PricesLinkPrinters", {"PricesLinkPrintersID", "fkPricesID", "fkPrintersID"}},
        {"SysData", {"Class", "Item", "Value", "Value2"}},
        {"IPADDRESS", {"Address"}},
        {"Tills", {"TillsID", "TillID", "Computer Name", "HD Serial", "Login Name"}},
        {"Employee",
         {"EmpNum",
          "MaxDiscPctAny",
          "MaxDiscValueAny",
          "KIColour",
          "Waiter",
          "Active",
          "Category",
          "Date",
          "DiscDate",
          "DateInvoicePasswordChanged",
          "DatePasswordChanged",
          "DoesDeliveries",
          "FirstName",
          "Flat",
          "HourlyRate",
          "InvoicePassword",
          "KmRate",
          "KmsPrDeliv",
          "LastName",
          "LastWorked",
          "MtdDelAmt",
          "MtdKms",
          "MtdNumDel",
          "MtdHrs",
          "MtdTimeW",
          "MtdTips",
          "MtdTravelW",
          "Password",
          "PayRatePerDelivery",
          "PctDisc",
          "PctMax",
          "PostCode",
          "RandDisc",
          "ShiftDisc",
          "Street",
          "Suburb",
          "Telephone",
          "Telephone2",
          "ShToDate",
          "YtdHrs",
          "YtdKms",
          "YtdNumDel",
          "YtdDelAmt",
          "YtdTimeW",
          "YtdTips",
          "YtdTravelW",
          "MonthlyMaxSpend",
          "MaxDiscValue",
          "MaxDiscPct",
          "FingerPrint"}},
        {"EmpCat", {"Category", "Descriptn"}},
        {"Permiss", {"PermissID", "EmpCat", "AccessCode"}},
        {"Attend", {"InvoiceLink", "EmpNum",     "InDateTime",    "OutDateTime", "OdoStart",   "OdoEnd",
                    "KmsTravlld",  "HrsWorked",  "Float",         "DriverCash",  "TotOrders",  "OrderCount",
                    "TimeWages",   "TravlWages", "ExDriver",      "Tips",        "PdAlready",  "CashedUp",
                    "ClockedOut",  "TotalOwed",  "DeliveryWages", "OnDelivery",  "HourlyRate", "KmRate"}},
        {"ActCodes", {"ActCode", "Descriptn", "ForceLog", "TempFlag", "LogThis", "ReqPermiss", "LockedOut"}},
        {"Activity", {"ActivityID", "Employee", "Station", "ActCode", "Activity", "Date", "Time"}},
        {"CASHUP", {"CashupID", "SHIFTNUM", "DATE", "CLASS", "NUMBER", "NAME", "AMOUNT"}},
        {"TILLPOST", {"SHIFTNUM",   "TILLID",      "TILLISACTIVE",  "DATE",      "FKCASHPOSTID", "Coupons",
                      "Cheques",    "Cash",        "CrCards",       "PettyCash", "GRVs",         "DrvFloat",
                      "FloatIssue", "Float",       "Wages",         "AdditBank", "TotSales",     "Discounts",
                      "OverRings",  "NetSales",    "DelivChg",      "Vat",       "NetoVat",      "Debtors",
                      "Difference", "CashupTotal", "ExcludedSales", "Gratuity"}},
        {"CASHPOST",
         {"CASHPOSTID", "DATE",       "POSTED",      "Coupons",       "Cheques",  "Cash",  "CrCards",
          "PettyCash",  "GRVs",       "DrvFloat",    "FloatIssue",    "Float",    "Wages", "AdditBank",
          "TotSales",   "Discounts",  "OverRings",   "NetSales",      "DelivChg", "Vat",   "NetoVat",
          "Debtors",    "Difference", "CashupTotal", "ExcludedSales", "Gratuity"}},
        {"TEMPTILLPOSTDATES", {"CASHUPDATE"}},
        {"Printers",
         {"PrintersID", "Name", "Category", "Model", "Type", "PageLength", "PageWidth", "FooterHeight",
          "PrintLateVoucher", "ExtendedProductionSlip"}},
        {"TillsLinkPrinters",
         {"TillsLinkPrintersID", "fkTillsID", "fkPrintersID", "Device", "DirectToPort", "Copies",
          "ReportFileName", "PrintLinePrices", "PrintKitchenTotals"}},
        {"Departments", {"Code", "Description"}},
        {"TillsLinkDepartments", {"TillsLinkDepartmentID", "fkTillsID", "fkDepartmentID", "Active"}},
        {"reportgroup", {"ReportGroupID", "Description", "Royalty", "Advertising"}},
        {"VersionInfo", {"Ver"}},
    };
    return tables;
}

QStringList sqliteColumns(const QSqlDatabase& db, const QString& table)
{
    QStringList names;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)))
        return names;
    while (query.next())
        names.append(query.value(QStringLiteral("name")).toString());
    return names;
}

QStringList userTables(const QSqlDatabase& db)
{
    QStringList names;
    QSqlQuery query(db);
    query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                              "AND name NOT LIKE 'sqlite_%' ORDER BY name"));
    while (query.next())
        names.append(query.value(0).toString());
    return names;
}

// The column names of one CREATE TABLE block of the SQL Server script.
QStringList sqlServerColumns(const QString& script, const QString& table)
{
    const QString head = QStringLiteral("CREATE TABLE ") + table + QStringLiteral(" (\n");
    const qsizetype start = script.indexOf(head);
    if (start < 0)
        return {};
    const qsizetype end = script.indexOf(QStringLiteral("\n);"), start);
    const QString body = script.mid(start + head.size(), end - start - head.size());
    static const QRegularExpression name(QStringLiteral("^\\s*(\\[[^\\]]+\\]|\\w+)"));
    QStringList names;
    for (const QString& line : body.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = name.match(line);
        if (match.hasMatch())
            names.append(match.captured(1).remove(QLatin1Char('[')).remove(QLatin1Char(']')));
    }
    return names;
}

} // namespace

class TestSchema : public QObject
{
    Q_OBJECT

private slots:
    void tableHasExactColumns_data();
    void tableHasExactColumns();
    void noOtherTables();
    void lookupIndexes_data();
    void lookupIndexes();
    void quotesRoundTrip();
    void clockInLeavesShiftOpenWithZeroTotals();
    void nulTextRoundTrips();
    void applyIsAllOrNothing();
    void sqlServerTable_data();
    void sqlServerTable();
    void sqlServerProcedure();
    void sqliteStatementsAreWhole();
};

void TestSchema::tableHasExactColumns_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");
    for (const TableColumns& table : suiteTables())
        QTest::newRow(table.table) << QString::fromLatin1(table.table) << table.columns;
}

void TestSchema::tableHasExactColumns()
{
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    pw::test::TestDatabase database;
    QCOMPARE(sqliteColumns(database.connection().database(), table), columns);
}

void TestSchema::noOtherTables()
{
    pw::test::TestDatabase database;
    QStringList expected;
    for (const TableColumns& table : suiteTables())
        expected.append(QString::fromLatin1(table.table));
    std::sort(expected.begin(), expected.end());
    QCOMPARE(userTables(database.connection().database()), expected);
}

void TestSchema::lookupIndexes_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");
    QTest::newRow("Invoices by date") << "Invoices" << QStringList{"Date"};
    QTest::newRow("LineItem by invoice") << "LineItem" << QStringList{"InvoiceNum"};
    QTest::newRow("Attend by employee and clock-in") << "Attend" << QStringList{"EmpNum", "InDateTime"};
    QTest::newRow("SysData by class and key") << "SysData" << QStringList{"Class", "Item"};
}

void TestSchema::lookupIndexes()
{
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    pw::test::TestDatabase database;
    const QSqlDatabase db = database.connection().database();

    // Duplicates must stay possible: the programs rely on rows the suite already has.
    QSqlQuery indexes(db);
    QVERIFY(indexes.exec(QStringLiteral("PRAGMA index_list(\"%1\")").arg(table)));
    bool found = false;
    while (indexes.next()) {
        const QString name = indexes.value(QStringLiteral("name")).toString();
        if (name.startsWith(QLatin1String("sqlite_autoindex")))
            continue;
        QSqlQuery info(db);
        QVERIFY(info.exec(QStringLiteral("PRAGMA index_info(\"%1\")").arg(name)));
        QStringList indexed;
        while (info.next())
            indexed.append(info.value(QStringLiteral("name")).toString());
        if (indexed == columns) {
            found = true;
            QCOMPARE(indexes.value(QStringLiteral("unique")).toInt(), 0);
        }
    }
    QVERIFY2(found, qPrintable(table + QStringLiteral(" has no index on ") + columns.join(QLatin1Char(','))));
}

void TestSchema::quotesRoundTrip()
{
    pw::test::TestDatabase database;
    const QSqlDatabase db = database.connection().database();

    // Bound and as a literal with the quote doubled, as the programs write names.
    QSqlQuery bound(db);
    QVERIFY(bound.prepare(QStringLiteral("INSERT INTO Employee (FirstName, LastName) VALUES (?, ?)")));
    bound.addBindValue(QStringLiteral("Siobhan"));
    bound.addBindValue(QStringLiteral("O'Brien"));
    QVERIFY2(bound.exec(), qPrintable(bound.lastError().text()));
    const qint64 boundNum = bound.lastInsertId().toLongLong();
    database.exec(QStringLiteral("INSERT INTO Employee (FirstName, LastName) VALUES ('Kevin', 'O''Connor')"));

    QCOMPARE(database.scalar(QStringLiteral("SELECT LastName FROM Employee WHERE EmpNum = %1").arg(boundNum))
                 .toString(),
             QStringLiteral("O'Brien"));
    QCOMPARE(database.count(QStringLiteral("Employee"), QStringLiteral("LastName = 'O''Connor'")), 1);
    QVERIFY(database.scalar(QStringLiteral("SELECT MAX(EmpNum) FROM Employee")).toLongLong() > boundNum);

    database.exec(
        QStringLiteral("INSERT INTO Tills (TillID, \"Computer Name\", \"HD Serial\", \"Login Name\") "
                       "VALUES (3, 'O''BRIEN-PC', '1A2B-3C4D', 'o''brien')"));
    QCOMPARE(
        database
            .scalar(QStringLiteral("SELECT [Login Name] FROM Tills WHERE [Computer Name] = 'O''BRIEN-PC'"))
            .toString(),
        QStringLiteral("o'brien"));
}

void TestSchema::clockInLeavesShiftOpenWithZeroTotals()
{
    pw::test::TestDatabase database;
    // The clock-in names only these columns; the open-shift queries look for ClockedOut = 0.
    database.exec(
        QStringLiteral("INSERT INTO attend (empnum, indatetime, hourlyrate, kmrate, odostart, float) "
                       "VALUES('7','2024-05-01 10:00:00',55,0, 0, 0)"));
    database.exec(
        QStringLiteral("INSERT INTO attend (empnum, indatetime, hourlyrate, kmrate, odostart, float) "
                       "VALUES('8','2024-05-01 10:05:00',45,3.5, 120, 200)"));
    QCOMPARE(
        database.count(QStringLiteral("Attend"),
                       QStringLiteral("ClockedOut = 0 AND CashedUp = 0 AND OnDelivery = 0 AND TimeWages = 0 "
                                      "AND TotalOwed = 0 AND OdoEnd = 0 AND OutDateTime IS NULL")),
        2);
    QCOMPARE(database.scalar(QStringLiteral("SELECT InvoiceLink FROM Attend WHERE EmpNum = '8'")).toInt(), 2);
}

void TestSchema::nulTextRoundTrips()
{
    pw::test::TestDatabase database;
    const QString nul(1, QChar(u'\0'));
    database.insert(QStringLiteral("SysData"), {{QStringLiteral("Class"), QStringLiteral("1")},
                                                {QStringLiteral("Item"), QStringLiteral("PLABEL DEV")},
                                                {QStringLiteral("Value"), nul},
                                                {QStringLiteral("Value2"), nul}});
    QCOMPARE(
        database.scalar(QStringLiteral("SELECT Value FROM SysData WHERE Class = '1' AND Item = 'PLABEL DEV'"))
            .toString(),
        nul);
}

void TestSchema::applyIsAllOrNothing()
{
    pw::test::TestDatabase database(false);
    QSqlDatabase db = database.connection().database();
    // A table the script creates late already exists: the script must stop there
    // and leave none of the earlier tables behind.
    database.exec(QStringLiteral("CREATE TABLE VersionInfo (Ver TEXT)"));
    QString error;
    QVERIFY(!pw::db::applySqliteSchema(db, &error));
    QVERIFY2(
        error.startsWith(QStringLiteral("Failed to create the schema at \"CREATE TABLE VersionInfo (\": ")),
        qPrintable(error));
    QCOMPARE(userTables(db), (QStringList{"Placeholder", "VersionInfo"}));

    pw::test::TestDatabase fresh(false);
    QSqlDatabase freshDb = fresh.connection().database();
    QVERIFY2(pw::db::applySqliteSchema(freshDb, &error), qPrintable(error));
    QCOMPARE(userTables(freshDb).size(), suiteTables().size() + 1);
}

void TestSchema::sqlServerTable_data()
{
    tableHasExactColumns_data();
}

void TestSchema::sqlServerTable()
{
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    // Both scripts describe the same database.
    QCOMPARE(sqlServerColumns(pw::db::sqlServerSchemaScript(), table), columns);
}

void TestSchema::sqlServerProcedure()
{
    const QString script = pw::db::sqlServerSchemaScript();
    QVERIFY(script.contains(
        QStringLiteral("CREATE PROCEDURE job_UpdateSingleAttendTotals\n    @InvoiceLink int\nAS")));
    QVERIFY(script.contains(QStringLiteral("WHERE a.InvoiceLink = @InvoiceLink")));
    QVERIFY(script.contains(QStringLiteral("[Computer Name] varchar(50)")));
    QVERIFY(script.contains(QStringLiteral("InvoiceNum int IDENTITY(1,1) NOT NULL PRIMARY KEY")));
    // A procedure must open its batch, so a GO line comes right before it.
    QVERIFY(script.contains(QStringLiteral("GO\n\n-- Recomputes the worked totals")));
    for (const char* index : {"CREATE INDEX IX_Invoices_Date ON Invoices ([Date]);",
                              "CREATE INDEX IX_LineItem_InvoiceNum ON LineItem (InvoiceNum);",
                              "CREATE INDEX IX_Attend_EmpNum_InDateTime ON Attend (EmpNum, InDateTime);",
                              "CREATE INDEX IX_SysData_Class_Item ON SysData ([Class], Item);"})
        QVERIFY2(script.contains(QString::fromLatin1(index)), index);
}

void TestSchema::sqliteStatementsAreWhole()
{
    const QStringList statements = pw::db::sqliteSchemaStatements();
    QCOMPARE(statements.size(), suiteTables().size() + 4);
    for (const QString& statement : statements) {
        QVERIFY2(statement.startsWith(QStringLiteral("CREATE ")), qPrintable(statement));
        QVERIFY2(!statement.contains(QLatin1Char(';')), qPrintable(statement));
        QVERIFY2(!statement.contains(QStringLiteral("--")), qPrintable(statement));
    }
}

QTEST_GUILESS_MAIN(TestSchema)
#include "test_schema.moc"
