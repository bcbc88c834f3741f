// The till record and the printer tables as objects.
#include "platform_doubles.h"
#include "settings/printers_data.h"
#include "settings/text_utils.h"
#include "settings/tills_item.h"
#include "test_database.h"

#include <QTest>

class TestTableItems : public QObject
{
    Q_OBJECT

private slots:
    void init() { TCollectionDBItem::resetExecutedCommands(); }

    void tillLoadByTillID()
    {
        pw::test::TestDatabase db;
        const qint64 id = db.insert("Tills", {{"TillID", 3},
                                              {"Computer Name", "O'BRIEN-PC"},
                                              {"HD Serial", "1A2B-3C4D"},
                                              {"Login Name", "kitchen"}});
        TTillsItem till;
        QCOMPARE(till.TillID(), 0);
        QCOMPARE(till.ComputerName(), QString());
        till.SetAdoConnection(&db.connection());
        QVERIFY(till.LoadByTillID(3));
        QCOMPARE(till.TillsID(), int(id));
        QCOMPARE(till.TillID(), 3);
        QCOMPARE(till.ComputerName(), QStringLiteral("O'BRIEN-PC"));
        QCOMPARE(till.HDSerial(), QStringLiteral("1A2B-3C4D"));
        QCOMPARE(till.LoginName(), QStringLiteral("kitchen"));
        QVERIFY(!till.Modified());
        QVERIFY(!till.Empty());
    }

    void tillNotFoundIsCleared()
    {
        pw::test::TestDatabase db;
        db.insert("Tills", {{"TillID", 3}, {"Computer Name", "A"}});
        TTillsItem till;
        till.SetAdoConnection(&db.connection());
        till.LoadByTillID(3);
        QVERIFY(!till.LoadByTillID(4));
        QCOMPARE(till.TillID(), -1);
        QCOMPARE(till.TillsID(), -1);
        QCOMPARE(till.ComputerName(), NulText());
        QVERIFY(till.Empty());
    }

    void tillTextSetters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::newRow("empty") << "" << NulText();
        QTest::newRow("blanks") << "   " << NulText();
        QTest::newRow("kept as given") << " TILL2 "
                                       << " TILL2 ";
    }
    void tillTextSetters()
    {
        QFETCH(QString, text);
        QFETCH(QString, stored);
        TTillsItem till;
        till.SetComputerName("X");
        till.ClearFlags();
        till.SetComputerName(text);
        QCOMPARE(till.ComputerName(), stored);
        QVERIFY(till.Modified());
    }

    void tillCloneCopiesFieldsOnly()
    {
        TTillsItem source;
        source.SetComputerName("TILL7");
        source.SetTillID(7);
        source.SetTillsID(70);
        source.SetSelected(true);
        TTillsItem copy;
        copy.ClearFlags();
        copy.Clone(source);
        QCOMPARE(copy.ComputerName(), QStringLiteral("TILL7"));
        QCOMPARE(copy.TillID(), 7);
        QCOMPARE(copy.TillsID(), 70);
        QVERIFY(copy.Modified());
        QVERIFY(!copy.Selected()); // flags are not the source's
        QVERIFY(!copy.IsNew());
    }

    void printerInsertTakesTheNewKeyAndUpdateWritesChanges()
    {
        pw::test::TestDatabase db;
        db.insert("Printers", {{"Name", "First"}});
        T_Printers printers;
        printers.SetAdoConnection(&db.connection());
        T_PrintersItem* printer = printers.Add();
        printer->Clear();
        printer->SetIsNew(true);
        QCOMPARE(printer->Name(), QStringLiteral("New Printer0"));
        QCOMPARE(printer->PageLength(), 26);
        QCOMPARE(printer->PrintersID(), -1);
        printer->SetName("  O'Brien's slip  ");
        printer->SetCategory(1);
        printer->SetExtendedProductionSlip(true);
        QCOMPARE(printer->Update(), 1);
        QCOMPARE(printer->PrintersID(), 2);
        QCOMPARE(db.scalar("SELECT Name FROM Printers WHERE PrintersID = 2").toString(),
                 QStringLiteral("O'Brien's slip"));

        printer->SetPageWidth(80);
        QCOMPARE(printer->Update(), 1);
        QCOMPARE(db.count("Printers"), 2);
        QCOMPARE(db.scalar("SELECT PageWidth FROM Printers WHERE PrintersID = 2").toInt(), 80);

        T_PrintersItem loaded;
        loaded.SetAdoConnection(&db.connection());
        QVERIFY(loaded.LoadByID(2));
        QCOMPARE(loaded.Category(), quint8(1));
        QVERIFY(loaded.ExtendedProductionSlip());
        QVERIFY(!loaded.PrintLateVoucher());
        QCOMPARE(loaded.PageLength(), 26);
    }

    void aNewPrinterIsNamedByItsPosition()
    {
        pw::test::TestDatabase db;
        for (const char* name : {"A", "B", "C"})
            db.insert("Printers", {{"Name", name}});
        T_Printers printers;
        printers.SetAdoConnection(&db.connection());
        printers.LoadPrinters();
        T_PrintersItem* added = printers.Add();
        added->Clear();
        QCOMPARE(added->Name(), QStringLiteral("New Printer3"));
    }

    void anEmptyPrinterNameIsStoredAsNul()
    {
        pw::test::TestDatabase db;
        T_PrintersItem printer;
        printer.SetAdoConnection(&db.connection());
        QCOMPARE(printer.Update(), 1);
        QCOMPARE(db.scalar("SELECT hex(Name) FROM Printers").toString(), QStringLiteral("00"));
        T_PrintersItem loaded;
        loaded.SetAdoConnection(&db.connection());
        loaded.LoadByID(printer.PrintersID());
        QCOMPARE(loaded.Name(), QString());
    }

    void deletePrinterRemovesRowAndItem()
    {
        pw::test::TestDatabase db;
        db.insert("Printers", {{"Name", "A"}});
        db.insert("Printers", {{"Name", "B"}});
        T_Printers printers;
        printers.SetAdoConnection(&db.connection());
        printers.LoadPrinters();
        printers.DeletePrinter(0);
        QCOMPARE(printers.Count(), 1);
        QCOMPARE(printers.Items(0)->Name(), QStringLiteral("B"));
        QCOMPARE(db.count("Printers"), 1);
    }

    void printerCloneSaysItIsNotSupported()
    {
        pw::test::PlatformDoubles doubles;
        T_PrintersItem printer;
        T_PrintersItem other;
        printer.Clone(other);
        QCOMPARE(doubles.modal.last().text, QStringLiteral("T_PrintersItem.Clone not implemented yet"));
        TTillsLinkPrintersItem link;
        link.Clone(link);
        QCOMPARE(doubles.modal.last().text, QStringLiteral("TTillsLinkPrintersItem.Clone not implemented"));
        TOrvoPrintersItem orvoLink;
        orvoLink.Clone(link);
        QCOMPARE(doubles.modal.last().text, QStringLiteral("TOrvoPrintersItem.Clone not implemented"));
        QCOMPARE(doubles.modal.last().kind, QStringLiteral("Information"));
    }

    void linksSaveLoadAndDelete()
    {
        pw::test::TestDatabase db;
        const qint64 till5 = db.insert("Tills", {{"TillID", 5}});
        const qint64 till6 = db.insert("Tills", {{"TillID", 6}});
        const qint64 invoice = db.insert("Printers", {{"Name", "Invoice"}, {"Category", 0}});
        const qint64 kitchen = db.insert("Printers", {{"Name", "Kitchen"}, {"Category", 1}});

        TOrvoPrinters links;
        links.SetAdoConnection(&db.connection());
        for (qint64 printer : {invoice, kitchen}) {
            TOrvoPrintersItem* link = links.Add();
            link->Clear();
            link->SetIsNew(true);
            link->SetfkTillsID(int(till5));
            link->SetfkPrintersID(int(printer));
            link->SetReportFileName("C:\\Reports\\O'Brien.rpt");
            QCOMPARE(link->Update(), 1);
            QVERIFY(link->TillsLinkPrintersID() > 0);
        }
        db.insert("TillsLinkPrinters", {{"fkTillsID", till6}, {"fkPrintersID", kitchen}});
        QCOMPARE(
            db.scalar("SELECT hex(Device) FROM TillsLinkPrinters WHERE fkTillsID = " + QString::number(till5))
                .toString(),
            QStringLiteral("00"));

        TOrvoPrinters loaded;
        loaded.SetAdoConnection(&db.connection());
        QCOMPARE(loaded.LoadForTill(5), 2);
        QCOMPARE(loaded.IndexOfPrinter(int(kitchen)), 1);
        QCOMPARE(loaded.IndexOfPrinter(999), -1);
        QCOMPARE(loaded.Items(1)->Printer()->Name(), QStringLiteral("Kitchen"));
        QCOMPARE(loaded.Items(0)->Device(), QString());
        QCOMPARE(loaded.Items(0)->Copies(), 1);
        QCOMPARE(loaded.Items(0)->ReportFileName(), QStringLiteral("C:\\Reports\\O'Brien.rpt"));

        // A link deleted leaves its list at once.
        loaded.Items(0)->Delete();
        QCOMPARE(loaded.Count(), 1);
        QCOMPARE(db.count("TillsLinkPrinters", "fkTillsID = " + QString::number(till5)), 1);

        // Every till's links to a printer go; the list in memory stays.
        QCOMPARE(loaded.DeleteForPrinter(int(kitchen)), 2);
        QCOMPARE(loaded.Count(), 1);
        QCOMPARE(db.count("TillsLinkPrinters"), 0);
    }

    void deleteAllOfLinksEmptiesTheList()
    {
        pw::test::TestDatabase db;
        const qint64 till = db.insert("Tills", {{"TillID", 5}});
        for (int i = 1; i <= 3; ++i)
            db.insert("TillsLinkPrinters", {{"fkTillsID", till}, {"fkPrintersID", i}});
        TTillsLinkPrinters links;
        links.SetAdoConnection(&db.connection());
        links.LoadForTill(5);
        QCOMPARE(links.DeleteAll(), 3);
        QCOMPARE(links.Count(), 0);
        QCOMPARE(db.count("TillsLinkPrinters"), 0);
    }

    // The suite's other programs share these tables; the statements are as the suite writes them.
    // (On SQL Server the INSERT also carries "SELECT :IDField = @@Identity"; the dialect adds it.)
    void theTableStatements()
    {
        pw::test::TestDatabase db;
        const qint64 till = db.insert("Tills", {{"TillID", 5}, {"Computer Name", "TILL5"}});
        TTillsItem tillItem;
        tillItem.SetAdoConnection(&db.connection());
        tillItem.LoadByTillID(5);
        QCOMPARE(tillItem.AdoQuery.sql(), QStringList{"SELECT * FROM Tills WHERE TillID = 5"});
        QVERIFY(!tillItem.Modified());

        T_Printers printers;
        printers.SetAdoConnection(&db.connection());
        T_PrintersItem* printer = printers.Add();
        printer->Clear();
        printer->SetIsNew(true);
        printer->Update();
        QCOMPARE(printer->AdoCommand.commandText(),
                 QStringLiteral("INSERT INTO Printers (Category,FooterHeight,Model,Name,PageLength,PageWidth,"
                                "Type, PrintLateVoucher, ExtendedProductionSlip) VALUES (:Category,"
                                ":FooterHeight,:Model,:Name,:PageLength,:PageWidth,:Type, :PrintLateVoucher, "
                                ":ExtendedProductionSlip)"));
        const QString id = QString::number(printer->PrintersID());
        printer->SetType(2);
        printer->Update();
        QCOMPARE(printer->AdoCommand.commandText(),
                 QStringLiteral("UPDATE Printers SET Category     = :Category,FooterHeight = "
                                ":FooterHeight,Model        = :Model,Name         = :Name,PageLength   = "
                                ":PageLength,PageWidth    = :PageWidth,PrintLateVoucher = "
                                ":PrintLateVoucher,Type         = :Type, ExtendedProductionSlip = "
                                ":ExtendedProductionSlip WHERE PrintersID = ") +
                     id);
        printers.LoadPrinters();
        QCOMPARE(printers.AdoQuery.sql(), QStringList{"SELECT * FROM Printers ORDER BY Name Asc"});
        // Loading the list freed the item made above; work on the loaded one.
        QCOMPARE(printers.Count(), 1);
        printer = printers.Items(0);
        T_PrintersItem byID;
        byID.SetAdoConnection(&db.connection());
        byID.LoadByID(printer->PrintersID());
        QCOMPARE(byID.AdoQuery.sql(), QStringList{"SELECT * FROM Printers WHERE PrintersID = '" + id + "'"});
        QCOMPARE(byID.Type(), 2);

        TTillsLinkPrinters links;
        links.SetAdoConnection(&db.connection());
        TTillsLinkPrintersItem* link = links.Add();
        link->Clear();
        link->SetIsNew(true);
        link->SetfkTillsID(int(till));
        link->SetfkPrintersID(printer->PrintersID());
        link->Update();
        QCOMPARE(
            link->AdoCommand.commandText(),
            QStringLiteral("INSERT INTO TillsLinkPrinters (Copies,Device,DirectToPort,fkPrintersID,"
                           "fkTillsID,ReportFileName,PrintLinePrices,PrintKitchenTotals) VALUES (:Copies,"
                           ":Device,:DirectToPort,:fkPrintersID,:fkTillsID,:ReportFileName,"
                           ":PrintLinePrices,:PrintKitchenTotals)"));
        const QString linkID = QString::number(link->TillsLinkPrintersID());
        link->SetCopies(2);
        link->Update();
        QCOMPARE(link->AdoCommand.commandText(),
                 QStringLiteral("UPDATE TillsLinkPrinters SET Copies       = :Copies,Device       = "
                                ":Device,DirectToPort = :DirectToPort,fkPrintersID = :fkPrintersID,fkTillsID "
                                "   = :fkTillsID,ReportFileName = :ReportFileName, PrintLinePrices = "
                                ":PrintLinePrices, PrintKitchenTotals = :PrintKitchenTotals WHERE "
                                "TillsLinkPrintersID = ") +
                     linkID);
        QCOMPARE(db.scalar("SELECT Copies FROM TillsLinkPrinters").toInt(), 2);

        links.LoadForTill(5);
        QCOMPARE(links.AdoQuery.sql(),
                 (QStringList{"SELECT TillsLinkPrinters.* FROM TillsLinkPrinters JOIN Tills ON",
                              "fkTillsID = TillsID", "WHERE Tills.TillID = '5'"}));
        links.DeleteForPrinter(printer->PrintersID());
        QCOMPARE(links.AdoCommand.commandText(), "DELETE FROM TillsLinkPrinters WHERE fkPrintersID = " + id);
        printer->Delete();
        QCOMPARE(printer->AdoCommand.commandText(), "DELETE FROM PRINTERS WHERE PrintersID = " + id);
        QCOMPARE(db.count("Printers"), 0);
    }

    void linkBooleansAlwaysMarkTheItem()
    {
        TTillsLinkPrintersItem link;
        link.ClearFlags();
        link.SetPrintLinePrices(false);
        QVERIFY(link.Modified());
        link.ClearFlags();
        link.SetCopies(0); // unchanged
        QVERIFY(!link.Modified());
    }
};

QTEST_MAIN(TestTableItems)
#include "test_table_items.moc"
