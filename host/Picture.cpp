#include "host/Picture.h"

#include <QFileInfo>
#include <QImageReader>

Picture Picture::bitmap(const QImage& image) {
    Picture p;
    if (image.isNull()) return p;
    p.kind_ = Kind::Bitmap;
    p.image_ = image.convertToFormat(QImage::Format_ARGB32);
    return p;
}

Picture Picture::icon(const QImage& image) {
    Picture p;
    if (image.isNull()) return p;
    p.kind_ = Kind::Icon;
    p.image_ = image.convertToFormat(QImage::Format_ARGB32);
    return p;
}

Picture Picture::fromFile(const QString& path) {
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull()) return {};
    const QString suffix = QFileInfo(path).suffix().toLower();
    return (suffix == "ico" || suffix == "cur") ? icon(image) : bitmap(image);
}

QDataStream& operator<<(QDataStream& out, const Picture& p) {
    return out << qint32(p.kind()) << p.image();
}

QDataStream& operator>>(QDataStream& in, Picture& p) {
    qint32 kind = 0;
    QImage image;
    in >> kind >> image;
    p = kind == qint32(Picture::Kind::Icon) ? Picture::icon(image) : Picture::bitmap(image);
    return in;
}
