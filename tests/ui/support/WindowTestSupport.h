#pragma once

// What every window test needs around the windows: files, modal windows and
// the activation the offscreen platform does not give back by itself.

#include <QByteArray>
#include <QString>

#include <functional>

class QWidget;

// The file's bytes, or nothing when it cannot be read.
QByteArray readFile(const QString& path);
// Replaces the file's bytes; true when every byte went in.
bool writeFile(const QString& path, const QByteArray& bytes);

// Runs Answer on the modal window the next call opens, once it is open; the
// call must not return before Answer closes the window.
void whenModalOpens(const std::function<void(QWidget*)>& answer);

// Offscreen gives the focus back neither after a modal step nor to a window
// shown again, unless another window had it in between: a stand-in takes the
// activation, then pWindow is shown and active again. True when it is.
bool reactivate(QWidget* window);
