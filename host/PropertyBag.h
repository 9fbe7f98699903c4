#pragma once
// The keyed store in which a containing window keeps the settings of one
// control. Both controls of the program persist through it.
//
// Rules the controls rely on:
// - keys compare without regard to case (kept in lower case);
// - writing a value equal to the default given with it keeps nothing
//   (and forgets an earlier value under that key);
// - writing without a default always keeps the value;
// - reading an absent key yields the default given with the read.
// Values keep their types. The binary form holds only the types the controls
// store: text (QString), integers (int, qint16), colours (uint), booleans,
// single floats, fonts (QFont) and pictures (Picture).
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <utility>
#include <vector>

class PropertyBag {
public:
    QVariant read(const QString& key, const QVariant& defaultValue = {}) const;
    void write(const QString& key, const QVariant& value, const QVariant& defaultValue);
    void write(const QString& key, const QVariant& value);

    bool contains(const QString& key) const;
    void remove(const QString& key);
    void clear() { entries_.clear(); }
    bool isEmpty() const { return entries_.empty(); }
    // Kept keys, lower case, in the order they were first written.
    QStringList keys() const;

    // Binary form that keeps every value's type (host/PropertyBagStream.cpp).
    // A value of another type is left out. Reading refuses (ok false) any
    // other type, a damaged or truncated entry and trailing bytes; it keeps
    // the entries read before the fault.
    QByteArray serialize() const;
    static PropertyBag deserialize(const QByteArray& bytes, bool* ok = nullptr);
    // Whether serialize keeps a value of this type.
    static bool isStorable(const QVariant& value);

    bool operator==(const PropertyBag& other) const;

private:
    int indexOf(const QString& lowerKey) const;
    std::vector<std::pair<QString, QVariant>> entries_;
};
