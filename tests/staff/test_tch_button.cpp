#include "errors/message_dialog.h"
#include "platform_doubles.h"
#include "staff/graphics.h"
#include "staff/tch_button.h"

#include <QDialog>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

class TestTchButton : public QObject
{
    Q_OBJECT

private slots:
    void pressAndRelease_data();
    void pressAndRelease();
    void clickRunsWhileDrawnPressed();
    void clickGuard_data();
    void clickGuard();
    void clickSetsFormModalResult();
    void modalResultClosesOnlyModalForms_data();
    void modalResultClosesOnlyModalForms();
    void defaultAndCancelKeys();
    void defaultAndCancelExcludeEachOther();
    void keysIgnoredWithModifiersOrDisabled();
    void acceleratorClicks();
    void downSwapsColours();
    void transparencyFlagsExcludeEachOther();
    void pictureRect_data();
    void pictureRect();
    void paintsDefaultFrameAndSemiTransparentLines();
    void paintsBackgroundAndFrame_data();
    void paintsBackgroundAndFrame();
    void paintsPictureOfItsState_data();
    void paintsPictureOfItsState();
    void paintsDisabledCaptionTwice();
    void greyAndInvert();
    void greyRoundsHalvesToEven();
    void loadImagesDerivesPressedAndDisabled_data();
    void loadImagesDerivesPressedAndDisabled();
    void loadImagesReportsUnreadableFile();
    void jpegToBmpReportsFailure();
};

// Press, then release inside or outside; whether the button ends down and whether it clicked.
void TestTchButton::pressAndRelease_data()
{
    QTest::addColumn<bool>("toggle");
    QTest::addColumn<bool>("downBefore");
    QTest::addColumn<bool>("inside");
    QTest::addColumn<bool>("downWhilePressed");
    QTest::addColumn<bool>("downAfter");
    QTest::addColumn<int>("clicks");

    QTest::newRow("normal released inside") << false << false << true << true << false << 1;
    QTest::newRow("normal dragged out") << false << false << false << true << false << 0;
    QTest::newRow("toggle up released inside") << true << false << true << true << true << 1;
    QTest::newRow("toggle down released inside") << true << true << true << false << false << 1;
    QTest::newRow("toggle up dragged out") << true << false << false << true << false << 0;
    QTest::newRow("toggle down dragged out") << true << true << false << false << true << 0;
}

void TestTchButton::pressAndRelease()
{
    QFETCH(bool, toggle);
    QFETCH(bool, downBefore);
    QFETCH(bool, inside);
    QFETCH(bool, downWhilePressed);
    QFETCH(bool, downAfter);
    QFETCH(int, clicks);

    pw::test::PlatformDoubles doubles;
    TTchButton button;
    button.SetToggle(toggle);
    button.SetDown(downBefore);
    int clicked = 0;
    int mouseUps = 0;
    connect(&button, &TTchButton::OnClick, [&] { ++clicked; });
    connect(&button, &TTchButton::OnMouseUp, [&] { ++mouseUps; });

    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(button.Down(), downWhilePressed);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, inside ? QPoint(10, 10) : QPoint(200, 10));
    QCOMPARE(button.Down(), downAfter);
    QCOMPARE(clicked, clicks);
    QCOMPARE(mouseUps, clicks);
}

void TestTchButton::clickRunsWhileDrawnPressed()
{
    pw::test::PlatformDoubles doubles;
    TTchButton button;
    bool downDuringClick = false;
    connect(&button, &TTchButton::OnClick, [&] { downDuringClick = button.Down(); });
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(downDuringClick);
    QVERIFY(!button.Down());
}

// A click arriving while the handler of the previous one still runs (it pumps messages).
void TestTchButton::clickGuard_data()
{
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<int>("handled");
    QTest::newRow("guarded") << false << 1;
    QTest::newRow("DoubleClick set") << true << 2;
}

void TestTchButton::clickGuard()
{
    QFETCH(bool, doubleClick);
    QFETCH(int, handled);
    pw::test::PlatformDoubles doubles;
    TTchButton button;
    button.SetDoubleClick(doubleClick);
    int count = 0;
    connect(&button, &TTchButton::OnClick, [&] {
        if (++count == 1)
            button.Click();
    });
    button.Click();
    QCOMPARE(count, handled);
    // The flag is cleared afterwards, so the next click runs.
    button.Click();
    QCOMPARE(count, handled + 1);
}

void TestTchButton::clickSetsFormModalResult()
{
    pw::test::PlatformDoubles doubles;
    QDialog form;
    auto* ok = new TTchButton(&form);
    ok->SetModalResult(mrOk);
    auto* plain = new TTchButton(&form);
    ok->Click();
    QCOMPARE(form.result(), int(mrOk));
    // A button without a modal result sets none.
    plain->Click();
    QCOMPARE(form.result(), int(mrNone));
}

// The modal result ends a modal show only; a form shown without one stays open.
void TestTchButton::modalResultClosesOnlyModalForms_data()
{
    QTest::addColumn<bool>("modal");
    QTest::newRow("modal") << true;
    QTest::newRow("not modal") << false;
}

void TestTchButton::modalResultClosesOnlyModalForms()
{
    QFETCH(bool, modal);
    pw::test::PlatformDoubles doubles;
    QDialog form;
    form.setModal(modal);
    auto* ok = new TTchButton(&form);
    ok->SetModalResult(mrOk);
    form.show();
    ok->Click();
    QCOMPARE(form.isVisible(), !modal);
    QCOMPARE(form.result(), int(mrOk));
}

void TestTchButton::defaultAndCancelKeys()
{
    pw::test::PlatformDoubles doubles;
    QDialog form;
    auto* ok = new TTchButton(&form);
    ok->SetDefault(true);
    auto* cancel = new TTchButton(&form);
    cancel->SetCancel(true);
    int okClicks = 0;
    int cancelClicks = 0;
    connect(ok, &TTchButton::OnClick, [&] { ++okClicks; });
    connect(cancel, &TTchButton::OnClick, [&] { ++cancelClicks; });

    QTest::keyClick(&form, Qt::Key_Return);
    QCOMPARE(okClicks, 1);
    QCOMPARE(cancelClicks, 0);
    QTest::keyClick(&form, Qt::Key_Escape);
    QCOMPARE(okClicks, 1);
    QCOMPARE(cancelClicks, 1);
}

void TestTchButton::defaultAndCancelExcludeEachOther()
{
    TTchButton button;
    button.SetDefault(true);
    button.SetCancel(true);
    QVERIFY(button.Cancel());
    QVERIFY(!button.Default());
    button.SetDefault(true);
    QVERIFY(button.Default());
    QVERIFY(!button.Cancel());
}

void TestTchButton::keysIgnoredWithModifiersOrDisabled()
{
    pw::test::PlatformDoubles doubles;
    QDialog form;
    auto* ok = new TTchButton(&form);
    ok->SetDefault(true);
    int clicks = 0;
    connect(ok, &TTchButton::OnClick, [&] { ++clicks; });
    QTest::keyClick(&form, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(&form, Qt::Key_Return, Qt::ControlModifier);
    ok->setEnabled(false);
    QTest::keyClick(&form, Qt::Key_Return);
    QCOMPARE(clicks, 0);
}

void TestTchButton::acceleratorClicks()
{
    pw::test::PlatformDoubles doubles;
    QDialog form;
    auto* ok = new TTchButton(&form);
    ok->SetCaption(QStringLiteral("&OK"));
    auto* both = new TTchButton(&form);
    both->SetCaption(QStringLiteral("Fish && &Chips"));
    int okClicks = 0;
    int chipsClicks = 0;
    connect(ok, &TTchButton::OnClick, [&] { ++okClicks; });
    connect(both, &TTchButton::OnClick, [&] { ++chipsClicks; });
    QCOMPARE(both->Accelerator(), QChar(u'C'));

    QTest::keyClick(&form, Qt::Key_O, Qt::AltModifier);
    QTest::keyClick(&form, Qt::Key_C, Qt::AltModifier);
    QTest::keyClick(&form, Qt::Key_O);
    QCOMPARE(okClicks, 1);
    QCOMPARE(chipsClicks, 1);
}

void TestTchButton::downSwapsColours()
{
    TTchButton button;
    button.SetColor(Qt::blue);
    button.SetFontColor(Qt::yellow);
    button.SetDown(true);
    QCOMPARE(button.Color(), QColor(Qt::yellow));
    QCOMPARE(button.FontColor(), QColor(Qt::blue));
    button.SetDown(true);
    QCOMPARE(button.Color(), QColor(Qt::yellow));
    button.SetDown(false);
    QCOMPARE(button.Color(), QColor(Qt::blue));
}

void TestTchButton::transparencyFlagsExcludeEachOther()
{
    TTchButton button;
    button.SetTransparent(true);
    button.SetSemiTransparent(true);
    QVERIFY(button.SemiTransparent());
    QVERIFY(!button.Transparent());
    button.SetTransparent(true);
    QVERIFY(!button.SemiTransparent());
}

void TestTchButton::pictureRect_data()
{
    QTest::addColumn<QSize>("button");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<QRect>("expected");

    // Too big for the button: stretched whatever IStretchImage says.
    QTest::newRow("40x40 on 75x25") << QSize(75, 25) << QSize(40, 40) << QString() << false
                                    << QRect(2, 2, 71, 21);
    QTest::newRow("too big with caption")
        << QSize(75, 40) << QSize(40, 30) << QStringLiteral("Go") << false << QRect(2, 2, 71, 24);
    QTest::newRow("fits, centred") << QSize(75, 25) << QSize(16, 16) << QString() << false
                                   << QRect(29, 4, 16, 16);
    QTest::newRow("fits, caption below")
        << QSize(75, 60) << QSize(16, 16) << QStringLiteral("Go") << false << QRect(29, 8, 16, 16);
    QTest::newRow("fits, stretched on request")
        << QSize(75, 25) << QSize(16, 16) << QString() << true << QRect(2, 2, 71, 21);
}

void TestTchButton::pictureRect()
{
    QFETCH(QSize, button);
    QFETCH(QSize, picture);
    QFETCH(QString, caption);
    QFETCH(bool, stretch);
    QFETCH(QRect, expected);
    TTchButton tch;
    tch.resize(button);
    tch.SetCaption(caption);
    tch.SetIStretchImage(stretch);
    QCOMPARE(tch.PictureRect(picture), expected);
}

void TestTchButton::paintsDefaultFrameAndSemiTransparentLines()
{
    pw::test::PlatformDoubles doubles;
    TTchButton button;
    button.resize(75, 25);
    button.SetColor(Qt::blue);
    button.SetDefault(true);
    button.SetSemiTransparent(true);
    QImage image(button.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    button.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);

    QCOMPARE(QColor(image.pixel(0, 0)), QColor(Qt::black));
    QCOMPARE(QColor(image.pixel(74, 24)), QColor(Qt::black));
    QCOMPARE(QColor(image.pixel(5, 2)), QColor(Qt::blue));
    QCOMPARE(QColor(image.pixel(5, 3)), QColor(Qt::white));
    QCOMPARE(QColor(image.pixel(5, 4)), QColor(Qt::blue));
    QVERIFY(doubles.modal.shown.isEmpty());
}

namespace {

QImage rendered(TTchButton& button)
{
    QImage image(button.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    button.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

TPicture filled(QColor colour)
{
    TPicture picture;
    picture.Format = "BMP";
    picture.Graphic = QImage(16, 16, QImage::Format_RGB32);
    picture.Graphic.fill(colour);
    return picture;
}

} // namespace

// A transparent button shows what lies behind it until it is pressed; a pressed one
// shows the inverted colours inside a sunken edge.
void TestTchButton::paintsBackgroundAndFrame_data()
{
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<bool>("down");
    QTest::addColumn<QColor>("inside");
    QTest::newRow("opaque") << false << false << QColor(Qt::blue);
    QTest::newRow("opaque, pressed") << false << true << QColor(Qt::yellow);
    QTest::newRow("transparent") << true << false << QColor(Qt::white);
    QTest::newRow("transparent, pressed") << true << true << QColor(Qt::yellow);
}

void TestTchButton::paintsBackgroundAndFrame()
{
    QFETCH(bool, transparent);
    QFETCH(bool, down);
    QFETCH(QColor, inside);
    pw::test::PlatformDoubles doubles;
    TTchButton button;
    button.SetColor(Qt::blue);
    button.SetFontColor(Qt::yellow);
    button.SetTransparent(transparent);
    const QColor raisedCorner(rendered(button).pixel(0, 0));
    button.SetDown(down);
    const QImage image = rendered(button);
    QCOMPARE(QColor(image.pixel(5, 12)), inside);
    const QColor corner(image.pixel(0, 0));
    if (down)
        QVERIFY(corner.lightness() < raisedCorner.lightness());
    else
        QCOMPARE(corner, raisedCorner);
    QVERIFY(doubles.modal.shown.isEmpty());
}

// The pressed picture while down, the disabled one while disabled, else the normal one;
// a state whose picture is missing falls back to the normal picture, and without that
// nothing is drawn.
void TestTchButton::paintsPictureOfItsState_data()
{
    QTest::addColumn<bool>("withNormal");
    QTest::addColumn<bool>("withDepressed");
    QTest::addColumn<bool>("down");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("iEnabled");
    QTest::addColumn<QColor>("centre");
    QTest::newRow("normal") << true << true << false << true << true << QColor(Qt::red);
    QTest::newRow("pressed") << true << true << true << true << true << QColor(Qt::green);
    QTest::newRow("disabled") << true << true << false << false << true << QColor(Qt::blue);
    QTest::newRow("pressed, no pressed picture") << true << false << true << true << true << QColor(Qt::red);
    QTest::newRow("no normal picture") << false << true << false << true << true << QColor(Qt::gray);
    QTest::newRow("pictures not enabled") << true << true << false << true << false << QColor(Qt::gray);
}

void TestTchButton::paintsPictureOfItsState()
{
    QFETCH(bool, withNormal);
    QFETCH(bool, withDepressed);
    QFETCH(bool, down);
    QFETCH(bool, enabled);
    QFETCH(bool, iEnabled);
    QFETCH(QColor, centre);
    pw::test::PlatformDoubles doubles;
    TTchButton button;
    button.SetColor(Qt::gray);
    button.SetFontColor(Qt::gray);
    button.SetIStretchImage(false);
    button.SetDisplayOption(doImage);
    if (withNormal)
        button.SetIPicture(filled(Qt::red));
    if (withDepressed)
        button.SetIDepressedPicture(filled(Qt::green));
    button.SetIDisabledPicture(filled(Qt::blue));
    button.SetIEnabled(iEnabled);
    button.SetDown(down);
    button.setEnabled(enabled);
    QCOMPARE(QColor(rendered(button).pixel(37, 12)), centre);
    QVERIFY(doubles.modal.shown.isEmpty());
}

// Once a pixel right and down in the highlight colour, then in place in the shadow colour.
void TestTchButton::paintsDisabledCaptionTwice()
{
    pw::test::PlatformDoubles doubles;
    TTchButton button;
    button.resize(75, 40);
    QFont font = button.font();
    font.setPixelSize(30);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    button.setFont(font);
    button.SetCaption(QStringLiteral("I"));
    button.setEnabled(false);
    const QColor highlight = button.palette().color(QPalette::Light);
    const QColor shadow = button.palette().color(QPalette::Dark);
    const QImage image = rendered(button);
    // The stem of the I: shadow in place, with highlight showing one pixel to its right and below.
    int stemLeft = -1;
    int stemRight = -1;
    const int y = 20;
    for (int x = 3; x < 72; ++x) {
        if (QColor(image.pixel(x, y)) == shadow) {
            if (stemLeft < 0)
                stemLeft = x;
            stemRight = x;
        }
    }
    QVERIFY(stemLeft > 0);
    QCOMPARE(QColor(image.pixel(stemRight + 1, y)), highlight);
    QVERIFY(QColor(image.pixel(stemLeft - 1, y)) != highlight);
}

void TestTchButton::greyAndInvert()
{
    QImage red(1, 1, QImage::Format_RGB32);
    red.setPixel(0, 0, qRgb(255, 0, 0));
    GreyBitmap(red);
    QCOMPARE(red.format(), QImage::Format_RGB888);
    QCOMPARE(QColor(red.pixel(0, 0)), QColor(76, 76, 76));

    QImage colour(2, 1, QImage::Format_RGB32);
    colour.setPixel(0, 0, qRgb(10, 20, 30));
    colour.setPixel(1, 0, qRgb(255, 255, 255));
    QImage& same = InvertBitmap(colour);
    QCOMPARE(&same, &colour);
    QCOMPARE(colour.format(), QImage::Format_RGB888);
    QCOMPARE(QColor(colour.pixel(0, 0)), QColor(245, 235, 225));
    QCOMPARE(QColor(colour.pixel(1, 0)), QColor(0, 0, 0));
}

// Exact halves go to the even neighbour: 0.114 x 250 = 28.5 gives 28; 0.587 x 60 + 0.114 x 20 = 37.5
// gives 38.
void TestTchButton::greyRoundsHalvesToEven()
{
    QImage image(3, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(0, 0, 250));
    image.setPixel(1, 0, qRgb(0, 60, 20));
    image.setPixel(2, 0, qRgb(50, 0, 25)); // 17.8
    GreyBitmap(image);
    QCOMPARE(qRed(image.pixel(0, 0)), 28);
    QCOMPARE(qRed(image.pixel(1, 0)), 38);
    QCOMPARE(qRed(image.pixel(2, 0)), 18);
}

void TestTchButton::loadImagesDerivesPressedAndDisabled_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("bitmap") << QStringLiteral("bmp");
    QTest::newRow("jpeg") << QStringLiteral("jpg");
}

void TestTchButton::loadImagesDerivesPressedAndDisabled()
{
    QFETCH(QString, format);
    pw::test::PlatformDoubles doubles;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("button.") + format);
    QImage source(8, 8, QImage::Format_RGB32);
    source.fill(qRgb(255, 0, 0));
    QVERIFY(source.save(file, format == QLatin1String("jpg") ? "JPEG" : "BMP", 100));

    TTchButton button;
    button.SetInvPathToFile(file);
    QVERIFY(!button.IPicture().HasGraphic());
    button.SetIEnabled(true);

    QVERIFY(button.IPicture().HasGraphic());
    const QColor normal(button.IPicture().Graphic.pixel(4, 4));
    const QColor pressed(button.IDepressedPicture().Graphic.pixel(4, 4));
    const QColor disabled(button.IDisabledPicture().Graphic.pixel(4, 4));
    QCOMPARE(pressed.red(), 255 - normal.red());
    QCOMPARE(pressed.green(), 255 - normal.green());
    QCOMPARE(pressed.blue(), 255 - normal.blue());
    QCOMPARE(disabled.red(), disabled.green());
    QCOMPARE(disabled.green(), disabled.blue());
    QVERIFY(qAbs(disabled.red() - 76) <= 2);
    QCOMPARE(button.IDepressedPicture().Format, QByteArray("BMP"));
    QCOMPARE(button.IDisabledPicture().Format, QByteArray("BMP"));
    QVERIFY(doubles.modal.shown.isEmpty());
}

void TestTchButton::loadImagesReportsUnreadableFile()
{
    pw::test::PlatformDoubles doubles;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("broken.bmp"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("not a picture");
    out.close();

    TTchButton button;
    button.SetInvPathToFile(file);
    button.SetIEnabled(true);
    QCOMPARE(doubles.modal.shown.size(), 1);
    QVERIFY(
        doubles.modal.last().text.startsWith(QStringLiteral("Could not load the button image. Reason: ")));
    QVERIFY(doubles.modal.last().text.endsWith(QStringLiteral("\rRaised in TTchButton.LoadImages")));

    // A file that is not there loads nothing and says nothing.
    button.SetInvPathToFile(dir.filePath(QStringLiteral("missing.bmp")));
    QCOMPARE(doubles.modal.shown.size(), 1);
}

void TestTchButton::jpegToBmpReportsFailure()
{
    pw::test::PlatformDoubles doubles;
    TPicture empty;
    empty.Format = "JPEG";
    JPEGToBMP(empty);
    QCOMPARE(empty.Format, QByteArray("JPEG"));
    QCOMPARE(doubles.modal.shown.size(), 1);
    QCOMPARE(doubles.modal.last().kind, QStringLiteral("Information"));
    QVERIFY(
        doubles.modal.last().text.startsWith(QStringLiteral("Could not convert JPeg to Bitmap. Reason: ")));
    QVERIFY(doubles.modal.last().text.endsWith(QStringLiteral("\rRaised in [modGraphics] JPEGToBMP")));
}

QTEST_MAIN(TestTchButton)
#include "test_tch_button.moc"
