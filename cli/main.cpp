#include "cli/Command.h"
#include "cli/Names.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication App(argc, argv);
    QFile In;
    QFile Out;
    QFile Err;
    if (!In.open(stdin, QIODevice::ReadOnly) || !Out.open(stdout, QIODevice::WriteOnly) ||
        !Err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return ExitStatus::Trouble;
    }
    CommandStreams Io{In, Out, Err};
    // Built from argv's bytes: QCoreApplication::arguments() would change a
    // file name that is not UTF-8.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << argumentFromBytes(argv[i]);
    }
    const int intStatus = runTool(arguments, Io);
    // A full disk or a closed pipe on standard output is trouble, not success.
    if (!Out.flush()) {
        Err.write("ironvale-cam: standard output could not be written\n");
        return ExitStatus::Trouble;
    }
    return intStatus;
}
