#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QTimer;

// The window that says what start-up is doing.
class TfrmSplashScreen : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int NoOfSteps READ NoOfSteps WRITE SetNoOfSteps)
public:
    explicit TfrmSplashScreen(QWidget* parent = nullptr);
    ~TfrmSplashScreen() override;

    int NoOfSteps() const { return m_noOfSteps; }
    // Also the progress bar's maximum.
    void SetNoOfSteps(int steps);

    // Shows the window if needed, puts the text up and, for a step, moves the bar
    // on by one; painted at once. The splash never stops start-up: errors are swallowed.
    void ShowStatus(const QString& text, bool step);

    void FormShow();
    void FormClose();
    void Timer1Timer();

    bool StayOnTop = false;

    QWidget* panelTopBorder;
    QWidget* panelBottomBorder;
    QWidget* panelLeftBorder;
    QWidget* panelRightBorder;
    QWidget* pnlInner;
    QLabel* Image1;
    QProgressBar* prg;
    QLabel* lblStatus;
    QTimer* Timer1;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    int m_noOfSteps = 0;
    bool m_cursorSet = false;
};

// The process's splash screen, made at start-up.
extern TfrmSplashScreen* frmSplashScreen;
