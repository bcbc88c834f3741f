#pragma once

#include "platform/printers.h"

#include <QList>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <memory>

namespace pw::platform {

// A print job painting on a Qt printer (a print queue or a PDF file).
class PainterPrintJob : public PrintJob
{
public:
    // Null when the printer cannot start a job.
    static std::unique_ptr<PainterPrintJob> start(std::unique_ptr<QPrinter> printer);
    ~PainterPrintJob() override;

    PrinterGeometry geometry() const override;
    void setFont(const QFont& font) override;
    QFont font() const override;
    TextMetrics textMetrics() const override;
    int textWidth(const QString& text) const override;
    void drawText(int x, int y, const QString& text) override;
    void drawBox(const QRect& box, int penWidth, int greyShade) override;
    void newPage() override;
    bool finish() override;

protected:
    explicit PainterPrintJob(std::unique_ptr<QPrinter> printer);
    // Opens the painter on the printer; false when the job cannot start.
    bool begin();
    QPrinter& printer() { return *m_printer; }

private:
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    bool m_finished = false;
};

// The resolution to lay a job out in for a print queue that offers these resolutions.
// Qt does not tell which one is the queue's default, so the lowest: a label printer's
// driver lists its print head's own resolution, sometimes with finer modes, and the
// lowest keeps columns measured in device pixels widest. 203, the common thermal
// label printer's, when the queue lists none.
int queueLayoutResolution(const QList<int>& supported);

// A print system that takes a PDF (CUPS) lays a high-resolution job out at 1200 dots
// per inch on the PDF engine's own A4 sheet. This lays it out at the queue's resolution
// on the queue's default paper (with the queue's unprintable margins), as a Windows
// driver does, so that a width in device pixels is the same on paper as on the device.
void useQueueDefaults(QPrinter& printer, int resolution, const QPageSize& defaultPaper);

} // namespace pw::platform
