// SysData rows: typed readers and writers, FindOrAdd, Load and the insert-or-update save.
#include "platform_doubles.h"
#include "settings/sys_data.h"
#include "settings/text_utils.h"
#include "test_database.h"

#include "db/dialect.h"
#include "errors/exception.h"
#include "errors/ezq_exception.h"

#include <QLocale>
#include <QTest>

namespace {

// Puts the locale back whatever a test set.
struct LocaleGuard
{
    QLocale saved;
    ~LocaleGuard() { QLocale::setDefault(saved); }
};

// A loaded item holding the value, not modified.
struct LoadedItem
{
    TSysData rows;
    TSysDataItem* item;
    explicit LoadedItem(const QString& value)
    {
        item = rows.Add();
        item->SetClass("GLOBAL");
        item->SetItem("KEY");
        item->SetValue(value);
        item->ClearFlags();
    }
};

} // namespace

class TestSysData : public QObject
{
    Q_OBJECT

private slots:
    void init() { TCollectionDBItem::resetExecutedCommands(); }

    void asBoolean_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("expected");
        for (const char* text : {"Yes", "true", "T", "1", "y", "Y"})
            QTest::newRow(text) << QString(text) << true;
        for (const char* text : {"No", "0", "2", " 1", "false", "F"})
            QTest::newRow(text) << QString(text) << false;
        QTest::newRow("empty") << QString() << false;
    }
    void asBoolean()
    {
        QFETCH(QString, stored);
        QFETCH(bool, expected);
        LoadedItem loaded(stored);
        // The setter trims, so a leading blank is put in place as a load would.
        if (stored.startsWith(' '))
            loaded.item->LoadFromDataSet(*ownRow(stored));
        QCOMPARE(loaded.item->AsBoolean(), expected);
        if (stored.isEmpty())
            QCOMPARE(loaded.item->Value(), QStringLiteral("0"));
        QVERIFY(!loaded.item->Modified());
    }

    void asTime_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<double>("expected");
        QTest::newRow("05:00") << "05:00" << 5.0 / 24;
        QTest::newRow("00:12") << "00:12" << 1.0 / 120;
        QTest::newRow("06:30") << "06:30" << 6.5 / 24;
        QTest::newRow("12:00:00") << "12:00:00" << 0.5;
        QTest::newRow("23:59:59") << "23:59:59" << (86399.0 / 86400);
    }
    void asTime()
    {
        QFETCH(QString, stored);
        QFETCH(double, expected);
        LoadedItem loaded(stored);
        QVERIFY(qAbs(loaded.item->AsTime() - expected) < 1e-9);
    }

    void asTimeOfAnEmptyValueIsNow()
    {
        pw::test::PlatformDoubles doubles;
        doubles.clock.set(QDateTime(QDate(2026, 3, 4), QTime(14, 15, 16)));
        LoadedItem loaded("");
        QVERIFY(qAbs(loaded.item->AsTime() - (14 * 3600 + 15 * 60 + 16) / 86400.0) < 1e-9);
        QCOMPARE(loaded.item->Value(), QStringLiteral("14:15:16"));
        QVERIFY(!loaded.item->Modified());
    }

    void setAsTime_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("stored");
        QTest::newRow("noon") << 0.5 << "12:00:00";
        QTest::newRow("six") << 0.25 << "06:00:00";
        QTest::newRow("date dropped") << 46000.75 << "18:00:00";
        QTest::newRow("seconds") << (5 * 3600 + 7 * 60 + 9) / 86400.0 << "05:07:09";
    }
    void setAsTime()
    {
        QFETCH(double, value);
        QFETCH(QString, stored);
        LoadedItem loaded("");
        loaded.item->SetAsTime(value);
        QCOMPARE(loaded.item->Value(), stored);
        QVERIFY(loaded.item->Modified());
    }

    void badTextsRaiseConversionErrors()
    {
        LoadedItem loaded("abc");
        QVERIFY_THROWS_EXCEPTION(pw::EConvertError, loaded.item->AsInteger());
        QVERIFY_THROWS_EXCEPTION(pw::EConvertError, loaded.item->AsFloat());
        QVERIFY_THROWS_EXCEPTION(pw::EConvertError, loaded.item->AsTime());
        LoadedItem twoSeparators("1.2,3");
        QVERIFY_THROWS_EXCEPTION(pw::EConvertError, twoSeparators.item->AsFloat());
    }

    void setAsBooleanMarksOnlyARealChange()
    {
        LoadedItem one("1");
        one.item->SetAsBoolean(true);
        QVERIFY(!one.item->Modified());
        LoadedItem yes("Y");
        yes.item->SetAsBoolean(true);
        QCOMPARE(yes.item->Value(), QStringLiteral("1"));
        QVERIFY(yes.item->Modified());
    }

    void setValueTrimsAndComparesUntrimmed()
    {
        LoadedItem loaded("abc");
        loaded.item->SetValue("abc");
        QVERIFY(!loaded.item->Modified());
        loaded.item->SetValue("  abc ");
        QCOMPARE(loaded.item->Value(), QStringLiteral("abc"));
        QVERIFY(loaded.item->Modified());
    }

    void integersAndAmounts()
    {
        LoadedItem loaded("30");
        QCOMPARE(loaded.item->AsInteger(), 30);
        LoadedItem empty("");
        QCOMPARE(empty.item->AsInteger(), 0);
        QCOMPARE(empty.item->Value(), QStringLiteral("0"));
        LoadedItem amount("500");
        QCOMPARE(amount.item->AsCurrency(), std::int64_t(5000000));
        amount.item->SetAsCurrency(12345);
        QCOMPARE(amount.item->Value(), QStringLiteral("1.2345"));
        amount.item->SetAsInteger(-7);
        QCOMPARE(amount.item->Value(), QStringLiteral("-7"));
    }

    // SysData is shared by every till: floats go in with a point whatever the
    // workstation's locale, and a value written with a comma still reads.
    void floatsIgnoreTheWorkstationLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("English") << "en_US";
        QTest::newRow("German") << "de_DE";
        QTest::newRow("French") << "fr_FR";
    }
    void floatsIgnoreTheWorkstationLocale()
    {
        QFETCH(QString, locale);
        LocaleGuard guard;
        QLocale::setDefault(QLocale(locale));
        LoadedItem loaded("0");
        loaded.item->SetAsFloat(0.6);
        QCOMPARE(loaded.item->Value(), QStringLiteral("0.6"));
        loaded.item->SetAsFloat(1234.5);
        QCOMPARE(loaded.item->Value(), QStringLiteral("1234.5"));
        QCOMPARE(LoadedItem("0.6").item->AsFloat(), 0.6);
        QCOMPARE(LoadedItem("0,6").item->AsFloat(), 0.6);
        QCOMPARE(LoadedItem("2,25").item->AsCurrency(), std::int64_t(22500));
    }

    void findOrAddOfAMissingKeyInsertsExactlyThatRow()
    {
        pw::test::TestDatabase db;
        addRow(db, "GLOBAL", "A", "1");
        addRow(db, "GLOBAL", "B", "2");
        TSysData rows;
        rows.SetAdoConnection(&db.connection());
        rows.Load("GLOBAL");
        QCOMPARE(rows.FindOrAdd("GLOBAL", "A", "x")->Value(), QStringLiteral("1"));
        TSysDataItem* added = rows.FindOrAdd("GLOBAL", "C", "default");
        QCOMPARE(added->Value(), QStringLiteral("default"));
        QVERIFY(added->IsNew());
        QCOMPARE(db.count("SysData"), 2); // finding writes nothing
        QCOMPARE(rows.UpdateAll(), 0);
        QCOMPARE(TCollectionDBItem::executedCommands(), 1);
        QCOMPARE(db.count("SysData"), 3);
        QCOMPARE(db.scalar("SELECT Value FROM SysData WHERE Item = 'C'").toString(),
                 QStringLiteral("default"));
    }

    void findOrAddComparesExactly()
    {
        TSysData rows;
        TSysDataItem* upper = rows.FindOrAdd("GLOBAL", "DAY START", "05:00");
        QVERIFY(rows.FindOrAdd("GLOBAL", "day start", "05:00") != upper);
        QVERIFY(rows.FindOrAdd("global", "DAY START", "05:00") != upper);
        QCOMPARE(rows.FindOrAdd("GLOBAL", "DAY START", "other"), upper);
        QCOMPARE(rows.Count(), 3);
    }

    void anEmptyValue2IsSavedAsALoneNul()
    {
        pw::test::TestDatabase db;
        TSysData rows;
        rows.SetAdoConnection(&db.connection());
        TSysDataItem* item = rows.FindOrAdd("GLOBAL", "KEY", "value");
        rows.UpdateAll();
        QCOMPARE(item->Value2(), NulText());
        QCOMPARE(db.scalar("SELECT hex(Value2) FROM SysData").toString(), QStringLiteral("00"));

        TSysData again;
        again.SetAdoConnection(&db.connection());
        again.Load("GLOBAL");
        QCOMPARE(again.Count(), 1);
        QCOMPARE(again.Items(0)->Value2(), QString());
        QCOMPARE(again.Items(0)->Value(), QStringLiteral("value"));
    }

    void twoRowsWithOneKey()
    {
        pw::test::TestDatabase db;
        addRow(db, "GLOBAL", "K", "b");
        addRow(db, "GLOBAL", "K", "a");
        TSysData rows;
        rows.SetAdoConnection(&db.connection());
        rows.Load("GLOBAL");
        TSysDataItem* found = rows.FindOrAdd("GLOBAL", "K", "x");
        QCOMPARE(found->Value(), QStringLiteral("a"));
        found->SetValue("z");
        rows.UpdateAll();
        QCOMPARE(db.count("SysData", "Item = 'K' AND Value = 'z'"), 2);
    }

    void savingAKeyThatExistsUpdatesItsRow()
    {
        pw::test::TestDatabase db;
        addRow(db, "GLOBAL", "K", "old");
        TSysData rows;
        rows.SetAdoConnection(&db.connection());
        rows.FindOrAdd("GLOBAL", "K", "new"); // not loaded: a new item for a row that exists
        rows.UpdateAll();
        QCOMPARE(db.count("SysData"), 1);
        QCOMPARE(db.scalar("SELECT Value FROM SysData").toString(), QStringLiteral("new"));
    }

    // Other programs of the suite read the same three lines; the class is one quoted value.
    void loadRunsItsThreeLines()
    {
        pw::test::TestDatabase db;
        addRow(db, "O'Brien", "K", "1");
        TSysData rows;
        rows.SetAdoConnection(&db.connection());
        rows.Load("O'Brien");
        QCOMPARE(rows.AdoQuery.sql(), (QStringList{"SELECT * FROM SysData", "WHERE Class = 'O''Brien'",
                                                   "ORDER BY Item ASC, Value ASC, Value2 ASC"}));
        QCOMPARE(rows.Count(), 1);
        QVERIFY(!rows.Items(0)->Modified() && !rows.Items(0)->IsNew());
    }

    void loadOfAClassWithoutRowsKeepsTheItems()
    {
        pw::test::TestDatabase db;
        addRow(db, "GLOBAL", "K", "1");
        TSysData rows;
        rows.SetAdoConnection(&db.connection());
        rows.Load("GLOBAL");
        rows.Load("7");
        QCOMPARE(rows.Count(), 1);
        QCOMPARE(rows.Items(0)->Class(), QStringLiteral("GLOBAL"));
    }

    void quotesAreWrittenAndReadUnchanged()
    {
        pw::test::TestDatabase db;
        TSysData rows;
        rows.SetAdoConnection(&db.connection());
        rows.FindOrAdd("O'Brien's", "O'KEY", "it's 'quoted'");
        rows.UpdateAll();
        TSysData again;
        again.SetAdoConnection(&db.connection());
        again.Load("O'Brien's");
        QCOMPARE(again.Count(), 1);
        QCOMPARE(again.Items(0)->Item(), QStringLiteral("O'KEY"));
        QCOMPARE(again.Items(0)->Value(), QStringLiteral("it's 'quoted'"));
        // The class is one value, never SQL.
        again.Load("x' OR '1'='1");
        QCOMPARE(again.Items(0)->Class(), QStringLiteral("O'Brien's"));
    }

    void savingWithoutClassOrKeyRaises_data()
    {
        QTest::addColumn<QString>("cls");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("message");
        QTest::newRow("class") << ""
                               << "KEY"
                               << "TSysDataItem.Class not set";
        QTest::newRow("key") << "GLOBAL"
                             << ""
                             << "TSysDataItem.Item not set";
    }
    void savingWithoutClassOrKeyRaises()
    {
        QFETCH(QString, cls);
        QFETCH(QString, key);
        QFETCH(QString, message);
        pw::test::TestDatabase db;
        TSysData rows;
        rows.SetAdoConnection(&db.connection());
        TSysDataItem* item = rows.FindOrAdd(cls, key, "1");
        try {
            item->Update();
            QFAIL("no error");
        } catch (const EZQException& e) {
            QCOMPARE(e.message(), message);
            QCOMPARE(e.RaisedIn, QStringLiteral("TSysDataItem.Update"));
        }
        QVERIFY(item->IsNew()); // a later save tries again
        QCOMPARE(db.count("SysData"), 0);
    }

    void theSaveStatementIsTheDialects()
    {
        QCOMPARE(
            pw::db::SqlServerDialect().sysDataUpsertText(),
            QStringLiteral("IF NOT EXISTS (SELECT NULL FROM SysData WHERE Class=:SClass AND Item=:SItem) "
                           "INSERT INTO SysData (Class, Item, Value, Value2) "
                           "VALUES(:IClass,:IItem,:IValue,:IValue2) ELSE UPDATE SysData SET Value = "
                           ":UValue,Value2 = :UValue2 WHERE Class=:UClass AND Item=:UItem"));
        pw::test::TestDatabase db;
        TSysData rows;
        rows.SetAdoConnection(&db.connection());
        TSysDataItem* item = rows.FindOrAdd("GLOBAL", "KEY", "1");
        QCOMPARE(item->Update(), 0);
        QCOMPARE(item->AdoCommand.commandText(), db.connection().dialect().sysDataUpsertText());
        QCOMPARE(item->AdoCommand.parameters().count(), 10);
        QVERIFY(!item->Modified() && !item->IsNew());
    }

private:
    static void addRow(pw::test::TestDatabase& db, const QString& cls, const QString& key,
                       const QString& value)
    {
        db.insert("SysData", {{"Class", cls}, {"Item", key}, {"Value", value}, {"Value2", ""}});
    }

    // A one-row dataset holding the value untouched.
    std::unique_ptr<pw::db::Query> ownRow(const QString& value)
    {
        m_db = std::make_unique<pw::test::TestDatabase>();
        addRow(*m_db, "GLOBAL", "KEY", value);
        auto query = std::make_unique<pw::db::Query>(&m_db->connection());
        query->setSql("SELECT * FROM SysData");
        query->open();
        return query;
    }

    std::unique_ptr<pw::test::TestDatabase> m_db;
};

QTEST_MAIN(TestSysData)
#include "test_sys_data.moc"
