#pragma once
// The program's texts are 8-bit, one byte per character; the widgets hold
// QStrings. Bytes map to characters as Windows-1252, the same mapping the
// syntax box uses, and every byte value survives the way into a box and back
// out unchanged.
#include "host/Windows1252.h"

#include <QFile>
#include <QString>

#include <string>

inline QString fromBytes(const std::string& s) { return Windows1252::toQString(s); }

inline std::string toBytes(const QString& s) { return Windows1252::fromQString(s); }

// File paths are bytes in the file system's own encoding; shown decoded.
inline QString pathForDisplay(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), qsizetype(path.size())));
}
