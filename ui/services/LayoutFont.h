#pragma once

class QWidget;

// The windows place every control at fixed pixel sizes made for an 11-pixel
// font; a larger desktop font would cut captions such as "Remove All". The
// window and all its controls take that font; message boxes and file
// dialogs keep the desktop's.
void UseLayoutFont(QWidget* pWindow);
