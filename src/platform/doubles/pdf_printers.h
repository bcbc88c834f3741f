#pragma once

#include "platform/printers.h"

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QSizeF>
#include <QTemporaryDir>

#include <deque>
#include <functional>

namespace pw::platform {

// One text drawn on a job: where (device pixels from the printable area's top-left
// corner, the top of the line), on which page (from 1) and in which font (as asked for).
struct PrintedText
{
    int page = 1;
    QPoint pos;
    QString text;
    QString family;
    int pointSize = 0;
    bool bold = false;
    bool italic = false;
};

struct PrintedBox
{
    int page = 1;
    QRect box;
    int penWidth = 0;
    int greyShade = 0;
};

// What one job printed, kept after the job has ended.
struct PdfJobRecord
{
    QString printer;
    QString title;
    QString file; // the PDF written
    PrinterGeometry geometry;
    QList<PrintedText> texts;
    QList<PrintedBox> boxes;
    int pageCount = 1;
    bool finished = false;

    QList<PrintedText> textsOnPage(int page) const;
    QStringList linesOnPage(int page) const; // the texts of one page, in the order drawn
};

// Printers that print into PDF files in a folder of their own, at a chosen
// resolution and with a known unprintable border, and remember what was drawn.
class PdfPrinters final : public Printers
{
public:
    QStringList installed{QStringLiteral("Label Printer")};
    int resolution = 203;
    QSizeF pageInches{4.0, 2.0};
    QMargins borderPixels{20, 20, 20, 20}; // left, top, right, bottom
    // Runs before each new page; a test throws from it to act as a failing driver.
    std::function<void(int page)> beforeNewPage;
    bool refuseJobs = false; // startJob answers null, as for a printer that cannot start

    std::deque<PdfJobRecord> jobs;
    QStringList selected;              // every setCurrentPrinter, in order
    mutable int listingsRequested = 0; // calls of installedPrinters

    PdfPrinters();

    QStringList installedPrinters() const override;
    QString currentPrinter() const override { return m_current; }
    void setCurrentPrinter(const QString& name) override;
    std::unique_ptr<PrintJob> startJob(const QString& title) override;

    // Nothing was asked of the printers: no listing, no selection, no job.
    bool untouched() const { return listingsRequested == 0 && selected.isEmpty() && jobs.empty(); }
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_current;
};

} // namespace pw::platform
