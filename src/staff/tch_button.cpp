#include "staff/tch_button.h"

#include "errors/exception.h"
#include "errors/message_dialog.h"
#include "platform/platform.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopeGuard>
#include <qdrawutil.h>

namespace {

// The system colour of inactive borders, used as the background of a disabled button.
QColor inactiveBorderColour()
{
    return QApplication::palette().color(QPalette::Disabled, QPalette::Button);
}

} // namespace

void ShowMessage(const QString& text)
{
    ShowSystemMessage(QMessageBox::NoIcon, QStringLiteral("Message"), QApplication::applicationName(), text);
}

TTchButton::TTchButton(QWidget* parent) : QWidget(parent), m_color(buttonFaceColour())
{
    resize(75, 25);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    AttachToForm();
}

TTchButton::~TTchButton()
{
    if (m_form)
        m_form->removeEventFilter(this);
    if (m_alignParent)
        m_alignParent->removeEventFilter(this);
}

void TTchButton::SetAlign(int align)
{
    m_align = align;
    FollowAlign();
}

void TTchButton::SetCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    AttachToForm();
    update();
}

// Default and cancel exclude each other: enter and escape never click the same button.
void TTchButton::SetCancel(bool on)
{
    m_cancel = on;
    if (on)
        m_default = false;
    AttachToForm();
    update();
}

void TTchButton::SetDefault(bool on)
{
    m_default = on;
    if (on)
        m_cancel = false;
    AttachToForm();
    update();
}

void TTchButton::SetColor(const QColor& colour)
{
    m_color = colour;
    m_parentColor = false;
    update();
}

void TTchButton::SetDisplayOption(TDisplayOption option)
{
    m_displayOption = option;
    update();
}

void TTchButton::SetFontColor(const QColor& colour)
{
    m_fontColor = colour;
    update();
}

void TTchButton::SetInvPathToFile(const QString& path)
{
    m_invPathToFile = path;
    MaybeLoadImages();
}

void TTchButton::SetParentColor(bool on)
{
    m_parentColor = on;
    if (on && parentWidget())
        m_color = parentWidget()->palette().color(QPalette::Window);
    update();
}

void TTchButton::SetParentFont(bool on)
{
    m_parentFont = on;
    if (on && parentWidget())
        setFont(parentWidget()->font());
    update();
}

void TTchButton::SetSemiTransparent(bool on)
{
    m_semiTransparent = on;
    m_transparent = false;
    setAttribute(Qt::WA_OpaquePaintEvent, !on);
    update();
}

void TTchButton::SetTransparent(bool on)
{
    m_transparent = on;
    m_semiTransparent = false;
    setAttribute(Qt::WA_OpaquePaintEvent, !on);
    update();
}

void TTchButton::SetIDepressedPicture(const TPicture& picture)
{
    m_depressedPicture = picture;
    update();
}

void TTchButton::SetIDisabledPicture(const TPicture& picture)
{
    m_disabledPicture = picture;
    update();
}

void TTchButton::SetIPicture(const TPicture& picture)
{
    m_picture = picture;
    update();
}

void TTchButton::SetIEnabled(bool on)
{
    m_iEnabled = on;
    MaybeLoadImages();
    update();
}

void TTchButton::SetIStretchImage(bool on)
{
    m_stretchImage = on;
    update();
}

void TTchButton::SetITransparent(bool on)
{
    m_iTransparent = on;
    update();
}

void TTchButton::SetAlignment(Qt::Alignment horizontal)
{
    m_alignment = horizontal & Qt::AlignHorizontal_Mask;
    update();
}

void TTchButton::SetLayout(TTextLayout layout)
{
    m_layout = layout;
    update();
}

void TTchButton::SetWordWrap(bool on)
{
    m_wordWrap = on;
    update();
}

// A pressed button shows inverted colours.
void TTchButton::SetDown(bool down)
{
    if (down == m_down)
        return;
    m_down = down;
    std::swap(m_fontColor, m_color);
    update();
}

QChar TTchButton::Accelerator() const
{
    for (qsizetype i = 0; i + 1 < m_caption.size(); ++i) {
        if (m_caption[i] != QLatin1Char('&'))
            continue;
        if (m_caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return m_caption[i + 1].toUpper();
    }
    return {};
}

void TTchButton::Press()
{
    m_pressed = true;
    if (!m_toggle) {
        SetDown(true);
        return;
    }
    m_toggleWasDown = m_down;
    SetDown(!m_down);
}

void TTchButton::Release(bool inside)
{
    if (!m_pressed)
        return;
    m_pressed = false;
    if (inside) {
        // The click runs while the button is still drawn pressed.
        const QPointer<TTchButton> self(this);
        Click();
        if (!self)
            return;
        if (!m_toggle)
            SetDown(false);
        emit OnMouseUp();
        return;
    }
    SetDown(m_toggle ? m_toggleWasDown : false);
}

void TTchButton::Click()
{
    if (m_inClick && !m_doubleClick)
        return;
    const QPointer<TTchButton> self(this);
    const QPointer<QDialog> form(qobject_cast<QDialog*>(window()));
    {
        m_inClick = true;
        auto guard = qScopeGuard([self] {
            if (self)
                self->m_inClick = false;
        });
        if (form)
            form->setResult(m_modalResult);
        emit OnClick();
    }
    // A modal result left standing after the handler ends the modal loop; a form shown
    // without one keeps its result and stays open.
    if (form && form->isVisible() && form->isModal() && form->result() != 0)
        form->done(form->result());
}

void TTchButton::LoadImages()
{
    try {
        if (!QFileInfo::exists(m_invPathToFile))
            return;
        m_picture.LoadFromFile(m_invPathToFile);
        m_depressedPicture.LoadFromFile(m_invPathToFile);
        m_disabledPicture.LoadFromFile(m_invPathToFile);
        if (m_picture.IsJpeg()) {
            JPEGToBMP(m_depressedPicture);
            JPEGToBMP(m_disabledPicture);
        }
        if (m_picture.IsBitmap() || m_picture.IsJpeg()) {
            InvertBitmap(m_depressedPicture.Graphic);
            GreyBitmap(m_disabledPicture.Graphic);
        }
    } catch (const std::exception& e) {
        ShowMessage(QStringLiteral("Could not load the button image. Reason: ") + pw::messageOf(e) +
                    QStringLiteral("\rRaised in TTchButton.LoadImages"));
    }
    update();
}

void TTchButton::MaybeLoadImages()
{
    if (m_iEnabled && !m_invPathToFile.isEmpty())
        LoadImages();
}

bool TTchButton::HasImage() const
{
    return m_displayOption == doImage &&
           (m_picture.HasGraphic() || m_depressedPicture.HasGraphic() || m_disabledPicture.HasGraphic());
}

QRect TTchButton::PictureRect(const QSize& picture) const
{
    const int w = width();
    const int h = height();
    const int pw = picture.width();
    const int ph = picture.height();
    const bool hasCaption = !m_caption.isEmpty();
    // A picture that does not fit is always stretched.
    bool stretch = m_stretchImage;
    if (hasCaption ? (pw > w - 4 || ph > h - 14) : (pw > w - 4 || ph > h - 4))
        stretch = true;
    if (stretch) {
        const int bottomMargin = hasCaption ? 14 : 2;
        return QRect(QPoint(2, 2), QPoint(w - 2 - 1, h - bottomMargin - 1));
    }
    const int left = ((w - 4 - pw) / 2) + 2;
    const int top = ((h - 4 - ph) / 2) + (hasCaption ? -12 : 2);
    return QRect(left, top, pw, ph);
}

void TTchButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    try {
        Paint(painter);
    } catch (const std::exception& e) {
        ShowMessage(QStringLiteral("Error painting button. Reason: ") + pw::messageOf(e) +
                    QStringLiteral("\rRaised in TTchButton.Paint"));
    }
}

void TTchButton::Paint(QPainter& painter)
{
    const QRect outer = rect();
    qDrawWinButton(&painter, outer, palette(), m_down, nullptr);
    // Right and bottom are exclusive, as the edges of a window rectangle are.
    const int left = outer.left() + 2;
    const int top = outer.top() + 2;
    const int right = outer.left() + outer.width() - 2;
    const int bottom = outer.top() + outer.height() - 2;
    const QColor background = isEnabled() ? m_color : inactiveBorderColour();
    if (m_semiTransparent) {
        painter.setPen(background);
        for (int row = top; row < bottom; row += 2)
            painter.drawLine(left, row, right - 1, row);
    } else if (!m_transparent || m_down) {
        painter.fillRect(QRect(left, top, right - left, bottom - top), background);
    }

    if (m_iEnabled && HasImage())
        PaintPicture(painter);
    else
        PaintText(painter);

    if (m_default) {
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(outer.adjusted(0, 0, -1, -1));
    }
}

void TTchButton::PaintPicture(QPainter& painter)
{
    try {
        const TPicture* chosen = &m_picture;
        if (m_down && m_depressedPicture.HasGraphic())
            chosen = &m_depressedPicture;
        else if (!isEnabled() && m_disabledPicture.HasGraphic())
            chosen = &m_disabledPicture;
        if (!chosen->HasGraphic())
            return;
        QImage graphic = chosen->Graphic;
        if (m_iTransparent) {
            // The colour of the bottom-left pixel is the one left out, as bitmaps do it.
            const QRgb key = graphic.pixel(0, graphic.height() - 1);
            graphic = graphic.convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < graphic.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(graphic.scanLine(y));
                for (int x = 0; x < graphic.width(); ++x)
                    if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                        line[x] = 0;
            }
        }
        painter.drawImage(PictureRect(graphic.size()), graphic);
        if (!m_caption.isEmpty()) {
            painter.setPen(m_fontColor);
            painter.setFont(font());
            const QRect strip(2, height() - 14, width() - 2, 12);
            painter.drawText(strip, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, m_caption);
        }
    } catch (const std::exception& e) {
        throw pw::Exception(QStringLiteral("Could not display image. Reason: ") + pw::messageOf(e) +
                            QStringLiteral("\rRaised in TTchButton.Paint"));
    }
}

void TTchButton::PaintText(QPainter& painter)
{
    painter.setFont(font());
    int flags = static_cast<int>(m_alignment) | Qt::TextShowMnemonic | Qt::AlignTop;
    if (m_wordWrap)
        flags |= Qt::TextWordWrap;
    const QString text = m_caption.isEmpty() ? QStringLiteral(" ") : m_caption;
    QRect area = rect();
    if (m_layout != tlTop) {
        const int textHeight = painter.boundingRect(area, flags, text).height();
        const int free = area.height() - textHeight;
        area.translate(0, m_layout == tlCenter ? free / 2 : free);
    }
    area.translate(0, -2);
    if (isEnabled()) {
        painter.setPen(m_fontColor);
        painter.drawText(area, flags, m_caption);
        return;
    }
    painter.setPen(palette().color(QPalette::Light));
    painter.drawText(area.translated(1, 1), flags, m_caption);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawText(area, flags, m_caption);
}

void TTchButton::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        Press();
}

// A double click is a second press.
void TTchButton::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        Press();
}

void TTchButton::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        Release(rect().contains(e->position().toPoint()));
}

bool TTchButton::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::ParentChange:
    case QEvent::Polish:
    case QEvent::Show:
        AttachToForm();
        FollowAlign();
        break;
    default:
        break;
    }
    return QWidget::event(e);
}

// The form offers enter, escape and the accelerator to its buttons before it acts on them itself.
void TTchButton::AttachToForm()
{
    QWidget* form = window();
    if (form == this)
        form = nullptr;
    if (form == m_form)
        return;
    if (m_form)
        m_form->removeEventFilter(this);
    m_form = form;
    if (m_form)
        m_form->installEventFilter(this);
}

void TTchButton::FollowAlign()
{
    QWidget* parent = parentWidget();
    if (parent != m_alignParent) {
        if (m_alignParent)
            m_alignParent->removeEventFilter(this);
        m_alignParent = parent;
        if (m_alignParent)
            m_alignParent->installEventFilter(this);
    }
    if (!parent || m_align == alNone)
        return;
    const QRect area = parent->rect();
    switch (m_align) {
    case alTop:
        setGeometry(0, 0, area.width(), height());
        break;
    case alBottom:
        setGeometry(0, area.height() - height(), area.width(), height());
        break;
    case alLeft:
        setGeometry(0, 0, width(), area.height());
        break;
    case alRight:
        setGeometry(area.width() - width(), 0, width(), area.height());
        break;
    case alClient:
        setGeometry(area);
        break;
    default:
        break;
    }
}

bool TTchButton::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_alignParent && e->type() == QEvent::Resize && m_align != alNone)
        FollowAlign();
    if (watched != m_form || e->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, e);
    auto* key = static_cast<QKeyEvent*>(e);
    if (!isEnabled() || isHidden())
        return false;
    const Qt::KeyboardModifiers held =
        key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (held == Qt::NoModifier && ((enter && m_default) || (key->key() == Qt::Key_Escape && m_cancel))) {
        Click();
        return true;
    }
    const QChar accelerator = Accelerator();
    if (!accelerator.isNull() && held == Qt::AltModifier && key->key() == accelerator.unicode()) {
        Click();
        return true;
    }
    return false;
}
