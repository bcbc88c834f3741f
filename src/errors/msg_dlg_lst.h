#pragma once

#include "errors/message_dialog.h"
#include "errors/report_log.h"

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;
class QTextEdit;

// The report window of the application-wide handler: the report in rich text,
// the maker's support numbers below it, and a close button.
class TfrmMsgDlgLst : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmMsgDlgLst(QWidget* parent = nullptr);

    void AddLine(const QString& text, bool bold = false, const QColor& colour = QColor());
    // Adds the application and system information for the error kind, saves the
    // log and shows the window modally.
    void ShowReport(TMsgDlgType kind);
    // Saves the report so far as "yyyymmdd hhnn.rtf" and says in it where it went.
    void SaveLog();
    // F1 or a click on the support numbers: uncover more of them, or less.
    void ToggleNumbers();
    void TchButton1Click();
    // Enter closes, F1 toggles the support numbers; true when the key was taken.
    bool FormKeyDown(int key);

    const QList<pw::errors::TReportLine>& Lines() const { return m_lines; }
    QString ReportText() const;
    const QString& LogFileName() const { return m_logFileName; }
    bool LogSaved() const { return m_logSaved; }

    QTextEdit* re;
    QTextEdit* reNums;
    QWidget* Panel1;
    QLabel* Image;
    QPushButton* TchButton1;

    static const int kReportHeight = 244;
    static const int kReportHeightShort = 175;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeAreas(int reportHeight);
    void addHeading(const QString& text);

    QList<pw::errors::TReportLine> m_lines;
    QString m_logFileName;
    bool m_logSaved = false;
};
