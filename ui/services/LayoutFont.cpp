#include "ui/services/LayoutFont.h"

#include <QGuiApplication>
#include <QWidget>

namespace {

QFont LayoutFont(QFont Font)
{
    Font.setPixelSize(11);
    Font.setStretch(QFont::SemiCondensed);
    return Font;
}

} // namespace

void UseLayoutFont(QWidget* pWindow)
{
    pWindow->setFont(LayoutFont(pWindow->font()));
}

// QApplication::setFont would also drop the fonts the desktop gives to
// menus, message boxes and tooltips; QGuiApplication's leaves them alone.
LayoutFontWhileMaking::LayoutFontWhileMaking() : m_DesktopFont(QGuiApplication::font())
{
    QGuiApplication::setFont(LayoutFont(m_DesktopFont));
}

LayoutFontWhileMaking::~LayoutFontWhileMaking()
{
    QGuiApplication::setFont(m_DesktopFont);
}
