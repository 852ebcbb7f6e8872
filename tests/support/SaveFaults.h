#pragma once

// The faults a save meets on a real disk, for the tests of every program
// that saves through the shared storage: each program's test runs the save
// of its own under each fault, in a child process, and the old campaign
// file must keep every byte, with no temporary left behind.

#include "tests/support/Files.h"

#include <QDir>

#include <csignal>
#include <cstdio>
#include <functional>
#include <sched.h>
#include <vector>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs Body in a child process, after Setup there: for a limit or an
// identity the test process itself must not take. True when Body held.
inline bool inChild(const std::function<void()>& setup, const std::function<bool()>& body)
{
    const pid_t child = fork();
    if (child == 0) {
        setup();
        _exit(body() ? 0 : 1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// As root every folder and file may be written, so the child becomes nobody.
inline void becomeNobody()
{
    (void)!(geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0));
}

inline void limitFileSize(rlim_t bytes)
{
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    setrlimit(RLIMIT_FSIZE, &limit);
}

// The folder PrepareFaultFolder made last.
inline QString faultFolder;

// Mounts a small file system on full, in a mount namespace of this child
// alone, holding a copy of old.cam and a filler that leaves no room. The save
// runs in a grandchild; this child then checks full/old.cam itself, since
// the file system goes away with it.
inline void onAFullFileSystem()
{
    const QString full = faultFolder + QStringLiteral("/full");
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tmpfs", QFile::encodeName(full).constData(), "tmpfs", 0, "size=64k") != 0) {
        std::fputs("Skipped the full file system: mounting one needs root.\n", stderr);
        _exit(0);
    }
    QFile::copy(faultFolder + QStringLiteral("/old.cam"), full + QStringLiteral("/old.cam"));
    writeFile(full + QStringLiteral("/filler"), QByteArray(65536, 'f'));
    const pid_t saver = fork();
    if (saver == 0) {
        return;
    }
    int status = -1;
    waitpid(saver, &status, 0);
    const bool whole = readFile(full + "/old.cam") == readFile(faultFolder + "/old.cam") &&
                       QDir(full).entryList(QDir::Files | QDir::Hidden).join(' ') == "filler old.cam";
    _exit(WIFEXITED(status) && WEXITSTATUS(status) == 0 && whole ? 0 : 1);
}

struct SaveFault {
    const char* name;
    // Where the save goes, and the campaign file that must keep its bytes,
    // both in the folder PrepareFaultFolder made.
    const char* target;
    const char* oldFile;
    std::function<void()> setup;
    // A part of the reason the failure must give, or nullptr.
    const char* reason;
};

// The folder the faults work on: old.cam, and locked/old.cam in a folder
// that nobody may write into, both holding Old; a folder named folder.cam;
// an empty folder full for a small file system.
inline void prepareFaultFolder(const QString& dir, const QByteArray& old)
{
    faultFolder = dir;
    for (const char* folder : {"locked", "folder.cam", "full"}) {
        QDir(dir).mkpath(QLatin1String(folder));
    }
    QFile::setPermissions(dir, QFile::permissions(dir) | QFile::ExeOther | QFile::ReadOther);
    for (const char* fileText : {"old.cam", "locked/old.cam"}) {
        writeFile(QDir(dir).filePath(QLatin1String(fileText)), old);
    }
    QFile::setPermissions(QDir(dir).filePath(QStringLiteral("locked")),
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
}

inline std::vector<SaveFault> saveFaults()
{
    return {
        {"no permission on the folder or the file", "locked/old.cam", "locked/old.cam", becomeNobody, nullptr},
        {"a folder chosen as the file", "folder.cam", "old.cam", [] {}, nullptr},
        {"a write that succeeds only in part", "old.cam", "old.cam", [] { limitFileSize(31943); },
         "only 31943 of 31944 bytes could be written"},
        {"a full file system", "full/old.cam", "old.cam", onAFullFileSystem, "No space left on device"},
    };
}
