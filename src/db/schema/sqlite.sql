-- Platewatch suite database, SQLite form.
--
-- Each statement ends with a semicolon at the end of its line; the loader splits
-- there and skips lines that start with two dashes, so no statement or comment
-- line below holds any other semicolon.
--
-- Date-time columns hold text 'YYYY-MM-DD HH:MM:SS', which sorts and compares
-- correctly as text. Money and floating-point columns are REAL, flags INTEGER 0/1.
-- Identity keys are INTEGER PRIMARY KEY AUTOINCREMENT, so numbers are never reused.
-- Column names holding a blank are quoted.

-- Orders written by the tills. Status 0 is an ordinary order, TimeStampCooked is
-- set by the kitchen when the order is done.
CREATE TABLE Invoices (
    InvoiceNum INTEGER PRIMARY KEY AUTOINCREMENT,
    "Date" TEXT,
    OrderNum INTEGER DEFAULT 0,
    Telephone TEXT,
    NotifyName TEXT,
    TimeDue TEXT,
    TimeStampCooked TEXT,
    OvenTimeStamp TEXT,
    Status INTEGER DEFAULT 0,
    CashierLink INTEGER DEFAULT 0,
    DriverLink INTEGER DEFAULT 0,
    ClosedTable INTEGER DEFAULT 0,
    TransType INTEGER DEFAULT 0
);

-- LineNum is the line's position within its invoice.
CREATE TABLE LineItem (
    LineItemID INTEGER PRIMARY KEY AUTOINCREMENT,
    InvoiceNum INTEGER NOT NULL,
    LineNum INTEGER DEFAULT 0,
    Quantity REAL DEFAULT 1,
    Code TEXT,
    ItemDesc TEXT,
    "Size" TEXT
);

-- Recipe is the number PricesLinkPrinters.fkPricesID refers to.
CREATE TABLE Prices (
    PricesID INTEGER PRIMARY KEY AUTOINCREMENT,
    Code TEXT,
    LabelDesc TEXT,
    "Size" TEXT,
    CatMenuCode INTEGER DEFAULT 0,
    Recipe INTEGER DEFAULT 0
);

CREATE TABLE CatMenu (
    CatMenuCode INTEGER PRIMARY KEY AUTOINCREMENT,
    Description TEXT
);

CREATE TABLE PricesLinkPrinters (
    PricesLinkPrintersID INTEGER PRIMARY KEY AUTOINCREMENT,
    fkPricesID INTEGER DEFAULT 0,
    fkPrintersID INTEGER DEFAULT 0
);

-- Settings: Class is GLOBAL, MENUVERSIONS or a till number. An empty Value or
-- Value2 is stored as a single NUL character. The programs split a long path
-- after 50 characters into Value and Value2.
CREATE TABLE SysData (
    "Class" TEXT NOT NULL,
    Item TEXT NOT NULL,
    "Value" TEXT,
    Value2 TEXT
);

CREATE TABLE IPADDRESS (
    Address TEXT
);

CREATE TABLE Tills (
    TillsID INTEGER PRIMARY KEY AUTOINCREMENT,
    TillID INTEGER,
    "Computer Name" TEXT,
    "HD Serial" TEXT,
    "Login Name" TEXT
);

-- EmpNum is given by the database on insert.
CREATE TABLE Employee (
    EmpNum INTEGER PRIMARY KEY AUTOINCREMENT,
    MaxDiscPctAny REAL DEFAULT 0,
    MaxDiscValueAny REAL DEFAULT 0,
    KIColour INTEGER DEFAULT 0,
    Waiter INTEGER DEFAULT 0,
    Active INTEGER DEFAULT 1,
    Category TEXT,
    "Date" TEXT,
    DiscDate TEXT,
    DateInvoicePasswordChanged TEXT,
    DatePasswordChanged TEXT,
    DoesDeliveries INTEGER DEFAULT 0,
    FirstName TEXT,
    Flat TEXT,
    HourlyRate REAL DEFAULT 0,
    InvoicePassword TEXT,
    KmRate REAL DEFAULT 0,
    KmsPrDeliv REAL DEFAULT 0,
    LastName TEXT,
    LastWorked TEXT,
    MtdDelAmt REAL DEFAULT 0,
    MtdKms REAL DEFAULT 0,
    MtdNumDel REAL DEFAULT 0,
    MtdHrs REAL DEFAULT 0,
    MtdTimeW REAL DEFAULT 0,
    MtdTips REAL DEFAULT 0,
    MtdTravelW REAL DEFAULT 0,
    Password TEXT,
    PayRatePerDelivery REAL DEFAULT 0,
    PctDisc REAL DEFAULT 0,
    PctMax REAL DEFAULT 0,
    PostCode TEXT,
    RandDisc REAL DEFAULT 0,
    ShiftDisc REAL DEFAULT 0,
    Street TEXT,
    Suburb TEXT,
    Telephone TEXT,
    Telephone2 TEXT,
    ShToDate REAL DEFAULT 0,
    YtdHrs REAL DEFAULT 0,
    YtdKms REAL DEFAULT 0,
    YtdNumDel REAL DEFAULT 0,
    YtdDelAmt REAL DEFAULT 0,
    YtdTimeW REAL DEFAULT 0,
    YtdTips REAL DEFAULT 0,
    YtdTravelW REAL DEFAULT 0,
    MonthlyMaxSpend REAL DEFAULT 0,
    MaxDiscValue REAL DEFAULT 0,
    MaxDiscPct REAL DEFAULT 0,
    FingerPrint TEXT
);

CREATE TABLE EmpCat (
    Category TEXT PRIMARY KEY NOT NULL,
    Descriptn TEXT
);

-- One row per pair of employee category and activity code it may perform.
CREATE TABLE Permiss (
    PermissID INTEGER PRIMARY KEY AUTOINCREMENT,
    EmpCat TEXT NOT NULL,
    AccessCode TEXT NOT NULL
);

-- One row per shift of an employee, keyed by InvoiceLink. The clock-in writes only
-- a few columns, so every total starts at 0 and the shift counts as clocked in.
CREATE TABLE Attend (
    InvoiceLink INTEGER PRIMARY KEY AUTOINCREMENT,
    EmpNum INTEGER NOT NULL,
    InDateTime TEXT,
    OutDateTime TEXT,
    OdoStart INTEGER DEFAULT 0,
    OdoEnd INTEGER DEFAULT 0,
    KmsTravlld REAL DEFAULT 0,
    HrsWorked TEXT,
    "Float" REAL DEFAULT 0,
    DriverCash REAL DEFAULT 0,
    TotOrders REAL DEFAULT 0,
    OrderCount REAL DEFAULT 0,
    TimeWages REAL DEFAULT 0,
    TravlWages REAL DEFAULT 0,
    ExDriver REAL DEFAULT 0,
    Tips REAL DEFAULT 0,
    PdAlready REAL DEFAULT 0,
    CashedUp INTEGER DEFAULT 0,
    ClockedOut INTEGER DEFAULT 0,
    TotalOwed REAL DEFAULT 0,
    DeliveryWages REAL DEFAULT 0,
    OnDelivery INTEGER DEFAULT 0,
    HourlyRate REAL DEFAULT 0,
    KmRate REAL DEFAULT 0
);

CREATE TABLE ActCodes (
    ActCode TEXT PRIMARY KEY NOT NULL,
    Descriptn TEXT,
    ForceLog INTEGER DEFAULT 0,
    TempFlag INTEGER DEFAULT 0,
    LogThis INTEGER DEFAULT 0,
    ReqPermiss INTEGER DEFAULT 1,
    LockedOut INTEGER DEFAULT 0
);

-- Log of granted permission checks. Time holds 'hh:nn:ss:zzz' as text.
CREATE TABLE Activity (
    ActivityID INTEGER PRIMARY KEY AUTOINCREMENT,
    Employee TEXT,
    Station TEXT,
    ActCode TEXT,
    Activity TEXT,
    "Date" TEXT,
    "Time" TEXT
);

-- Cash movements of a till shift, for example a driver's float paid out.
CREATE TABLE CASHUP (
    CashupID INTEGER PRIMARY KEY AUTOINCREMENT,
    SHIFTNUM INTEGER DEFAULT 0,
    "DATE" TEXT,
    CLASS TEXT,
    NUMBER INTEGER DEFAULT 0,
    "NAME" TEXT,
    AMOUNT REAL DEFAULT 0
);

-- The cash-up of one till shift. FKCASHPOSTID names the shop's daily cash-up.
CREATE TABLE TILLPOST (
    SHIFTNUM INTEGER PRIMARY KEY AUTOINCREMENT,
    TILLID INTEGER DEFAULT 0,
    TILLISACTIVE INTEGER DEFAULT 0,
    "DATE" TEXT,
    FKCASHPOSTID INTEGER DEFAULT 0,
    Coupons REAL DEFAULT 0,
    Cheques REAL DEFAULT 0,
    Cash REAL DEFAULT 0,
    CrCards REAL DEFAULT 0,
    PettyCash REAL DEFAULT 0,
    GRVs REAL DEFAULT 0,
    DrvFloat REAL DEFAULT 0,
    FloatIssue REAL DEFAULT 0,
    "Float" REAL DEFAULT 0,
    Wages REAL DEFAULT 0,
    AdditBank REAL DEFAULT 0,
    TotSales REAL DEFAULT 0,
    Discounts REAL DEFAULT 0,
    OverRings REAL DEFAULT 0,
    NetSales REAL DEFAULT 0,
    DelivChg REAL DEFAULT 0,
    Vat REAL DEFAULT 0,
    NetoVat REAL DEFAULT 0,
    Debtors REAL DEFAULT 0,
    Difference REAL DEFAULT 0,
    CashupTotal REAL DEFAULT 0,
    ExcludedSales REAL DEFAULT 0,
    Gratuity REAL DEFAULT 0
);

-- The shop's cash-up of one day, DATE being that day at noon.
CREATE TABLE CASHPOST (
    CASHPOSTID INTEGER PRIMARY KEY AUTOINCREMENT,
    "DATE" TEXT,
    POSTED INTEGER DEFAULT 0,
    Coupons REAL DEFAULT 0,
    Cheques REAL DEFAULT 0,
    Cash REAL DEFAULT 0,
    CrCards REAL DEFAULT 0,
    PettyCash REAL DEFAULT 0,
    GRVs REAL DEFAULT 0,
    DrvFloat REAL DEFAULT 0,
    FloatIssue REAL DEFAULT 0,
    "Float" REAL DEFAULT 0,
    Wages REAL DEFAULT 0,
    AdditBank REAL DEFAULT 0,
    TotSales REAL DEFAULT 0,
    Discounts REAL DEFAULT 0,
    OverRings REAL DEFAULT 0,
    NetSales REAL DEFAULT 0,
    DelivChg REAL DEFAULT 0,
    Vat REAL DEFAULT 0,
    NetoVat REAL DEFAULT 0,
    Debtors REAL DEFAULT 0,
    Difference REAL DEFAULT 0,
    CashupTotal REAL DEFAULT 0,
    ExcludedSales REAL DEFAULT 0,
    Gratuity REAL DEFAULT 0
);

-- Work table of the cash-up relink, which drops and rebuilds it.
CREATE TABLE TEMPTILLPOSTDATES (
    CASHUPDATE TEXT
);

-- Category: 0 invoice, 1 production, 2 credit-card printer.
CREATE TABLE Printers (
    PrintersID INTEGER PRIMARY KEY AUTOINCREMENT,
    "Name" TEXT,
    Category INTEGER DEFAULT 0,
    Model INTEGER DEFAULT 0,
    "Type" INTEGER DEFAULT 0,
    PageLength INTEGER DEFAULT 26,
    PageWidth INTEGER DEFAULT 0,
    FooterHeight INTEGER DEFAULT 0,
    PrintLateVoucher INTEGER DEFAULT 0,
    ExtendedProductionSlip INTEGER DEFAULT 0
);

-- fkTillsID is the till's TillsID, not its till number.
CREATE TABLE TillsLinkPrinters (
    TillsLinkPrintersID INTEGER PRIMARY KEY AUTOINCREMENT,
    fkTillsID INTEGER DEFAULT 0,
    fkPrintersID INTEGER DEFAULT 0,
    Device TEXT,
    DirectToPort INTEGER DEFAULT 0,
    Copies INTEGER DEFAULT 1,
    ReportFileName TEXT,
    PrintLinePrices INTEGER DEFAULT 0,
    PrintKitchenTotals INTEGER DEFAULT 0
);

CREATE TABLE Departments (
    Code INTEGER PRIMARY KEY AUTOINCREMENT,
    Description TEXT
);

-- fkTillsID is the till number here, fkDepartmentID the department's Code as text.
CREATE TABLE TillsLinkDepartments (
    TillsLinkDepartmentID INTEGER PRIMARY KEY AUTOINCREMENT,
    fkTillsID INTEGER DEFAULT 0,
    fkDepartmentID TEXT,
    Active INTEGER DEFAULT 0
);

CREATE TABLE reportgroup (
    ReportGroupID INTEGER PRIMARY KEY AUTOINCREMENT,
    Description TEXT,
    Royalty REAL DEFAULT 0,
    Advertising REAL DEFAULT 0
);

CREATE TABLE VersionInfo (
    Ver TEXT
);

CREATE INDEX IX_Invoices_Date ON Invoices ("Date");
CREATE INDEX IX_LineItem_InvoiceNum ON LineItem (InvoiceNum);
CREATE INDEX IX_Attend_EmpNum_InDateTime ON Attend (EmpNum, InDateTime);
CREATE INDEX IX_SysData_Class_Item ON SysData ("Class", Item);
