#include "staff/graphics.h"

#include "errors/exception.h"
#include "errors/message_dialog.h"

#include <QImageReader>

void TPicture::Clear()
{
    Format.clear();
    Graphic = QImage();
}

void TPicture::LoadFromFile(const QString& fileName)
{
    QImageReader reader(fileName);
    const QByteArray format = reader.format().toUpper();
    QImage image = reader.read();
    if (image.isNull())
        throw pw::Exception(reader.errorString());
    Graphic = std::move(image);
    Format = format == "JPG" ? QByteArray("JPEG") : format;
}

void JPEGToBMP(TPicture& picture)
{
    try {
        if (!picture.HasGraphic())
            throw pw::Exception(QStringLiteral("The picture holds no graphic"));
        QImage bitmap = picture.Graphic.convertToFormat(QImage::Format_RGB888);
        if (bitmap.isNull())
            throw pw::Exception(QStringLiteral("The graphic could not be decoded"));
        picture.Graphic = std::move(bitmap);
        picture.Format = "BMP";
    } catch (const std::exception& e) {
        MessageDlgEx(QStringLiteral("Could not convert JPeg to Bitmap. Reason: ") +
                         QString::fromUtf8(e.what()) + QStringLiteral("\rRaised in [modGraphics] JPEGToBMP"),
                     mtInformation, mbOK);
    }
}

QImage& InvertBitmap(QImage& bitmap)
{
    if (bitmap.format() != QImage::Format_RGB888)
        bitmap.convertTo(QImage::Format_RGB888);
    // Only the pixel bytes of a row: the padding at its end is not part of the picture.
    const int rowBytes = bitmap.width() * 3;
    for (int y = 0; y < bitmap.height(); ++y) {
        uchar* row = bitmap.scanLine(y);
        for (int i = 0; i < rowBytes; ++i)
            row[i] = static_cast<uchar>(~row[i]);
    }
    return bitmap;
}

namespace {

// 0.299 R + 0.587 G + 0.114 B in thousandths, rounded to the nearest integer with
// halves going to the even neighbour; integer arithmetic keeps the halves exact.
int greyOf(int red, int green, int blue)
{
    const int scaled = 299 * red + 587 * green + 114 * blue;
    int whole = scaled / 1000;
    const int rest = scaled % 1000;
    if (rest > 500 || (rest == 500 && whole % 2 != 0))
        ++whole;
    return whole;
}

} // namespace

void GreyBitmap(QImage& bitmap)
{
    if (bitmap.format() != QImage::Format_RGB888)
        bitmap.convertTo(QImage::Format_RGB888);
    for (int y = 0; y < bitmap.height(); ++y) {
        uchar* pixel = bitmap.scanLine(y);
        for (int x = 0; x < bitmap.width(); ++x, pixel += 3) {
            const auto grey = static_cast<uchar>(greyOf(pixel[0], pixel[1], pixel[2]));
            pixel[0] = pixel[1] = pixel[2] = grey;
        }
    }
}
