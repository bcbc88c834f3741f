#include "demo_data.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

namespace {

const QTime kDayStart(5, 0);

QString isoText(const QDateTime& value)
{
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// A demo database written for one moment, opened for reading.
class DemoDatabase
{
public:
    explicit DemoDatabase(const QDateTime& now, const QString& computerName = QStringLiteral("kitchen-pc"))
        : m_now(now)
    {
        m_file = m_dir.filePath(QStringLiteral("demo.db"));
        QString error;
        m_created = pw::demodb::createDemoDatabase(m_file, now, computerName, &error);
        m_error = error;
        m_name = QStringLiteral("demo-") + QUuid::createUuid().toString();
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(m_file);
        db.open();
    }
    ~DemoDatabase() { QSqlDatabase::removeDatabase(m_name); }

    bool created() const { return m_created; }
    const QString& error() const { return m_error; }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

    QVariant scalar(const QString& sql) const
    {
        QSqlQuery query(db());
        if (!query.exec(sql))
            qFatal("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
        return query.next() ? query.value(0) : QVariant();
    }

    QList<QVariantList> rows(const QString& sql) const
    {
        QSqlQuery query(db());
        if (!query.exec(sql))
            qFatal("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
        QList<QVariantList> result;
        while (query.next()) {
            QVariantList row;
            for (int i = 0; i < query.record().count(); ++i)
                row.append(query.value(i));
            result.append(row);
        }
        return result;
    }

    // The trading day around the moment the database was written for.
    QDateTime dayStart() const
    {
        const QDate day = m_now.time() < kDayStart ? m_now.date().addDays(-1) : m_now.date();
        return QDateTime(day, kDayStart);
    }

    // The kitchen screen's order list of the current trading day.
    QList<QVariantList> orderList(bool finished, bool ovenMonitor) const
    {
        QStringList sql = {
            "SELECT Invoices.InvoiceNum, Invoices.Date, Invoices.OrderNum,",
            "       Invoices.Telephone, Invoices.NotifyName, Invoices.TimeDue,",
            "       Employee.Firstname, Employee.Lastname, TimeStampCooked",
            "FROM Invoices, Attend, Employee",
            "WHERE Invoices.CashierLink = Attend.InvoiceLink",
            "   AND Attend.EmpNum = Employee.EmpNum",
            "   AND Invoices.Date >= '" + isoText(dayStart()) + "'",
            "   AND Invoices.Date < '" + isoText(dayStart().addDays(1)) + "'",
        };
        if (finished) {
            sql << "   AND TimeStampCooked IS NOT NULL"
                << "   AND Status = 0"
                << "ORDER BY TimeDue DESC";
        } else {
            sql << "   AND TimeStampCooked is NULL";
            if (ovenMonitor)
                sql << "   AND OvenTimeStamp is not NULL";
            sql << "   AND Status = 0"
                << "ORDER BY TimeDue";
        }
        return rows(sql.join(QLatin1Char('\n')));
    }

private:
    QDateTime m_now;
    QTemporaryDir m_dir;
    QString m_file;
    QString m_name;
    QString m_error;
    bool m_created = false;
};

const QDateTime kEvening(QDate(2024, 5, 1), QTime(19, 30));

} // namespace

class TestDemoData : public QObject
{
    Q_OBJECT

private slots:
    void aTradingDayOfOrders();
    void everyCashierResolves();
    void thisComputerIsTillOne();
    void oneToSixLinesPerOrder();
    void noLabelPrinterAtTillOne();
    void orderListsAtAnyHour_data();
    void orderListsAtAnyHour();
    void dueAndLateOrdersAtTheEvening();
    void labelTextsAndExtras();
    void staffAndRights();
    void refusesAnExistingFile();
    void failureLeavesNoFile();
};

void TestDemoData::aTradingDayOfOrders()
{
    DemoDatabase demo(kEvening);
    QVERIFY2(demo.created(), qPrintable(demo.error()));
    const int invoices = demo.scalar(QStringLiteral("SELECT COUNT(*) FROM Invoices")).toInt();
    QVERIFY2(invoices >= 35 && invoices <= 45, qPrintable(QString::number(invoices)));
    // Order numbers and invoice numbers both follow the order times within the day.
    QCOMPARE(demo.scalar(QStringLiteral("SELECT COUNT(*) FROM Invoices a JOIN Invoices b "
                                        "ON a.InvoiceNum < b.InvoiceNum AND a.Date > b.Date"))
                 .toInt(),
             0);
}

void TestDemoData::everyCashierResolves()
{
    DemoDatabase demo(kEvening);
    QVERIFY2(demo.created(), qPrintable(demo.error()));
    QCOMPARE(demo.scalar(QStringLiteral("SELECT COUNT(*) FROM Invoices, Attend, Employee "
                                        "WHERE Invoices.CashierLink = Attend.InvoiceLink "
                                        "AND Attend.EmpNum = Employee.EmpNum"))
                 .toInt(),
             demo.scalar(QStringLiteral("SELECT COUNT(*) FROM Invoices")).toInt());
}

void TestDemoData::thisComputerIsTillOne()
{
    DemoDatabase demo(kEvening, QStringLiteral("Kitchen-PC"));
    QVERIFY2(demo.created(), qPrintable(demo.error()));
    QCOMPARE(demo.rows(QStringLiteral("SELECT TillID FROM Tills WHERE \"Computer Name\" = 'KITCHEN-PC'")),
             (QList<QVariantList>{{1}}));
    QCOMPARE(demo.scalar(QStringLiteral("SELECT COUNT(*) FROM Tills WHERE TillID = 1")).toInt(), 1);

    // A computer that happens to carry the second till's name is still only till 1.
    DemoDatabase clash(kEvening, QStringLiteral("counter2"));
    QVERIFY2(clash.created(), qPrintable(clash.error()));
    QCOMPARE(clash.rows(QStringLiteral("SELECT TillID FROM Tills WHERE \"Computer Name\" = 'COUNTER2'")),
             (QList<QVariantList>{{1}}));
}

void TestDemoData::oneToSixLinesPerOrder()
{
    DemoDatabase demo(kEvening);
    QVERIFY2(demo.created(), qPrintable(demo.error()));
    const QList<QVariantList> perInvoice = demo.rows(
        QStringLiteral("SELECT COUNT(LineItem.InvoiceNum), MIN(LineNum), MAX(LineNum) "
                       "FROM Invoices LEFT JOIN LineItem ON LineItem.InvoiceNum = Invoices.InvoiceNum "
                       "GROUP BY Invoices.InvoiceNum"));
    QSet<int> counts;
    for (const QVariantList& row : perInvoice) {
        const int count = row[0].toInt();
        QVERIFY2(count >= 1 && count <= 6, qPrintable(QString::number(count)));
        QCOMPARE(row[1].toInt(), 1);
        QCOMPARE(row[2].toInt(), count);
        counts.insert(count);
    }
    QCOMPARE(counts, (QSet<int>{1, 2, 3, 4, 5, 6}));
    // Every line names a product of the price list.
    QCOMPARE(demo.scalar(QStringLiteral(
                             "SELECT COUNT(*) FROM LineItem WHERE Code NOT IN (SELECT Code FROM Prices)"))
                 .toInt(),
             0);
}

void TestDemoData::noLabelPrinterAtTillOne()
{
    DemoDatabase demo(kEvening);
    QVERIFY2(demo.created(), qPrintable(demo.error()));
    const QString nul(1, QChar(u'\0'));
    QCOMPARE(demo.rows(QStringLiteral(
                 "SELECT Value, Value2 FROM SysData WHERE Class = '1' AND Item = 'PLABEL DEV'")),
             (QList<QVariantList>{{nul, nul}}));
    // Every other setting is left to its default.
    QCOMPARE(demo.scalar(QStringLiteral("SELECT COUNT(*) FROM SysData")).toInt(), 1);
}

void TestDemoData::orderListsAtAnyHour_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::newRow("evening") << kEvening;
    QTest::newRow("noon") << QDateTime(QDate(2024, 5, 1), QTime(12, 0));
    QTest::newRow("after midnight") << QDateTime(QDate(2024, 5, 2), QTime(2, 0));
    QTest::newRow("minutes after the day starts") << QDateTime(QDate(2024, 5, 1), QTime(5, 3, 20));
    QTest::newRow("the second the day starts") << QDateTime(QDate(2024, 5, 1), QTime(5, 0));
    QTest::newRow("just before the day starts") << QDateTime(QDate(2024, 5, 1), QTime(4, 59, 59));
}

void TestDemoData::orderListsAtAnyHour()
{
    QFETCH(QDateTime, now);
    DemoDatabase demo(now);
    QVERIFY2(demo.created(), qPrintable(demo.error()));
    // 22 orders wait (two not yet in the oven), 16 are done; a voided order and
    // yesterday's two show in neither list.
    QCOMPARE(demo.orderList(false, false).size(), 22);
    QCOMPARE(demo.orderList(false, true).size(), 20);
    QCOMPARE(demo.orderList(true, false).size(), 16);
    // Nothing lies in the future of the moment the database was written for.
    const QString nowText = isoText(now);
    for (const char* column : {"Date", "OvenTimeStamp", "TimeStampCooked"})
        QCOMPARE(demo.scalar(QStringLiteral("SELECT COUNT(*) FROM Invoices WHERE %1 > '%2'")
                                 .arg(QString::fromLatin1(column), nowText))
                     .toInt(),
                 0);
    QCOMPARE(demo.scalar(QStringLiteral("SELECT COUNT(*) FROM Attend WHERE InDateTime > '%1'").arg(nowText))
                 .toInt(),
             0);
}

void TestDemoData::dueAndLateOrdersAtTheEvening()
{
    DemoDatabase demo(kEvening);
    QVERIFY2(demo.created(), qPrintable(demo.error()));
    // The kitchen's colours at minute precision with the default twelve minutes
    // of preparation: due from the due minute, late from seven minutes after it.
    const QString format = QStringLiteral("yyyyMMdd HH:mm");
    const QString reference = kEvening.toString(format);
    int upcoming = 0;
    int due = 0;
    int late = 0;
    for (const QVariantList& row : demo.orderList(false, false)) {
        const QDateTime timeDue =
            QDateTime::fromString(row[5].toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        const QString d = timeDue.toString(format);
        const QString h = timeDue.addSecs(6 * 60).toString(format);
        if (reference < d)
            ++upcoming;
        else if (reference <= h)
            ++due;
        else
            ++late;
    }
    QCOMPARE(upcoming, 10);
    QCOMPARE(due, 5);
    QCOMPARE(late, 7);
}

void TestDemoData::labelTextsAndExtras()
{
    DemoDatabase demo(kEvening);
    QVERIFY2(demo.created(), qPrintable(demo.error()));
    // The label printing's query, for every order: drinks carry no label text or
    // printer link and never appear; extras come after a product of their order.
    int labelled = 0;
    int extras = 0;
    for (const QVariantList& invoice : demo.rows(QStringLiteral("SELECT InvoiceNum FROM Invoices"))) {
        const QList<QVariantList> lines = demo.rows(
            "SELECT LineItem.LineNum, Prices.LabelDesc, Prices.[Size], Catmenu.Description FROM Prices JOIN "
            "LineItem ON LineItem.Code = Prices.Code JOIN CatMenu ON Prices.CatMenuCode = "
            "CatMenu.CatMenuCode JOIN "
            "PricesLinkPrinters ON Prices.Recipe = PricesLinkPrinters.fkPricesID WHERE LineItem.InvoiceNum "
            "= " +
            invoice[0].toString() +
            " AND LabelDesc IS NOT NULL AND LabelDesc <> '' GROUP BY LineItem.LineNum, Prices.LabelDesc, "
            "Prices.[Size], Catmenu.Description ORDER BY LineItem.LineNum");
        bool product = false;
        for (const QVariantList& line : lines) {
            const QString category = line[3].toString();
            QVERIFY(category != QLatin1String("DRINKS"));
            if (category == QLatin1String("EXTRA") || category == QLatin1String("NONE")) {
                QVERIFY2(product, qPrintable(invoice[0].toString()));
                ++extras;
            } else {
                product = true;
            }
            ++labelled;
        }
    }
    QVERIFY(labelled > 40);
    QVERIFY(extras > 5);
}

void TestDemoData::staffAndRights()
{
    DemoDatabase demo(kEvening);
    QVERIFY2(demo.created(), qPrintable(demo.error()));
    QCOMPARE(demo.scalar(QStringLiteral("SELECT COUNT(*) FROM Employee WHERE LastName = 'O''Brien'")).toInt(),
             1);
    QCOMPARE(demo.rows(QStringLiteral("SELECT ActCode FROM ActCodes ORDER BY ActCode")),
             (QList<QVariantList>{{"AT020"}, {"CA150"}, {"CL010"}, {"GL020"}, {"GL110"}, {"IN010"}}));
    // The manager holds GL020 and is on shift inside today's trading day, so the
    // settings open without a clock-in.
    const QString start = demo.dayStart().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    const QString end = demo.dayStart().addDays(1).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    QCOMPARE(demo.rows(QStringLiteral("SELECT Employee.LastName, Attend.ClockedOut FROM Employee "
                                      "JOIN Attend ON Employee.Empnum = Attend.Empnum "
                                      "JOIN EmpCat ON Employee.Category = EmpCat.Category "
                                      "JOIN Permiss ON Permiss.EmpCat = Employee.Category "
                                      "WHERE Employee.Password = '%1' AND Permiss.AccessCode = 'GL020' "
                                      "AND (indatetime > '%2' AND indatetime < '%3')")
                           .arg(QString::fromLatin1(pw::demodb::kManagerPassword), start, end)),
             (QList<QVariantList>{{"Mokoena", 0}}));
    QCOMPARE(demo.scalar(QStringLiteral("SELECT COUNT(*) FROM Permiss WHERE AccessCode = 'GL020'")).toInt(),
             1);
    QVERIFY(demo.scalar(QStringLiteral("SELECT COUNT(*) FROM Printers")).toInt() >= 2);
}

void TestDemoData::refusesAnExistingFile()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("keep.db"));
    {
        QFile existing(file);
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("keep me");
    }
    QString error;
    QVERIFY(!pw::demodb::createDemoDatabase(file, kEvening, QStringLiteral("kitchen-pc"), &error));
    QCOMPARE(error, QStringLiteral("The demo database was not created: the file \"") +
                        QDir::toNativeSeparators(file) + QStringLiteral("\" already exists"));
    QFile existing(file);
    QVERIFY(existing.open(QIODevice::ReadOnly));
    QCOMPARE(existing.readAll(), QByteArray("keep me"));
    existing.close();

    QVERIFY2(pw::demodb::createDemoDatabase(file, kEvening, QStringLiteral("kitchen-pc"), &error, true),
             qPrintable(error));
    QVERIFY(existing.open(QIODevice::ReadOnly));
    QVERIFY(existing.readAll().startsWith("SQLite format 3"));
}

void TestDemoData::failureLeavesNoFile()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("missing/demo.db"));
    QString error;
    QVERIFY(!pw::demodb::createDemoDatabase(file, kEvening, QStringLiteral("kitchen-pc"), &error));
    QVERIFY2(error.startsWith(QStringLiteral("The demo database \"") + QDir::toNativeSeparators(file) +
                              QStringLiteral("\" was not created: ")),
             qPrintable(error));
    QVERIFY(!QFile::exists(file));
}

QTEST_GUILESS_MAIN(TestDemoData)
#include "test_demo_data.moc"
