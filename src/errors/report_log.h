#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

namespace pw::errors {

// One line of an error report as the report window shows it.
struct TReportLine
{
    QString text;
    bool bold = false;
    QColor colour; // invalid: the text colour of the report
};

// The report as a rich text (RTF) document in Arial, the report window's font.
QByteArray reportToRtf(const QList<TReportLine>& lines);

// Where report logs are written, most wanted first: the program's folder, then
// the program's application-data folders (the program's folder is read-only
// when it is installed for the whole machine). Tests put their own folders here;
// an empty list brings back those defaults.
QStringList logFolders();
void setLogFolders(const QStringList& folders);

struct TSavedLog
{
    bool saved = false;
    QString fileName; // the file written, or the one that was tried first
    QString error;    // why nothing could be written
};

// Writes the content as fileName in the first log folder that takes it.
TSavedLog saveReportLog(const QString& fileName, const QByteArray& content);

} // namespace pw::errors
