#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

// The program's icon: a blue shield with a golden keep, drawn at any size
// (32 by 32 is the size the windows show).
// ProgramImage needs no running application, so the build can render the
// installed icon.
[[nodiscard]] QImage programImage(int size);
[[nodiscard]] QPixmap programPixmap(int size = 32);
// The windows' icon: the sizes 16 to 64 as ProgramImage draws them, stored by
// the build; made once per application and shared by all windows.
[[nodiscard]] QIcon programIcon();
