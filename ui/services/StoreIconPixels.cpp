#include "ui/services/ProgramIcon.h"

#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

// Writes the C++ source of StoredIconImages (ProgramIconPixels.h): the window
// icon's sizes drawn by ProgramImage, pixel for pixel.
int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: store_icon_pixels FILE.cpp\n");
        return EXIT_FAILURE;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "store_icon_pixels: cannot write %s\n", argv[1]);
        return EXIT_FAILURE;
    }
    constexpr int Sizes[] = {16, 32, 48, 64};
    QTextStream out(&file);
    out << "// Written by store_icon_pixels from ProgramImage.\n"
           "#include \"ui/services/ProgramIconPixels.h\"\n\nnamespace {\n";
    for (const int size : Sizes) {
        const QImage image = programImage(size);
        out << "\nconst quint32 Pixels" << size << "[] = {";
        for (int y = 0; y < size; ++y) {
            const auto* row = reinterpret_cast<const quint32*>(image.constScanLine(y));
            out << "\n   ";
            for (int x = 0; x < size; ++x) {
                out << " 0x" << QString::number(row[x], 16).rightJustified(8, u'0') << ',';
            }
        }
        out << "\n};\n";
    }
    out << "\n} // namespace\n\nconst std::array<StoredIconImage, 4> StoredIconImages{{";
    for (const int size : Sizes) {
        out << "{" << size << ", Pixels" << size << "}, ";
    }
    out << "}};\n";
    out.flush();
    if (out.status() != QTextStream::Ok || !file.flush()) {
        std::fprintf(stderr, "store_icon_pixels: cannot write %s\n", argv[1]);
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
