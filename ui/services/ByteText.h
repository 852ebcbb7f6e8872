#pragma once

#include <QString>

#include <string>

// The campaign keeps one byte per character. Latin-1 maps every byte to one
// character and back, so a name read from a file, whatever its bytes, is
// shown and written back unchanged.
[[nodiscard]] inline QString fromBytes(const std::string& s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

[[nodiscard]] inline std::string toBytes(const QString& s)
{
    return s.toLatin1().toStdString();
}
