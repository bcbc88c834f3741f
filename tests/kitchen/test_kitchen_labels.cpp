#include "db/generic_db.h"
#include "errors/exception.h"
#include "kitchen/kitchen_labels.h"
#include "kitchen/print_object.h"
#include "platform/platform.h"
#include "platform_doubles.h"
#include "settings/orvo_settings.h"
#include "test_database.h"

#include <QtTest>

using pw::platform::PdfJobRecord;
using pw::platform::PrintedText;

namespace {

const QString Narrow = QStringLiteral("Arial Narrow");

} // namespace

// The label printing run: an order's products from the database, laid out on the
// PDF printer double (203 dots per inch, 4 x 2 inch labels, 20-pixel border).
class TestKitchenLabels : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<pw::test::PlatformDoubles> doubles;
    std::unique_ptr<pw::test::TestDatabase> db;
    std::unique_ptr<TGenericDB> genericDb;
    TLabelSettings settings;
    std::unique_ptr<TKitchenLabels> labels;
    int nextCode = 1;

    pw::platform::PdfPrinters& printers() { return doubles->printers; }
    const PdfJobRecord& job() { return printers().jobs.front(); }

    int category(const QString& description)
    {
        return static_cast<int>(
            db->insert(QStringLiteral("CatMenu"), {{QStringLiteral("Description"), description}}));
    }

    // A price with its label text, linked to `links` printers; returns its code.
    QString price(const QVariant& labelDesc, const QString& size, int catMenuCode, int links = 1)
    {
        const QString code = QStringLiteral("P%1").arg(nextCode);
        const int recipe = 100 + nextCode++;
        db->insert(QStringLiteral("Prices"), {{QStringLiteral("Code"), code},
                                              {QStringLiteral("LabelDesc"), labelDesc},
                                              {QStringLiteral("Size"), size},
                                              {QStringLiteral("CatMenuCode"), catMenuCode},
                                              {QStringLiteral("Recipe"), recipe}});
        for (int i = 1; i <= links; ++i)
            db->insert(QStringLiteral("PricesLinkPrinters"),
                       {{QStringLiteral("fkPricesID"), recipe}, {QStringLiteral("fkPrintersID"), i}});
        return code;
    }

    void line(int invoiceNum, int lineNum, const QString& code)
    {
        db->insert(QStringLiteral("LineItem"), {{QStringLiteral("InvoiceNum"), invoiceNum},
                                                {QStringLiteral("LineNum"), lineNum},
                                                {QStringLiteral("Code"), code}});
    }

    // The left column as the layout pads it (320 device pixels), measured on a printer
    // like the label printer.
    QString column(const QString& text, int size, bool bold)
    {
        pw::platform::PdfPrinters probe;
        probe.resolution = printers().resolution;
        pw::platform::Printers* previous = pw::platform::setPrinters(&probe);
        TPrintObject print;
        print.Start();
        print.SetFontInformation(Narrow, size, bold ? TPrintObject::TFontStyles(TPrintObject::fsBold) : 0u);
        const QString result = print.FormatColumn(text, QStringLiteral(" "), 320);
        print.Finish();
        pw::platform::setPrinters(previous);
        return result;
    }

    struct Product
    {
        QString labelDesc, size, extras;
    };

    // The five lines of a label, left product alone or with a right one.
    QStringList labelLines(int orderNum, const Product& left, int k, int count,
                           const Product* right = nullptr)
    {
        const QString order = QStringLiteral("Order #: %1").arg(orderNum);
        const auto item = [count](int position) {
            return QStringLiteral("Item %1 of %2").arg(position).arg(count);
        };
        return {column(order, 10, false) + (right ? order : QString()),
                column(left.labelDesc, 12, true) + (right ? right->labelDesc : QString()),
                column(left.size, 10, false) + (right ? right->size : QString()),
                column(left.extras, 8, false) + (right ? right->extras : QString()),
                column(item(k), 10, false) + (right ? item(k + 1) : QString())};
    }

private slots:
    void init()
    {
        doubles = std::make_unique<pw::test::PlatformDoubles>();
        printers().installed = QStringList{QStringLiteral("Kitchen Zebra"), QStringLiteral("Office Laser")};
        db = std::make_unique<pw::test::TestDatabase>();
        genericDb = std::make_unique<TGenericDB>(&db->connection());
        GenericDB = genericDb.get();
        settings = TLabelSettings{};
        settings.PrinterName = QStringLiteral("Kitchen Zebra");
        labels = std::make_unique<TKitchenLabels>([this] { return settings; });
        nextCode = 1;
    }

    void cleanup()
    {
        labels.reset();
        GenericDB = nullptr;
        genericDb.reset();
        db.reset();
        doubles.reset();
    }

    void selectTextIsExact()
    {
        QCOMPARE(TKitchenLabels::LabelSql(42),
                 QStringLiteral(
                     "SELECT LineItem.LineNum, Prices.LabelDesc, Prices.[Size], Catmenu.Description "
                     "FROM Prices JOIN LineItem ON LineItem.Code = Prices.Code JOIN CatMenu ON "
                     "Prices.CatMenuCode = CatMenu.CatMenuCode JOIN PricesLinkPrinters ON Prices.Recipe "
                     "= PricesLinkPrinters.fkPricesID WHERE LineItem.InvoiceNum = 42 AND LabelDesc IS "
                     "NOT NULL AND LabelDesc <> '' GROUP BY LineItem.LineNum, Prices.LabelDesc, "
                     "Prices.[Size], Catmenu.Description"));
    }

    void extrasText_data()
    {
        QTest::addColumn<QStringList>("extras");
        QTest::addColumn<QString>("text");
        const QString twenty1 = QStringLiteral("Extra Mozzarella 20c");
        const QString twenty2 = QStringLiteral("Roasted Red Peppers!");
        QTest::newRow("none") << QStringList{} << QString();
        QTest::newRow("one") << QStringList{QStringLiteral("Olives")} << QStringLiteral("Olives");
        QTest::newRow("three short ones fit")
            << QStringList{QStringLiteral("Cheese"), QStringLiteral("Ham"), QStringLiteral("Pineapple")}
            << QStringLiteral("Cheese,Ham,Pineapple");
        QTest::newRow("two of 20 characters")
            << QStringList{twenty1, twenty2} << twenty1 + QStringLiteral(",Roas,...");
        QTest::newRow("first longer than 25") << QStringList{QStringLiteral("Double Smoked Streaky Bacon")}
                                              << QStringLiteral("Double Smoked Streaky Bac,...");
        QTest::newRow("no room left for the second")
            << QStringList{QStringLiteral("Twenty Four Characters!!"), QStringLiteral("Ham")}
            << QStringLiteral("Twenty Four Characters!!,,...");
        // The commas make the text longer than the extras' own characters, yet "B" is lost.
        QTest::newRow("a lost extra is still marked")
            << QStringList{QStringLiteral("Twenty Three Characters"), QStringLiteral("A"),
                           QStringLiteral("B")}
            << QStringLiteral("Twenty Three Characters,A,,...");
    }
    void extrasText()
    {
        QFETCH(QStringList, extras);
        QFETCH(QString, text);
        QCOMPARE(TKitchenLabels::ExtrasText(extras), text);
    }

    void threeProductsSideBySide()
    {
        const int pizzas = category(QStringLiteral("Pizzas"));
        const int extras = category(QStringLiteral(" extra "));
        const int none = category(QStringLiteral("None"));
        line(7, 1, price(QStringLiteral("O'Brien's Special"), QStringLiteral("Large"), pizzas, 2));
        line(7, 2, price(QStringLiteral("Cheese"), QString(), extras));
        line(7, 3, price(QStringLiteral("Ham"), QString(), none));
        line(7, 4, price(QStringLiteral("Pineapple"), QString(), extras));
        line(7, 5, price(QStringLiteral("Margherita"), QStringLiteral("Small"), pizzas));
        line(7, 6, price(QStringLiteral("Hawaiian"), QStringLiteral("Medium"), pizzas));
        line(8, 1, price(QStringLiteral("Other order"), QStringLiteral("Small"), pizzas));

        labels->PrintLabels(7, 1234);

        QVERIFY(!GenericDB->Query.active());
        QCOMPARE(printers().selected, QStringList{QStringLiteral("Kitchen Zebra")});
        QCOMPARE(printers().currentPrinter(), QStringLiteral("Kitchen Zebra"));
        QCOMPARE(printers().jobs.size(), std::size_t(1));
        QVERIFY(job().finished);
        QCOMPARE(job().printer, QStringLiteral("Kitchen Zebra"));
        QCOMPARE(job().pageCount, 2);

        const Product special{QStringLiteral("O'Brien's Special"), QStringLiteral("Large"),
                              QStringLiteral("Cheese,Ham,Pineapple")};
        const Product margherita{QStringLiteral("Margherita"), QStringLiteral("Small"), QString()};
        const Product hawaiian{QStringLiteral("Hawaiian"), QStringLiteral("Medium"), QString()};
        QCOMPARE(job().linesOnPage(1), labelLines(1234, special, 1, 3, &margherita));
        QCOMPARE(job().linesOnPage(2), labelLines(1234, hawaiian, 3, 3));

        // Every line at the margin: 0.6 inch is pixel 121, 101 into the printable area;
        // the first at the top, the fonts as the label has them.
        const QList<PrintedText> page1 = job().textsOnPage(1);
        const QList<int> sizes{10, 12, 10, 8, 10};
        int lastY = -1;
        for (int i = 0; i < page1.size(); ++i) {
            QCOMPARE(page1[i].pos.x(), 101);
            QCOMPARE(page1[i].family, Narrow);
            QCOMPARE(page1[i].pointSize, sizes[i]);
            QCOMPARE(page1[i].bold, i == 1);
            QVERIFY(page1[i].pos.y() > lastY);
            lastY = page1[i].pos.y();
        }
        QCOMPARE(page1[0].pos.y(), 0);
        QCOMPARE(job().textsOnPage(2)[0].pos.y(), 0);
    }

    void oneProductPerLabelWhenNotSideBySide()
    {
        settings.SideBySide = false;
        const int pizzas = category(QStringLiteral("Pizzas"));
        line(3, 1, price(QStringLiteral("Margherita"), QStringLiteral("Small"), pizzas));
        line(3, 2, price(QStringLiteral("Hawaiian"), QStringLiteral("Medium"), pizzas));
        line(3, 3, price(QStringLiteral("Veggie"), QStringLiteral("Large"), pizzas));

        labels->PrintLabels(3, 55);

        QCOMPARE(job().pageCount, 3);
        QCOMPARE(job().linesOnPage(2),
                 labelLines(55, Product{QStringLiteral("Hawaiian"), QStringLiteral("Medium"), {}}, 2, 3));
        QCOMPARE(job().linesOnPage(3).at(4), column(QStringLiteral("Item 3 of 3"), 10, false));
    }

    void firstItemAnExtraLabelsItself()
    {
        const int pizzas = category(QStringLiteral("Pizzas"));
        const int extras = category(QStringLiteral("EXTRA"));
        line(9, 1, price(QStringLiteral("Garlic Dip"), QStringLiteral("Tub"), extras));
        line(9, 2, price(QStringLiteral("Chilli Dip"), QString(), extras));
        line(9, 3, price(QStringLiteral("Margherita"), QStringLiteral("Small"), pizzas));
        settings.SideBySide = false;

        labels->PrintLabels(9, 21);

        QCOMPARE(job().pageCount, 2);
        QCOMPARE(job().linesOnPage(1), labelLines(21,
                                                  Product{QStringLiteral("Garlic Dip"), QStringLiteral("Tub"),
                                                          QStringLiteral("Garlic Dip,Chilli Dip")},
                                                  1, 2));
    }

    void longExtrasAreCut()
    {
        const int pizzas = category(QStringLiteral("Pizzas"));
        const int extras = category(QStringLiteral("Extra"));
        line(4, 1, price(QStringLiteral("Margherita"), QStringLiteral("Small"), pizzas));
        line(4, 2, price(QStringLiteral("Extra Mozzarella 20c"), QString(), extras));
        line(4, 3, price(QStringLiteral("Roasted Red Peppers!"), QString(), extras));

        labels->PrintLabels(4, 8);

        QCOMPARE(job().linesOnPage(1).at(3),
                 column(QStringLiteral("Extra Mozzarella 20c,Roas,..."), 8, false));
    }

    void productLinkedToTwoPrintersIsOneLabel()
    {
        const int pizzas = category(QStringLiteral("Pizzas"));
        line(5, 1, price(QStringLiteral("Margherita"), QStringLiteral("Small"), pizzas, 3));

        labels->PrintLabels(5, 9);

        QCOMPARE(job().pageCount, 1);
        QCOMPARE(job().linesOnPage(1).at(4), column(QStringLiteral("Item 1 of 1"), 10, false));
    }

    void orderWithoutLabelTextsTouchesNoPrinter()
    {
        const int pizzas = category(QStringLiteral("Pizzas"));
        line(6, 1, price(QVariant(), QStringLiteral("Small"), pizzas));
        line(6, 2, price(QString(), QStringLiteral("Small"), pizzas));
        line(6, 3, price(QStringLiteral("Not linked"), QStringLiteral("Small"), pizzas, 0));

        labels->PrintLabels(6, 10);

        QVERIFY(printers().untouched());
        QVERIFY(!GenericDB->Query.active());
    }

    void emptyPrinterSettingPrintsNothing()
    {
        settings.PrinterName.clear();
        const int pizzas = category(QStringLiteral("Pizzas"));
        line(6, 1, price(QStringLiteral("Margherita"), QStringLiteral("Small"), pizzas));

        labels->PrintLabels(6, 10);

        QVERIFY(printers().untouched());
    }

    void missingPrinterIsReported_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("message");
        const QString head =
            QStringLiteral("Failed to find the label printer [LPT1] in the list of available windows "
                           "printers\r\rAvailable printers are...\r\r");
        QTest::newRow("printers listed")
            << QStringList{QStringLiteral("Kitchen Zebra"), QStringLiteral("Office Laser")}
            << head + QStringLiteral("Kitchen Zebra\rOffice Laser\r");
        QTest::newRow("a name differing in case is not it")
            << QStringList{QStringLiteral("lpt1")} << head + QStringLiteral("lpt1\r");
        QTest::newRow("no printers") << QStringList{}
                                     << head + QStringLiteral("No windows printers available");
    }
    void missingPrinterIsReported()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, message);
        printers().installed = installed;
        settings = TLabelSettings{}; // "PLABEL DEV" left at "LPT1"
        const int pizzas = category(QStringLiteral("Pizzas"));
        line(2, 1, price(QStringLiteral("Margherita"), QStringLiteral("Small"), pizzas));

        try {
            labels->PrintLabels(2, 3);
            QFAIL("PrintLabels should raise");
        } catch (const pw::Exception& e) {
            QCOMPARE(e.message(), message);
        }
        QVERIFY(printers().jobs.empty());
        QVERIFY(printers().selected.isEmpty());
        QVERIFY(!GenericDB->Query.active());
    }

    void waiterLine_data()
    {
        QTest::addColumn<bool>("waiterDetails");
        QTest::addColumn<QString>("waiter");
        QTest::addColumn<bool>("printed");
        QTest::newRow("on with a name") << true << QStringLiteral("O'Brien") << true;
        QTest::newRow("on without a name") << true << QString() << false;
        QTest::newRow("off with a name") << false << QStringLiteral("O'Brien") << false;
    }
    void waiterLine()
    {
        QFETCH(bool, waiterDetails);
        QFETCH(QString, waiter);
        QFETCH(bool, printed);
        settings.WaiterDetails = waiterDetails;
        TProductsEx products;
        products.Add(QStringLiteral("Margherita"), QStringLiteral("Small"));
        products.Add(QStringLiteral("Hawaiian"), QStringLiteral("Large"));

        labels->PrintProductLabels(12, products, waiter);

        const QStringList lines = job().linesOnPage(1);
        QCOMPARE(lines.size(), printed ? 6 : 5);
        if (printed) {
            const QString text = QStringLiteral("Wtr:O'Brien");
            QCOMPARE(lines.at(5), column(text, 10, false) + text);
            QCOMPARE(job().texts.at(5).pointSize, 10);
        }
    }

    void jobIsFinishedWhenPrintingFails()
    {
        settings.SideBySide = false;
        printers().beforeNewPage = [](int) {
            throw pw::Exception(QStringLiteral("The printer is out of labels"));
        };
        TProductsEx products;
        products.Add(QStringLiteral("Margherita"), QStringLiteral("Small"));
        products.Add(QStringLiteral("Hawaiian"), QStringLiteral("Large"));

        try {
            labels->PrintProductLabels(12, products, QString());
            QFAIL("PrintProductLabels should raise");
        } catch (const pw::Exception& e) {
            QCOMPARE(e.message(), QStringLiteral("The printer is out of labels"));
        }
        QCOMPARE(printers().jobs.size(), std::size_t(1));
        QVERIFY(job().finished);
        QCOMPARE(job().linesOnPage(1).size(), 5);
    }

    void settingsAreTheTillsOwn_data()
    {
        QTest::addColumn<QVariantMap>("rows"); // key -> value in the till's class
        QTest::addColumn<QString>("printer");
        QTest::addColumn<float>("margin");
        QTest::addColumn<bool>("sideBySide");
        QTest::addColumn<bool>("waiterDetails");
        QTest::newRow("defaults") << QVariantMap{} << QStringLiteral("LPT1") << 0.6f << true << false;
        QTest::newRow("stored") << QVariantMap{{QStringLiteral("PLABEL DEV"),
                                                QStringLiteral("Kitchen Zebra")},
                                               {QStringLiteral("PRINT LABEL MARGIN"), QStringLiteral("0.25")},
                                               {QStringLiteral("PRINT SIDEBYSIDE"), QStringLiteral("0")},
                                               {QStringLiteral("WAITER DETAILS"), QStringLiteral("Yes")}}
                                << QStringLiteral("Kitchen Zebra") << 0.25f << false << true;
        QTest::newRow("saved empty printer") << QVariantMap{{QStringLiteral("PLABEL DEV"), QString(QChar(0))}}
                                             << QString() << 0.6f << true << false;
    }
    void settingsAreTheTillsOwn()
    {
        QFETCH(QVariantMap, rows);
        QFETCH(QString, printer);
        QFETCH(float, margin);
        QFETCH(bool, sideBySide);
        QFETCH(bool, waiterDetails);
        db->insert(QStringLiteral("Tills"), {{QStringLiteral("TillID"), 3},
                                             {QStringLiteral("Computer Name"), QStringLiteral("KITCHEN")}});
        // The same keys in another class are not the till's.
        for (const QString& cls : {QStringLiteral("GLOBAL"), QStringLiteral("4")})
            db->insert(QStringLiteral("SysData"),
                       {{QStringLiteral("Class"), cls},
                        {QStringLiteral("Item"), QStringLiteral("PLABEL DEV")},
                        {QStringLiteral("Value"), QStringLiteral("Office Laser")}});
        for (auto it = rows.begin(); it != rows.end(); ++it)
            db->insert(QStringLiteral("SysData"), {{QStringLiteral("Class"), QStringLiteral("3")},
                                                   {QStringLiteral("Item"), it.key()},
                                                   {QStringLiteral("Value"), it.value()}});
        TOrvoSettings orvo;
        orvo.SetAdoConnection(&db->connection());
        orvo.TillID = 3;
        orvo.Local->Populate(3);
        OrvoSettings = &orvo;

        const TLabelSettings read = LabelSettingsFromOrvoSettings();
        OrvoSettings = nullptr;
        QCOMPARE(read.PrinterName, printer);
        QCOMPARE(read.MarginInches, margin);
        QCOMPARE(read.SideBySide, sideBySide);
        QCOMPARE(read.WaiterDetails, waiterDetails);
    }

    void startUpInstanceReadsTheSettingsStore()
    {
        db->insert(QStringLiteral("Tills"), {{QStringLiteral("TillID"), 3}});
        const QList<QPair<QString, QString>> rows{
            {QStringLiteral("PLABEL DEV"), QStringLiteral("Kitchen Zebra")},
            {QStringLiteral("PRINT LABEL MARGIN"), QStringLiteral("0.25")},
            {QStringLiteral("PRINT SIDEBYSIDE"), QStringLiteral("0")}};
        for (const auto& [key, value] : rows)
            db->insert(QStringLiteral("SysData"), {{QStringLiteral("Class"), QStringLiteral("3")},
                                                   {QStringLiteral("Item"), key},
                                                   {QStringLiteral("Value"), value}});
        TOrvoSettings orvo;
        orvo.SetAdoConnection(&db->connection());
        orvo.TillID = 3;
        orvo.Local->Populate(3);
        OrvoSettings = &orvo;
        const int pizzas = category(QStringLiteral("Pizzas"));
        line(11, 1, price(QStringLiteral("Margherita"), QStringLiteral("Small"), pizzas));
        line(11, 2, price(QStringLiteral("Hawaiian"), QStringLiteral("Large"), pizzas));

        TKitchenLabels startUpLabels;
        startUpLabels.PrintLabels(11, 40);
        OrvoSettings = nullptr;

        QCOMPARE(job().printer, QStringLiteral("Kitchen Zebra"));
        QCOMPARE(job().pageCount, 2);
        QCOMPARE(job().texts.first().pos.x(), 50 - 20); // 0.25 inch at 203 dpi is pixel 50
    }

    void databaseErrorsPropagate()
    {
        db->exec(QStringLiteral("DROP TABLE PricesLinkPrinters"));
        QVERIFY_THROWS_EXCEPTION(pw::Exception, labels->PrintLabels(1, 1));
        QVERIFY(printers().untouched());
    }
};

QTEST_MAIN(TestKitchenLabels)
#include "test_kitchen_labels.moc"
