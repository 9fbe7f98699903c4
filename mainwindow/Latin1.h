#pragma once
// The program's texts are 8-bit, one byte per character; the widgets hold
// QStrings. Latin-1 maps the 256 byte values one to one onto characters, so
// a byte survives the way into a box and back out unchanged.
#include <QFile>
#include <QString>

#include <filesystem>
#include <string>

inline QString fromBytes(const std::string& s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

inline std::string toBytes(const QString& s) {
    const QByteArray b = s.toLatin1();
    return std::string(b.constData(), size_t(b.size()));
}

// File paths are bytes in the file system's own encoding; shown decoded.
inline QString pathForDisplay(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), qsizetype(path.size())));
}
