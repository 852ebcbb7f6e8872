#pragma once

#include "storage/FileSystem.h"

#include <QString>

#include <filesystem>

// File names on Linux are bytes and need not be UTF-8; a campaign's text and
// a file name may hold control bytes. These keep every name byte for byte on
// its way to the file system and make what is printed safe for a terminal.

// Text for a terminal: printable characters as they are, a backslash doubled,
// every control or other non-printing character as \xHH (its code, or the
// byte of a name that is not UTF-8), \uHHHH or \UHHHHHHHH above 255.
[[nodiscard]] QString terminalText(const QString& text);

// A file name for a message: as it is when nothing in it needs escaping,
// else escaped as terminalText does and in double quotes, as git quotes one.
[[nodiscard]] QString quotedPath(const std::filesystem::path& path);
