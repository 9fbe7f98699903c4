// The property store's binary form. Stored settings may come from a file
// someone else wrote, so the reader trusts nothing: it reads a type tag
// before each value and accepts only the types the controls store, checks
// every length against the bytes that are left before it allocates, and
// decodes pictures only as PNG and only up to a size their bytes justify.
// Nothing of the bytes reaches Qt's general QVariant or QFont readers.
//
//   "MVPB" 01                     signature and version
//   u32 count, then count times:  text key, u8 type, value
//   text     u32 byte count (even) + UTF-16 code units, big-endian
//   Text     text              Int      i32         Short  i16
//   Colour   u32               Bool     u8 0 or 1   Single IEEE 754 binary32
//   Font     u32 n + n texts (families), text style name, f64 point size or
//            -1, i32 pixel size or -1, u16 weight 1..1000, u8 flags
//            (1 italic, 2 underline, 4 strike-out)
//   Picture  u8 kind (0 none, 1 bitmap, 3 icon); unless none: u32 n + n bytes of PNG
// All numbers are big-endian.
#include "host/Picture.h"
#include "host/PropertyBag.h"

#include <QBuffer>
#include <QFont>
#include <QImageReader>
#include <QImageWriter>
#include <QtEndian>

#include <bit>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

constexpr char kSignature[] = {'M', 'V', 'P', 'B', 1};

enum class Tag : quint8 { Text = 1, Int = 2, Short = 3, Colour = 4, Bool = 5, Single = 6, Font = 7, Picture = 8 };

enum FontFlag : quint8 { Italic = 1, Underline = 2, StrikeOut = 4 };

// A decoded picture may take this many bytes whatever its size on file (a
// 2048 x 2048 picture: far more than any button or cursor shows), and past
// it at most kPictureExpansion bytes per byte of PNG.
constexpr qint64 kPictureAllowance = 16 << 20;
constexpr qint64 kPictureExpansion = 64;
// Font sizes beyond this are damage, not settings.
constexpr double kLargestFontSize = 16384;

std::optional<Tag> tagOf(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::QString: return Tag::Text;
    case QMetaType::Int: return Tag::Int;
    case QMetaType::Short: return Tag::Short;
    case QMetaType::UInt: return Tag::Colour;
    case QMetaType::Bool: return Tag::Bool;
    case QMetaType::Float: return Tag::Single;
    case QMetaType::QFont: return Tag::Font;
    default: break;
    }
    if (v.typeId() == qMetaTypeId<Picture>()) return Tag::Picture;
    return std::nullopt;
}

class Writer {
public:
    QByteArray bytes;

    template <typename T>
    void number(T value) {
        const T big = qToBigEndian(value);
        bytes.append(reinterpret_cast<const char*>(&big), sizeof big);
    }
    void text(const QString& s) {
        number(quint32(s.size() * 2));
        for (QChar c : s) number(quint16(c.unicode()));
    }
    void value(Tag tag, const QVariant& v) {
        switch (tag) {
        case Tag::Text: text(v.toString()); break;
        case Tag::Int: number(qint32(v.toInt())); break;
        case Tag::Short: number(v.value<qint16>()); break;
        case Tag::Colour: number(quint32(v.toUInt())); break;
        case Tag::Bool: number(quint8(v.toBool())); break;
        case Tag::Single: number(std::bit_cast<quint32>(v.toFloat())); break;
        case Tag::Font: font(v.value<QFont>()); break;
        case Tag::Picture: picture(v.value<Picture>()); break;
        }
    }

private:
    void font(const QFont& f) {
        const QStringList families = f.families();
        number(quint32(families.size()));
        for (const QString& family : families) text(family);
        text(f.styleName());
        number(std::bit_cast<quint64>(f.pointSizeF()));
        number(qint32(f.pixelSize()));
        number(quint16(f.weight()));
        number(quint8((f.italic() ? Italic : 0) | (f.underline() ? Underline : 0) | (f.strikeOut() ? StrikeOut : 0)));
    }
    void picture(const Picture& p) {
        if (p.isNull()) {
            number(quint8(Picture::Kind::None));
            return;
        }
        number(quint8(p.kind()));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter(&buffer, "png").write(p.image());
        number(quint32(png.size()));
        bytes.append(png);
    }
};

// Every read checks the bytes left first and fails for good once one fails.
class Reader {
public:
    explicit Reader(const QByteArray& bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }
    qsizetype left() const { return bytes_.size() - pos_; }
    bool atEnd() const { return left() == 0; }

    bool fail() { return ok_ = false; }

    bool raw(char* out, qsizetype n) {
        if (!ok_ || n < 0 || n > left()) return fail();
        std::memcpy(out, bytes_.constData() + pos_, size_t(n));
        pos_ += n;
        return true;
    }
    template <typename T>
    bool number(T& out) {
        T big;
        if (!raw(reinterpret_cast<char*>(&big), sizeof big)) return false;
        out = qFromBigEndian(big);
        return true;
    }
    bool text(QString& out) {
        quint32 n = 0;
        if (!number(n) || n % 2 != 0 || n > quint64(left())) return fail();
        out.resize(qsizetype(n / 2));
        for (QChar& c : out) {
            quint16 unit = 0;
            number(unit);
            c = QChar(unit);
        }
        return ok_;
    }
    bool block(QByteArray& out) {
        quint32 n = 0;
        if (!number(n) || n > quint64(left())) return fail();
        out = bytes_.mid(pos_, qsizetype(n));
        pos_ += qsizetype(n);
        return true;
    }

    std::optional<QVariant> value(quint8 tag) {
        switch (Tag(tag)) {
        case Tag::Text: {
            QString s;
            if (text(s)) return QVariant(s);
            break;
        }
        case Tag::Int: return scalar<qint32>();
        case Tag::Short: return scalar<qint16>();
        case Tag::Colour: return scalar<quint32>();
        case Tag::Bool: {
            quint8 b = 2;
            if (number(b) && b <= 1) return QVariant(b == 1);
            break;
        }
        case Tag::Single: {
            quint32 bits = 0;
            // NaN equals nothing, not even itself: no setting holds it.
            if (number(bits) && !std::isnan(std::bit_cast<float>(bits))) return QVariant(std::bit_cast<float>(bits));
            break;
        }
        case Tag::Font: return font();
        case Tag::Picture: return picture();
        }
        fail();
        return std::nullopt;
    }

private:
    template <typename T>
    std::optional<QVariant> scalar() {
        T v{};
        if (!number(v)) return std::nullopt;
        return QVariant::fromValue(v);
    }

    std::optional<QVariant> font() {
        quint32 count = 0;
        // Each family takes at least its four length bytes.
        if (!number(count) || count > quint64(left()) / 4) return fail(), std::nullopt;
        QStringList families;
        for (quint32 k = 0; k < count; ++k) {
            QString family;
            if (!text(family)) return std::nullopt;
            families << family;
        }
        QString style;
        quint64 pointBits = 0;
        qint32 pixels = 0;
        quint16 weight = 0;
        quint8 flags = 0;
        if (!text(style) || !number(pointBits) || !number(pixels) || !number(weight) || !number(flags))
            return std::nullopt;
        const double points = std::bit_cast<double>(pointBits);
        // Exactly one of the two sizes is set, as QFont keeps them.
        const bool byPoints = points > 0 && points <= kLargestFontSize && pixels == -1;
        const bool byPixels = points == -1 && pixels > 0 && pixels <= kLargestFontSize;
        if ((!byPoints && !byPixels) || weight < 1 || weight > 1000 || (flags & ~(Italic | Underline | StrikeOut)))
            return fail(), std::nullopt;
        QFont f(families);
        f.setStyleName(style);
        if (byPoints) f.setPointSizeF(points);
        else f.setPixelSize(pixels);
        f.setWeight(QFont::Weight(weight));
        f.setItalic(flags & Italic);
        f.setUnderline(flags & Underline);
        f.setStrikeOut(flags & StrikeOut);
        return QVariant(f);
    }

    std::optional<QVariant> picture() {
        quint8 kind = 0xFF;
        if (!number(kind)) return std::nullopt;
        if (kind == quint8(Picture::Kind::None)) return QVariant::fromValue(Picture());
        QByteArray png;
        if ((kind != quint8(Picture::Kind::Bitmap) && kind != quint8(Picture::Kind::Icon)) || !block(png))
            return fail(), std::nullopt;
        QBuffer buffer(&png);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "png");
        reader.setAutoDetectImageFormat(false);
        reader.setDecideFormatFromContent(false);
        const QSize size = reader.size();
        const qint64 decoded = qint64(size.width()) * size.height() * 4;
        if (size.isEmpty() || decoded > std::max(kPictureAllowance, kPictureExpansion * png.size()))
            return fail(), std::nullopt;
        const QImage image = reader.read();
        if (image.isNull() || image.size() != size) return fail(), std::nullopt;
        return QVariant::fromValue(kind == quint8(Picture::Kind::Icon) ? Picture::icon(image) : Picture::bitmap(image));
    }

    const QByteArray& bytes_;
    qsizetype pos_ = 0;
    bool ok_ = true;
};

}  // namespace

bool PropertyBag::isStorable(const QVariant& value) { return tagOf(value).has_value(); }

QByteArray PropertyBag::serialize() const {
    Writer w;
    w.bytes.append(kSignature, sizeof kSignature);
    quint32 count = 0;
    for (const auto& e : entries_) count += isStorable(e.second);
    w.number(count);
    for (const auto& [key, value] : entries_) {
        const std::optional<Tag> tag = tagOf(value);
        if (!tag) continue;
        w.text(key);
        w.number(quint8(*tag));
        w.value(*tag, value);
    }
    return w.bytes;
}

PropertyBag PropertyBag::deserialize(const QByteArray& bytes, bool* ok) {
    PropertyBag bag;
    Reader in(bytes);
    char signature[sizeof kSignature] = {};
    quint32 count = 0;
    if (in.raw(signature, sizeof signature) && std::memcmp(signature, kSignature, sizeof kSignature) != 0) in.fail();
    // An entry takes at least a key's length, a tag and one byte of value.
    if (in.number(count) && count > quint64(in.left()) / 6) in.fail();
    for (quint32 i = 0; i < count && in.ok(); ++i) {
        QString key;
        quint8 tag = 0;
        if (!in.text(key) || !in.number(tag)) break;
        if (std::optional<QVariant> value = in.value(tag)) bag.write(key, *value);
    }
    if (in.ok() && !in.atEnd()) in.fail();
    if (ok) *ok = in.ok();
    return bag;
}
