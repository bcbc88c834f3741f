#include "errors/timer_form.h"

#include "errors/message_dialog.h"

#include <QPushButton>
#include <QTimer>

namespace {
const char* const kModalResult = "modalResult";
}

int modalResultOf(const QPushButton* button)
{
    return button ? button->property(kModalResult).toInt() : mrNone;
}

void setModalResult(QPushButton* button, int result)
{
    button->setProperty(kModalResult, result);
}

TfrmTimerForm::TfrmTimerForm(QWidget* parent) : QDialog(parent), Timer1(new QTimer(this))
{
    setObjectName(QStringLiteral("frmTimerForm"));
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TfrmTimerForm::Timer1Timer);
}

void TfrmTimerForm::SetTimeout(int seconds)
{
    Timeout = seconds;
    if (Timeout > 0)
        Timer1->start();
    else
        Timer1->stop();
}

void TfrmTimerForm::FormShow()
{
    if (Timeout > 0 && CountdownButton)
        showCountdown();
}

void TfrmTimerForm::Timer1Timer()
{
    Timeout = qMax(0, Timeout - 1);
    if (CountdownButton)
        showCountdown();
    if (Timeout == 0) {
        Timer1->stop();
        done(TimeoutResult);
    }
}

void TfrmTimerForm::reject()
{
    done(m_cancelButton ? modalResultOf(m_cancelButton) : int(mrCancel));
}

void TfrmTimerForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TfrmTimerForm::showCountdown()
{
    CountdownButton->setText(CountdownCaption + QStringLiteral(" (") + QString::number(Timeout) +
                             QLatin1Char(')'));
}
