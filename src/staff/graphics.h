#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// A picture as the forms hold it: one decoded graphic and the format it came in,
// so that a JPEG can still be told from a bitmap after loading.
class TPicture
{
public:
    // "BMP", "JPEG", or the reader's name for any other format; empty when none.
    QByteArray Format;
    QImage Graphic;

    bool HasGraphic() const { return !Graphic.isNull(); }
    bool IsBitmap() const { return Format == "BMP"; }
    bool IsJpeg() const { return Format == "JPEG"; }
    void Clear();
    // Throws pw::Exception with the reader's reason when the file cannot be decoded.
    void LoadFromFile(const QString& fileName);
};

// Makes the picture hold its graphic as a bitmap. Reports a failure as an
// information message and leaves the picture as it was.
void JPEGToBMP(TPicture& picture);

// 24 bits per pixel, then every colour byte complemented. Returns the same bitmap.
QImage& InvertBitmap(QImage& bitmap);

// 24 bits per pixel, every pixel the luminance of its own colour in all three channels.
void GreyBitmap(QImage& bitmap);
