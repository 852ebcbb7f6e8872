#pragma once

#include <QtGlobal>

#include <array>

// The window icon's sizes as ProgramImage draws them, stored by the build
// (StoreIconPixels.cpp), so that no window pays for drawing them at start.
struct StoredIconImage {
    int size;
    // Size * Size premultiplied ARGB values, row by row.
    const quint32* pixels;
};

extern const std::array<StoredIconImage, 4> StoredIconImages;
