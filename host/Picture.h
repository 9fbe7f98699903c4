#pragma once
// A picture as the controls keep it: either a bitmap or an icon, with its
// native size. Bitmaps are drawn with the colour of their top-left pixel as
// transparent; icons are drawn with their own transparency.
#include <QDataStream>
#include <QImage>
#include <QMetaType>
#include <QSize>
#include <QString>

class Picture {
public:
    enum class Kind { None = 0, Bitmap = 1, Icon = 3 };

    Picture() = default;
    static Picture bitmap(const QImage& image);
    static Picture icon(const QImage& image);
    // ".ico" and ".cur" files load as icons, everything else Qt reads
    // (BMP, PNG, JPEG, ...) as a bitmap. A file that cannot be read gives
    // an empty picture.
    static Picture fromFile(const QString& path);

    Kind kind() const { return kind_; }
    bool isNull() const { return kind_ == Kind::None || image_.isNull(); }
    // Non-zero while a picture is held, as a handle would be.
    qint64 handle() const { return isNull() ? 0 : image_.cacheKey(); }
    const QImage& image() const { return image_; }
    QSize size() const { return image_.size(); }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

    bool operator==(const Picture& o) const { return kind_ == o.kind_ && image_ == o.image_; }
    bool operator!=(const Picture& o) const { return !(*this == o); }

private:
    Kind kind_ = Kind::None;
    QImage image_;
};

QDataStream& operator<<(QDataStream& out, const Picture& p);
QDataStream& operator>>(QDataStream& in, Picture& p);

Q_DECLARE_METATYPE(Picture)
