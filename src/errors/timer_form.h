#pragma once

#include <QDialog>

class QPushButton;
class QTimer;

// The form of the suite's message dialog: a dialog that may close itself after a
// countdown shown on its default button.
class TfrmTimerForm : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmTimerForm(QWidget* parent = nullptr);

    // Stores the countdown and, when it is positive, starts the one-second timer.
    void SetTimeout(int seconds);
    // Puts the remaining seconds on the countdown button.
    void FormShow();
    // One second has passed: count down and close with TimeoutResult at zero.
    void Timer1Timer();

    // The button Escape and the window's close box stand for (none: cancel).
    void SetCancelButton(QPushButton* button) { m_cancelButton = button; }
    QPushButton* CancelButton() const { return m_cancelButton; }

    int Timeout = 5;
    QPushButton* CountdownButton = nullptr;
    QString CountdownCaption;
    int TimeoutResult = 0;
    QTimer* Timer1;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showCountdown();
    QPushButton* m_cancelButton = nullptr;
};

// The modal result a button of the suite's dialogs closes its form with (0: it does not close it).
int modalResultOf(const QPushButton* button);
void setModalResult(QPushButton* button, int result);
