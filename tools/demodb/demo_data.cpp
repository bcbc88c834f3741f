#include "demo_data.h"

#include "db/schema/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <algorithm>
#include <iterator>
#include <optional>
#include <vector>

namespace pw::demodb {

namespace {

// The suite's trading day starts at its default "DAY START"; the demo stores no
// GLOBAL settings, so the programs fall back to the same time.
const QTime kDayStart(5, 0);

// Orders of the current trading day: cooked, late, due, not yet due, voided.
constexpr int kCookedOrders = 16;
constexpr int kLateOrders = 7;
constexpr int kDueOrders = 5;
constexpr int kUpcomingOrders = 10;
constexpr int kUpcomingWithoutOven = 2;
constexpr int kTodayOrders = kCookedOrders + kLateOrders + kDueOrders + kUpcomingOrders + 1;

QString timeText(const QDateTime& value)
{
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QVariant timeValue(const std::optional<QDateTime>& value)
{
    return value ? QVariant(timeText(*value)) : QVariant();
}

// An empty text as the suite's table classes store it.
QString nulText()
{
    return QString(1, QChar(u'\0'));
}

enum Category
{
    Pizza = 1,
    Burgers,
    Sides,
    Drinks,
    Extra,
    Instruction
};

// CatMenu rows in CatMenuCode order; the label printing treats EXTRA and NONE
// rows as belonging to the product before them.
const char* const kCategories[] = {"PIZZA", "BURGERS", "SIDES", "DRINKS", "EXTRA", "NONE"};

enum PrinterLink
{
    NoPrinter = 0,
    KitchenPrinter = 1,
    OvenPrinter = 2
};

struct Product
{
    const char* code;
    const char* itemDesc;
    const char* label; // nullptr: the product has no label text
    const char* size;
    Category category;
    int printers; // PrinterLink bits
};

const Product kProducts[] = {
    {"PZMARS", "Margherita Small", "Margherita", "Small", Pizza, KitchenPrinter | OvenPrinter},
    {"PZMARM", "Margherita Medium", "Margherita", "Med", Pizza, KitchenPrinter | OvenPrinter},
    {"PZMARL", "Margherita Large", "Margherita", "Large", Pizza, KitchenPrinter | OvenPrinter},
    {"PZHAWM", "Hawaiian Medium", "Hawaiian", "Med", Pizza, KitchenPrinter | OvenPrinter},
    {"PZHAWL", "Hawaiian Large", "Hawaiian", "Large", Pizza, KitchenPrinter | OvenPrinter},
    {"PZPEPM", "Pepperoni Medium", "Pepperoni", "Med", Pizza, KitchenPrinter | OvenPrinter},
    {"PZPEPL", "Pepperoni Large", "Pepperoni", "Large", Pizza, KitchenPrinter | OvenPrinter},
    {"PZVEGM", "Veggie Supreme Medium", "Veggie Supreme", "Med", Pizza, KitchenPrinter | OvenPrinter},
    {"BGCLAS", "Classic Burger", "Classic Burger", "Reg", Burgers, KitchenPrinter},
    {"BGCHSE", "Cheese Burger", "Cheese Burger", "Reg", Burgers, KitchenPrinter},
    {"BGCHKN", "Chicken Burger", "Chicken Burger", "Reg", Burgers, KitchenPrinter},
    {"SDCHPR", "Chips Regular", "Chips", "Reg", Sides, KitchenPrinter},
    {"SDCHPL", "Chips Large", "Chips", "Large", Sides, KitchenPrinter},
    {"SDWNG6", "Chicken Wings x6", "Wings x6", "", Sides, KitchenPrinter},
    {"DRCOLA", "Cola 330ml", "", "", Drinks, NoPrinter},
    {"DRWATR", "Still Water 500ml", nullptr, "", Drinks, NoPrinter},
    {"EXCHSE", "Extra Cheese", "Cheese", "", Extra, KitchenPrinter | OvenPrinter},
    {"EXHAM", "Extra Ham", "Ham", "", Extra, KitchenPrinter | OvenPrinter},
    {"EXPINE", "Extra Pineapple", "Pineapple", "", Extra, KitchenPrinter | OvenPrinter},
    {"EXMUSH", "Extra Mushroom", "Mushroom", "", Extra, KitchenPrinter | OvenPrinter},
    {"EXJALA", "Extra Jalapeno", "Jalapeno", "", Extra, KitchenPrinter | OvenPrinter},
    {"EXBACN", "Extra Bacon", "Bacon", "", Extra, KitchenPrinter},
    {"INNOON", "No Onions", "No Onions", "", Instruction, KitchenPrinter},
};
constexpr int kProductCount = int(std::size(kProducts));

// Positions in kProducts by kind, for composing orders.
const int kPizzas[] = {0, 1, 2, 3, 4, 5, 6, 7};
const int kBurgers[] = {8, 9, 10};
const int kSides[] = {11, 12, 13};
const int kDrinks[] = {14, 15};
const int kPizzaExtras[] = {16, 17, 18, 19, 20};
const int kBurgerExtras[] = {16, 21, 22};

const char* const kCustomers[] = {
    "Naledi Khumalo", "Ryan D'Angelo", "Aisha Patel",   "Johan Botha",    "Lerato Mahlangu",
    "Kevin O'Connor", "Fatima Adams",  "Thabo Nkosi",   "Megan Pillay",   "Ahmed Cassim",
    "Zanele Dube",    "Chris Fourie",  "Priya Reddy",   "Lindiwe Zulu",   "Marco Rossi",
    "Nomsa Sithole",  "Grant Jacobs",  "Yusuf Ebrahim", "Carla Ferreira", "Bongani Mthembu",
};

// Line counts of consecutive orders; every count from 1 to 6 occurs.
const int kLineCounts[] = {2, 1, 3, 6, 2, 4, 1, 3, 5, 2, 1, 3};

// Deterministic, so the same clock always gives the same database.
class Dice
{
public:
    int roll(int sides)
    {
        m_state = m_state * 1103515245u + 12345u;
        return int((m_state >> 16) & 0x7fff) % sides;
    }
    template <std::size_t N> int pick(const int (&from)[N]) { return from[roll(int(N))]; }

private:
    quint32 m_state = 20240501u;
};

// Inserts rows with bound values; after the first failure every further insert
// is skipped and the failure is kept for the caller.
class Writer
{
public:
    explicit Writer(const QSqlDatabase& db) : m_db(db) {}

    qint64 insert(const QString& table, const QStringList& columns, const QVariantList& values)
    {
        if (!m_error.isEmpty())
            return -1;
        QStringList quoted;
        for (const QString& column : columns)
            quoted.append(QLatin1Char('"') + column + QLatin1Char('"'));
        const QString sql = QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") +
                            quoted.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                            QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", ")) +
                            QLatin1Char(')');
        QSqlQuery query(m_db);
        if (!query.prepare(sql)) {
            m_error = QStringLiteral("Could not prepare an insert into ") + table + QStringLiteral(": ") +
                      query.lastError().text();
            return -1;
        }
        for (const QVariant& value : values)
            query.addBindValue(value);
        if (!query.exec()) {
            m_error = QStringLiteral("Could not insert into ") + table + QStringLiteral(": ") +
                      query.lastError().text();
            return -1;
        }
        return query.lastInsertId().toLongLong();
    }

    QString error() const { return m_error; }

private:
    QSqlDatabase m_db;
    QString m_error;
};

struct OrderPlan
{
    QDateTime date;
    QDateTime due;
    std::optional<QDateTime> oven;
    std::optional<QDateTime> cooked;
    int status = 0;
    bool previousDay = false;
};

struct Staff
{
    qint64 manager = 0;
    qint64 cashierOBrien = 0;
    qint64 cashierVanDerMerwe = 0;
    qint64 driver = 0;
    qint64 cook = 0;
    qint64 inactive = 0;
};

struct Shifts
{
    qint64 yesterdayCashier = 0;
    std::vector<qint64> todayCashiers;
    qint64 driver = 0;
};

void writeMenu(Writer& out)
{
    for (const char* description : kCategories)
        out.insert(QStringLiteral("CatMenu"), {QStringLiteral("Description")},
                   {QString::fromUtf8(description)});

    // Printer 1 is the kitchen slip printer, 2 the pizza oven's; both are production printers.
    const QStringList printerColumns = {QStringLiteral("Name"),
                                        QStringLiteral("Category"),
                                        QStringLiteral("Model"),
                                        QStringLiteral("Type"),
                                        QStringLiteral("PageLength"),
                                        QStringLiteral("PageWidth"),
                                        QStringLiteral("FooterHeight"),
                                        QStringLiteral("PrintLateVoucher"),
                                        QStringLiteral("ExtendedProductionSlip")};
    out.insert(QStringLiteral("Printers"), printerColumns,
               {QStringLiteral("Kitchen"), 1, 0, 1, 26, 40, 3, 1, 1});
    out.insert(QStringLiteral("Printers"), printerColumns,
               {QStringLiteral("Pizza Oven"), 1, 0, 1, 26, 40, 3, 0, 0});
    out.insert(QStringLiteral("Printers"), printerColumns,
               {QStringLiteral("Front Counter"), 0, 0, 2, 26, 48, 5, 0, 0});
    out.insert(QStringLiteral("Printers"), printerColumns,
               {QStringLiteral("Card Machine"), 2, 1, 1, 26, 32, 2, 0, 0});

    for (int i = 0; i < kProductCount; ++i) {
        const Product& product = kProducts[i];
        const int recipe = i + 1;
        out.insert(QStringLiteral("Prices"),
                   {QStringLiteral("Code"), QStringLiteral("LabelDesc"), QStringLiteral("Size"),
                    QStringLiteral("CatMenuCode"), QStringLiteral("Recipe")},
                   {QString::fromUtf8(product.code),
                    product.label ? QVariant(QString::fromUtf8(product.label)) : QVariant(),
                    QString::fromUtf8(product.size), int(product.category), recipe});
        for (int printer : {KitchenPrinter, OvenPrinter}) {
            if (product.printers & printer)
                out.insert(QStringLiteral("PricesLinkPrinters"),
                           {QStringLiteral("fkPricesID"), QStringLiteral("fkPrintersID")}, {recipe, printer});
        }
    }

    const char* const departments[] = {"Pizza", "Burgers", "Sides", "Beverages"};
    for (const char* department : departments)
        out.insert(QStringLiteral("Departments"), {QStringLiteral("Description")},
                   {QString::fromUtf8(department)});

    out.insert(QStringLiteral("reportgroup"),
               {QStringLiteral("Description"), QStringLiteral("Royalty"), QStringLiteral("Advertising")},
               {QStringLiteral("DEFAULT"), 6.0, 2.0});
    out.insert(QStringLiteral("reportgroup"),
               {QStringLiteral("Description"), QStringLiteral("Royalty"), QStringLiteral("Advertising")},
               {QStringLiteral("DELIVERY"), 5.0, 1.5});
}

void writeTills(Writer& out, const QString& computerName)
{
    const QStringList columns = {QStringLiteral("TillID"), QStringLiteral("Computer Name"),
                                 QStringLiteral("HD Serial"), QStringLiteral("Login Name")};
    const QString thisComputer = computerName.trimmed().toUpper();
    const qint64 thisTill =
        out.insert(QStringLiteral("Tills"), columns,
                   {1, thisComputer, QStringLiteral("1A2B-3C4D"), QStringLiteral("KITCHEN")});
    const QString counter = QStringLiteral("COUNTER2");
    if (thisComputer != counter)
        out.insert(QStringLiteral("Tills"), columns,
                   {2, counter, QStringLiteral("5E6F-7A8B"), QStringLiteral("FRONT")});

    // No label printer at the kitchen till: marking an order done prints nothing.
    out.insert(
        QStringLiteral("SysData"),
        {QStringLiteral("Class"), QStringLiteral("Item"), QStringLiteral("Value"), QStringLiteral("Value2")},
        {QStringLiteral("1"), QStringLiteral("PLABEL DEV"), nulText(), nulText()});

    const QStringList linkColumns = {QStringLiteral("fkTillsID"),       QStringLiteral("fkPrintersID"),
                                     QStringLiteral("Device"),          QStringLiteral("DirectToPort"),
                                     QStringLiteral("Copies"),          QStringLiteral("ReportFileName"),
                                     QStringLiteral("PrintLinePrices"), QStringLiteral("PrintKitchenTotals")};
    out.insert(QStringLiteral("TillsLinkPrinters"), linkColumns,
               {thisTill, KitchenPrinter, nulText(), 0, 1, QString(), 0, 0});
    out.insert(QStringLiteral("TillsLinkPrinters"), linkColumns,
               {thisTill, 3, nulText(), 0, 1, QString(), 1, 1});

    for (int department = 1; department <= 4; ++department)
        out.insert(QStringLiteral("TillsLinkDepartments"),
                   {QStringLiteral("fkTillsID"), QStringLiteral("fkDepartmentID"), QStringLiteral("Active")},
                   {1, QString::number(department), 1});

    out.insert(QStringLiteral("IPADDRESS"), {QStringLiteral("Address")}, {QStringLiteral("127.0.0.1")});
    // 1.0.0.0 as the suite numbers its versions.
    out.insert(QStringLiteral("VersionInfo"), {QStringLiteral("Ver")}, {QStringLiteral("1100000000")});
}

void writeAccess(Writer& out)
{
    const QStringList categoryColumns = {QStringLiteral("Category"), QStringLiteral("Descriptn")};
    out.insert(QStringLiteral("EmpCat"), categoryColumns, {QStringLiteral("MGR"), QStringLiteral("Manager")});
    out.insert(QStringLiteral("EmpCat"), categoryColumns, {QStringLiteral("CSH"), QStringLiteral("Cashier")});
    out.insert(QStringLiteral("EmpCat"), categoryColumns, {QStringLiteral("DRV"), QStringLiteral("Driver")});
    out.insert(QStringLiteral("EmpCat"), categoryColumns, {QStringLiteral("KIT"), QStringLiteral("Kitchen")});

    struct Code
    {
        const char* code;
        const char* description;
        bool logThis;
    };
    const Code codes[] = {
        {"GL020", "ACCESS SETTINGS", true},
        {"GL110", "RESTORE SETTINGS", true},
        {"CA150", "EXCLUDE EXTERNAL LOCATION SALES", true},
        {"CL010", "CHANGE CLOCK TIMES", true},
        {"AT020", "ATTENDANCE", false},
        {"IN010", "INVOICING", false},
    };
    for (const Code& code : codes)
        out.insert(QStringLiteral("ActCodes"),
                   {QStringLiteral("ActCode"), QStringLiteral("Descriptn"), QStringLiteral("ForceLog"),
                    QStringLiteral("TempFlag"), QStringLiteral("LogThis"), QStringLiteral("ReqPermiss"),
                    QStringLiteral("LockedOut")},
                   {QString::fromUtf8(code.code), QString::fromUtf8(code.description), 0, 0,
                    code.logThis ? 1 : 0, 1, 0});

    struct Right
    {
        const char* category;
        const char* code;
    };
    const Right rights[] = {
        {"MGR", "AT020"}, {"MGR", "CA150"}, {"MGR", "CL010"}, {"MGR", "GL020"}, {"MGR", "GL110"},
        {"MGR", "IN010"}, {"CSH", "AT020"}, {"CSH", "IN010"}, {"DRV", "AT020"}, {"KIT", "AT020"},
    };
    for (const Right& right : rights)
        out.insert(QStringLiteral("Permiss"), {QStringLiteral("EmpCat"), QStringLiteral("AccessCode")},
                   {QString::fromUtf8(right.category), QString::fromUtf8(right.code)});
}

Staff writeEmployees(Writer& out, const QDateTime& now)
{
    const QStringList columns = {QStringLiteral("FirstName"),
                                 QStringLiteral("LastName"),
                                 QStringLiteral("Category"),
                                 QStringLiteral("Password"),
                                 QStringLiteral("InvoicePassword"),
                                 QStringLiteral("Active"),
                                 QStringLiteral("DoesDeliveries"),
                                 QStringLiteral("Waiter"),
                                 QStringLiteral("HourlyRate"),
                                 QStringLiteral("KmRate"),
                                 QStringLiteral("Telephone"),
                                 QStringLiteral("Street"),
                                 QStringLiteral("Suburb"),
                                 QStringLiteral("Date"),
                                 QStringLiteral("DatePasswordChanged"),
                                 QStringLiteral("DateInvoicePasswordChanged")};
    const QString hired = timeText(QDateTime(now.date().addDays(-400), QTime(9, 0), Qt::UTC));
    const QString changed = timeText(QDateTime(now.date().addDays(-10), QTime(9, 0), Qt::UTC));

    const auto add = [&](const char* first, const char* last, const char* category, const char* password,
                         const char* invoicePassword, bool active, bool driver, double rate, double kmRate,
                         const char* phone) {
        return out.insert(QStringLiteral("Employee"), columns,
                          {QString::fromUtf8(first), QString::fromUtf8(last), QString::fromUtf8(category),
                           QString::fromUtf8(password), QString::fromUtf8(invoicePassword), active ? 1 : 0,
                           driver ? 1 : 0, 0, rate, kmRate, QString::fromUtf8(phone),
                           QStringLiteral("12 Main Road"), QStringLiteral("Rondebosch"), hired, changed,
                           changed});
    };

    Staff staff;
    staff.manager =
        add("Thandi", "Mokoena", "MGR", kManagerPassword, "1112", true, false, 95.0, 0.0, "082 555 0101");
    staff.cashierOBrien =
        add("Siobhan", "O'Brien", "CSH", "2222", "2223", true, false, 55.0, 0.0, "082 555 0102");
    staff.cashierVanDerMerwe =
        add("Pieter", "van der Merwe", "CSH", "3333", "3334", true, false, 55.0, 0.0, "082 555 0103");
    staff.driver = add("Sipho", "Dlamini", "DRV", "4444", "4445", true, true, 45.0, 3.5, "082 555 0104");
    staff.cook = add("Maria", "Santos", "KIT", "5555", "5556", true, false, 60.0, 0.0, "082 555 0105");
    staff.inactive = add("James", "Naidoo", "CSH", "6666", "6667", false, false, 55.0, 0.0, "082 555 0106");
    return staff;
}

Shifts writeShifts(Writer& out, const Staff& staff, const QDateTime& now, const QDateTime& dayStart)
{
    const QStringList openColumns = {QStringLiteral("EmpNum"),     QStringLiteral("InDateTime"),
                                     QStringLiteral("HourlyRate"), QStringLiteral("KmRate"),
                                     QStringLiteral("OdoStart"),   QStringLiteral("Float")};
    // A clock-in inside the current trading day, which starts strictly after its first second.
    const auto clockIn = [&](qint64 empNum, qint64 minutesAgo, double rate, double kmRate, int odo,
                             double floatAmount) {
        QDateTime in = std::min(std::max(now.addSecs(-60 * minutesAgo), dayStart.addSecs(1)), now);
        return out.insert(QStringLiteral("Attend"), openColumns,
                          {empNum, timeText(in), rate, kmRate, odo, floatAmount});
    };

    Shifts shifts;
    // Yesterday's closed and cashed-up shift of the cashier, for yesterday's orders.
    const QDateTime yesterdayIn = dayStart.addDays(-1).addSecs(6 * 3600);
    const QDateTime yesterdayOut = yesterdayIn.addSecs(8 * 3600 + 30 * 60);
    shifts.yesterdayCashier = out.insert(
        QStringLiteral("Attend"),
        {QStringLiteral("EmpNum"), QStringLiteral("InDateTime"), QStringLiteral("OutDateTime"),
         QStringLiteral("HrsWorked"), QStringLiteral("HourlyRate"), QStringLiteral("TimeWages"),
         QStringLiteral("TotalOwed"), QStringLiteral("CashedUp"), QStringLiteral("ClockedOut")},
        {staff.cashierOBrien, timeText(yesterdayIn), timeText(yesterdayOut),
         timeText(QDateTime(QDate(1899, 12, 30), QTime(8, 30), Qt::UTC)), 55.0, 467.5, 467.5, 1, 1});

    shifts.todayCashiers.push_back(clockIn(staff.cashierOBrien, 270, 55.0, 0.0, 0, 0.0));
    shifts.todayCashiers.push_back(clockIn(staff.cashierVanDerMerwe, 180, 55.0, 0.0, 0, 0.0));
    shifts.todayCashiers.push_back(clockIn(staff.manager, 300, 95.0, 0.0, 0, 0.0));
    shifts.driver = clockIn(staff.driver, 120, 45.0, 3.5, 45210, 200.0);
    clockIn(staff.cook, 315, 60.0, 0.0, 0, 0.0);
    return shifts;
}

// The current trading day's orders, relative to now, then two of the day before.
std::vector<OrderPlan> planOrders(const QDateTime& now, const QDateTime& dayStart)
{
    const auto minutes = [&](qint64 count) { return now.addSecs(60 * count); };
    std::vector<OrderPlan> plans;

    for (int i = 0; i < kCookedOrders; ++i) {
        OrderPlan plan;
        plan.date = minutes(-(300 - 15 * i));
        plan.due = plan.date.addSecs(25 * 60);
        plan.oven = plan.due.addSecs(-10 * 60);
        plan.cooked = plan.due.addSecs(60 * 3 * ((i % 5) - 2));
        plans.push_back(plan);
    }
    for (int i = 0; i < kLateOrders; ++i) {
        OrderPlan plan;
        plan.date = minutes(-(70 - 5 * i));
        plan.due = minutes(-(35 - 4 * i));
        plan.oven = plan.date.addSecs(10 * 60);
        plans.push_back(plan);
    }
    for (int i = 0; i < kDueOrders; ++i) {
        OrderPlan plan;
        plan.due = minutes(-i);
        plan.date = plan.due.addSecs(-25 * 60);
        plan.oven = plan.date.addSecs(8 * 60);
        plans.push_back(plan);
    }
    for (int i = 0; i < kUpcomingOrders; ++i) {
        OrderPlan plan;
        plan.date = minutes(-(20 - 2 * i));
        plan.due = minutes(5 + 6 * i);
        if (i < kUpcomingOrders - kUpcomingWithoutOven)
            plan.oven = plan.date.addSecs(3 * 60);
        plans.push_back(plan);
    }
    OrderPlan voided;
    voided.date = minutes(-50);
    voided.due = minutes(-25);
    voided.status = 2;
    plans.push_back(voided);

    // Keep every order of today inside the trading day even just after it began,
    // spreading those that would fall before it over its first minutes.
    std::sort(plans.begin(), plans.end(),
              [](const OrderPlan& a, const OrderPlan& b) { return a.date < b.date; });
    const qint64 room = std::max<qint64>(0, dayStart.secsTo(now));
    const qint64 step = std::min<qint64>(30, room / (kTodayOrders + 1));
    for (std::size_t i = 0; i < plans.size(); ++i) {
        OrderPlan& plan = plans[i];
        plan.date = std::min(std::max(plan.date, dayStart.addSecs(step * qint64(i + 1))), now);
        for (std::optional<QDateTime>* stamp : {&plan.oven, &plan.cooked}) {
            if (*stamp)
                **stamp = std::min(std::max(**stamp, plan.date), now);
        }
    }

    for (int i = 0; i < 2; ++i) {
        OrderPlan plan;
        plan.previousDay = true;
        plan.date = dayStart.addDays(-1).addSecs(3600 * (7 + i));
        plan.due = plan.date.addSecs(30 * 60);
        plan.oven = plan.date.addSecs(15 * 60);
        plan.cooked = plan.due;
        plans.insert(plans.begin() + i, plan);
    }
    return plans;
}

void writeLineItems(Writer& out, Dice& dice, qint64 invoiceNum, int lineCount)
{
    std::vector<int> lines;
    while (int(lines.size()) < lineCount) {
        const int room = lineCount - int(lines.size());
        const int kind = dice.roll(10);
        if (kind < 5) {
            lines.push_back(dice.pick(kPizzas));
            const int extras = std::min(room - 1, dice.roll(3));
            for (int e = 0; e < extras; ++e)
                lines.push_back(kPizzaExtras[(dice.roll(5) + e) % int(std::size(kPizzaExtras))]);
        } else if (kind < 7) {
            lines.push_back(dice.pick(kBurgers));
            if (room > 1 && dice.roll(3) == 0)
                lines.push_back(dice.pick(kBurgerExtras));
        } else if (kind < 9) {
            lines.push_back(dice.pick(kSides));
        } else {
            lines.push_back(dice.pick(kDrinks));
        }
    }

    for (int n = 0; n < lineCount; ++n) {
        const Product& product = kProducts[lines[std::size_t(n)]];
        const bool single = product.category != Sides && product.category != Drinks;
        out.insert(QStringLiteral("LineItem"),
                   {QStringLiteral("InvoiceNum"), QStringLiteral("LineNum"), QStringLiteral("Quantity"),
                    QStringLiteral("Code"), QStringLiteral("ItemDesc"), QStringLiteral("Size")},
                   {invoiceNum, n + 1, single ? 1.0 : double(1 + dice.roll(2)),
                    QString::fromUtf8(product.code), QString::fromUtf8(product.itemDesc),
                    QString::fromUtf8(product.size)});
    }
}

void writeOrders(Writer& out, const Shifts& shifts, const QDateTime& now, const QDateTime& dayStart)
{
    const QStringList columns = {
        QStringLiteral("Date"),          QStringLiteral("OrderNum"),    QStringLiteral("Telephone"),
        QStringLiteral("NotifyName"),    QStringLiteral("TimeDue"),     QStringLiteral("TimeStampCooked"),
        QStringLiteral("OvenTimeStamp"), QStringLiteral("Status"),      QStringLiteral("CashierLink"),
        QStringLiteral("DriverLink"),    QStringLiteral("ClosedTable"), QStringLiteral("TransType")};

    Dice dice;
    int todayCount = 0;
    int index = 0;
    for (const OrderPlan& plan : planOrders(now, dayStart)) {
        const int orderNum = plan.previousDay ? 101 + index : 101 + todayCount++;
        const qint64 cashier = plan.previousDay
                                   ? shifts.yesterdayCashier
                                   : shifts.todayCashiers[std::size_t(index) % shifts.todayCashiers.size()];
        // Every fourth order of today goes out with the driver; the rest are collected.
        const bool delivery = !plan.previousDay && index % 4 == 3;
        const qint64 invoiceNum =
            out.insert(QStringLiteral("Invoices"), columns,
                       {timeText(plan.date), orderNum,
                        QStringLiteral("082 555 %1").arg(1200 + index * 37, 4, 10, QLatin1Char('0')),
                        QString::fromUtf8(kCustomers[std::size_t(index) % std::size(kCustomers)]),
                        timeText(plan.due), timeValue(plan.cooked), timeValue(plan.oven), plan.status,
                        cashier, delivery ? shifts.driver : 0, 1, delivery ? 2 : 1});
        writeLineItems(out, dice, invoiceNum, kLineCounts[std::size_t(index) % std::size(kLineCounts)]);
        ++index;
    }
}

void writeCashups(Writer& out, const QDateTime& now, const QDateTime& dayStart)
{
    // Yesterday's till shift, cashed up into yesterday's shop cash-up, and today's open shift.
    const QDateTime yesterdayNoon(dayStart.date().addDays(-1), QTime(12, 0), Qt::UTC);
    out.insert(QStringLiteral("CASHPOST"),
               {QStringLiteral("DATE"), QStringLiteral("POSTED"), QStringLiteral("Cash"),
                QStringLiteral("CrCards"), QStringLiteral("TotSales"), QStringLiteral("NetSales"),
                QStringLiteral("CashupTotal")},
               {timeText(yesterdayNoon), 1, 3250.0, 4875.5, 8125.5, 7065.65, 8125.5});
    out.insert(QStringLiteral("TILLPOST"),
               {QStringLiteral("TILLID"), QStringLiteral("TILLISACTIVE"), QStringLiteral("DATE"),
                QStringLiteral("FKCASHPOSTID"), QStringLiteral("Cash"), QStringLiteral("CrCards"),
                QStringLiteral("TotSales"), QStringLiteral("NetSales"), QStringLiteral("CashupTotal")},
               {1, 0, timeText(dayStart.addDays(-1).addSecs(15 * 3600)), 1, 3250.0, 4875.5, 8125.5, 7065.65,
                8125.5});
    out.insert(QStringLiteral("TILLPOST"),
               {QStringLiteral("TILLID"), QStringLiteral("TILLISACTIVE"), QStringLiteral("DATE"),
                QStringLiteral("FKCASHPOSTID")},
               {1, 1, timeText(std::min(std::max(now.addSecs(-5 * 3600), dayStart), now)), 0});
}

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

bool createDemoDatabase(const QString& file, const QDateTime& now, const QString& computerName,
                        QString* error, bool replace)
{
    const QString shownName = QDir::toNativeSeparators(file);
    if (file.isEmpty())
        return fail(error, QStringLiteral("The demo database was not created: no file name was given"));
    if (QFileInfo::exists(file)) {
        if (!replace)
            return fail(error, QStringLiteral("The demo database was not created: the file \"") + shownName +
                                   QStringLiteral("\" already exists"));
        QFile existing(file);
        if (!existing.remove())
            return fail(error, QStringLiteral("The demo database was not created: the file \"") + shownName +
                                   QStringLiteral("\" could not be removed: ") + existing.errorString());
    }

    // Wall-clock times without a zone, so that a change to or from summer time
    // never shifts the trading day.
    const QDateTime clock(now.date(), now.time(), Qt::UTC);
    const QDate day = clock.time() < kDayStart ? clock.date().addDays(-1) : clock.date();
    const QDateTime dayStart(day, kDayStart, Qt::UTC);

    const QString connectionName =
        QStringLiteral("pw_demodb_") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        db.setDatabaseName(file);
        if (!db.open()) {
            failure = QStringLiteral("Could not create the database file: ") + db.lastError().text();
        } else {
            QString schemaError;
            if (!db::applySqliteSchema(db, &schemaError)) {
                failure = schemaError;
            } else if (!db.transaction()) {
                failure = QStringLiteral("Could not start a transaction: ") + db.lastError().text();
            } else {
                Writer out(db);
                writeMenu(out);
                writeTills(out, computerName);
                writeAccess(out);
                const Staff staff = writeEmployees(out, clock);
                const Shifts shifts = writeShifts(out, staff, clock, dayStart);
                writeOrders(out, shifts, clock, dayStart);
                writeCashups(out, clock, dayStart);
                failure = out.error();
                if (failure.isEmpty() && !db.commit())
                    failure = QStringLiteral("Could not commit the demo data: ") + db.lastError().text();
                if (!failure.isEmpty())
                    db.rollback();
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connectionName);

    if (!failure.isEmpty()) {
        QFile::remove(file);
        return fail(error, QStringLiteral("The demo database \"") + shownName +
                               QStringLiteral("\" was not created: ") + failure);
    }
    return true;
}

} // namespace pw::demodb
