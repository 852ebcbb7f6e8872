#include "ui/services/ProgramIcon.h"

#include <cstdio>
#include <cstdlib>

// Renders the program's icon to a PNG file for installation.
int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_icon SIZE FILE.png\n");
        return EXIT_FAILURE;
    }
    const int size = std::atoi(argv[1]);
    if (size <= 0 || !programImage(size).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", argv[2]);
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
