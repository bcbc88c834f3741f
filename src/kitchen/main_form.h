#pragma once

#include "kitchen/access_guard.h"
#include "kitchen/order_screen.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QTableView;
class QTimer;

// What the main window works with; the defaults are the process's own objects.
struct TMainFormServices
{
    pw::db::Connection* Connection = nullptr;       // dmOrvo->con
    TPrepSettingsSource Settings;                   // OrvoSettings' GLOBAL class
    TLabelPrinter PrintLabels;                      // KitchenLabels
    TAccessGuard* Guard = nullptr;                  // none: every guarded entry is refused
    std::function<void(QWidget*)> ShowOrvoSettings; // the suite's settings dialog, where it exists
    std::function<QString()> ProgramVersion;        // GetProgramVersion of this program
};

// The services of the running program: dmOrvo, OrvoSettings and KitchenLabels.
TMainFormServices DefaultMainFormServices();

// The program's main window: the kitchen's order list, worked from the numeric keypad.
class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmMain(TMainFormServices services = DefaultMainFormServices(), QWidget* parent = nullptr);
    ~TfrmMain() override;

    TOrderScreen& Screen() { return *m_screen; }

    void FormShow();
    // A key pressed anywhere in the window: its code in the status bar, then its action.
    void FormKeyDown(QKeyEvent* event);
    void SizeButtons();
    // Every resize of the window, before its controls are placed.
    void FormCanResize();
    void BtnCloseClick();
    void BtnViewClick();
    void BtnUpClick();
    void BtnDownClick();
    void BtnMarkClick();
    // The display button's click, as it is bound at the moment (display or back).
    void BtnDisplayClick();
    void Button1Click();
    void SystemSettings1Click();
    void PlatewatchSettings1Click();
    // The status bar's clock and lock indicators.
    void UpdateStatusClock();

    QMenu* mnuSettings; // "Settings" of the main menu MainMenu1
    QAction* SystemSettings1;
    QAction* PlatewatchSettings1;
    QStatusBar* StatusBar1;
    QLabel* StatusPanel0; // the last key's code
    QLabel* StatusPanel1;
    QLabel* StatusDateTime;
    QLabel* StatusNumLock;
    QLabel* StatusCapsLock;
    QWidget* PnlButtons;
    QPushButton* BtnMark;
    QPushButton* BtnUp;
    QPushButton* BtnDown;
    QPushButton* BtnSwitchView;
    QPushButton* BtnDisplay;
    QPushButton* BtnQuit;
    QLabel* pnlViewStatus;
    QPushButton* Button1;
    QWidget* panelMain;
    QTableView* dbGridInvoices;
    QTableView* dbGridLineItem;
    QTimer* tmrStatusClock;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showState();
    void placeButtons(int height);
    void noteLocks(const QKeyEvent& event);

    TMainFormServices m_services;
    TRefusingGuard m_refusing;
    std::unique_ptr<TOrderScreen> m_screen;
    bool m_showingState = false;
    int m_numLock = -1; // -1 until a key tells
    int m_capsLock = -1;
};

// The process's main window, made at start-up.
extern TfrmMain* frmMain;
