#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace dravelin::test {

// Another program started by a test, as another copy of the program or a user's script would
// start it: its standard input is a pipe, its standard output a pipe or a file, its error
// output a file or the test's own. Arguments are bytes passed as they are; on Windows they
// are UTF-8 text, handed to the program as UTF-16.
class ChildProcess {
public:
    // An empty `outputFile` puts the standard output on a pipe (readLine); an empty
    // `errorFile` leaves the error output on the test's own.
    ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                 const std::filesystem::path& outputFile = {}, const std::filesystem::path& errorFile = {});
    // Kills a program still running (a test that failed half-way), rather than wait for it.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const;
    // Why the program could not be started, in the system's words; empty once started.
    const std::string& startError() const;
    // The next line of the output pipe without its line end (LF, or the CR LF that the text
    // mode of a Windows program writes); what is left when the pipe ends.
    std::string readLine();
    // Closes the standard input: the program reads the end of its input.
    void closeInput();
    // Waits for the end, with the input closed first. The exit status; 128 plus the signal
    // number for a program killed by a signal.
    int wait();
    // Ends the program at once, as a crash or the task manager would, and waits for it.
    void kill();

private:
#ifdef _WIN32
    void* process_ = nullptr;
    void* input_ = nullptr;
    void* output_ = nullptr;
#else
    int pid_ = -1;
    int input_ = -1;
    int output_ = -1;
#endif
    int status_ = -1;
    bool ended_ = false;
    std::string startError_;
};

// Runs a program to its end with both outputs in files, and gives what it left.
struct Finished {
    int status = -1;
    std::string out;
    std::string err;
};
Finished runToEnd(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                  const std::filesystem::path& scratchFolder);

} // namespace dravelin::test
