-- Platewatch suite database, Microsoft SQL Server form.
--
-- Run on an empty database with a tool that understands GO batch separators
-- (sqlcmd, Management Studio). Column names holding a blank or matching a type or
-- keyword are bracketed. Date-time columns are datetime, amounts money, flags bit.

CREATE TABLE Invoices (
    InvoiceNum int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    [Date] datetime NULL,
    OrderNum int NULL DEFAULT 0,
    Telephone nvarchar(15) NULL,
    NotifyName nvarchar(50) NULL,
    TimeDue datetime NULL,
    TimeStampCooked datetime NULL,
    OvenTimeStamp datetime NULL,
    Status int NULL DEFAULT 0,
    CashierLink int NULL DEFAULT 0,
    DriverLink int NULL DEFAULT 0,
    ClosedTable bit NULL DEFAULT 0,
    TransType int NULL DEFAULT 0
);
GO

-- LineNum is the line's position within its invoice.
CREATE TABLE LineItem (
    LineItemID int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    InvoiceNum int NOT NULL,
    LineNum int NULL DEFAULT 0,
    Quantity float NULL DEFAULT 1,
    Code varchar(10) NULL,
    ItemDesc nvarchar(30) NULL,
    [Size] nvarchar(10) NULL
);
GO

-- Recipe is the number PricesLinkPrinters.fkPricesID refers to.
CREATE TABLE Prices (
    PricesID int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    Code varchar(10) NULL,
    LabelDesc nvarchar(30) NULL,
    [Size] nvarchar(10) NULL,
    CatMenuCode int NULL DEFAULT 0,
    Recipe int NULL DEFAULT 0
);
GO

CREATE TABLE CatMenu (
    CatMenuCode int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    Description nvarchar(30) NULL
);
GO

CREATE TABLE PricesLinkPrinters (
    PricesLinkPrintersID int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    fkPricesID int NULL DEFAULT 0,
    fkPrintersID int NULL DEFAULT 0
);
GO

-- Settings: Class is GLOBAL, MENUVERSIONS or a till number. An empty Value or
-- Value2 is stored as a single NUL character. The programs split a long path
-- after 50 characters into Value and Value2; Value is wider than that so a long
-- printer name still fits in one row.
CREATE TABLE SysData (
    [Class] varchar(20) NOT NULL,
    Item varchar(50) NOT NULL,
    [Value] varchar(255) NULL,
    Value2 varchar(255) NULL
);
GO

CREATE TABLE IPADDRESS (
    Address varchar(50) NULL
);
GO

CREATE TABLE Tills (
    TillsID int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    TillID int NULL,
    [Computer Name] varchar(50) NULL,
    [HD Serial] varchar(20) NULL,
    [Login Name] varchar(50) NULL
);
GO

-- EmpNum is given by the server on insert.
CREATE TABLE Employee (
    EmpNum int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    MaxDiscPctAny float NULL DEFAULT 0,
    MaxDiscValueAny money NULL DEFAULT 0,
    KIColour int NULL DEFAULT 0,
    Waiter bit NULL DEFAULT 0,
    Active bit NULL DEFAULT 1,
    Category varchar(10) NULL,
    [Date] datetime NULL,
    DiscDate datetime NULL,
    DateInvoicePasswordChanged datetime NULL,
    DatePasswordChanged datetime NULL,
    DoesDeliveries bit NULL DEFAULT 0,
    FirstName nvarchar(30) NULL,
    Flat nvarchar(30) NULL,
    HourlyRate money NULL DEFAULT 0,
    InvoicePassword varchar(20) NULL,
    KmRate money NULL DEFAULT 0,
    KmsPrDeliv float NULL DEFAULT 0,
    LastName nvarchar(30) NULL,
    LastWorked datetime NULL,
    MtdDelAmt float NULL DEFAULT 0,
    MtdKms float NULL DEFAULT 0,
    MtdNumDel float NULL DEFAULT 0,
    MtdHrs float NULL DEFAULT 0,
    MtdTimeW float NULL DEFAULT 0,
    MtdTips money NULL DEFAULT 0,
    MtdTravelW float NULL DEFAULT 0,
    [Password] varchar(20) NULL,
    PayRatePerDelivery money NULL DEFAULT 0,
    PctDisc float NULL DEFAULT 0,
    PctMax money NULL DEFAULT 0,
    PostCode varchar(10) NULL,
    RandDisc money NULL DEFAULT 0,
    ShiftDisc money NULL DEFAULT 0,
    Street nvarchar(50) NULL,
    Suburb nvarchar(50) NULL,
    Telephone varchar(15) NULL,
    Telephone2 varchar(15) NULL,
    ShToDate float NULL DEFAULT 0,
    YtdHrs float NULL DEFAULT 0,
    YtdKms float NULL DEFAULT 0,
    YtdNumDel float NULL DEFAULT 0,
    YtdDelAmt float NULL DEFAULT 0,
    YtdTimeW float NULL DEFAULT 0,
    YtdTips money NULL DEFAULT 0,
    YtdTravelW float NULL DEFAULT 0,
    MonthlyMaxSpend money NULL DEFAULT 0,
    MaxDiscValue money NULL DEFAULT 0,
    MaxDiscPct float NULL DEFAULT 0,
    FingerPrint varchar(max) NULL
);
GO

CREATE TABLE EmpCat (
    Category varchar(10) NOT NULL PRIMARY KEY,
    Descriptn varchar(30) NULL
);
GO

-- One row per pair of employee category and activity code it may perform.
CREATE TABLE Permiss (
    PermissID int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    EmpCat varchar(10) NOT NULL,
    AccessCode varchar(10) NOT NULL
);
GO

-- One row per shift of an employee, keyed by InvoiceLink. The clock-in writes only
-- a few columns, so every total starts at 0 and the shift counts as clocked in.
CREATE TABLE Attend (
    InvoiceLink int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    EmpNum int NOT NULL,
    InDateTime datetime NULL,
    OutDateTime datetime NULL,
    OdoStart int NULL DEFAULT 0,
    OdoEnd int NULL DEFAULT 0,
    KmsTravlld float NULL DEFAULT 0,
    HrsWorked datetime NULL,
    [Float] money NULL DEFAULT 0,
    DriverCash money NULL DEFAULT 0,
    TotOrders float NULL DEFAULT 0,
    OrderCount float NULL DEFAULT 0,
    TimeWages money NULL DEFAULT 0,
    TravlWages money NULL DEFAULT 0,
    ExDriver float NULL DEFAULT 0,
    Tips money NULL DEFAULT 0,
    PdAlready money NULL DEFAULT 0,
    CashedUp bit NULL DEFAULT 0,
    ClockedOut bit NULL DEFAULT 0,
    TotalOwed money NULL DEFAULT 0,
    DeliveryWages money NULL DEFAULT 0,
    OnDelivery bit NULL DEFAULT 0,
    HourlyRate money NULL DEFAULT 0,
    KmRate money NULL DEFAULT 0
);
GO

CREATE TABLE ActCodes (
    ActCode varchar(10) NOT NULL PRIMARY KEY,
    Descriptn varchar(50) NULL,
    ForceLog bit NULL DEFAULT 0,
    TempFlag bit NULL DEFAULT 0,
    LogThis bit NULL DEFAULT 0,
    ReqPermiss bit NULL DEFAULT 1,
    LockedOut bit NULL DEFAULT 0
);
GO

-- Log of granted permission checks. Time holds 'hh:nn:ss:zzz' as text.
CREATE TABLE Activity (
    ActivityID int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    Employee varchar(10) NULL,
    Station varchar(10) NULL,
    ActCode varchar(10) NULL,
    Activity varchar(50) NULL,
    [Date] datetime NULL,
    [Time] varchar(12) NULL
);
GO

-- Cash movements of a till shift, for example a driver's float paid out.
CREATE TABLE CASHUP (
    CashupID int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    SHIFTNUM int NULL DEFAULT 0,
    [DATE] datetime NULL,
    CLASS varchar(20) NULL,
    NUMBER int NULL DEFAULT 0,
    [NAME] nvarchar(50) NULL,
    AMOUNT money NULL DEFAULT 0
);
GO

-- The cash-up of one till shift. FKCASHPOSTID names the shop's daily cash-up.
CREATE TABLE TILLPOST (
    SHIFTNUM int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    TILLID int NULL DEFAULT 0,
    TILLISACTIVE bit NULL DEFAULT 0,
    [DATE] datetime NULL,
    FKCASHPOSTID int NULL DEFAULT 0,
    Coupons money NULL DEFAULT 0,
    Cheques money NULL DEFAULT 0,
    Cash money NULL DEFAULT 0,
    CrCards money NULL DEFAULT 0,
    PettyCash money NULL DEFAULT 0,
    GRVs money NULL DEFAULT 0,
    DrvFloat money NULL DEFAULT 0,
    FloatIssue money NULL DEFAULT 0,
    [Float] money NULL DEFAULT 0,
    Wages money NULL DEFAULT 0,
    AdditBank money NULL DEFAULT 0,
    TotSales money NULL DEFAULT 0,
    Discounts money NULL DEFAULT 0,
    OverRings money NULL DEFAULT 0,
    NetSales money NULL DEFAULT 0,
    DelivChg money NULL DEFAULT 0,
    Vat money NULL DEFAULT 0,
    NetoVat money NULL DEFAULT 0,
    Debtors money NULL DEFAULT 0,
    Difference money NULL DEFAULT 0,
    CashupTotal money NULL DEFAULT 0,
    ExcludedSales money NULL DEFAULT 0,
    Gratuity money NULL DEFAULT 0
);
GO

-- The shop's cash-up of one day, DATE being that day at noon.
CREATE TABLE CASHPOST (
    CASHPOSTID int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    [DATE] datetime NULL,
    POSTED bit NULL DEFAULT 0,
    Coupons money NULL DEFAULT 0,
    Cheques money NULL DEFAULT 0,
    Cash money NULL DEFAULT 0,
    CrCards money NULL DEFAULT 0,
    PettyCash money NULL DEFAULT 0,
    GRVs money NULL DEFAULT 0,
    DrvFloat money NULL DEFAULT 0,
    FloatIssue money NULL DEFAULT 0,
    [Float] money NULL DEFAULT 0,
    Wages money NULL DEFAULT 0,
    AdditBank money NULL DEFAULT 0,
    TotSales money NULL DEFAULT 0,
    Discounts money NULL DEFAULT 0,
    OverRings money NULL DEFAULT 0,
    NetSales money NULL DEFAULT 0,
    DelivChg money NULL DEFAULT 0,
    Vat money NULL DEFAULT 0,
    NetoVat money NULL DEFAULT 0,
    Debtors money NULL DEFAULT 0,
    Difference money NULL DEFAULT 0,
    CashupTotal money NULL DEFAULT 0,
    ExcludedSales money NULL DEFAULT 0,
    Gratuity money NULL DEFAULT 0
);
GO

-- Work table of the cash-up relink, which drops and rebuilds it.
CREATE TABLE TEMPTILLPOSTDATES (
    CASHUPDATE datetime NULL
);
GO

-- Category: 0 invoice, 1 production, 2 credit-card printer.
CREATE TABLE Printers (
    PrintersID int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    [Name] varchar(50) NULL,
    Category int NULL DEFAULT 0,
    Model int NULL DEFAULT 0,
    [Type] int NULL DEFAULT 0,
    PageLength int NULL DEFAULT 26,
    PageWidth int NULL DEFAULT 0,
    FooterHeight int NULL DEFAULT 0,
    PrintLateVoucher bit NULL DEFAULT 0,
    ExtendedProductionSlip bit NULL DEFAULT 0
);
GO

-- fkTillsID is the till's TillsID, not its till number.
CREATE TABLE TillsLinkPrinters (
    TillsLinkPrintersID int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    fkTillsID int NULL DEFAULT 0,
    fkPrintersID int NULL DEFAULT 0,
    Device varchar(255) NULL,
    DirectToPort bit NULL DEFAULT 0,
    Copies int NULL DEFAULT 1,
    ReportFileName varchar(255) NULL,
    PrintLinePrices bit NULL DEFAULT 0,
    PrintKitchenTotals bit NULL DEFAULT 0
);
GO

CREATE TABLE Departments (
    Code int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    Description nvarchar(50) NULL
);
GO

-- fkTillsID is the till number here, fkDepartmentID the department's Code as text.
CREATE TABLE TillsLinkDepartments (
    TillsLinkDepartmentID int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    fkTillsID int NULL DEFAULT 0,
    fkDepartmentID varchar(10) NULL,
    Active bit NULL DEFAULT 0
);
GO

CREATE TABLE reportgroup (
    ReportGroupID int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    Description nvarchar(50) NULL,
    Royalty float NULL DEFAULT 0,
    Advertising float NULL DEFAULT 0
);
GO

CREATE TABLE VersionInfo (
    Ver varchar(20) NULL
);
GO

CREATE INDEX IX_Invoices_Date ON Invoices ([Date]);
CREATE INDEX IX_LineItem_InvoiceNum ON LineItem (InvoiceNum);
CREATE INDEX IX_Attend_EmpNum_InDateTime ON Attend (EmpNum, InDateTime);
CREATE INDEX IX_SysData_Class_Item ON SysData ([Class], Item);
GO

-- Recomputes the worked totals of one shift (the Attend row keyed by @InvoiceLink)
-- after it has been clocked out, from its clock times, odometer readings and rates:
--   HrsWorked  = OutDateTime - InDateTime, a time span (day 0 is 1 January 1900)
--   TimeWages  = worked seconds / 3600 * HourlyRate, rounded to 4 decimals; negative
--                when the clock-out lies before the clock-in, so a mistyped time shows
--   KmsTravlld = OdoEnd - OdoStart
--   TravlWages = KmsTravlld * KmRate, rounded to 4 decimals
--   TotalOwed  = TimeWages + TravlWages + DeliveryWages + Tips - PdAlready
-- A shift without both clock times is left untouched. Nothing is returned.
CREATE PROCEDURE job_UpdateSingleAttendTotals
    @InvoiceLink int
AS
BEGIN
    SET NOCOUNT ON;

    UPDATE a
       SET HrsWorked  = a.OutDateTime - a.InDateTime,
           TimeWages  = w.TimeWages,
           KmsTravlld = w.Kms,
           TravlWages = t.TravlWages,
           TotalOwed  = w.TimeWages + t.TravlWages + ISNULL(a.DeliveryWages, 0)
                        + ISNULL(a.Tips, 0) - ISNULL(a.PdAlready, 0)
      FROM Attend a
     CROSS APPLY (SELECT ROUND(DATEDIFF(second, a.InDateTime, a.OutDateTime) / 3600.0
                               * ISNULL(a.HourlyRate, 0), 4) AS TimeWages,
                         ISNULL(a.OdoEnd, 0) - ISNULL(a.OdoStart, 0) AS Kms) w
     CROSS APPLY (SELECT ROUND(w.Kms * ISNULL(a.KmRate, 0), 4) AS TravlWages) t
     WHERE a.InvoiceLink = @InvoiceLink
       AND a.InDateTime IS NOT NULL
       AND a.OutDateTime IS NOT NULL;
END
GO
