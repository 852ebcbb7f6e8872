#include "ui/services/LayoutFont.h"

#include <QWidget>

void UseLayoutFont(QWidget* pWindow)
{
    QFont Font = pWindow->font();
    Font.setPixelSize(11);
    Font.setStretch(QFont::SemiCondensed);
    pWindow->setFont(Font);
}
