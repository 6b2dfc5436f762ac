#include "support/child_process.h"

#include "support/file_faults.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace dravelin::test {

#ifdef _WIN32

namespace {

std::wstring wide(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), size);
    return text;
}

// One argument quoted so that the program's start-up code gives it back unchanged:
// backslashes count only before a quote.
void appendQuoted(std::wstring& line, const std::wstring& argument)
{
    line += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

std::string systemMessage(const char* call, DWORD error)
{
    char text[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, sizeof text,
                   nullptr);
    return std::string(call) + " failed, error " + std::to_string(error) + ": " + text;
}

HANDLE inheritableFile(const std::filesystem::path& file)
{
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

ChildProcess::ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                           const std::filesystem::path& outputFile, const std::filesystem::path& errorFile)
{
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE childInput = nullptr;
    HANDLE parentInput = nullptr;
    if (!CreatePipe(&childInput, &parentInput, &inherit, 0)) {
        startError_ = systemMessage("CreatePipe", GetLastError());
        return;
    }
    SetHandleInformation(parentInput, HANDLE_FLAG_INHERIT, 0);
    HANDLE childOutput = nullptr;
    HANDLE parentOutput = nullptr;
    if (outputFile.empty()) {
        CreatePipe(&parentOutput, &childOutput, &inherit, 0);
        SetHandleInformation(parentOutput, HANDLE_FLAG_INHERIT, 0);
    } else {
        childOutput = inheritableFile(outputFile);
    }
    HANDLE childError = errorFile.empty() ? GetStdHandle(STD_ERROR_HANDLE) : inheritableFile(errorFile);

    std::wstring line;
    appendQuoted(line, program.wstring());
    for (const std::string& argument : arguments) {
        line += L' ';
        appendQuoted(line, wide(argument));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput;
    startup.hStdOutput = childOutput;
    startup.hStdError = childError;
    PROCESS_INFORMATION information{};
    if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &information)) {
        CloseHandle(information.hThread);
        process_ = information.hProcess;
        input_ = parentInput;
        output_ = parentOutput;
    } else {
        startError_ = systemMessage("CreateProcess", GetLastError());
        CloseHandle(parentInput);
        if (parentOutput)
            CloseHandle(parentOutput);
    }
    CloseHandle(childInput);
    CloseHandle(childOutput);
    if (!errorFile.empty())
        CloseHandle(childError);
}

ChildProcess::~ChildProcess()
{
    kill();
    if (output_)
        CloseHandle(output_);
}

bool ChildProcess::started() const
{
    return process_ != nullptr;
}

const std::string& ChildProcess::startError() const
{
    return startError_;
}

std::string ChildProcess::readLine()
{
    std::string line;
    char c = 0;
    DWORD read = 0;
    while (output_ && ReadFile(output_, &c, 1, &read, nullptr) && read == 1) {
        if (c == '\n')
            break;
        line += c;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

void ChildProcess::closeInput()
{
    if (input_) {
        CloseHandle(input_);
        input_ = nullptr;
    }
}

int ChildProcess::wait()
{
    closeInput();
    if (!ended_ && process_) {
        WaitForSingleObject(process_, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process_, &code);
        status_ = static_cast<int>(code);
        CloseHandle(process_);
        process_ = nullptr;
        ended_ = true;
    }
    return status_;
}

void ChildProcess::kill()
{
    if (process_ && !ended_)
        TerminateProcess(process_, 137);
    wait();
}

#else

ChildProcess::ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                           const std::filesystem::path& outputFile, const std::filesystem::path& errorFile)
{
    int inputPipe[2];
    int outputPipe[2] = {-1, -1};
    if (::pipe2(inputPipe, O_CLOEXEC) != 0) {
        startError_ = std::string("pipe: ") + std::strerror(errno);
        return;
    }
    if (outputFile.empty() && ::pipe2(outputPipe, O_CLOEXEC) != 0) {
        startError_ = std::string("pipe: ") + std::strerror(errno);
        ::close(inputPipe[0]);
        ::close(inputPipe[1]);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, inputPipe[0], 0);
    if (outputFile.empty())
        posix_spawn_file_actions_adddup2(&actions, outputPipe[1], 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!errorFile.empty())
        posix_spawn_file_actions_addopen(&actions, 2, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

    std::vector<std::string> words{program.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (const int error = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ); error == 0)
        pid_ = pid;
    else
        startError_ = std::string("posix_spawn: ") + std::strerror(error);
    posix_spawn_file_actions_destroy(&actions);

    ::close(inputPipe[0]);
    input_ = inputPipe[1];
    if (outputFile.empty()) {
        ::close(outputPipe[1]);
        output_ = outputPipe[0];
    }
    if (pid_ < 0)
        closeInput();
}

ChildProcess::~ChildProcess()
{
    kill();
    if (output_ >= 0)
        ::close(output_);
}

bool ChildProcess::started() const
{
    return pid_ > 0;
}

const std::string& ChildProcess::startError() const
{
    return startError_;
}

std::string ChildProcess::readLine()
{
    std::string line;
    char c = 0;
    for (;;) {
        const ssize_t read = output_ < 0 ? 0 : ::read(output_, &c, 1);
        if (read < 0 && errno == EINTR)
            continue;
        if (read != 1 || c == '\n')
            break;
        line += c;
    }
    return line;
}

void ChildProcess::closeInput()
{
    if (input_ >= 0) {
        ::close(input_);
        input_ = -1;
    }
}

int ChildProcess::wait()
{
    closeInput();
    if (!ended_ && pid_ > 0) {
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        ended_ = true;
    }
    return status_;
}

void ChildProcess::kill()
{
    if (pid_ > 0 && !ended_)
        ::kill(pid_, SIGKILL);
    wait();
}

#endif

Finished runToEnd(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                  const std::filesystem::path& scratchFolder)
{
    const std::filesystem::path outputFile = scratchFolder / "standard-output";
    const std::filesystem::path errorFile = scratchFolder / "error-output";
    Finished finished;
    std::string startError;
    {
        ChildProcess child(program, arguments, outputFile, errorFile);
        finished.status = child.wait();
        startError = child.startError();
    }
    finished.out = readBytes(outputFile);
    finished.err = startError.empty() ? readBytes(errorFile) : startError;
    std::error_code ignored;
    std::filesystem::remove(outputFile, ignored);
    std::filesystem::remove(errorFile, ignored);
    return finished;
}

} // namespace dravelin::test
