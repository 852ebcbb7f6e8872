#include "ui/services/LayoutFont.h"

#include <QGuiApplication>
#include <QWidget>

namespace {

QFont layoutFont(QFont Font)
{
    Font.setPixelSize(11);
    Font.setStretch(QFont::SemiCondensed);
    return Font;
}

} // namespace

void useLayoutFont(QWidget* pWindow)
{
    pWindow->setFont(layoutFont(pWindow->font()));
}

// QApplication::setFont would also drop the fonts the desktop gives to
// menus, message boxes and tooltips; QGuiApplication's leaves them alone.
LayoutFontWhileMaking::LayoutFontWhileMaking() : m_DesktopFont(QGuiApplication::font())
{
    QGuiApplication::setFont(layoutFont(m_DesktopFont));
}

LayoutFontWhileMaking::~LayoutFontWhileMaking()
{
    QGuiApplication::setFont(m_DesktopFont);
}
