#pragma once

// What every window test needs around the windows: files, modal windows and
// the activation the offscreen platform does not give back by itself.

#include "tests/support/Files.h"

#include <functional>

class QWidget;

// Runs Answer on the modal window the next call opens, once it is open; the
// call must not return before Answer closes the window.
void whenModalOpens(const std::function<void(QWidget*)>& answer);

// Offscreen gives the focus back neither after a modal step nor to a window
// shown again, unless another window had it in between: a stand-in takes the
// activation, then pWindow is shown and active again. True when it is.
bool reactivate(QWidget* window);
