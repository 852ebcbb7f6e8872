#include "cli/Command.h"
#include "storage/FileSystem.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    useBinaryStandardStreams();
    QFile in;
    QFile out;
    QFile err;
    if (!in.open(stdin, QIODevice::ReadOnly) || !out.open(stdout, QIODevice::WriteOnly) ||
        !err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return ExitStatus::Trouble;
    }
    CommandStreams io{in, out, err};
    const int status = runTool(programArguments(argc, argv), io);
    // A full disk or a closed pipe on standard output is trouble, not success.
    if (!out.flush()) {
        err.write("ironvale-cam: standard output could not be written\n");
        return ExitStatus::Trouble;
    }
    return status;
}
