#pragma once

#include <QtGlobal>

// The two key filters of every text box, for its KeyPress hook: a character
// that does not pass is discarded by setting its code to 0. Backspace (8)
// passes both.

// Letters "A" to "Z", "a" to "z" and digits: the characters of a file name
// without its extension.
void nameFilter(qint16& k);
// Digits only.
void digitFilter(qint16& k);
