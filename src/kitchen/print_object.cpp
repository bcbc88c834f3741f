#include "kitchen/print_object.h"

#include "errors/exception.h"
#include "platform/platform.h"

#include <QFont>

#include <algorithm>
#include <cmath>

namespace {

// Puts a value back when the scope ends, also when a printer call raised.
template <typename T> class Restore
{
public:
    Restore(T& target, T value) : m_target(target), m_saved(target) { m_target = value; }
    ~Restore() { m_target = m_saved; }
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;

private:
    T& m_target;
    T m_saved;
};

} // namespace

TPrintObject::TPrintObject(QString title) : m_title(std::move(title)) {}

// A job left running (a caller that never reached Finish) is still handed to the
// print system by the job's own clean-up.
TPrintObject::~TPrintObject() = default;

pw::platform::PrintJob& TPrintObject::job() const
{
    if (!m_job)
        throw pw::Exception(QStringLiteral("No print job has been started"));
    return *m_job;
}

void TPrintObject::Start()
{
    m_job = pw::platform::printers().startJob(m_title);
    if (!m_job)
        throw pw::Exception(QStringLiteral("Could not start printing on the printer [") +
                            pw::platform::printers().currentPrinter() + QStringLiteral("]"));
    FPageNumber = 1;
    AutoPaging = true;
    CalcPageMetrics();
    FPageNumberLine.Text.clear();
    for (TDecorationLine& line : FHeader)
        line.Text.clear();
    for (TDecorationLine& line : FFooter)
        line.Text.clear();
    FHeaderBox.On = false;
    FFooterBox.On = false;
    SetMargins(PixelsToInchesY(FTopBorder), PixelsToInchesY(FBottomBorder), PixelsToInchesX(FLeftBorder),
               PixelsToInchesX(FRightBorder));
    Tab = 0;
    CurrentY = 0;
}

void TPrintObject::Finish()
{
    if (!m_job)
        return;
    try {
        PrintPageDecorations();
    } catch (...) {
        m_job->finish();
        m_job.reset();
        throw;
    }
    const bool printed = m_job->finish();
    m_job.reset();
    if (!printed)
        throw pw::Exception(QStringLiteral("The printer [") + pw::platform::printers().currentPrinter() +
                            QStringLiteral("] could not print the job"));
}

void TPrintObject::CalcPageMetrics()
{
    FTextMetrics = job().textMetrics();
    const pw::platform::PrinterGeometry g = job().geometry();
    FVerticalResolution = g.dpiY;
    FHorizontalResolution = g.dpiX;
    FLeftBorder = g.offsetX;
    FTopBorder = g.offsetY;
    FPhysicalWidth = g.physicalWidth;
    FPhysicalHeight = g.physicalHeight;
    FPhysicalWidthInches = PixelsToInchesX(FPhysicalWidth);
    FPhysicalHeightInches = PixelsToInchesY(FPhysicalHeight);
    FRightBorder = FPhysicalWidth - FLeftBorder - g.printableWidth;
    FBottomBorder = FPhysicalHeight - FTopBorder - g.printableHeight;
    RaiseMarginsToBorders();
}

void TPrintObject::RaiseMarginsToBorders()
{
    FTopMargin = std::max(FTopMargin, FTopBorder);
    FBottomMargin = std::max(FBottomMargin, FBottomBorder);
    FLeftMargin = std::max(FLeftMargin, FLeftBorder);
    FRightMargin = std::max(FRightMargin, FRightBorder);
}

void TPrintObject::SetMargins(float top, float bottom, float left, float right)
{
    if (left + right >= FPhysicalWidthInches) {
        left = PixelsToInchesX(FLeftBorder);
        right = PixelsToInchesX(FRightBorder);
    }
    if (left <= 0)
        left = PixelsToInchesX(FLeftBorder);
    if (right <= 0)
        right = PixelsToInchesX(FRightBorder);
    if (top + bottom >= FPhysicalHeightInches) {
        top = PixelsToInchesY(FTopBorder);
        bottom = PixelsToInchesY(FBottomBorder);
    }
    if (top <= 0)
        top = PixelsToInchesY(FTopBorder);
    if (bottom <= 0)
        bottom = PixelsToInchesY(FBottomBorder);
    FTopMargin = std::max(InchesToPixelsY(top), FTopBorder);
    FBottomMargin = std::max(InchesToPixelsY(bottom), FBottomBorder);
    FLeftMargin = std::max(InchesToPixelsX(left), FLeftBorder);
    FRightMargin = std::max(InchesToPixelsX(right), FRightBorder);
}

void TPrintObject::SetDetailArea(float top, float bottom)
{
    DetailTop = top;
    DetailBottom = bottom;
    CurrentY = top - LineHeightInches();
}

void TPrintObject::SetFontInformation(const QString& name, int size, TFontStyles style)
{
    QFont font(name);
    if (size > 0)
        font.setPointSize(size);
    font.setBold(style & fsBold);
    font.setItalic(style & fsItalic);
    font.setUnderline(style & fsUnderline);
    font.setStrikeOut(style & fsStrikeOut);
    job().setFont(font);
    CalcPageMetrics();
}

void TPrintObject::WriteOut(const QString& text, float x, float y)
{
    int px = x >= 0 ? InchesToPixelsX(x) : FLeftMargin;
    px = std::max(px, FLeftBorder);
    if (Tab > 0)
        px += InchesToPixelsX(Tab);

    int py = 0;
    if (y > -0.01f) {
        py = std::max(InchesToPixelsY(y), FTopBorder);
        if (py > FPhysicalHeight)
            py = FPhysicalHeight - FBottomBorder;
        CurrentY = y;
    } else if (y < -1.5f) {
        // -2: the line last written
        py = InchesToPixelsY(CurrentY);
    } else {
        // -1 (and any other negative position): the next line, in the current font's height
        if (AutoPaging && CurrentY + LineHeightInches() > DetailBottom)
            NewPage();
        py = InchesToPixelsY(CurrentY + LineHeightInches());
        CurrentY = CurrentY + LineHeightInches();
    }
    job().drawText(px - FLeftBorder, py - FTopBorder, text);
}

void TPrintObject::WriteOutCentred(const QString& text, float y)
{
    const int px = (FLeftBorder + FPhysicalWidth - FRightBorder) / 2 - TextWidthPixels(text) / 2;
    Restore<float> noTab(Tab, 0);
    WriteOut(text, PixelsToInchesX(px), y);
}

void TPrintObject::WriteOutRight(const QString& text, float y)
{
    const int px = FPhysicalWidth - FLeftBorder - FRightBorder - TextWidthPixels(text);
    Restore<float> noTab(Tab, 0);
    WriteOut(text, PixelsToInchesX(px), y);
}

QString TPrintObject::FormatColumn(QString text, const QString& suffix, int width) const
{
    if (TextWidthPixels(text + suffix) > width) {
        while (!text.isEmpty() && TextWidthPixels(text + suffix) > width)
            text.chop(1);
        return text + suffix;
    }
    QString blanks;
    int measured = TextWidthPixels(text + suffix);
    while (measured < width) {
        const int wider = TextWidthPixels(text + blanks + QLatin1Char(' ') + suffix);
        if (wider <= measured)
            break; // a blank the font does not advance would never fill the column
        blanks += QLatin1Char(' ');
        measured = wider;
    }
    if (measured > width && !blanks.isEmpty())
        blanks.chop(1);
    return text + blanks + suffix;
}

void TPrintObject::NewPage()
{
    PrintPageDecorations();
    CurrentY = DetailTop - LineHeightInches();
    job().newPage();
    ++FPageNumber;
}

int TPrintObject::TextWidthPixels(const QString& text) const
{
    return job().textWidth(text);
}

float TPrintObject::LineHeightInches() const
{
    return PixelsToInchesY(FTextMetrics.height + FTextMetrics.externalLeading);
}

int TPrintObject::InchesToPixelsX(double inches) const
{
    return static_cast<int>(std::trunc(FHorizontalResolution * inches));
}

int TPrintObject::InchesToPixelsY(double inches) const
{
    return static_cast<int>(std::trunc(FVerticalResolution * inches));
}

float TPrintObject::PixelsToInchesX(int pixels) const
{
    return FHorizontalResolution > 0 ? static_cast<float>(pixels) / FHorizontalResolution : 0.0f;
}

float TPrintObject::PixelsToInchesY(int pixels) const
{
    return FVerticalResolution > 0 ? static_cast<float>(pixels) / FVerticalResolution : 0.0f;
}

void TPrintObject::DrawBox(float left, float top, float right, float bottom, int penWidth, int shade)
{
    const int l = InchesToPixelsX(left) - FLeftBorder;
    const int t = InchesToPixelsY(top) - FTopBorder;
    const int r = InchesToPixelsX(right) - FLeftBorder;
    const int b = InchesToPixelsY(bottom) - FTopBorder;
    job().drawBox(QRect(l, t, r - l, b - t), penWidth, shade);
}

void TPrintObject::SetHeaderInformation(int line, float y, const QString& text, TAlignment alignment,
                                        const QString& fontName, int size, TFontStyles style)
{
    if (line < 1 || line > static_cast<int>(FHeader.size()))
        return;
    FHeader[line - 1] = TDecorationLine{text, y, alignment, TFontInfo{fontName, size, style}};
}

void TPrintObject::SetFooterInformation(int line, float y, const QString& text, TAlignment alignment,
                                        const QString& fontName, int size, TFontStyles style)
{
    if (line < 1 || line > static_cast<int>(FFooter.size()))
        return;
    FFooter[line - 1] = TDecorationLine{text, y, alignment, TFontInfo{fontName, size, style}};
}

void TPrintObject::SetPageNumberInformation(float y, const QString& format, TAlignment alignment,
                                            const QString& fontName, int size, TFontStyles style)
{
    FPageNumberLine = TDecorationLine{format, y, alignment, TFontInfo{fontName, size, style}};
}

void TPrintObject::SetHeaderBox(float left, float top, float right, float bottom, int penWidth, int shade)
{
    FHeaderBox = TBox{true, shade, penWidth, left, top, right, bottom};
}

void TPrintObject::SetFooterBox(float left, float top, float right, float bottom, int penWidth, int shade)
{
    FFooterBox = TBox{true, shade, penWidth, left, top, right, bottom};
}

TPrintObject::TFontInfo TPrintObject::CurrentFont() const
{
    const QFont font = job().font();
    TFontStyles style = 0;
    if (font.bold())
        style |= fsBold;
    if (font.italic())
        style |= fsItalic;
    if (font.underline())
        style |= fsUnderline;
    if (font.strikeOut())
        style |= fsStrikeOut;
    return TFontInfo{font.family().left(30), font.pointSize(), style};
}

void TPrintObject::SetFont(const TFontInfo& font)
{
    SetFontInformation(font.Name, font.Size, font.Style);
}

void TPrintObject::PrintLine(const TDecorationLine& line)
{
    SetFont(line.Font);
    switch (line.Alignment) {
    case alCentre:
        WriteOutCentred(line.Text, line.Y);
        break;
    case alRight:
        WriteOutRight(line.Text, line.Y);
        break;
    case alLeft:
        WriteOut(line.Text, -1, line.Y);
        break;
    }
    SetFont(FSavedFont);
}

void TPrintObject::PrintBox(const TBox& box)
{
    // An unshaded box is a white one.
    DrawBox(box.Left, box.Top, box.Right, box.Bottom, box.PenWidth, box.Shade == 0 ? 255 : box.Shade);
}

void TPrintObject::PrintPageDecorations()
{
    FSavedFont = CurrentFont();
    for (const TDecorationLine& line : FHeader)
        if (!line.Text.isEmpty())
            PrintLine(line);
    if (FHeaderBox.On)
        PrintBox(FHeaderBox);
    {
        Restore<bool> noPaging(AutoPaging, false);
        for (const TDecorationLine& line : FFooter)
            if (!line.Text.isEmpty())
                PrintLine(line);
        if (FFooterBox.On)
            PrintBox(FFooterBox);
    }
    if (!FPageNumberLine.Text.isEmpty()) {
        TDecorationLine numbered = FPageNumberLine;
        numbered.Text.replace(QStringLiteral("%d"), QString::number(FPageNumber));
        PrintLine(numbered);
    }
    SetFont(FSavedFont);
}
