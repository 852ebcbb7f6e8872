#include "cli/Command.h"
#include "cli/Names.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QFile in;
    QFile out;
    QFile err;
    if (!in.open(stdin, QIODevice::ReadOnly) || !out.open(stdout, QIODevice::WriteOnly) ||
        !err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return ExitStatus::Trouble;
    }
    CommandStreams io{in, out, err};
    // Built from argv's bytes: QCoreApplication::arguments() would change a
    // file name that is not UTF-8.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << argumentFromBytes(argv[i]);
    }
    const int status = runTool(arguments, io);
    // A full disk or a closed pipe on standard output is trouble, not success.
    if (!out.flush()) {
        err.write("ironvale-cam: standard output could not be written\n");
        return ExitStatus::Trouble;
    }
    return status;
}
