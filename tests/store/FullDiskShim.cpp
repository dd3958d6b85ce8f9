// SPDX-License-Identifier: GPL-2.0-or-later
// A full disk without root: preloaded (LD_PRELOAD), it fails write, writev,
// pwrite, fsync, fdatasync and ftruncate with ENOSPC from the Nth such call
// on a file below a folder on, as a full file system does (it stays full).
// Set by TALON_FULL_DIR and TALON_FULL_AFTER (N, from 1) at start, or by
// talonFullDisk(dir, N) from a test that finds it with dlsym; N = 0 turns it
// off. Calls on other files (a terminal, a pipe, other folders) pass.
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

std::mutex settingsMutex;
std::string folder;
std::atomic<long> failFrom{0};
std::atomic<long> calls{0};
std::once_flag fromEnvironment;

void readEnvironment()
{
    std::lock_guard<std::mutex> lock(settingsMutex);
    if (const char *dir = std::getenv("TALON_FULL_DIR"))
        folder = dir;
    if (const char *after = std::getenv("TALON_FULL_AFTER"))
        failFrom = std::atol(after);
}

// Whether this call on fd fails.
bool full(int fd)
{
    std::call_once(fromEnvironment, readEnvironment);
    if (failFrom <= 0)
        return false;
    char link[64];
    char path[PATH_MAX];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, path, sizeof path - 1);
    if (n <= 0)
        return false;
    path[n] = '\0';
    {
        std::lock_guard<std::mutex> lock(settingsMutex);
        if (folder.empty() || std::strncmp(path, folder.c_str(), folder.size()) != 0)
            return false;
    }
    return ++calls >= failFrom;
}

template <typename F> F next(const char *name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) void talonFullDisk(const char *dir, long after)
{
    std::call_once(fromEnvironment, readEnvironment);
    std::lock_guard<std::mutex> lock(settingsMutex);
    folder = dir ? dir : "";
    failFrom = after;
    calls = 0;
}

// How many counted calls were made since the last talonFullDisk.
__attribute__((visibility("default"))) long talonFullDiskCalls()
{
    return calls;
}

ssize_t write(int fd, const void *buf, size_t count)
{
    static const auto real = next<ssize_t (*)(int, const void *, size_t)>("write");
    if (full(fd)) {
        errno = ENOSPC;
        return -1;
    }
    return real(fd, buf, count);
}

ssize_t writev(int fd, const struct iovec *iov, int n)
{
    static const auto real = next<ssize_t (*)(int, const struct iovec *, int)>("writev");
    if (full(fd)) {
        errno = ENOSPC;
        return -1;
    }
    return real(fd, iov, n);
}

ssize_t pwrite(int fd, const void *buf, size_t count, off_t offset)
{
    static const auto real = next<ssize_t (*)(int, const void *, size_t, off_t)>("pwrite");
    if (full(fd)) {
        errno = ENOSPC;
        return -1;
    }
    return real(fd, buf, count, offset);
}

ssize_t pwrite64(int fd, const void *buf, size_t count, off64_t offset)
{
    static const auto real = next<ssize_t (*)(int, const void *, size_t, off64_t)>("pwrite64");
    if (full(fd)) {
        errno = ENOSPC;
        return -1;
    }
    return real(fd, buf, count, offset);
}

int fsync(int fd)
{
    static const auto real = next<int (*)(int)>("fsync");
    if (full(fd)) {
        errno = ENOSPC;
        return -1;
    }
    return real(fd);
}

int fdatasync(int fd)
{
    static const auto real = next<int (*)(int)>("fdatasync");
    if (full(fd)) {
        errno = ENOSPC;
        return -1;
    }
    return real(fd);
}

int ftruncate(int fd, off_t length)
{
    static const auto real = next<int (*)(int, off_t)>("ftruncate");
    if (full(fd)) {
        errno = ENOSPC;
        return -1;
    }
    return real(fd, length);
}

int ftruncate64(int fd, off64_t length)
{
    static const auto real = next<int (*)(int, off64_t)>("ftruncate64");
    if (full(fd)) {
        errno = ENOSPC;
        return -1;
    }
    return real(fd, length);
}

} // extern "C"
