#pragma once

#include <QIcon>
#include <QPixmap>

// The program's icon: a blue shield with a golden keep, drawn at any size
// (32 by 32 is the size the windows show).
[[nodiscard]] QPixmap ProgramPixmap(int intSize = 32);
[[nodiscard]] QIcon ProgramIcon();
