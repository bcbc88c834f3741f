#pragma once

#include "platform/printers.h"

#include <QString>

#include <array>
#include <memory>

// Lays text out on the process's current printer in inches measured from the
// physical page edge, hiding the printer's resolution and unprintable borders.
// One object per print job: Start, writes and NewPage, Finish.
class TPrintObject
{
public:
    enum TFontStyle : unsigned
    {
        fsBold = 1,
        fsItalic = 2,
        fsUnderline = 4,
        fsStrikeOut = 8
    };
    using TFontStyles = unsigned;
    enum TAlignment
    {
        alLeft = 0,
        alCentre = 1,
        alRight = 2
    };

    explicit TPrintObject(QString title = QStringLiteral("Platewatch"));
    ~TPrintObject();
    TPrintObject(const TPrintObject&) = delete;
    TPrintObject& operator=(const TPrintObject&) = delete;

    // Raises pw::Exception when the current printer cannot start a job.
    void Start();
    // Prints the last page's decorations and ends the job; raises when the print
    // system could not take the job. Does nothing when no job is running.
    void Finish();
    bool Printing() const { return m_job != nullptr; }

    void SetMargins(float top, float bottom, float left, float right);
    void SetDetailArea(float top, float bottom);
    void SetAutoPaging(bool on) { AutoPaging = on; }
    void ResetCurrentLine() { CurrentY = DetailTop; }
    void SetFontInformation(const QString& name, int size, TFontStyles style);
    void SetTab(float inches) { Tab = inches; }

    // Y: inches from the top edge, -1 for the next line, -2 for the current line.
    // X: inches from the left edge, negative for the left margin.
    void WriteOut(const QString& text, float x, float y);
    void WriteOutCentred(const QString& text, float y);
    void WriteOutRight(const QString& text, float y);
    // The text padded with blanks (or cut) so that text, blanks and suffix fill the
    // width in device pixels without passing it.
    QString FormatColumn(QString text, const QString& suffix, int width) const;
    void NewPage();

    int TextWidthPixels(const QString& text) const;
    float LineHeightInches() const;
    int InchesToPixelsX(double inches) const;
    int InchesToPixelsY(double inches) const;
    float PixelsToInchesX(int pixels) const;
    float PixelsToInchesY(int pixels) const;
    void DrawBox(float left, float top, float right, float bottom, int penWidth, int shade);

    // Page decorations, printed at every NewPage and at Finish.
    void SetHeaderInformation(int line, float y, const QString& text, TAlignment alignment,
                              const QString& fontName, int size, TFontStyles style);
    void SetFooterInformation(int line, float y, const QString& text, TAlignment alignment,
                              const QString& fontName, int size, TFontStyles style);
    // The format holds one "%d" for the page number.
    void SetPageNumberInformation(float y, const QString& format, TAlignment alignment,
                                  const QString& fontName, int size, TFontStyles style);
    void SetHeaderBox(float left, float top, float right, float bottom, int penWidth, int shade);
    void SetFooterBox(float left, float top, float right, float bottom, int penWidth, int shade);

    int TopMargin() const { return FTopMargin; }
    int BottomMargin() const { return FBottomMargin; }
    int LeftMargin() const { return FLeftMargin; }
    int RightMargin() const { return FRightMargin; }
    int ResolutionX() const { return FHorizontalResolution; }
    int ResolutionY() const { return FVerticalResolution; }
    int PhysicalWidth() const { return FPhysicalWidth; }
    int PhysicalHeight() const { return FPhysicalHeight; }
    float PhysicalWidthInches() const { return FPhysicalWidthInches; }
    float PhysicalHeightInches() const { return FPhysicalHeightInches; }
    int LeftBorder() const { return FLeftBorder; }
    int RightBorder() const { return FRightBorder; }
    int TopBorder() const { return FTopBorder; }
    int BottomBorder() const { return FBottomBorder; }
    int PageNumber() const { return FPageNumber; }

    float DetailTop = 0;
    float DetailBottom = 0;
    float CurrentY = 0;
    bool AutoPaging = true;
    float Tab = 0;

private:
    struct TFontInfo
    {
        QString Name;
        int Size = 0;
        TFontStyles Style = 0;
    };
    struct TDecorationLine
    {
        QString Text;
        float Y = 0;
        TAlignment Alignment = alLeft;
        TFontInfo Font;
    };
    struct TBox
    {
        bool On = false;
        int Shade = 0;
        int PenWidth = 0;
        float Left = 0, Top = 0, Right = 0, Bottom = 0;
    };

    pw::platform::PrintJob& job() const;
    void CalcPageMetrics();
    void RaiseMarginsToBorders();
    void SetFont(const TFontInfo& font);
    TFontInfo CurrentFont() const;
    void PrintLine(const TDecorationLine& line);
    void PrintBox(const TBox& box);
    void PrintPageDecorations();

    QString m_title;
    std::unique_ptr<pw::platform::PrintJob> m_job;

    int FTopMargin = 0, FBottomMargin = 0, FLeftMargin = 0, FRightMargin = 0;
    int FVerticalResolution = 0, FHorizontalResolution = 0;
    int FPhysicalWidth = 0, FPhysicalHeight = 0;
    float FPhysicalHeightInches = 0, FPhysicalWidthInches = 0;
    int FLeftBorder = 0, FRightBorder = 0, FTopBorder = 0, FBottomBorder = 0;
    TFontInfo FSavedFont;
    pw::platform::TextMetrics FTextMetrics;
    std::array<TDecorationLine, 5> FHeader;
    std::array<TDecorationLine, 5> FFooter;
    TDecorationLine FPageNumberLine;
    TBox FHeaderBox;
    TBox FFooterBox;
    int FPageNumber = 0;
};
