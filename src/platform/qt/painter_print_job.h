#pragma once

#include "platform/printers.h"

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

} // namespace pw::platform
