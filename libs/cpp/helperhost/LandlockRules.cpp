#include "LandlockRules.h"

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// As Linux's <linux/landlock.h> has them, which Debian 12's headers have
// only in part.
constexpr long createRuleset = 444;
constexpr long addRule = 445;
constexpr long restrictSelf = 446;
constexpr unsigned int rulesetVersion = 1;
constexpr int pathBeneath = 1;

constexpr quint64 readFile = 1ull << 2;
constexpr quint64 readFolder = 1ull << 3;
// Every access to files of ABI 1; ABI 2 adds linking across folders, 3
// truncating, 5 the ioctls of devices.
constexpr quint64 filesOfAbi1 = (1ull << 13) - 1;
constexpr quint64 refer = 1ull << 13;
constexpr quint64 truncate = 1ull << 14;
constexpr quint64 deviceIoctls = 1ull << 15;
// ABI 4: binding and connecting TCP ports.
constexpr quint64 tcp = 3;
// ABI 6: abstract sockets and signals outside the restriction.
constexpr quint64 abstractSockets = 1ull << 0;
constexpr quint64 signals = 1ull << 1;

struct Ruleset
{
    quint64 files;
    quint64 network;
    quint64 scoped;
};

struct [[gnu::packed]] PathBeneath
{
    quint64 allowed;
    qint32 parent;
};

quint64 filesOf(int abi)
{
    return filesOfAbi1 | (abi >= 2 ? refer : 0) | (abi >= 3 ? truncate : 0)
        | (abi >= 5 ? deviceIoctls : 0);
}

// Reading the path: a folder and what it holds, or a file.
bool allowReading(int ruleset, const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_PATH | O_CLOEXEC);
    struct stat file;
    if (fd < 0 || ::fstat(fd, &file) != 0) {
        if (fd >= 0)
            ::close(fd);
        // What is not there is not read.
        return true;
    }
    const PathBeneath rule {S_ISDIR(file.st_mode) ? readFile | readFolder : readFile, fd};
    const bool added = ::syscall(addRule, ruleset, pathBeneath, &rule, 0) == 0;
    ::close(fd);
    return added;
}

} // namespace

int LandlockRules::abi()
{
    const long version = ::syscall(createRuleset, nullptr, 0, rulesetVersion);
    return version > 0 ? int(version) : 0;
}

bool LandlockRules::restrictTo(const QList<QByteArray>& readable)
{
    const int version = abi();
    if (version == 0)
        return true;
    const Ruleset handled {
        filesOf(version), version >= 4 ? tcp : 0, version >= 6 ? abstractSockets | signals : 0};
    const size_t size = version >= 6 ? sizeof(Ruleset)
        : version >= 4               ? 2 * sizeof(quint64)
                                     : sizeof(quint64);
    const int ruleset = int(::syscall(createRuleset, &handled, size, 0));
    if (ruleset < 0)
        return false;
    bool added = true;
    for (const QByteArray& path : readable)
        added = added && allowReading(ruleset, path);
    const bool restricted = added && ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0
        && ::syscall(restrictSelf, ruleset, 0) == 0;
    ::close(ruleset);
    return restricted;
}
