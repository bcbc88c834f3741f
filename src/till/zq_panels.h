#pragma once

#include "staff/control_align.h"

#include <QColor>
#include <QWidget>

enum TVertAlignment
{
    vaBottom,
    vaMiddle,
    vaTop
};
enum TLayout
{
    loHorizontal,
    loVertical
};
enum THorizAlignment
{
    taLeftJustify,
    taRightJustify,
    taCenter
};
enum TBevelCut
{
    bvNone,
    bvLowered,
    bvRaised
};

// A panel that paints its caption at the top, middle or bottom of its area.
class TZQPanel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Align READ Align WRITE SetAlign)

public:
    explicit TZQPanel(QWidget* parent = nullptr);

    int Align() const { return m_align; }
    virtual void SetAlign(int align);
    const QString& Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    THorizAlignment Alignment() const { return m_alignment; }
    void SetAlignment(THorizAlignment alignment);
    TBevelCut BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TBevelCut bevel);
    TBevelCut BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TBevelCut bevel);
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int width);
    const QColor& Color() const { return m_color; }
    void SetColor(const QColor& colour);
    const QColor& FontColor() const { return m_fontColor; }
    void SetFontColor(const QColor& colour);
    // Kept for the forms that store it; painting does not use it.
    const QColor& FontBkGnd() const { return m_fontBkGnd; }
    void SetFontBkGnd(const QColor& colour);
    TVertAlignment VAlignment() const { return m_vAlignment; }
    void SetVAlignment(TVertAlignment alignment);

    // The area inside the bevels and the border, where the caption goes.
    QRect CaptionArea() const;
    // Where the caption's line is placed inside CaptionArea.
    QRect CaptionRect(const QRect& area, int textHeight) const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int m_align = alNone;
    QString m_caption;
    THorizAlignment m_alignment = taCenter;
    TBevelCut m_bevelOuter = bvRaised;
    TBevelCut m_bevelInner = bvNone;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    QColor m_color;
    QColor m_fontColor = Qt::black;
    QColor m_fontBkGnd;
    TVertAlignment m_vAlignment = vaTop;
};

// A panel that lays its visible, unaligned children out in a row or a column.
class TZqControlsPanel : public TZQPanel
{
    Q_OBJECT

public:
    explicit TZqControlsPanel(QWidget* parent = nullptr);

    TLayout Layout() const { return m_layout; }
    void SetLayout(TLayout layout);
    THorizAlignment HorizAlignment() const { return m_horizAlignment; }
    void SetHorizAlignment(THorizAlignment alignment);
    int HorizSpacing() const { return m_horizSpacing; }
    void SetHorizSpacing(int spacing);
    TVertAlignment VertAlignment() const { return m_vertAlignment; }
    void SetVertAlignment(TVertAlignment alignment);
    int VertSpacing() const { return m_vertSpacing; }
    void SetVertSpacing(int spacing);

    // Top and bottom panels lay out a right-justified row, side panels a centred column.
    void SetAlign(int align) override;

    void Arrange();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    QList<QWidget*> ArrangedControls() const;
    void ArrangeHorizontally();
    void ArrangeVertically();

    TLayout m_layout = loHorizontal;
    THorizAlignment m_horizAlignment = taCenter;
    int m_horizSpacing = 5;
    TVertAlignment m_vertAlignment = vaMiddle;
    int m_vertSpacing = 5;
    int m_lastAlign = alNone;
};
