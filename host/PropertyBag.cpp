#include "host/PropertyBag.h"

namespace {
// Values of different integer widths (a 16-bit pointer kind, a 32-bit colour)
// compare by number, everything else by QVariant's own equality.
bool sameValue(const QVariant& a, const QVariant& b) {
    if (!a.isValid() || !b.isValid()) return a.isValid() == b.isValid();
    return QVariant::compare(a, b) == QPartialOrdering::Equivalent || a == b;
}
}  // namespace

int PropertyBag::indexOf(const QString& lowerKey) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].first == lowerKey) return static_cast<int>(i);
    return -1;
}

QVariant PropertyBag::read(const QString& key, const QVariant& defaultValue) const {
    int i = indexOf(key.toLower());
    return i < 0 ? defaultValue : entries_[static_cast<size_t>(i)].second;
}

void PropertyBag::write(const QString& key, const QVariant& value, const QVariant& defaultValue) {
    if (sameValue(value, defaultValue)) {
        remove(key);
        return;
    }
    write(key, value);
}

void PropertyBag::write(const QString& key, const QVariant& value) {
    const QString k = key.toLower();
    int i = indexOf(k);
    if (i < 0)
        entries_.emplace_back(k, value);
    else
        entries_[static_cast<size_t>(i)].second = value;
}

bool PropertyBag::contains(const QString& key) const { return indexOf(key.toLower()) >= 0; }

void PropertyBag::remove(const QString& key) {
    int i = indexOf(key.toLower());
    if (i >= 0) entries_.erase(entries_.begin() + i);
}

QStringList PropertyBag::keys() const {
    QStringList out;
    for (const auto& e : entries_) out << e.first;
    return out;
}

bool PropertyBag::operator==(const PropertyBag& other) const {
    if (entries_.size() != other.entries_.size()) return false;
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].first != other.entries_[i].first || !sameValue(entries_[i].second, other.entries_[i].second))
            return false;
    return true;
}
