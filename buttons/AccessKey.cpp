#include "buttons/AccessKey.h"

QString accessKeyFromCaption(const QString& caption, const QString& current) {
    qsizetype p = caption.lastIndexOf(QLatin1Char('&'));
    // Step left over "&&" pairs: they are literal ampersands.
    while (p > 0 && caption.at(p - 1) == QLatin1Char('&')) {
        if (p - 2 < 0) return current;
        p = caption.lastIndexOf(QLatin1Char('&'), p - 2);
    }
    if (p < 0) return current;
    if (p == caption.size() - 1) return QString();
    return caption.mid(p + 1, 1);
}
