// Loaded with LD_PRELOAD into a program that changes the directory file: appends a line for
// every flush to disk and every rename to the file named by DRAVELIN_SYNC_LOG, in the order
// the program asks for them, then passes the call on to the system. A flush names the file or
// folder it concerns, as the system sees it ("fsync\t/tmp/x/Temporaire.txt"); a rename names
// both paths as the program gave them. Tabs part the words, since paths may hold spaces. Linux only: it reads
// descriptors' paths from /proc.

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

template <typename Function>
Function next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

std::string pathOf(int descriptor)
{
    const std::string link = "/proc/self/fd/" + std::to_string(descriptor);
    char target[PATH_MAX];
    const ssize_t length = ::readlink(link.c_str(), target, sizeof target);
    return length > 0 ? std::string(target, static_cast<std::size_t>(length)) : "?";
}

// One write per line, with O_APPEND, so that the lines of several threads never mix.
void record(const std::string& line)
{
    const char* log = std::getenv("DRAVELIN_SYNC_LOG");
    if (!log)
        return;
    const int saved = errno;
    const int descriptor = ::open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor >= 0) {
        const std::string text = line + "\n";
        if (::write(descriptor, text.data(), text.size()) < 0) {
            // Nothing to do: the test finds the line missing.
        }
        ::close(descriptor);
    }
    errno = saved;
}

std::string relativeTo(int folder, const char* path)
{
    if (path[0] == '/' || folder == AT_FDCWD)
        return path;
    return pathOf(folder) + "/" + path;
}

} // namespace

extern "C" {

int fsync(int descriptor)
{
    record("fsync\t" + pathOf(descriptor));
    return next<int (*)(int)>("fsync")(descriptor);
}

int fdatasync(int descriptor)
{
    record("fdatasync\t" + pathOf(descriptor));
    return next<int (*)(int)>("fdatasync")(descriptor);
}

int rename(const char* from, const char* to)
{
    record(std::string("rename\t") + from + "\t" + to);
    return next<int (*)(const char*, const char*)>("rename")(from, to);
}

int renameat(int fromFolder, const char* from, int toFolder, const char* to)
{
    record("rename\t" + relativeTo(fromFolder, from) + "\t" + relativeTo(toFolder, to));
    return next<int (*)(int, const char*, int, const char*)>("renameat")(fromFolder, from, toFolder, to);
}

int renameat2(int fromFolder, const char* from, int toFolder, const char* to, unsigned int flags)
{
    record("rename\t" + relativeTo(fromFolder, from) + "\t" + relativeTo(toFolder, to));
    return next<int (*)(int, const char*, int, const char*, unsigned int)>("renameat2")(fromFolder, from, toFolder, to,
                                                                                        flags);
}

} // extern "C"
