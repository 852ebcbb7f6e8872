#include "ui/services/LayoutFont.h"

#include <QGuiApplication>
#include <QWidget>

namespace {

QFont layoutFont(QFont font)
{
    font.setPixelSize(11);
    font.setStretch(QFont::SemiCondensed);
    return font;
}

} // namespace

void useLayoutFont(QWidget* window)
{
    window->setFont(layoutFont(window->font()));
}

// QApplication::setFont would also drop the fonts the desktop gives to
// menus, message boxes and tooltips; QGuiApplication's leaves them alone.
LayoutFontWhileMaking::LayoutFontWhileMaking() : m_desktopFont(QGuiApplication::font())
{
    QGuiApplication::setFont(layoutFont(m_desktopFont));
}

LayoutFontWhileMaking::~LayoutFontWhileMaking()
{
    QGuiApplication::setFont(m_desktopFont);
}
