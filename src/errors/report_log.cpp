#include "errors/report_log.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

namespace pw::errors {
namespace {

QStringList& overriddenFolders()
{
    static QStringList folders;
    return folders;
}

QByteArray rtfEscaped(const QString& text)
{
    QByteArray out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u == '\r' || u == '\n') {
            out += "\\line ";
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u < 0x20) {
            continue;
        } else if (u < 0x80) {
            out += static_cast<char>(u);
        } else {
            // RTF takes a signed 16-bit code, then a stand-in for readers without Unicode.
            out += "\\u" + QByteArray::number(static_cast<qint16>(u)) + '?';
        }
    }
    return out;
}

} // namespace

QByteArray reportToRtf(const QList<TReportLine>& lines)
{
    QList<QColor> colours;
    for (const TReportLine& line : lines) {
        if (line.colour.isValid() && !colours.contains(line.colour))
            colours.append(line.colour);
    }
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n";
    rtf += "{\\colortbl ;";
    for (const QColor& colour : colours)
        rtf += "\\red" + QByteArray::number(colour.red()) + "\\green" + QByteArray::number(colour.green()) +
               "\\blue" + QByteArray::number(colour.blue()) + ';';
    rtf += "}\r\n\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    for (const TReportLine& line : lines) {
        const int colourIndex =
            line.colour.isValid() ? static_cast<int>(colours.indexOf(line.colour)) + 1 : 0;
        if (colourIndex > 0)
            rtf += "\\cf" + QByteArray::number(colourIndex) + ' ';
        if (line.bold)
            rtf += "\\b ";
        rtf += rtfEscaped(line.text);
        if (line.bold)
            rtf += "\\b0";
        if (colourIndex > 0)
            rtf += "\\cf0";
        rtf += "\\par\r\n";
    }
    rtf += "}\r\n";
    return rtf;
}

QStringList logFolders()
{
    if (!overriddenFolders().isEmpty())
        return overriddenFolders();
    QStringList folders{QCoreApplication::applicationDirPath()};
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::AppDataLocation)) {
        if (!folders.contains(folder))
            folders.append(folder);
    }
    return folders;
}

void setLogFolders(const QStringList& folders)
{
    overriddenFolders() = folders;
}

TSavedLog saveReportLog(const QString& fileName, const QByteArray& content)
{
    TSavedLog result;
    for (const QString& folder : logFolders()) {
        if (folder.isEmpty())
            continue;
        const QString path = QDir(folder).absoluteFilePath(fileName);
        if (result.fileName.isEmpty())
            result.fileName = QDir::toNativeSeparators(path);
        if (!QDir().mkpath(folder)) {
            if (result.error.isEmpty())
                result.error =
                    QStringLiteral("the folder %1 cannot be made").arg(QDir::toNativeSeparators(folder));
            continue;
        }
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit()) {
            result.saved = true;
            result.fileName = QDir::toNativeSeparators(path);
            result.error.clear();
            return result;
        }
        if (result.error.isEmpty())
            result.error = file.errorString();
    }
    if (result.error.isEmpty())
        result.error = QStringLiteral("there is no folder to write it to");
    return result;
}

} // namespace pw::errors
