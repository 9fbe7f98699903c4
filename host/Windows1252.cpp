#include "host/Windows1252.h"

#include <QString>

namespace Windows1252 {

QString toQString(std::string_view bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (unsigned char b : bytes) *out++ = QChar(toChar(b));
    return text;
}

std::string fromQString(const QString& text) {
    std::string bytes(static_cast<size_t>(text.size()), '\0');
    char* out = bytes.data();
    for (QChar c : text) *out++ = toByteOr(c.unicode());
    return bytes;
}

}  // namespace Windows1252
