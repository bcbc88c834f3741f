#include "till/zq_panels.h"

#include "errors/message_dialog.h"

#include <QPainter>
#include <qdrawutil.h>

TZQPanel::TZQPanel(QWidget* parent) : QWidget(parent), m_color(buttonFaceColour()), m_fontBkGnd(m_color) {}

void TZQPanel::SetAlign(int align)
{
    m_align = align;
}

void TZQPanel::SetCaption(const QString& caption)
{
    m_caption = caption;
    update();
}

void TZQPanel::SetAlignment(THorizAlignment alignment)
{
    m_alignment = alignment;
    update();
}

void TZQPanel::SetBevelOuter(TBevelCut bevel)
{
    m_bevelOuter = bevel;
    update();
}

void TZQPanel::SetBevelInner(TBevelCut bevel)
{
    m_bevelInner = bevel;
    update();
}

void TZQPanel::SetBevelWidth(int width)
{
    m_bevelWidth = width;
    update();
}

void TZQPanel::SetBorderWidth(int width)
{
    m_borderWidth = width;
    update();
}

void TZQPanel::SetColor(const QColor& colour)
{
    m_color = colour;
    update();
}

void TZQPanel::SetFontColor(const QColor& colour)
{
    m_fontColor = colour;
    update();
}

void TZQPanel::SetFontBkGnd(const QColor& colour)
{
    m_fontBkGnd = colour;
    update();
}

void TZQPanel::SetVAlignment(TVertAlignment alignment)
{
    m_vAlignment = alignment;
    update();
}

QRect TZQPanel::CaptionArea() const
{
    int inset = m_borderWidth;
    if (m_bevelOuter != bvNone)
        inset += m_bevelWidth;
    if (m_bevelInner != bvNone)
        inset += m_bevelWidth;
    return rect().adjusted(inset, inset, -inset, -inset);
}

QRect TZQPanel::CaptionRect(const QRect& area, int textHeight) const
{
    // Bottom is exclusive here, as in the window rectangle the placement rule speaks of.
    const int top = area.top();
    const int bottom = area.top() + area.height();
    int y = top;
    switch (m_vAlignment) {
    case vaTop:
        y = top;
        break;
    case vaBottom:
        y = bottom - textHeight;
        break;
    case vaMiddle:
        y = (top + bottom - textHeight) / 2;
        break;
    }
    return QRect(area.left(), y, area.width(), textHeight);
}

namespace {

void drawBevel(QPainter& painter, QRect& area, TBevelCut cut, int width, const QPalette& palette)
{
    if (cut == bvNone)
        return;
    for (int i = 0; i < width; ++i) {
        qDrawShadeRect(&painter, area, palette, cut == bvLowered, 1, 0, nullptr);
        area.adjust(1, 1, -1, -1);
    }
}

} // namespace

void TZQPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect area = rect();
    drawBevel(painter, area, m_bevelOuter, m_bevelWidth, palette());
    if (m_borderWidth > 0) {
        painter.fillRect(area, m_color);
        area.adjust(m_borderWidth, m_borderWidth, -m_borderWidth, -m_borderWidth);
    }
    drawBevel(painter, area, m_bevelInner, m_bevelWidth, palette());
    painter.fillRect(area, m_color);
    if (m_caption.isEmpty())
        return;
    painter.setFont(font());
    painter.setPen(m_fontColor);
    const int textHeight = painter.fontMetrics().height();
    Qt::Alignment horizontal = Qt::AlignHCenter;
    if (m_alignment == taLeftJustify)
        horizontal = Qt::AlignLeft;
    else if (m_alignment == taRightJustify)
        horizontal = Qt::AlignRight;
    painter.drawText(CaptionRect(area, textHeight), horizontal | Qt::AlignTop | Qt::TextSingleLine,
                     m_caption);
}

TZqControlsPanel::TZqControlsPanel(QWidget* parent) : TZQPanel(parent) {}

void TZqControlsPanel::SetLayout(TLayout layout)
{
    if (layout == m_layout)
        return;
    m_layout = layout;
    Arrange();
}

void TZqControlsPanel::SetHorizAlignment(THorizAlignment alignment)
{
    if (alignment == m_horizAlignment)
        return;
    m_horizAlignment = alignment;
    Arrange();
}

void TZqControlsPanel::SetHorizSpacing(int spacing)
{
    if (spacing == m_horizSpacing)
        return;
    m_horizSpacing = spacing;
    Arrange();
}

void TZqControlsPanel::SetVertAlignment(TVertAlignment alignment)
{
    if (alignment == m_vertAlignment)
        return;
    m_vertAlignment = alignment;
    Arrange();
}

void TZqControlsPanel::SetVertSpacing(int spacing)
{
    if (spacing == m_vertSpacing)
        return;
    m_vertSpacing = spacing;
    Arrange();
}

// The defaults follow a change of alignment once; properties set afterwards win.
void TZqControlsPanel::SetAlign(int align)
{
    TZQPanel::SetAlign(align);
    if (!parentWidget() || align == m_lastAlign)
        return;
    m_lastAlign = align;
    if (align == alTop || align == alBottom) {
        m_layout = loHorizontal;
        m_horizAlignment = taRightJustify;
        m_vertAlignment = vaMiddle;
    } else if (align == alLeft || align == alRight) {
        m_layout = loVertical;
        m_horizAlignment = taCenter;
        m_vertAlignment = vaBottom;
    } else {
        return;
    }
    Arrange();
}

void TZqControlsPanel::resizeEvent(QResizeEvent* e)
{
    TZQPanel::resizeEvent(e);
    Arrange();
}

void TZqControlsPanel::Arrange()
{
    if (m_layout == loHorizontal)
        ArrangeHorizontally();
    else
        ArrangeVertically();
}

// A control hidden on purpose takes no room; one with an alignment places itself.
QList<QWidget*> TZqControlsPanel::ArrangedControls() const
{
    QList<QWidget*> result;
    for (QObject* child : children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control || control->isWindow() || control->isHidden())
            continue;
        if (control->property(kAlignProperty).toInt() != alNone)
            continue;
        result.append(control);
    }
    return result;
}

void TZqControlsPanel::ArrangeHorizontally()
{
    const QList<QWidget*> controls = ArrangedControls();
    const int n = static_cast<int>(controls.size());
    if (n == 0)
        return;
    int total = 0;
    for (const QWidget* control : controls)
        total += control->width();
    int x = m_horizSpacing;
    if (m_horizAlignment == taRightJustify)
        x = width() - total - n * m_horizSpacing;
    else if (m_horizAlignment == taCenter)
        x = width() / 2 - (total + (n - 1) * m_horizSpacing) / 2;
    for (QWidget* control : controls) {
        int y = m_vertSpacing;
        if (m_vertAlignment == vaBottom)
            y = height() - control->height() - m_vertSpacing;
        else if (m_vertAlignment == vaMiddle)
            y = height() / 2 - control->height() / 2;
        control->move(x, y);
        x += control->width() + m_horizSpacing;
    }
}

void TZqControlsPanel::ArrangeVertically()
{
    const QList<QWidget*> controls = ArrangedControls();
    const int n = static_cast<int>(controls.size());
    if (n == 0)
        return;
    int total = 0;
    for (const QWidget* control : controls)
        total += control->height();
    int y = m_vertSpacing;
    if (m_vertAlignment == vaBottom)
        y = height() - total - n * m_vertSpacing;
    else if (m_vertAlignment == vaMiddle)
        y = height() / 2 - (total + (n - 1) * m_vertSpacing) / 2;
    for (QWidget* control : controls) {
        int x = width() / 2 - control->width() / 2;
        if (m_horizAlignment == taLeftJustify)
            x = m_horizSpacing;
        else if (m_horizAlignment == taRightJustify)
            x = width() - control->width() - m_horizSpacing;
        control->move(x, y);
        y += control->height() + m_vertSpacing;
    }
}
