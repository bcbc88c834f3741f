#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>

namespace pw::platform {

// Page geometry of a printer in device pixels, as the print system reports it.
struct PrinterGeometry
{
    int dpiX = 0;
    int dpiY = 0;
    int physicalWidth = 0;  // whole sheet
    int physicalHeight = 0;
    int offsetX = 0;        // first printable pixel from the sheet's left edge
    int offsetY = 0;        // ... and from its top edge
    int printableWidth = 0;
    int printableHeight = 0;
};

// Metrics of the current font, in device pixels.
struct TextMetrics
{
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int externalLeading = 0;
    int averageCharWidth = 0;
};

// One print job. Coordinates are device pixels from the printable area's top-left
// corner; text is placed by the top of its line.
class PrintJob
{
public:
    virtual ~PrintJob() = default;
    virtual PrinterGeometry geometry() const = 0;
    virtual void setFont(const QFont& font) = 0;
    virtual QFont font() const = 0;
    virtual TextMetrics textMetrics() const = 0;
    virtual int textWidth(const QString& text) const = 0;
    virtual void drawText(int x, int y, const QString& text) = 0;
    // A box outlined with a pen of the given width (0 = the thinnest line the device
    // draws) and filled with the grey RGB(greyShade, greyShade, greyShade): 0 is black,
    // 255 white.
    virtual void drawBox(const QRect& box, int penWidth, int greyShade) = 0;
    virtual void newPage() = 0;
    // Ends the job and hands it to the print system; false when it could not be printed.
    virtual bool finish() = 0;
};

// The printers installed on this workstation and the process's current printer.
class Printers
{
public:
    virtual ~Printers() = default;
    virtual QStringList installedPrinters() const = 0;
    virtual QString currentPrinter() const = 0;
    virtual void setCurrentPrinter(const QString& name) = 0;
    // Starts a job on the current printer; null when it cannot be started.
    virtual std::unique_ptr<PrintJob> startJob(const QString& title) = 0;
};

} // namespace pw::platform
