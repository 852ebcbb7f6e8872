#include "cli/Command.h"

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
    const int intStatus = RunTool(QCoreApplication::arguments(), Io);
    // A full disk or a closed pipe on standard output is trouble, not success.
    if (!Out.flush()) {
        Err.write("ironvale-cam: standard output could not be written\n");
        return ExitStatus::Trouble;
    }
    return intStatus;
}
