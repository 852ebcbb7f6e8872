#pragma once

#include <QByteArray>
#include <QString>

#include <filesystem>

// What the storage needs from the platform's files besides SaveFileBytes,
// which each platform's file code defines too.

// Reads at most limit bytes from the start of the file at path into bytes.
// Empty on success, else the reason.
[[nodiscard]] QString readFileStart(const std::filesystem::path& path, qint64 limit, QByteArray& bytes);

// Why a write failed, in the system's words (cause), saying how far the bytes
// came when only some were written.
[[nodiscard]] QString writeFailure(const QString& cause, qint64 written, qint64 size);
