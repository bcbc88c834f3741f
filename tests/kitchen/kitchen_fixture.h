#pragma once

#include "db/generic_db.h"
#include "kitchen/order_screen.h"
#include "platform_doubles.h"
#include "test_database.h"

#include <QDateTime>
#include <QList>
#include <QPair>

#include <memory>

namespace pw::test {

// A fresh shop database, the platform doubles, GenericDB on the database, and
// the order screen's outside world: the settings it reads and a label printer
// that records what it was asked to print.
struct KitchenFixture
{
    PlatformDoubles doubles;
    TestDatabase db;
    TGenericDB genericDb{&db.connection()};
    TPrepSettings settings;
    QList<QPair<int, int>> printed; // (invoice, order) per label run
    qint64 cashier = 0;             // an Attend row of a signed-in cashier

    KitchenFixture()
    {
        GenericDB = &genericDb;
        doubles.clock.set(at(QTime(18, 7)));
        const qint64 emp =
            db.insert(QStringLiteral("Employee"), {{QStringLiteral("FirstName"), QStringLiteral("  Anna ")},
                                                   {QStringLiteral("LastName"), QStringLiteral("O'Brien ")}});
        cashier = db.insert(QStringLiteral("Attend"), {{QStringLiteral("EmpNum"), emp}});
    }
    ~KitchenFixture() { GenericDB = nullptr; }
    KitchenFixture(const KitchenFixture&) = delete;
    KitchenFixture& operator=(const KitchenFixture&) = delete;

    static QDateTime at(const QTime& time, int dayOffset = 0)
    {
        return QDateTime(QDate(2026, 12, 11).addDays(dayOffset), time);
    }
    static QString text(const QDateTime& value)
    {
        return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }

    struct Order
    {
        QDateTime date = at(QTime(17, 30));
        QDateTime due = at(QTime(18, 0));
        QDateTime cooked;
        QDateTime oven = at(QTime(17, 40));
        int status = 0;
        QString name = QStringLiteral("Customer");
    };

    // Adds an order of the signed-in cashier; its invoice number.
    int addOrder(int orderNum, const Order& order) { return addOrder(orderNum, order, cashier); }
    int addOrder(int orderNum, const Order& order, qint64 cashierLink)
    {
        QVariantMap values{{QStringLiteral("Date"), text(order.date)},
                           {QStringLiteral("OrderNum"), orderNum},
                           {QStringLiteral("Telephone"), QStringLiteral("082 555 0101")},
                           {QStringLiteral("NotifyName"), order.name},
                           {QStringLiteral("TimeDue"), text(order.due)},
                           {QStringLiteral("Status"), order.status},
                           {QStringLiteral("CashierLink"), cashierLink}};
        if (order.cooked.isValid())
            values.insert(QStringLiteral("TimeStampCooked"), text(order.cooked));
        if (order.oven.isValid())
            values.insert(QStringLiteral("OvenTimeStamp"), text(order.oven));
        return static_cast<int>(db.insert(QStringLiteral("Invoices"), values));
    }
    int addOrder(int orderNum, const QTime& due)
    {
        Order order;
        order.due = at(due);
        return addOrder(orderNum, order);
    }

    void addLine(int invoiceNum, int lineNum, const QString& code, const QString& desc, double quantity = 1)
    {
        db.insert(QStringLiteral("LineItem"), {{QStringLiteral("InvoiceNum"), invoiceNum},
                                               {QStringLiteral("LineNum"), lineNum},
                                               {QStringLiteral("Quantity"), quantity},
                                               {QStringLiteral("Code"), code},
                                               {QStringLiteral("ItemDesc"), desc},
                                               {QStringLiteral("Size"), QStringLiteral("L")}});
    }

    std::unique_ptr<TOrderScreen> makeScreen()
    {
        return std::make_unique<TOrderScreen>(
            &db.connection(), [this] { return settings; },
            [this](int invoice, int order) {
                printed.append({invoice, order});
            });
    }

    // Order numbers of the list as the grid shows it.
    static QList<int> orderNums(TOrderScreen& screen)
    {
        QList<int> result;
        for (int row = 0; row < screen.InvoicesModel().rowCount(); ++row)
            result.append(screen.InvoicesModel().OrderNum(row));
        return result;
    }
    static int selectedOrder(TOrderScreen& screen)
    {
        return screen.InvoiceRow() < 0 ? -1 : screen.InvoicesModel().OrderNum(screen.InvoiceRow());
    }
    QVariant cooked(int invoiceNum)
    {
        return db.scalar(
            QStringLiteral("SELECT TimeStampCooked FROM Invoices WHERE InvoiceNum = %1").arg(invoiceNum));
    }
};

} // namespace pw::test
