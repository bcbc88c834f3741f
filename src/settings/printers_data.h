#pragma once

#include "settings/collection_db.h"

#include <QString>

#include <memory>

// One row of Printers: a printer of the site.
class T_PrintersItem : public TCollectionDBItem
{
public:
    QString ClassName() const override { return QStringLiteral("T_PrintersItem"); }

    int PrintersID() const { return m_printersID; }
    const QString& Name() const { return m_name; }
    // 0 invoice, 1 production, 2 credit-card printer.
    quint8 Category() const { return m_category; }
    int Model() const { return m_model; }
    int Type() const { return m_type; }
    int PageLength() const { return m_pageLength; }
    int PageWidth() const { return m_pageWidth; }
    int FooterHeight() const { return m_footerHeight; }
    bool PrintLateVoucher() const { return m_printLateVoucher; }
    bool ExtendedProductionSlip() const { return m_extendedProductionSlip; }

    // A changed value is stored and marks the item modified; the name is trimmed.
    void SetName(const QString& value);
    void SetCategory(quint8 value);
    void SetModel(int value);
    void SetType(int value);
    void SetPageLength(int value);
    void SetPageWidth(int value);
    void SetFooterHeight(int value);
    void SetPrintLateVoucher(bool value);
    void SetExtendedProductionSlip(bool value);

    // Back to a new printer's values, named "New Printer" and the item's position.
    void Clear() override;
    // Copying a printer is not supported: says so.
    void Clone(const TRootCollectionItem& source) override;
    bool LoadFromDataSet(pw::db::Query& dataset) override;
    virtual bool LoadByID(int printersID);
    int Delete() override;
    // Inserts (taking the new key) or updates the row; rows affected.
    int Update() override;

private:
    int m_printersID = 0;
    QString m_name;
    quint8 m_category = 0;
    int m_model = 0;
    int m_type = 0;
    int m_pageLength = 0;
    int m_pageWidth = 0;
    int m_footerHeight = 0;
    bool m_printLateVoucher = false;
    bool m_extendedProductionSlip = false;
};

// Every printer of the site.
class T_Printers : public TCollectionDB
{
public:
    T_Printers();

    T_PrintersItem* Items(int index) const
    {
        return static_cast<T_PrintersItem*>(TCollectionDB::Items(index));
    }
    T_PrintersItem* Add() override { return static_cast<T_PrintersItem*>(TCollectionDB::Add()); }

    // All printers by name; an empty table leaves the list as it was. The number of items.
    int LoadPrinters();
    // Deletes the printer's row, then removes and frees the item.
    void DeletePrinter(int index);
};

// One row of TillsLinkPrinters: a printer as one till uses it.
class TTillsLinkPrintersItem : public TCollectionDBItem
{
public:
    QString ClassName() const override { return QStringLiteral("TTillsLinkPrintersItem"); }

    int TillsLinkPrintersID() const { return m_tillsLinkPrintersID; }
    // The till's TillsID, not its till number.
    int fkTillsID() const { return m_fkTillsID; }
    int fkPrintersID() const { return m_fkPrintersID; }
    const QString& Device() const { return m_device; }
    bool DirectToPort() const { return m_directToPort; }
    int Copies() const { return m_copies; }
    const QString& ReportFileName() const { return m_reportFileName; }
    bool PrintLinePrices() const { return m_printLinePrices; }
    bool PrintKitchenTotals() const { return m_printKitchenTotals; }

    void SetfkTillsID(int value);
    void SetfkPrintersID(int value);
    void SetDevice(const QString& value);
    void SetDirectToPort(bool value);
    void SetCopies(int value);
    void SetReportFileName(const QString& value);
    // These two always mark the item modified.
    void SetPrintLinePrices(bool value);
    void SetPrintKitchenTotals(bool value);

    void Clear() override;
    // Copying a link is not supported: says so.
    void Clone(const TRootCollectionItem& source) override;
    bool LoadFromDataSet(pw::db::Query& dataset) override;
    // Deletes the row (when it has one); an item in a collection then leaves it and is
    // freed, so the caller must not touch it afterwards. Rows affected.
    int Delete() override;
    int Update() override;

private:
    int m_tillsLinkPrintersID = 0;
    int m_fkTillsID = 0;
    int m_fkPrintersID = 0;
    QString m_device;
    bool m_directToPort = false;
    int m_copies = 0;
    QString m_reportFileName;
    bool m_printLinePrices = false;
    bool m_printKitchenTotals = false;
};

// The printer links of one till.
class TTillsLinkPrinters : public TCollectionDB
{
public:
    explicit TTillsLinkPrinters(
        TItemFactoryOf<TTillsLinkPrintersItem> itemClass = ItemClass<TTillsLinkPrintersItem>());

    TTillsLinkPrintersItem* Items(int index) const
    {
        return static_cast<TTillsLinkPrintersItem*>(TCollectionDB::Items(index));
    }
    TTillsLinkPrintersItem* Add() override
    {
        return static_cast<TTillsLinkPrintersItem*>(TCollectionDB::Add());
    }

    // The links of the till number; the number of items.
    int LoadForTill(int tillID);
    // Position of the first link to the printer, or -1.
    int IndexOfPrinter(int printersID) const;
    // Deletes every till's links to the printer; the list in memory stays as it is.
    int DeleteForPrinter(int printersID);
};

// A link that also holds its printer's row.
class TOrvoPrintersItem : public TTillsLinkPrintersItem
{
public:
    TOrvoPrintersItem();
    ~TOrvoPrintersItem() override;
    QString ClassName() const override { return QStringLiteral("TOrvoPrintersItem"); }

    T_PrintersItem* Printer() const { return m_printer.get(); }

    void Clear() override;
    void Clone(const TRootCollectionItem& source) override;
    bool LoadFromDataSet(pw::db::Query& dataset) override;
    void SetAdoConnection(pw::db::Connection* connection) override;

private:
    std::unique_ptr<T_PrintersItem> m_printer;
};

// A till's printer links with their printers.
class TOrvoPrinters : public TTillsLinkPrinters
{
public:
    TOrvoPrinters() : TTillsLinkPrinters(ItemClass<TOrvoPrintersItem>()) {}

    TOrvoPrintersItem* Items(int index) const
    {
        return static_cast<TOrvoPrintersItem*>(TTillsLinkPrinters::Items(index));
    }
    TOrvoPrintersItem* Add() override { return static_cast<TOrvoPrintersItem*>(TTillsLinkPrinters::Add()); }
};
