#include "platform/real_services.h"

#include "platform/qt/painter_print_job.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace pw::platform::real {
namespace {

// The print system's queues (CUPS on Linux, the spooler on Windows).
class SystemPrinters final : public Printers
{
public:
    QStringList installedPrinters() const override { return QPrinterInfo::availablePrinterNames(); }
    QString currentPrinter() const override
    {
        return m_current.isEmpty() ? QPrinterInfo::defaultPrinterName() : m_current;
    }
    void setCurrentPrinter(const QString& name) override { m_current = name; }

    std::unique_ptr<PrintJob> startJob(const QString& title) override
    {
        const QPrinterInfo info = QPrinterInfo::printerInfo(currentPrinter());
        if (info.isNull())
            return nullptr;
        auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
#ifndef Q_OS_WIN
        // A Windows driver already starts at its own resolution on its default paper.
        useQueueDefaults(*printer, queueLayoutResolution(info.supportedResolutions()),
                         info.defaultPageSize());
#endif
        printer->setDocName(title);
        return PainterPrintJob::start(std::move(printer));
    }

private:
    QString m_current;
};

} // namespace

Printers& printers()
{
    static SystemPrinters instance;
    return instance;
}

} // namespace pw::platform::real
