#pragma once

#include "staff/control_align.h"
#include "staff/graphics.h"

#include <QColor>
#include <QPointer>
#include <QWidget>

enum TDisplayOption
{
    doText,
    doImage
};

// Vertical placement of a caption inside the button.
enum TTextLayout
{
    tlTop,
    tlCenter,
    tlBottom
};

// The suite's touch-screen button: paints its own raised or sunken frame, shows a
// caption or a picture, can work as a toggle, and answers the form's enter and
// escape keys when it is the default or cancel button.
class TTchButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Align READ Align WRITE SetAlign)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

public:
    explicit TTchButton(QWidget* parent = nullptr);
    ~TTchButton() override;

    int Align() const { return m_align; }
    void SetAlign(int align);
    const QString& Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool on);
    const QColor& Color() const { return m_color; }
    void SetColor(const QColor& colour);
    bool Default() const { return m_default; }
    void SetDefault(bool on);
    TDisplayOption DisplayOption() const { return m_displayOption; }
    void SetDisplayOption(TDisplayOption option);
    bool DoubleClick() const { return m_doubleClick; }
    void SetDoubleClick(bool on) { m_doubleClick = on; }
    const QColor& FontColor() const { return m_fontColor; }
    void SetFontColor(const QColor& colour);
    const QString& InvPathToFile() const { return m_invPathToFile; }
    void SetInvPathToFile(const QString& path);
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int result) { m_modalResult = result; }
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool on);
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool on);
    bool SemiTransparent() const { return m_semiTransparent; }
    void SetSemiTransparent(bool on);
    bool Toggle() const { return m_toggle; }
    void SetToggle(bool on) { m_toggle = on; }
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool on);
    const TPicture& IDepressedPicture() const { return m_depressedPicture; }
    void SetIDepressedPicture(const TPicture& picture);
    const TPicture& IDisabledPicture() const { return m_disabledPicture; }
    void SetIDisabledPicture(const TPicture& picture);
    bool IEnabled() const { return m_iEnabled; }
    void SetIEnabled(bool on);
    const TPicture& IPicture() const { return m_picture; }
    void SetIPicture(const TPicture& picture);
    bool IStretchImage() const { return m_stretchImage; }
    void SetIStretchImage(bool on);
    bool ITransparent() const { return m_iTransparent; }
    void SetITransparent(bool on);

    // The label's text placement.
    Qt::Alignment Alignment() const { return m_alignment; }
    void SetAlignment(Qt::Alignment horizontal);
    TTextLayout Layout() const { return m_layout; }
    void SetLayout(TTextLayout layout);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool on);

    bool Down() const { return m_down; }
    void SetDown(bool down);

    // The character after a single "&" of the caption, upper-cased; null when none.
    QChar Accelerator() const;

    // Press and release as the mouse or a touch does them.
    void Press();
    void Release(bool inside);
    // Runs the click: the form's modal result, then OnClick, guarded against re-entry.
    void Click();

    void LoadImages();

    // Where a picture of this size goes, with the caption strip when there is one.
    QRect PictureRect(const QSize& picture) const;
    bool HasImage() const;

signals:
    void OnClick();
    void OnMouseUp();

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void Paint(QPainter& painter);
    void PaintPicture(QPainter& painter);
    void PaintText(QPainter& painter);
    void AttachToForm();
    void FollowAlign();
    void MaybeLoadImages();

    int m_align = alNone;
    QString m_caption;
    bool m_cancel = false;
    QColor m_color;
    bool m_default = false;
    TDisplayOption m_displayOption = doText;
    bool m_doubleClick = false;
    QColor m_fontColor = Qt::black;
    QString m_invPathToFile;
    int m_modalResult = 0;
    bool m_parentColor = true;
    bool m_parentFont = true;
    bool m_semiTransparent = false;
    bool m_toggle = false;
    bool m_transparent = false;
    TPicture m_depressedPicture;
    TPicture m_disabledPicture;
    bool m_iEnabled = false;
    TPicture m_picture;
    bool m_stretchImage = true;
    bool m_iTransparent = false;
    Qt::Alignment m_alignment = Qt::AlignHCenter;
    TTextLayout m_layout = tlCenter;
    bool m_wordWrap = true;

    bool m_down = false;
    bool m_toggleWasDown = false;
    bool m_pressed = false;
    bool m_inClick = false;
    QPointer<QWidget> m_form;
    QPointer<QWidget> m_alignParent;
};

// The platform's plain message box: the text and an OK button.
void ShowMessage(const QString& text);
