#pragma once

#include "errors/timer_form.h"

#include <QColor>
#include <QIcon>
#include <QMessageBox>
#include <QString>

#include <memory>

class QWidget;

// The suite's dialog types, by the index its tables use.
enum TMsgDlgType
{
    mtWarning = 0,
    mtError = 1,
    mtInformation = 2,
    mtConfirmation = 3,
    mtCustom = 4
};

// Buttons by bit, in the order they are laid out.
enum TMsgDlgBtn : unsigned
{
    mbYes = 1u << 0,
    mbNo = 1u << 1,
    mbOK = 1u << 2,
    mbCancel = 1u << 3,
    mbAbort = 1u << 4,
    mbRetry = 1u << 5,
    mbIgnore = 1u << 6,
    mbAll = 1u << 7,
    mbNoToAll = 1u << 8,
    mbYesToAll = 1u << 9,
    mbHelp = 1u << 10,
};
using TMsgDlgButtons = unsigned;

// Modal results.
enum TModalResult
{
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10,
};

// The window colour callers pass: the button face of the current style.
QColor buttonFaceColour();

// A dialog type's caption ("Warning", "Error", "Information", "Confirm", or the
// application title) and its system icon (none for the custom type).
QString MessageDlgCaption(TMsgDlgType dlgType);
QIcon MessageDlgIcon(TMsgDlgType dlgType);

// Builds the suite's message dialog without showing it: icon, message label,
// the buttons of the set in bit order, "View Log" when the log file exists, and
// the countdown when a timeout is given.
std::unique_ptr<TfrmTimerForm> CreateMessageDialogEx(const QString& msg, TMsgDlgType dlgType,
                                                     TMsgDlgButtons buttons, const QString& logFile = {},
                                                     int timeout = 0);

// Shows the suite's message dialog modally and returns the button's modal result.
// With result 6 (Yes) and a log file, the log is opened with the system's viewer.
int MessageDlgEx(const QString& msg, TMsgDlgType dlgType, TMsgDlgButtons buttons, const QString& logFile = {},
                 int helpCtx = 0, int timeout = 0, const QColor& colour = QColor());

void ShowErrorMsg(const QString& msg, const QString& logFile = {}, int helpCtx = 0);
void ShowInfoMsg(const QString& msg, const QString& logFile = {}, int helpCtx = 0);

// what failed + "\r" + "Reason: " + reason + "\r\r" + "Raised In: " + raised in.
void ReportError(const QString& whatFailed, const QString& reason, const QString& raisedIn,
                 const QString& logFile = {}, int helpCtx = 0);

// The window system's own message box (not the suite's dialog) with an OK button,
// run through the platform's modal seam as a dialog of the given kind. "\r" in the
// text breaks the line.
void ShowSystemMessage(QMessageBox::Icon icon, const QString& kind, const QString& caption,
                       const QString& text);

// A one-line input dialog; false when cancelled or when the text holds only blanks.
bool InputQueryEx(const QString& caption, const QString& prompt, QString& value);
