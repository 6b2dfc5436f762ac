// Kills a process that keeps changing a large directory file, at random moments, and checks
// after every kill that the file is whole: byte for byte the file before the change under
// way, or the file after it. Then the next change must go through over whatever the killed
// process left behind (Temporaire.txt, the lock file).

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "database/directory_file.h"
#include "database/entry_operations.h"
#include "database/revision_line.h"
#include "splitmix64.h"
#include "support/file_faults.h"

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace dravelin {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32

long setting(const char* name, long fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::atol(value) : fallback;
}

std::string readAll(const fs::path& file)
{
    return test::readBytes(file);
}

// A program started with its standard output on a pipe and its error output in a file.
class Child {
public:
    Child(const std::vector<std::string>& arguments, const fs::path& errorFile)
    {
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        std::vector<char*> argv;
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeEnds[1]);
        output_ = pipeEnds[0];
    }
    ~Child()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            waitForEnd();
        }
        if (output_ >= 0)
            ::close(output_);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool started() const { return pid_ > 0; }

    // The next line of its output, without the line end; false at the end of the output.
    bool readLine(std::string& line)
    {
        line.clear();
        char c;
        for (;;) {
            const ssize_t got = ::read(output_, &c, 1);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false;
            if (c == '\n')
                return true;
            line += c;
        }
    }

    // The wait status once it has ended.
    int kill()
    {
        ::kill(pid_, SIGKILL);
        return waitForEnd();
    }
    int waitForEnd()
    {
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
        return status;
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
};

// Seeded, so that a failing run can be repeated.
using Rng = SplitMix64;
struct Status {
    std::string operation;
    std::string key;
    std::string before; // the copy holding the file before the change
    std::string after;  // and after it
};

bool readStatus(const fs::path& file, Status& status)
{
    std::ifstream stream(file, std::ios::binary);
    return static_cast<bool>(std::getline(stream, status.operation)) && std::getline(stream, status.key) &&
           std::getline(stream, status.before) && std::getline(stream, status.after);
}

struct Tally {
    long kills = 0;
    long wasBefore = 0;
    long wasAfter = 0;
    long scratchLeft = 0;
    long lockLeft = 0;
};

TEST(Crash, KilledAtRandomMomentsTheDirectoryFileIsAlwaysTheOldOrTheNewOne)
{
    const long entries = setting("DRAVELIN_CRASH_ENTRIES", 200000);
    const long kills = setting("DRAVELIN_CRASH_KILLS", 200);
    const auto seed = static_cast<std::uint64_t>(setting("DRAVELIN_CRASH_SEED", 20090811));
    std::cout << "entries " << entries << ", kills " << kills << ", seed " << seed << std::endl;
    Rng rng(seed);

    test::TemporaryFolder root;
    const fs::path program = root.path() / "programme";
    const fs::path work = root.path() / "travail";
    fs::create_directories(program);
    fs::create_directories(work);
    const fs::path directory = directoryFilePath(program);
    {
        Child generator({GENERATE_DIRECTORY, std::to_string(entries), directory.string()}, work / "generator.err");
        ASSERT_TRUE(generator.started());
        const int status = generator.waitForEnd();
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << readAll(work / "generator.err");
    }

    // The delay before a kill spans about one loop of the worker, measured on the first run.
    long spanMicroseconds = 0;
    Tally tally;
    for (long kill = 0; kill < kills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill + 1));
        const fs::path errors = work / "worker.err";
        const std::uint64_t workerSeed = rng.next() % 1000000000;
        Child worker({CRASH_WORKER, program.string(), work.string(), std::to_string(workerSeed)}, errors);
        ASSERT_TRUE(worker.started());
        std::string line;
        ASSERT_TRUE(worker.readLine(line)) << readAll(errors);
        if (spanMicroseconds == 0) {
            const auto first = std::chrono::steady_clock::now();
            constexpr int loops = 4;
            for (int i = 0; i < loops; ++i)
                ASSERT_TRUE(worker.readLine(line)) << readAll(errors);
            spanMicroseconds =
                std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - first)
                        .count() /
                    loops +
                1;
            std::cout << "one loop of the worker: " << spanMicroseconds / 1000 << " ms" << std::endl;
        } else {
            std::this_thread::sleep_for(
                std::chrono::microseconds(rng.next() % static_cast<std::uint64_t>(spanMicroseconds)));
        }
        const int ended = worker.kill();
        ASSERT_TRUE(WIFSIGNALED(ended) && WTERMSIG(ended) == SIGKILL)
            << "the worker stopped by itself: " << readAll(errors);
        ++tally.kills;

        Status status;
        ASSERT_TRUE(readStatus(work / "status", status));
        SCOPED_TRACE(status.operation + " " + status.key);
        ASSERT_TRUE(fs::exists(directory)) << "the directory file is missing";
        const std::string found = readAll(directory);
        const std::string before = readAll(directoryFilePath(work / status.before));
        const std::string after = readAll(directoryFilePath(work / status.after));
        ASSERT_FALSE(before.empty());
        ASSERT_FALSE(after.empty());
        if (found == before) {
            ++tally.wasBefore;
        } else {
            ASSERT_EQ(found.size(), after.size()) << "the directory file is neither the old one nor the new one";
            ASSERT_TRUE(found == after) << "the directory file is neither the old one nor the new one";
            ++tally.wasAfter;
        }

        // The next change goes through over what the kill left, and leaves nothing behind.
        const bool scratchLeft = fs::exists(scratchFilePath(program));
        const bool lockLeft = fs::exists(lockFilePath(program));
        tally.scratchLeft += scratchLeft;
        tally.lockLeft += lockLeft;
        if (scratchLeft || lockLeft) {
            const std::string first = found.substr(0, found.find("\r\n"));
            const std::string raised = makeRevisionLine((revisionNumber(first) + 1) % 1000, "08/12/2026");
            ASSERT_EQ(replaceRevisionLine(program, raised).problem, WriteProblem::None);
            const std::string now = readAll(directory);
            EXPECT_EQ(now.substr(0, now.find("\r\n")), raised);
            EXPECT_EQ(now.size(), found.size() - first.size() + raised.size());
            EXPECT_FALSE(fs::exists(scratchFilePath(program)));
            EXPECT_FALSE(fs::exists(lockFilePath(program)));
        }
    }
    std::cout << "kills " << tally.kills << ": the old file " << tally.wasBefore << " times, the new one "
              << tally.wasAfter << " times; Temporaire.txt left " << tally.scratchLeft << " times, the lock file "
              << tally.lockLeft << " times" << std::endl;
    EXPECT_EQ(tally.kills, kills);
}

#else

TEST(Crash, KilledAtRandomMomentsTheDirectoryFileIsAlwaysTheOldOrTheNewOne)
{
    GTEST_SKIP() << "the crash test kills its worker with SIGKILL, a POSIX signal";
}

#endif

} // namespace
} // namespace dravelin
