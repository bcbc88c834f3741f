#include "platform/doubles/pdf_printers.h"

#include "platform/qt/painter_print_job.h"

#include <QPageLayout>
#include <QPageSize>

namespace pw::platform {
namespace {

// A painter job on a PDF printer that also notes everything it draws.
class RecordingPdfJob final : public PainterPrintJob
{
public:
    static std::unique_ptr<PrintJob> start(std::unique_ptr<QPrinter> printer, const PrinterGeometry& geometry,
                                           PdfJobRecord& record,
                                           const std::function<void(int)>& beforeNewPage)
    {
        std::unique_ptr<RecordingPdfJob> job(
            new RecordingPdfJob(std::move(printer), geometry, record, beforeNewPage));
        if (!job->begin())
            return nullptr;
        record.geometry = geometry;
        return job;
    }

    // Exactly the configured sheet and border, free of the rounding of page layouts
    // kept in points.
    PrinterGeometry geometry() const override { return m_geometry; }

    void drawText(int x, int y, const QString& text) override
    {
        const QFont f = font();
        m_record.texts.append(PrintedText{m_record.pageCount, QPoint(x, y), text, f.family(), f.pointSize(),
                                          f.bold(), f.italic()});
        PainterPrintJob::drawText(x + m_geometry.offsetX, y + m_geometry.offsetY, text);
    }

    void drawBox(const QRect& box, int penWidth, int greyShade) override
    {
        m_record.boxes.append(PrintedBox{m_record.pageCount, box, penWidth, greyShade});
        PainterPrintJob::drawBox(box.translated(m_geometry.offsetX, m_geometry.offsetY), penWidth, greyShade);
    }

    void newPage() override
    {
        if (m_beforeNewPage)
            m_beforeNewPage(m_record.pageCount + 1);
        PainterPrintJob::newPage();
        ++m_record.pageCount;
    }

    bool finish() override
    {
        const bool done = PainterPrintJob::finish();
        m_record.finished = true;
        return done;
    }

private:
    RecordingPdfJob(std::unique_ptr<QPrinter> printer, const PrinterGeometry& geometry, PdfJobRecord& record,
                    const std::function<void(int)>& beforeNewPage)
        : PainterPrintJob(std::move(printer)), m_geometry(geometry), m_record(record),
          m_beforeNewPage(beforeNewPage)
    {
    }

    PrinterGeometry m_geometry;
    PdfJobRecord& m_record;
    std::function<void(int)> m_beforeNewPage;
};

} // namespace

QList<PrintedText> PdfJobRecord::textsOnPage(int page) const
{
    QList<PrintedText> result;
    for (const PrintedText& t : texts)
        if (t.page == page)
            result.append(t);
    return result;
}

QStringList PdfJobRecord::linesOnPage(int page) const
{
    QStringList result;
    for (const PrintedText& t : texts)
        if (t.page == page)
            result.append(t.text);
    return result;
}

PdfPrinters::PdfPrinters() = default;

QStringList PdfPrinters::installedPrinters() const
{
    ++listingsRequested;
    return installed;
}

void PdfPrinters::setCurrentPrinter(const QString& name)
{
    selected.append(name);
    m_current = name;
}

std::unique_ptr<PrintJob> PdfPrinters::startJob(const QString& title)
{
    if (refuseJobs)
        return nullptr;
    PdfJobRecord& record = jobs.emplace_back();
    record.printer = m_current;
    record.title = title;
    record.file = m_dir.filePath(QStringLiteral("job-%1.pdf").arg(jobs.size()));

    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(record.file);
    printer->setDocName(title);
    printer->setResolution(resolution);
    // The painter covers the whole sheet; the job moves every drawing by the border,
    // as a driver does with its printing offset.
    printer->setFullPage(true);
    const QPageSize size(pageInches, QPageSize::Inch, QStringLiteral("Label"), QPageSize::ExactMatch);
    printer->setPageLayout(
        QPageLayout(size, QPageLayout::Portrait, QMarginsF(), QPageLayout::Inch, QMarginsF()));

    PrinterGeometry geometry;
    geometry.dpiX = resolution;
    geometry.dpiY = resolution;
    geometry.physicalWidth = qRound(pageInches.width() * resolution);
    geometry.physicalHeight = qRound(pageInches.height() * resolution);
    geometry.offsetX = borderPixels.left();
    geometry.offsetY = borderPixels.top();
    geometry.printableWidth = geometry.physicalWidth - borderPixels.left() - borderPixels.right();
    geometry.printableHeight = geometry.physicalHeight - borderPixels.top() - borderPixels.bottom();

    std::unique_ptr<PrintJob> job =
        RecordingPdfJob::start(std::move(printer), geometry, record, beforeNewPage);
    if (!job)
        jobs.pop_back();
    return job;
}

} // namespace pw::platform
