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
    QFile File(QString::fromLocal8Bit(argv[1]));
    if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "store_icon_pixels: cannot write %s\n", argv[1]);
        return EXIT_FAILURE;
    }
    constexpr int intSizes[] = {16, 32, 48, 64};
    QTextStream Out(&File);
    Out << "// Written by store_icon_pixels from ProgramImage.\n"
           "#include \"ui/services/ProgramIconPixels.h\"\n\nnamespace {\n";
    for (const int intSize : intSizes) {
        const QImage Image = programImage(intSize);
        Out << "\nconst quint32 Pixels" << intSize << "[] = {";
        for (int intY = 0; intY < intSize; ++intY) {
            const auto* row = reinterpret_cast<const quint32*>(Image.constScanLine(intY));
            Out << "\n   ";
            for (int intX = 0; intX < intSize; ++intX) {
                Out << " 0x" << QString::number(row[intX], 16).rightJustified(8, u'0') << ',';
            }
        }
        Out << "\n};\n";
    }
    Out << "\n} // namespace\n\nconst std::array<StoredIconImage, 4> StoredIconImages{{";
    for (const int intSize : intSizes) {
        Out << "{" << intSize << ", Pixels" << intSize << "}, ";
    }
    Out << "}};\n";
    Out.flush();
    if (Out.status() != QTextStream::Ok || !File.flush()) {
        std::fprintf(stderr, "store_icon_pixels: cannot write %s\n", argv[1]);
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
