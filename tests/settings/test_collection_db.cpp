// The collection framework over tables: flags and counts, loading, saving only what
// changed, copies and moves.
#include "platform_doubles.h"
#include "settings/printers_data.h"
#include "settings/sys_data.h"
#include "test_database.h"

#include "db/query.h"
#include "errors/exception.h"
#include "errors/ezq_exception.h"

#include <QTest>

namespace {

// A plain list item with one value that copies.
class ProbeItem : public TRootCollectionItem
{
public:
    QString ClassName() const override { return QStringLiteral("ProbeItem"); }
    void Clone(const TRootCollectionItem& source) override
    {
        TRootCollectionItem::Clone(source);
        name = static_cast<const ProbeItem&>(source).name;
    }
    QString name;
};

ProbeItem* probe(TRootCollection& list, int index)
{
    return static_cast<ProbeItem*>(list.Items(index));
}

// A printer that can be copied, for moves between lists.
class CopyablePrinter : public T_PrintersItem
{
public:
    void Clone(const TRootCollectionItem& source) override
    {
        TCollectionDBItem::Clone(source);
        const auto& printer = static_cast<const CopyablePrinter&>(source);
        SetName(printer.Name());
        SetPageLength(printer.PageLength());
        SetModified(true);
    }
};

class CopyablePrinters : public TCollectionDB
{
public:
    CopyablePrinters() : TCollectionDB(ItemClass<CopyablePrinter>()) {}
    CopyablePrinter* Items(int index) const
    {
        return static_cast<CopyablePrinter*>(TCollectionDB::Items(index));
    }
};

QStringList names(TRootCollection& list)
{
    QStringList result;
    for (int i = 0; i < list.Count(); ++i)
        result << probe(list, i)->name;
    return result;
}

} // namespace

class TestCollectionDb : public QObject
{
    Q_OBJECT

private slots:
    void init() { TCollectionDBItem::resetExecutedCommands(); }

    void updateAllAfterPopulateWritesNothing()
    {
        pw::test::TestDatabase db;
        addPrinters(db, {"Bar", "Kitchen", "Front"});
        T_Printers printers;
        printers.SetAdoConnection(&db.connection());
        QCOMPARE(printers.LoadPrinters(), 3);
        QCOMPARE(printers.NewCount(), 0);
        QCOMPARE(printers.ModifiedCount(), 0);
        QCOMPARE(printers.UpdateAll(), 0);
        QCOMPARE(TCollectionDBItem::executedCommands(), 0);
    }

    void oneChangedColumnWritesOneStatement()
    {
        pw::test::TestDatabase db;
        addPrinters(db, {"Bar", "Kitchen", "Front"});
        T_Printers printers;
        printers.SetAdoConnection(&db.connection());
        printers.LoadPrinters();
        T_PrintersItem* kitchen = printers.Items(2); // ordered by name: Bar, Front, Kitchen
        QCOMPARE(kitchen->Name(), QStringLiteral("Kitchen"));
        kitchen->SetPageWidth(42);
        QCOMPARE(printers.ModifiedCount(), 1);

        QCOMPARE(printers.UpdateAll(), 1);
        QCOMPARE(TCollectionDBItem::executedCommands(), 1);
        QCOMPARE(printers.ModifiedCount(), 0);
        QCOMPARE(db.scalar("SELECT PageWidth FROM Printers WHERE Name = 'Kitchen'").toInt(), 42);
        QCOMPARE(db.count("Printers", "PageWidth = 42"), 1);
    }

    void countsStayExactUnderRepeatedFlagChanges()
    {
        TRootCollection list(ItemClass<ProbeItem>());
        for (int i = 0; i < 4; ++i)
            list.Add();
        QCOMPARE(list.NewCount(), 4);
        QCOMPARE(list.ModifiedCount(), 0);

        list.Items(0)->SetModified(true);
        list.Items(0)->SetModified(true); // already set: no change
        list.Items(1)->SetModified(true);
        list.Items(1)->SetModified(false);
        list.Items(1)->SetModified(false);
        QCOMPARE(list.ModifiedCount(), 1);

        list.Items(2)->SetIsNew(false);
        list.Items(2)->SetIsNew(false);
        QCOMPARE(list.NewCount(), 3);

        list.Items(3)->SetSelected(true);
        list.Items(1)->SetSelected(true);
        list.Items(3)->SetSelected(true);
        QCOMPARE(list.SelectedItems(), (QList<TRootCollectionItem*>{list.Items(3), list.Items(1)}));

        // Removing an item takes its flags out of the counts.
        list.Items(0)->SetSelected(true);
        list.Delete(0);
        QCOMPARE(list.ModifiedCount(), 0);
        QCOMPARE(list.NewCount(), 2);
        QCOMPARE(list.SelectedItems().size(), 2);

        list.ClearFlags();
        QCOMPARE(list.NewCount(), 0);
        QVERIFY(list.SelectedItems().isEmpty());
        QVERIFY(!list.Items(0)->IsNew());
    }

    void clearingAnItemResetsItsFlags()
    {
        TSysData rows;
        TSysDataItem* item = rows.Add();
        item->SetValue("x");
        item->SetSelected(true);
        item->Clear();
        QVERIFY(!item->Modified());
        QVERIFY(!item->IsNew());
        QVERIFY(!item->Selected());
        QVERIFY(item->Empty());
        QCOMPARE(rows.ModifiedCount(), 0);
        QCOMPARE(rows.NewCount(), 0);
    }

    void populateOfAnEmptyResultEmptiesTheCollection()
    {
        pw::test::TestDatabase db;
        T_Printers printers;
        printers.SetAdoConnection(&db.connection());
        printers.Add();
        printers.Add();
        QCOMPARE(printers.PopulateFromSQL({"SELECT * FROM Printers"}), 0);
        QCOMPARE(printers.Count(), 0);
        QCOMPARE(printers.NewCount(), 0);
    }

    void wholeListLoadWithoutRowsKeepsTheItems()
    {
        pw::test::TestDatabase db;
        addPrinters(db, {"Bar"});
        T_Printers printers;
        printers.SetAdoConnection(&db.connection());
        printers.LoadPrinters();
        db.exec("DELETE FROM Printers");
        QCOMPARE(printers.LoadPrinters(), 1);
        QCOMPARE(printers.Items(0)->Name(), QStringLiteral("Bar"));
    }

    void insertCopiesGoRightBeforeEachSelectedItem()
    {
        TRootCollection list(ItemClass<ProbeItem>());
        for (const char* name : {"a", "b", "c", "d"})
            static_cast<ProbeItem*>(list.Add())->name = name;
        list.Items(1)->SetSelected(true);
        list.Items(3)->SetSelected(true);
        ProbeItem source;
        source.name = "copy";
        list.InsertCopies(source);
        QCOMPARE(names(list), (QStringList{"a", "copy", "b", "c", "copy", "d"}));
        QCOMPARE(list.SelectedItems().size(), 2);
    }

    void insertCopiesWithoutSelectionAppends()
    {
        TRootCollection list(ItemClass<ProbeItem>());
        static_cast<ProbeItem*>(list.Add())->name = "a";
        ProbeItem source;
        source.name = "copy";
        list.InsertCopies(source);
        QCOMPARE(names(list), (QStringList{"a", "copy"}));
    }

    void addCopiesAppendsEveryItemInOrder()
    {
        TRootCollection from(ItemClass<ProbeItem>());
        for (const char* name : {"x", "y"})
            static_cast<ProbeItem*>(from.Add())->name = name;
        from.ClearFlags();
        from.Items(1)->SetModified(true);
        TRootCollection to(ItemClass<ProbeItem>());
        static_cast<ProbeItem*>(to.Add())->name = "a";
        to.AddCopies(from);
        QCOMPARE(names(to), (QStringList{"a", "x", "y"}));
        // The copies carry their sources' flags, counted in their new list.
        QCOMPARE(to.ModifiedCount(), 1);
        QCOMPARE(to.NewCount(), 1);
    }

    void moveItemWithNegativePositionAppendsAndSavesBoth()
    {
        pw::test::TestDatabase db;
        CopyablePrinters from;
        CopyablePrinters to;
        from.SetAdoConnection(&db.connection());
        to.SetAdoConnection(&db.connection());
        for (const char* name : {"One", "Two"}) {
            auto* printer = static_cast<CopyablePrinter*>(from.Add());
            printer->SetName(name);
        }
        auto* kept = static_cast<CopyablePrinter*>(to.Add());
        kept->SetName("Kept");
        from.UpdateAll();
        to.UpdateAll();
        QCOMPARE(db.count("Printers"), 3);

        auto* moved = static_cast<CopyablePrinter*>(from.MoveItem(from.Items(0), &to, -1));
        QCOMPARE(to.Count(), 2);
        QCOMPARE(to.Items(1), moved);
        QCOMPARE(moved->Name(), QStringLiteral("One"));
        QCOMPARE(from.Count(), 1);
        QCOMPARE(from.Items(0)->Name(), QStringLiteral("Two"));
        // Both lists were saved: nothing is left pending.
        QCOMPARE(from.ModifiedCount() + from.NewCount() + to.ModifiedCount() + to.NewCount(), 0);
        QCOMPARE(db.count("Printers", "Name = 'One'"), 2); // the old row stays; the move inserted a new one
    }

    // Inserting ahead of the moved item shifts it; the right one must still go.
    void moveItemWithinOneCollection()
    {
        pw::test::TestDatabase db;
        CopyablePrinters list;
        list.SetAdoConnection(&db.connection());
        for (const char* name : {"A", "B", "C"})
            static_cast<CopyablePrinter*>(list.Add())->SetName(name);
        list.UpdateAll();

        CopyablePrinter* moved = static_cast<CopyablePrinter*>(list.MoveItem(list.Items(2), &list, 0));
        QCOMPARE(list.Count(), 3);
        QCOMPARE(list.Items(0), moved);
        QCOMPARE(list.Items(0)->Name(), QStringLiteral("C"));
        QCOMPARE(list.Items(1)->Name(), QStringLiteral("A"));
        QCOMPARE(list.Items(2)->Name(), QStringLiteral("B"));
        QCOMPARE(list.ModifiedCount() + list.NewCount(), 0);
        QVERIFY(moved->PrintersID() > 3);
        QCOMPARE(db.count("Printers"), 4);
    }

    void executeAdoCommand()
    {
        T_Printers printers;
        QCOMPARE(printers.ExecuteAdoCommand(), 0); // no text: nothing to do, even without a connection
        printers.AdoCommand.setCommandText("DELETE FROM Printers");
        try {
            printers.ExecuteAdoCommand();
            QFAIL("no error");
        } catch (const pw::Exception& e) {
            QCOMPARE(e.message(),
                     QStringLiteral("Cannot execute a TCollectionDB.AdoCommand query without setting "
                                    "TCollectionDB.AdoConnection"));
        }
    }

    void populateRefusesMissingItemClassAndDataset()
    {
        pw::test::TestDatabase db;
        pw::db::Query query(&db.connection());
        TCollectionDB noClass{TItemFactory{}};
        try {
            noClass.Populate(&query);
            QFAIL("no error");
        } catch (const pw::Exception& e) {
            QCOMPARE(e.message(),
                     QStringLiteral(
                         "An instance of TCollection has been instantiated without it's ItemClass set"));
        }
        T_Printers printers;
        try {
            printers.Populate(nullptr);
            QFAIL("no error");
        } catch (const pw::Exception& e) {
            QCOMPARE(e.message(),
                     QStringLiteral("Cannot call TCollectionDB.Populate with a nil DataSet parameter"));
        }
    }

    void displayStringOfAClassThatDoesNotOverrideIt()
    {
        ProbeItem item;
        QCOMPARE(item.GetDisplayString(), QStringLiteral("ProbeItem.GetDisplayString not overridden"));
    }

    void aFailingItemStopsUpdateAll()
    {
        pw::test::TestDatabase db;
        TSysData rows;
        rows.SetAdoConnection(&db.connection());
        rows.FindOrAdd("GLOBAL", "A", "1");
        rows.Add()->SetItem("NO CLASS");
        rows.FindOrAdd("GLOBAL", "C", "3");
        try {
            rows.UpdateAll();
            QFAIL("no error");
        } catch (const EZQException& e) {
            QCOMPARE(e.message(), QStringLiteral("TSysDataItem.Class not set"));
        }
        QCOMPARE(db.count("SysData"), 1);
        QVERIFY(!rows.Items(0)->IsNew());
        QVERIFY(rows.Items(1)->IsNew());
        QVERIFY(rows.Items(2)->IsNew());
        QCOMPARE(rows.NewCount(), 2);
    }

private:
    static void addPrinters(pw::test::TestDatabase& db, const QStringList& names)
    {
        for (const QString& name : names)
            db.insert("Printers", {{"Name", name}, {"Category", 0}, {"PageLength", 26}});
    }

    pw::test::PlatformDoubles m_doubles;
};

QTEST_MAIN(TestCollectionDb)
#include "test_collection_db.moc"
