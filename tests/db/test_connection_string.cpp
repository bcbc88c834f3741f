#include "db/connection.h"
#include "db/connection_string.h"
#include "db/db_error.h"

#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QtTest>

using namespace pw::db;

Q_DECLARE_METATYPE(pw::db::Engine)

namespace {

const QString orvoProfile =
    QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=True;User ID=orvo;Password=kvw;"
                   "Initial Catalog=bbSql;Data Source=10.0.0.5;");

// What QODBC does to the database name it is given before handing it to the
// driver manager (see QODBCDriver::open).
QString asQodbcSendsIt(const QString& db)
{
    if (db.contains(QLatin1String(".dsn"), Qt::CaseInsensitive))
        return QStringLiteral("FILEDSN=") + db;
    if (db.contains(QLatin1String("DRIVER="), Qt::CaseInsensitive) ||
        db.contains(QLatin1String("SERVER="), Qt::CaseInsensitive))
        return db;
    return QStringLiteral("DSN=") + db;
}

} // namespace

class TestConnectionString : public QObject
{
    Q_OBJECT

private slots:
    void resolvesGoodStrings_data();
    void resolvesGoodStrings();
    void resolvesSqliteFile();
    void rejectsBadStrings_data();
    void rejectsBadStrings();
    void missingSqliteFileIsNotCreated();
    void masksPasswords_data();
    void masksPasswords();
    void odbcTextCarriesCredentials_data();
    void odbcTextCarriesCredentials();
    void qodbcGetsTheTextUnchanged_data();
    void qodbcGetsTheTextUnchanged();
    void failedServerLoginHidesPassword();
};

void TestConnectionString::resolvesGoodStrings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<pw::db::Engine>("engine");
    QTest::addColumn<QString>("odbc");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");

#ifndef Q_OS_WIN
    QTest::newRow("suite default on FreeTDS")
        << orvoProfile << Engine::SqlServer
        << "DRIVER={FreeTDS};SERVER=10.0.0.5;PORT=1433;DATABASE=bbSql;TDS_Version=7.4;ClientCharset=UTF-8;"
        << "orvo"
        << "kvw";
    QTest::newRow("FreeTDS with host,port")
        << "Provider=SQLOLEDB;User ID=sa;Password=;Initial Catalog=bbSql;Data Source=db.shop.lan,1500"
        << Engine::SqlServer
        << "DRIVER={FreeTDS};SERVER=db.shop.lan;PORT=1500;DATABASE=bbSql;TDS_Version=7.4;ClientCharset=UTF-8;"
        << "sa"
        << "";
    QTest::newRow("FreeTDS named instance finds its own port")
        << "Provider=SQLOLEDB.1;User ID=orvo;Password=kvw;Initial Catalog=bbSql;Data "
           "Source=10.0.0.5\\SQLEXPRESS"
        << Engine::SqlServer
        << "DRIVER={FreeTDS};SERVER=10.0.0.5\\SQLEXPRESS;DATABASE=bbSql;TDS_Version=7.4;ClientCharset=UTF-8;"
        << "orvo"
        << "kvw";
    QTest::newRow("SQLNCLI11")
        << "Provider=SQLNCLI11;Integrated Security=SSPI;Initial Catalog=bbSql;Data Source=till1"
        << Engine::SqlServer
        << "DRIVER={FreeTDS};SERVER=till1;PORT=1433;DATABASE=bbSql;Trusted_Connection=Yes;TDS_Version=7.4;"
           "ClientCharset=UTF-8;"
        << ""
        << "";
#endif
    QTest::newRow("Driver= override keeps host,port")
        << "Provider=SQLOLEDB.1;User ID=orvo;Password=kvw;Initial Catalog=bbSql;Data Source=db1,1500;"
           "Driver={ODBC Driver 18 for SQL Server}"
        << Engine::SqlServer << "DRIVER={ODBC Driver 18 for SQL Server};SERVER=db1,1500;DATABASE=bbSql;"
        << "orvo"
        << "kvw";
    QTest::newRow("MSOLEDBSQL with an unbraced driver")
        << "Provider=MSOLEDBSQL.1;User ID=orvo;Password=kvw;Initial Catalog=bbSql;Data Source=db1;Driver=SQL "
           "Server"
        << Engine::SqlServer << "DRIVER={SQL Server};SERVER=db1;DATABASE=bbSql;"
        << "orvo"
        << "kvw";
    QTest::newRow("quoted password holding a semicolon")
        << "Provider=SQLOLEDB.1;User ID=orvo;Password=\"k;v\"\"w\";Data Source=db1;Driver={SQL Server}"
        << Engine::SqlServer << "DRIVER={SQL Server};SERVER=db1;"
        << "orvo"
        << "k;v\"w";
    QTest::newRow("password only starting with a brace")
        << "Provider=SQLOLEDB.1;User ID=orvo;Password={kv}w;Data Source=db1;Driver={SQL Server}"
        << Engine::SqlServer << "DRIVER={SQL Server};SERVER=db1;"
        << "orvo"
        << "{kv}w";
    QTest::newRow("MSDASQL braced value holding a semicolon")
        << "Provider=MSDASQL;Driver={My;Driver};Server=db1;PWD={a;b}}c}" << Engine::Odbc
        << "Driver={My;Driver};Server=db1;PWD={a;b}}c};"
        << ""
        << "";
    QTest::newRow("MSDASQL with Extended Properties")
        << "Provider=MSDASQL.1;Persist Security Info=True;User ID=;Password=;Initial Catalog=;Data Source=;"
           "Extended Properties=\"Driver={Microsoft Visual FoxPro Driver};SourceDB=c:\\zq;SourceType=DBF;"
           "Exclusive=No;BackgroundFetch=Yes;Collate=Machine;Null=No;Deleted=Yes;\""
        << Engine::Odbc
        << "Driver={Microsoft Visual FoxPro Driver};SourceDB=c:\\zq;SourceType=DBF;Exclusive=No;"
           "BackgroundFetch=Yes;Collate=Machine;Null=No;Deleted=Yes;"
        << ""
        << "";
    QTest::newRow("MSDASQL data source name and catalog")
        << "Provider=MSDASQL.1;User ID=sa;Password=pw;Initial Catalog=bbSql;Data Source=Kitchen"
        << Engine::Odbc << "DSN=Kitchen;DATABASE=bbSql;"
        << "sa"
        << "pw";
    QTest::newRow("MSDASQL Access pieces")
        << "Provider=MSDASQL.1;Persist Security Info=True;User ID=;Password=;Initial Catalog=;Data Source=;"
           "DRIVER=Microsoft Access Driver (*.mdb);UID=admin;DefaultDir=c:\\zq;DBQ=;"
        << Engine::Odbc << "DRIVER=Microsoft Access Driver (*.mdb);UID=admin;DefaultDir=c:\\zq;DBQ=;"
        << ""
        << "";
}

void TestConnectionString::resolvesGoodStrings()
{
    QFETCH(QString, text);
    QFETCH(pw::db::Engine, engine);
    QFETCH(QString, odbc);
    QFETCH(QString, user);
    QFETCH(QString, password);

    const ConnectionTarget target = resolveConnectionString(text);
    QCOMPARE(target.engine, engine);
    QCOMPARE(target.driver, QStringLiteral("QODBC"));
    QCOMPARE(target.databaseName, odbc);
    QCOMPARE(target.userName, user);
    QCOMPARE(target.password, password);
}

void TestConnectionString::resolvesSqliteFile()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("demo.db"));
    QFile touch(file);
    QVERIFY(touch.open(QIODevice::WriteOnly));
    touch.close();

    const ConnectionTarget target =
        resolveConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + file);
    QCOMPARE(target.engine, Engine::Sqlite);
    QCOMPARE(target.driver, QStringLiteral("QSQLITE"));
    QCOMPARE(target.databaseName, file);
}

void TestConnectionString::rejectsBadStrings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    QTest::newRow("unknown provider")
        << "Provider=Microsoft.Jet.OLEDB.4.0;Password=kvw;Data Source=c:\\zq\\orvo.mdb"
        << "Unknown provider \"Microsoft.Jet.OLEDB.4.0\" in the connection string";
    QTest::newRow("no provider") << "User ID=orvo;Password=kvw;Data Source=10.0.0.5"
                                 << "The connection string names no provider";
    QTest::newRow("empty") << "  "
                           << "The connection string is empty";
    QTest::newRow("piece without value") << "Provider=SQLOLEDB.1;Password=kvw;User ID;Data Source=10.0.0.5"
                                         << "Malformed connection string: \"User ID\" has no value";
    QTest::newRow("value without name") << "Provider=SQLOLEDB.1;Password=kvw;=10.0.0.5"
                                        << "Malformed connection string: a value has no name";
    QTest::newRow("unclosed quote")
        << "Provider=SQLOLEDB.1;Data Source=10.0.0.5;Password=\"kvw"
        << "Malformed connection string: the value of \"Password\" has no closing quote";
    QTest::newRow("text after quote")
        << "Provider=SQLOLEDB.1;Password='kvw' x;Data Source=10.0.0.5"
        << "Malformed connection string: the value of \"Password\" goes on after its closing quote";
    QTest::newRow("SQL Server without server")
        << "Provider=SQLOLEDB.1;User ID=orvo;Password=kvw;Initial Catalog=bbSql"
        << "The connection string names no server (Data Source)";
    QTest::newRow("ODBC without source")
        << "Provider=MSDASQL.1;User ID=orvo;Password=kvw;Initial Catalog=bbSql"
        << "The ODBC connection string names no driver or data source";
    QTest::newRow("SQLite without file")
        << "Provider=SQLite;Password=kvw"
        << "The connection string names no SQLite database file (Data Source)";
}

void TestConnectionString::rejectsBadStrings()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    try {
        resolveConnectionString(text);
        QFAIL("no error");
    } catch (const DbError& e) {
        QCOMPARE(e.message(), message);
        QVERIFY(!e.message().contains(QLatin1String("kvw")));
    }
}

void TestConnectionString::missingSqliteFileIsNotCreated()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("missing.db"));
    Connection connection;
    connection.setConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + file);
    try {
        connection.open();
        QFAIL("opened a missing database");
    } catch (const DbError& e) {
        QCOMPARE(e.message(), QStringLiteral("The SQLite database file \"%1\" does not exist").arg(file));
    }
    QVERIFY(!connection.connected());
    QVERIFY(!QFile::exists(file));
}

void TestConnectionString::masksPasswords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("masked");

    QTest::newRow("suite default")
        << orvoProfile
        << "Provider=SQLOLEDB.1;Persist Security Info=True;User ID=orvo;Password=********;"
           "Initial Catalog=bbSql;Data Source=10.0.0.5;";
    QTest::newRow("empty password stays empty") << "User ID=sa;Password=;Data Source=x"
                                                << "User ID=sa;Password=;Data Source=x";
    QTest::newRow("any case") << "password = abc ;Data Source=x"
                              << "password = ******** ;Data Source=x";
    QTest::newRow("quoted with semicolon") << "Password='a;b';User ID=x"
                                           << "Password=********;User ID=x";
    QTest::newRow("braced ODBC PWD") << "DSN=k;PWD={se;cr}}et};UID=sa"
                                     << "DSN=k;PWD=********;UID=sa";
    QTest::newRow("inside Extended Properties")
        << "Provider=MSDASQL;Extended Properties=\"DSN=k;UID=sa;PWD=secret\";Password=kvw"
        << "Provider=MSDASQL;Extended Properties=\"DSN=k;UID=sa;PWD=********\";Password=********";
    QTest::newRow("broken text never throws") << "Data Source=x;Password=\"abc"
                                              << "Data Source=x;Password=********";
    QTest::newRow("no password") << "Provider=SQLite;Data Source=/tmp/a.db"
                                 << "Provider=SQLite;Data Source=/tmp/a.db";
}

void TestConnectionString::masksPasswords()
{
    QFETCH(QString, text);
    QFETCH(QString, masked);
    QCOMPARE(maskPassword(text), masked);
}

void TestConnectionString::odbcTextCarriesCredentials_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("odbc");

    QTest::newRow("added at the end")
        << "Provider=SQLOLEDB.1;User ID=orvo;Password=kvw;Data Source=db1;Driver={SQL Server}"
        << "DRIVER={SQL Server};SERVER=db1;UID=orvo;PWD=kvw;";
    QTest::newRow("separators braced")
        << "Provider=SQLOLEDB.1;User ID=O'Brien;Password=\"p;w}d\";Data Source=db1;Driver={SQL Server}"
        << "DRIVER={SQL Server};SERVER=db1;UID=O'Brien;PWD={p;w}}d};";
    QTest::newRow("braced ADO password")
        << "Provider=SQLOLEDB.1;User ID=orvo;Password={a;b};Data Source=db1;Driver={SQL Server}"
        << "DRIVER={SQL Server};SERVER=db1;UID=orvo;PWD={a;b};";
    QTest::newRow("password starting with a brace")
        << "Provider=SQLOLEDB.1;User ID=orvo;Password={kv}w;Data Source=db1;Driver={SQL Server}"
        << "DRIVER={SQL Server};SERVER=db1;UID=orvo;PWD={{kv}}w};";
    QTest::newRow("no credentials") << "Provider=MSDASQL;Data Source=Kitchen"
                                    << "DSN=Kitchen;";
    QTest::newRow("ODBC text's own UID kept")
        << "Provider=MSDASQL;User ID=sa;Password=pw;Extended Properties=\"DSN=Kitchen;UID=admin\""
        << "DSN=Kitchen;UID=admin;PWD=pw;";
}

void TestConnectionString::odbcTextCarriesCredentials()
{
    QFETCH(QString, text);
    QFETCH(QString, odbc);
    QCOMPARE(odbcConnectText(resolveConnectionString(text)), odbc);
}

void TestConnectionString::qodbcGetsTheTextUnchanged_data()
{
    QTest::addColumn<QString>("odbc");
    QTest::newRow("driver") << "DRIVER={FreeTDS};SERVER=10.0.0.5;PORT=1433;UID=orvo;PWD=kvw;";
    QTest::newRow("data source name") << "DSN=Kitchen;DATABASE=bbSql;UID=sa;";
    QTest::newRow("data source name and server") << "DSN=Kitchen;SERVER=db1;";
    QTest::newRow("file data source") << "FILEDSN=c:\\zq\\kitchen.dsn;UID=sa;";
}

void TestConnectionString::qodbcGetsTheTextUnchanged()
{
    QFETCH(QString, odbc);
    QCOMPARE(asQodbcSendsIt(qodbcDatabaseName(odbc)), odbc);
}

void TestConnectionString::failedServerLoginHidesPassword()
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
        QSKIP("The Qt ODBC driver is not installed");
    // Nothing listens on port 1 of this computer: the driver fails at once.
    Connection connection;
    connection.setConnectionString(QStringLiteral("Provider=SQLOLEDB.1;User ID=orvo;Password=Secret99;"
                                                  "Initial Catalog=bbSql;Data Source=127.0.0.1,1"));
    try {
        connection.open();
        QFAIL("connected to nothing");
    } catch (const DbError& e) {
        QVERIFY(!e.message().isEmpty());
        QVERIFY2(!e.message().contains(QLatin1String("Secret99")), qPrintable(e.message()));
    }
    QVERIFY(!connection.connected());
}

QTEST_GUILESS_MAIN(TestConnectionString)
#include "test_connection_string.moc"
