// bench_kitchen: medians of the kitchen screen's three everyday costs.
//  1. One refresh of the preparing list (query, model rebuild, repaint offscreen)
//     with 1 000, 100 000 and 1 000 000 invoices of history and 200 orders today.
//  2. Marking one order of 10 items done: UPDATE, label layout into the PDF
//     printer double, refresh.
//  3. Start-up to the main window shown, on the demo database.

#include "db/generic_db.h"
#include "db/query.h"
#include "demo_data.h"
#include "kitchen/kitchen_labels.h"
#include "kitchen/main_form.h"
#include "kitchen/order_sql.h"
#include "kitchen/trading_day.h"
#include "platform/doubles/pdf_printers.h"
#include "platform/platform.h"
#include "platform_doubles.h"
#include "startup/program.h"
#include "test_database.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

QTextStream out(stdout);

const QDateTime kNow(QDate(2026, 12, 11), QTime(18, 7));

double medianMs(int runs, const std::function<void()>& prepare, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void exec(QSqlDatabase& db, const QString& sql)
{
    QSqlQuery query(db);
    if (!query.exec(sql))
        qFatal("%s: %s", qPrintable(sql.left(80)), qPrintable(query.lastError().text()));
}

// Invoices before today's trading day, spread over the last three years, each
// with a cashier's shift.
void addHistory(pw::test::TestDatabase& database, int from, int to)
{
    QSqlDatabase db = database.connection().database();
    exec(db, QStringLiteral("BEGIN"));
    exec(db,
         QStringLiteral(
             "WITH RECURSIVE n(i) AS (SELECT %1 UNION ALL SELECT i + 1 FROM n WHERE i < %2) "
             "INSERT INTO Invoices (\"Date\", OrderNum, Telephone, NotifyName, TimeDue, TimeStampCooked, "
             "OvenTimeStamp, Status, CashierLink) "
             "SELECT strftime('%Y-%m-%d %H:%M:%S', '2026-12-11 04:00:00', '-' || (i * 97) || ' seconds'), "
             "i % 1000, '082 555 0000', 'Customer ' || i, "
             "strftime('%Y-%m-%d %H:%M:%S', '2026-12-11 04:25:00', '-' || (i * 97) || ' seconds'), "
             "strftime('%Y-%m-%d %H:%M:%S', '2026-12-11 04:20:00', '-' || (i * 97) || ' seconds'), "
             "strftime('%Y-%m-%d %H:%M:%S', '2026-12-11 04:10:00', '-' || (i * 97) || ' seconds'), "
             "0, 1 + i % 4 FROM n")
             .arg(from)
             .arg(to));
    exec(db, QStringLiteral("COMMIT"));
}

void addStaffAndToday(pw::test::TestDatabase& database)
{
    QSqlDatabase db = database.connection().database();
    exec(db, QStringLiteral("BEGIN"));
    for (int e = 1; e <= 4; ++e) {
        exec(
            db,
            QStringLiteral("INSERT INTO Employee (FirstName, LastName) VALUES ('Cook', 'Number %1')").arg(e));
        exec(db, QStringLiteral("INSERT INTO Attend (EmpNum, InDateTime) VALUES (%1, '2026-12-11 08:00:00')")
                     .arg(e));
    }
    exec(db,
         QStringLiteral(
             "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200) "
             "INSERT INTO Invoices (\"Date\", OrderNum, Telephone, NotifyName, TimeDue, OvenTimeStamp, "
             "Status, "
             "CashierLink) "
             "SELECT strftime('%Y-%m-%d %H:%M:%S', '2026-12-11 17:00:00', '+' || (i * 15) || ' seconds'), "
             "100 + i, '082 555 0101', 'Today ' || i, "
             "strftime('%Y-%m-%d %H:%M:%S', '2026-12-11 17:30:00', '+' || (i * 15) || ' seconds'), "
             "'2026-12-11 17:10:00', 0, 1 + i % 4 FROM n"));
    exec(db, QStringLiteral("COMMIT"));
}

QString queryPlan(pw::test::TestDatabase& database)
{
    const QStringList sql = pw::kitchen::PreparingInvoicesSql(
        database.connection().dialect().dateTimeText(pw::kitchen::TradingDayStart(5.0 / 24, kNow)),
        database.connection().dialect().dateTimeText(pw::kitchen::TradingDayEnd(5.0 / 24, kNow)), false);
    QSqlQuery query(database.connection().database());
    query.exec(QStringLiteral("EXPLAIN QUERY PLAN ") + sql.join(QLatin1Char('\n')));
    QStringList steps;
    while (query.next())
        steps.append(query.value(3).toString());
    return steps.join(QStringLiteral("; "));
}

void benchRefresh(pw::test::PlatformDoubles& doubles)
{
    Q_UNUSED(doubles);
    pw::test::TestDatabase database;
    TGenericDB genericDb(&database.connection());
    GenericDB = &genericDb;
    addStaffAndToday(database);
    TMainFormServices services;
    services.Connection = &database.connection();
    services.Settings = [] { return TPrepSettings{}; };
    services.ProgramVersion = [] { return QStringLiteral("1.0.0.0"); };
    TfrmMain form(services);
    form.setWindowState(Qt::WindowNoState);
    form.resize(1280, 1024);
    form.show();

    int history = 0;
    for (int target : {1000, 100000, 1000000}) {
        addHistory(database, history + 1, target);
        history = target;
        const double ms = medianMs(31, nullptr, [&] {
            form.Screen().RefreshData();
            form.dbGridInvoices->viewport()->repaint();
        });
        out << QStringLiteral(
                   "refresh of the preparing list, %1 invoices of history, %2 today: median %3 ms\n")
                   .arg(history, 7)
                   .arg(form.dbGridInvoices->model()->rowCount())
                   .arg(ms, 0, 'f', 2);
        out.flush();
    }
    out << "  query plan: " << queryPlan(database) << '\n';

    // Marking done: an order of 10 labelled items, put back on the list before each run.
    pw::platform::PdfPrinters printers;
    pw::platform::setPrinters(&printers);
    TLabelSettings labelSettings;
    labelSettings.PrinterName = QStringLiteral("Label Printer");
    TKitchenLabels labels([&] { return labelSettings; });
    services.PrintLabels = [&](int invoice, int order) { labels.PrintLabels(invoice, order, QString()); };
    TfrmMain markForm(services);
    markForm.setWindowState(Qt::WindowNoState);
    markForm.resize(1280, 1024);
    markForm.show();
    QSqlDatabase db = database.connection().database();
    exec(db, QStringLiteral("INSERT INTO CatMenu (Description) VALUES ('Pizzas')"));
    exec(db, QStringLiteral("INSERT INTO CatMenu (Description) VALUES ('Extra')"));
    for (int p = 1; p <= 10; ++p) {
        exec(db, QStringLiteral("INSERT INTO Prices (Code, LabelDesc, \"Size\", CatMenuCode, Recipe) "
                                "VALUES ('P%1', 'Product %1', 'Large', %2, %1)")
                     .arg(p)
                     .arg(p % 3 == 0 ? 2 : 1));
        exec(db, QStringLiteral("INSERT INTO PricesLinkPrinters (fkPricesID) VALUES (%1)").arg(p));
    }
    exec(db, QStringLiteral(
                 "INSERT INTO Invoices (\"Date\", OrderNum, NotifyName, TimeDue, OvenTimeStamp, Status, "
                 "CashierLink) VALUES ('2026-12-11 16:00:00', 77, 'Marked', '2026-12-11 16:30:00', "
                 "'2026-12-11 16:10:00', 0, 1)"));
    const int invoice = database.scalar(QStringLiteral("SELECT MAX(InvoiceNum) FROM Invoices")).toInt();
    for (int line = 1; line <= 10; ++line)
        exec(db, QStringLiteral("INSERT INTO LineItem (InvoiceNum, LineNum, Quantity, Code, ItemDesc) "
                                "VALUES (%1, %2, 1, 'P%2', 'Product %2')")
                     .arg(invoice)
                     .arg(line));
    const double markMs = medianMs(
        21,
        [&] {
            exec(db, QStringLiteral("UPDATE Invoices SET TimeStampCooked = NULL WHERE InvoiceNum = %1")
                         .arg(invoice));
            markForm.Screen().RefreshData();
            const auto& model = markForm.Screen().InvoicesModel();
            for (int row = 0; row < model.rowCount(); ++row) {
                if (model.InvoiceNum(row) == invoice)
                    markForm.Screen().SelectInvoiceRow(row);
            }
        },
        [&] {
            markForm.Screen().MarkSelected();
            markForm.dbGridInvoices->viewport()->repaint();
        });
    out << QStringLiteral("marking an order of 10 items done (UPDATE, %1 label pages into the PDF double, "
                          "refresh), %2 invoices of history: median %3 ms\n")
               .arg(printers.jobs.back().pageCount)
               .arg(history)
               .arg(markMs, 0, 'f', 2);
    pw::platform::setPrinters(nullptr);
    GenericDB = nullptr;
}

void benchStartup(pw::test::PlatformDoubles& doubles)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("demo.db"));
    QString error;
    if (!pw::demodb::createDemoDatabase(file, kNow, doubles.systemInfo.computer, &error, true))
        qFatal("demo database: %s", qPrintable(error));
    const QString key = QStringLiteral("\\Software\\Zenquil\\Orvo");
    doubles.registry.openKey(key, true);
    doubles.registry.writeString(key, QStringLiteral("Msde-ConnectionString"),
                                 QStringLiteral("Provider=SQLite;Data Source=") + file);
    doubles.registry.writeBool(key, QStringLiteral("Msde-Failed"), false);
    int rows = 0;
    const double ms = medianMs(21, nullptr, [&] {
        pw::startup::TProgram program;
        if (program.Start(false) != pw::startup::StartOutcome::Ready)
            qFatal("the demo database did not start: %s", qPrintable(program.Steps.join(QLatin1Char(','))));
        frmMain->show();
        QCoreApplication::processEvents();
        rows = frmMain->dbGridInvoices->model()->rowCount();
    });
    out << QStringLiteral(
               "start-up to the main window shown, demo database (%1 orders listed): median %2 ms\n")
               .arg(rows)
               .arg(ms, 0, 'f', 2);
}

// Only the figures go to the terminal.
void quiet(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg || type == QtCriticalMsg)
        QTextStream(stderr) << message << '\n';
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(quiet);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    pw::test::PlatformDoubles doubles;
    doubles.clock.set(kNow);
    benchRefresh(doubles);
    benchStartup(doubles);
    if (doubles.modal.unanswered > 0)
        out << "note: " << doubles.modal.unanswered << " dialogs were shown and answered by the double\n";
    return 0;
}
