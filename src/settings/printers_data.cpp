#include "settings/printers_data.h"

#include "errors/message_dialog.h"
#include "settings/text_utils.h"

namespace {

// The platform's plain message: no icon, an OK button.
void showPlainMessage(const QString& text)
{
    MessageDlgEx(text, mtCustom, mbOK);
}

QString nulIfEmpty(const QString& text)
{
    return text.isEmpty() ? NulText() : text;
}

} // namespace

// ---- T_PrintersItem

void T_PrintersItem::SetName(const QString& value)
{
    SetField(m_name, TrimBlanks(value));
}
void T_PrintersItem::SetCategory(quint8 value)
{
    SetField(m_category, value);
}
void T_PrintersItem::SetModel(int value)
{
    SetField(m_model, value);
}
void T_PrintersItem::SetType(int value)
{
    SetField(m_type, value);
}
void T_PrintersItem::SetPageLength(int value)
{
    SetField(m_pageLength, value);
}
void T_PrintersItem::SetPageWidth(int value)
{
    SetField(m_pageWidth, value);
}
void T_PrintersItem::SetFooterHeight(int value)
{
    SetField(m_footerHeight, value);
}
void T_PrintersItem::SetPrintLateVoucher(bool value)
{
    SetField(m_printLateVoucher, value);
}
void T_PrintersItem::SetExtendedProductionSlip(bool value)
{
    SetField(m_extendedProductionSlip, value);
}

void T_PrintersItem::Clear()
{
    TCollectionDBItem::Clear();
    m_category = 0;
    m_footerHeight = 0;
    m_model = 0;
    m_name = QStringLiteral("New Printer") + QString::number(Index());
    m_pageLength = 26;
    m_pageWidth = 0;
    m_printersID = -1;
    m_type = 0;
    m_printLateVoucher = false;
    m_extendedProductionSlip = false;
}

void T_PrintersItem::Clone(const TRootCollectionItem&)
{
    showPlainMessage(QStringLiteral("T_PrintersItem.Clone not implemented yet"));
}

bool T_PrintersItem::LoadFromDataSet(pw::db::Query& dataset)
{
    if (!TCollectionDBItem::LoadFromDataSet(dataset))
        return false;
    m_category = static_cast<quint8>(dataset.fieldByName(QStringLiteral("Category")).asInteger());
    m_footerHeight = dataset.fieldByName(QStringLiteral("FooterHeight")).asInteger();
    m_model = dataset.fieldByName(QStringLiteral("Model")).asInteger();
    m_name = TrimBlanks(dataset.fieldByName(QStringLiteral("Name")).asString());
    m_pageLength = dataset.fieldByName(QStringLiteral("PageLength")).asInteger();
    m_pageWidth = dataset.fieldByName(QStringLiteral("PageWidth")).asInteger();
    m_printersID = dataset.fieldByName(QStringLiteral("PrintersID")).asInteger();
    m_type = dataset.fieldByName(QStringLiteral("Type")).asInteger();
    m_printLateVoucher = dataset.fieldByName(QStringLiteral("PrintLateVoucher")).asBoolean();
    m_extendedProductionSlip = dataset.fieldByName(QStringLiteral("ExtendedProductionSlip")).asBoolean();
    return true;
}

bool T_PrintersItem::LoadByID(int printersID)
{
    SetEmpty(true);
    return LoadFromSQL(QStringList{QStringLiteral("SELECT * FROM Printers WHERE PrintersID = '") +
                                   QString::number(printersID) + "'"});
}

int T_PrintersItem::Delete()
{
    AdoCommand.setCommandText(QStringLiteral("DELETE FROM PRINTERS WHERE PrintersID = ") +
                              QString::number(m_printersID));
    return TCollectionDBItem::Delete();
}

int T_PrintersItem::Update()
{
    if (!Modified() && !IsNew())
        return 0;
    AdoCommand.setParamCheck(true);
    const bool inserting = m_printersID < 1;
    if (inserting) {
        AdoCommand.setIdentityInsert(
            QStringLiteral(
                "INSERT INTO Printers (Category,FooterHeight,Model,Name,PageLength,PageWidth,Type, "
                "PrintLateVoucher, ExtendedProductionSlip) VALUES (:Category,:FooterHeight,:Model,:Name,"
                ":PageLength,:PageWidth,:Type, :PrintLateVoucher, :ExtendedProductionSlip)"),
            QStringLiteral("IDField"));
    } else {
        AdoCommand.setCommandText(
            QStringLiteral(
                "UPDATE Printers SET Category     = :Category,FooterHeight = :FooterHeight,Model        = "
                ":Model,Name         = :Name,PageLength   = :PageLength,PageWidth    = "
                ":PageWidth,PrintLateVoucher = :PrintLateVoucher,Type         = :Type, "
                "ExtendedProductionSlip = :ExtendedProductionSlip WHERE PrintersID = ") +
            QString::number(m_printersID));
    }
    pw::db::Parameters& params = AdoCommand.parameters();
    params.byName(QStringLiteral("Category")).setValue(static_cast<int>(m_category));
    params.byName(QStringLiteral("FooterHeight")).setValue(m_footerHeight);
    params.byName(QStringLiteral("Model")).setValue(m_model);
    params.byName(QStringLiteral("Name")).setValue(nulIfEmpty(TrimBlanks(m_name)));
    params.byName(QStringLiteral("PageLength")).setValue(m_pageLength);
    params.byName(QStringLiteral("PageWidth")).setValue(m_pageWidth);
    params.byName(QStringLiteral("Type")).setValue(m_type);
    params.byName(QStringLiteral("PrintLateVoucher")).setValue(m_printLateVoucher);
    params.byName(QStringLiteral("ExtendedProductionSlip")).setValue(m_extendedProductionSlip);
    const int rows = TCollectionDBItem::Update();
    if (rows > 0 && inserting)
        m_printersID = params.byName(QStringLiteral("IDField")).value.toInt();
    return rows;
}

// ---- T_Printers

T_Printers::T_Printers() : TCollectionDB(ItemClass<T_PrintersItem>()) {}

int T_Printers::LoadPrinters()
{
    AdoQuery.close();
    AdoQuery.setSql(QStringLiteral("SELECT * FROM Printers ORDER BY Name Asc"));
    AdoQuery.open();
    if (!AdoQuery.isEmpty())
        Populate(&AdoQuery);
    return Count();
}

void T_Printers::DeletePrinter(int index)
{
    Items(index)->Delete();
    Delete(index);
}

// ---- TTillsLinkPrintersItem

void TTillsLinkPrintersItem::SetfkTillsID(int value)
{
    SetField(m_fkTillsID, value);
}
void TTillsLinkPrintersItem::SetfkPrintersID(int value)
{
    SetField(m_fkPrintersID, value);
}
void TTillsLinkPrintersItem::SetDevice(const QString& value)
{
    SetField(m_device, value);
}
void TTillsLinkPrintersItem::SetDirectToPort(bool value)
{
    SetField(m_directToPort, value);
}
void TTillsLinkPrintersItem::SetCopies(int value)
{
    SetField(m_copies, value);
}
void TTillsLinkPrintersItem::SetReportFileName(const QString& value)
{
    SetField(m_reportFileName, value);
}

void TTillsLinkPrintersItem::SetPrintLinePrices(bool value)
{
    m_printLinePrices = value;
    SetModified(true);
}

void TTillsLinkPrintersItem::SetPrintKitchenTotals(bool value)
{
    m_printKitchenTotals = value;
    SetModified(true);
}

void TTillsLinkPrintersItem::Clear()
{
    TCollectionDBItem::Clear();
    m_copies = 1;
    m_device.clear();
    m_directToPort = false;
    m_fkPrintersID = -1;
    m_fkTillsID = -1;
    m_reportFileName.clear();
    m_tillsLinkPrintersID = -1;
    m_printLinePrices = false;
    m_printKitchenTotals = false;
}

void TTillsLinkPrintersItem::Clone(const TRootCollectionItem&)
{
    showPlainMessage(QStringLiteral("TTillsLinkPrintersItem.Clone not implemented"));
}

bool TTillsLinkPrintersItem::LoadFromDataSet(pw::db::Query& dataset)
{
    if (!TCollectionDBItem::LoadFromDataSet(dataset))
        return false;
    m_copies = dataset.fieldByName(QStringLiteral("Copies")).asInteger();
    m_device = TrimBlanks(dataset.fieldByName(QStringLiteral("Device")).asString());
    m_directToPort = dataset.fieldByName(QStringLiteral("DirectToPort")).asBoolean();
    m_fkPrintersID = dataset.fieldByName(QStringLiteral("fkPrintersID")).asInteger();
    m_fkTillsID = dataset.fieldByName(QStringLiteral("fkTillsID")).asInteger();
    m_reportFileName = TrimBlanks(dataset.fieldByName(QStringLiteral("ReportFileName")).asString());
    m_tillsLinkPrintersID = dataset.fieldByName(QStringLiteral("TillsLinkPrintersID")).asInteger();
    m_printKitchenTotals = dataset.fieldByName(QStringLiteral("PrintKitchenTotals")).asBoolean();
    m_printLinePrices = dataset.fieldByName(QStringLiteral("PrintLinePrices")).asBoolean();
    return true;
}

int TTillsLinkPrintersItem::Delete()
{
    int rows = 0;
    if (m_tillsLinkPrintersID > 0) {
        AdoCommand.setCommandText(
            QStringLiteral("DELETE FROM TillsLinkPrinters WHERE TillsLinkPrintersID = ") +
            QString::number(m_tillsLinkPrintersID));
        rows = TCollectionDBItem::Delete();
    }
    // The link leaves its list; a standalone link stays with whoever made it.
    if (TRootCollection* owner = Collection())
        owner->Delete(Index());
    return rows;
}

int TTillsLinkPrintersItem::Update()
{
    if (!Modified() && !IsNew())
        return 0;
    AdoCommand.setParamCheck(true);
    const bool inserting = m_tillsLinkPrintersID < 1;
    if (inserting) {
        AdoCommand.setIdentityInsert(
            QStringLiteral(
                "INSERT INTO TillsLinkPrinters (Copies,Device,DirectToPort,fkPrintersID,fkTillsID,"
                "ReportFileName,PrintLinePrices,PrintKitchenTotals) VALUES (:Copies,:Device,:DirectToPort,"
                ":fkPrintersID,:fkTillsID,:ReportFileName,:PrintLinePrices,:PrintKitchenTotals)"),
            QStringLiteral("IDField"));
    } else {
        AdoCommand.setCommandText(
            QStringLiteral(
                "UPDATE TillsLinkPrinters SET Copies       = :Copies,Device       = :Device,DirectToPort = "
                ":DirectToPort,fkPrintersID = :fkPrintersID,fkTillsID    = :fkTillsID,ReportFileName = "
                ":ReportFileName, PrintLinePrices = :PrintLinePrices, PrintKitchenTotals = "
                ":PrintKitchenTotals WHERE TillsLinkPrintersID = ") +
            QString::number(m_tillsLinkPrintersID));
    }
    pw::db::Parameters& params = AdoCommand.parameters();
    params.byName(QStringLiteral("Copies")).setValue(m_copies);
    params.byName(QStringLiteral("Device")).setValue(nulIfEmpty(TrimBlanks(m_device)));
    params.byName(QStringLiteral("DirectToPort")).setValue(m_directToPort);
    params.byName(QStringLiteral("fkPrintersID")).setValue(m_fkPrintersID);
    params.byName(QStringLiteral("fkTillsID")).setValue(m_fkTillsID);
    params.byName(QStringLiteral("ReportFileName")).setValue(m_reportFileName);
    params.byName(QStringLiteral("PrintLinePrices")).setValue(m_printLinePrices);
    params.byName(QStringLiteral("PrintKitchenTotals")).setValue(m_printKitchenTotals);
    const int rows = TCollectionDBItem::Update();
    if (inserting)
        m_tillsLinkPrintersID = params.byName(QStringLiteral("IDField")).value.toInt();
    return rows;
}

// ---- TTillsLinkPrinters

TTillsLinkPrinters::TTillsLinkPrinters(TItemFactoryOf<TTillsLinkPrintersItem> itemClass)
    : TCollectionDB(AnyItemFactory(std::move(itemClass)))
{
}

int TTillsLinkPrinters::LoadForTill(int tillID)
{
    return PopulateFromSQL(
        QStringList{QStringLiteral("SELECT TillsLinkPrinters.* FROM TillsLinkPrinters JOIN Tills ON"),
                    QStringLiteral("fkTillsID = TillsID"),
                    QStringLiteral("WHERE Tills.TillID = '") + QString::number(tillID) + "'"});
}

int TTillsLinkPrinters::IndexOfPrinter(int printersID) const
{
    for (int i = 0; i < Count(); ++i) {
        if (Items(i)->fkPrintersID() == printersID)
            return i;
    }
    return -1;
}

int TTillsLinkPrinters::DeleteForPrinter(int printersID)
{
    AdoCommand.setCommandText(QStringLiteral("DELETE FROM TillsLinkPrinters WHERE fkPrintersID = ") +
                              QString::number(printersID));
    return ExecuteAdoCommand();
}

// ---- TOrvoPrintersItem

TOrvoPrintersItem::TOrvoPrintersItem() : m_printer(std::make_unique<T_PrintersItem>()) {}

TOrvoPrintersItem::~TOrvoPrintersItem() = default;

void TOrvoPrintersItem::Clear()
{
    TTillsLinkPrintersItem::Clear();
    m_printer->Clear();
}

void TOrvoPrintersItem::Clone(const TRootCollectionItem&)
{
    ShowInfoMsg(QStringLiteral("TOrvoPrintersItem.Clone not implemented"));
}

bool TOrvoPrintersItem::LoadFromDataSet(pw::db::Query& dataset)
{
    if (!TTillsLinkPrintersItem::LoadFromDataSet(dataset))
        return false;
    m_printer->LoadByID(fkPrintersID());
    return true;
}

void TOrvoPrintersItem::SetAdoConnection(pw::db::Connection* connection)
{
    TTillsLinkPrintersItem::SetAdoConnection(connection);
    m_printer->SetAdoConnection(connection);
}
