#pragma once

#include <QByteArray>
#include <QString>

// Lays out a map given as DOT text and renders it with renderer: "svg",
// "png" or "dot" (DOT with the layout's positions). Empty with a reason a
// user can read when it cannot.
[[nodiscard]] QByteArray layOutMap(const QByteArray& dot, const char* renderer, QString& reason);
