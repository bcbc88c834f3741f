#include "platform/qt/painter_print_job.h"

#include <QFontMetrics>

namespace pw::platform {

PainterPrintJob::PainterPrintJob(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer)) {}

std::unique_ptr<PainterPrintJob> PainterPrintJob::start(std::unique_ptr<QPrinter> printer)
{
    std::unique_ptr<PainterPrintJob> job(new PainterPrintJob(std::move(printer)));
    if (!job->begin())
        return nullptr;
    return job;
}

bool PainterPrintJob::begin() { return m_painter.begin(m_printer.get()); }

PainterPrintJob::~PainterPrintJob()
{
    if (!m_finished && m_painter.isActive())
        m_painter.end();
}

PrinterGeometry PainterPrintJob::geometry() const
{
    PrinterGeometry g;
    g.dpiX = m_printer->logicalDpiX();
    g.dpiY = m_printer->logicalDpiY();
    const QRect paper = m_printer->paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = m_printer->pageRect(QPrinter::DevicePixel).toRect();
    g.physicalWidth = paper.width();
    g.physicalHeight = paper.height();
    g.offsetX = page.left() - paper.left();
    g.offsetY = page.top() - paper.top();
    g.printableWidth = page.width();
    g.printableHeight = page.height();
    return g;
}

void PainterPrintJob::setFont(const QFont& font) { m_painter.setFont(font); }

QFont PainterPrintJob::font() const { return m_painter.font(); }

TextMetrics PainterPrintJob::textMetrics() const
{
    const QFontMetrics fm(m_painter.font(), m_printer.get());
    TextMetrics tm;
    tm.height = fm.height();
    tm.ascent = fm.ascent();
    tm.descent = fm.descent();
    tm.externalLeading = fm.leading() > 0 ? fm.leading() : 0;
    tm.averageCharWidth = fm.averageCharWidth();
    return tm;
}

int PainterPrintJob::textWidth(const QString& text) const
{
    return QFontMetrics(m_painter.font(), m_printer.get()).horizontalAdvance(text);
}

void PainterPrintJob::drawText(int x, int y, const QString& text)
{
    const QFontMetrics fm(m_painter.font(), m_printer.get());
    m_painter.drawText(x, y + fm.ascent(), text);
}

void PainterPrintJob::drawBox(const QRect& box, int penWidth, int greyShade)
{
    m_painter.save();
    QPen pen(Qt::black);
    pen.setWidth(penWidth > 0 ? penWidth : 0);
    m_painter.setPen(pen);
    const int shade = qBound(0, greyShade, 255);
    m_painter.setBrush(QColor(shade, shade, shade));
    m_painter.drawRect(box);
    m_painter.restore();
}

void PainterPrintJob::newPage() { m_printer->newPage(); }

bool PainterPrintJob::finish()
{
    if (m_finished)
        return true;
    m_finished = true;
    return m_painter.end();
}

int queueLayoutResolution(const QList<int>& supported)
{
    int lowest = 0;
    for (const int dpi : supported)
        if (dpi > 0 && (lowest == 0 || dpi < lowest))
            lowest = dpi;
    return lowest > 0 ? lowest : 203;
}

void useQueueDefaults(QPrinter& printer, int resolution, const QPageSize& defaultPaper)
{
    if (defaultPaper.isValid())
        printer.setPageSize(defaultPaper);
    if (resolution > 0)
        printer.setResolution(resolution);
}

} // namespace pw::platform
