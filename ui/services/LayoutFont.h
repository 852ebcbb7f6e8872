#pragma once

#include <QFont>

class QWidget;

// The windows place every control at fixed pixel sizes made for an 11-pixel
// font; a larger desktop font would cut captions such as "Remove All". The
// window and all its controls take that font; message boxes and file
// dialogs keep the desktop's.
void useLayoutFont(QWidget* window);

// While one lives, the application's font is the layout font. A line edit
// lays out its empty text in the application's font as it is made, before
// it takes its window's font, and would load the desktop's font only for
// that; windows made meanwhile load the layout font alone. Once it is gone,
// the application's font is the desktop's again.
class LayoutFontWhileMaking {
public:
    LayoutFontWhileMaking();
    ~LayoutFontWhileMaking();
    LayoutFontWhileMaking(const LayoutFontWhileMaking&) = delete;
    LayoutFontWhileMaking& operator=(const LayoutFontWhileMaking&) = delete;

private:
    QFont m_desktopFont;
};
