#include "IconFile.h"

#include <QBuffer>
#include <QDataStream>

namespace pbdraw {

const QList<int>& iconFileSizes()
{
    static const QList<int> sizes{16, 24, 32, 48, 64, 128, 256};
    return sizes;
}

QByteArray iconFile(const QList<QImage>& images)
{
    QList<QByteArray> pngs;
    for (const QImage& image : images) {
        QByteArray png;
        QBuffer buffer(&png);
        if (image.width() > 256 || image.height() > 256 || !buffer.open(QIODevice::WriteOnly) ||
            !image.save(&buffer, "PNG"))
            return {};
        pngs << png;
    }

    // ICONDIR, then an ICONDIRENTRY per image, then the images: little-endian,
    // a size of 256 written as 0.
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());
    quint32 offset = 6 + 16 * quint32(images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        out << quint8(images[i].width() & 0xff) << quint8(images[i].height() & 0xff) << quint8(0) << quint8(0)
            << quint16(1) << quint16(32) << quint32(pngs[i].size()) << offset;
        offset += quint32(pngs[i].size());
    }
    for (const QByteArray& png : pngs)
        out.writeRawData(png.constData(), int(png.size()));
    return file;
}

} // namespace pbdraw
