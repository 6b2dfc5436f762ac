#include "cli/standard_streams.h"

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace dravelin::cli {

void useBinaryOutput()
{
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

bool writeOutput(std::string_view bytes)
{
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
}

bool finishOutput()
{
    const bool flushed = std::fflush(stdout) == 0 && !std::ferror(stdout);
    const bool closed = std::fclose(stdout) == 0;
    return flushed && closed;
}

namespace {

// One line of UTF-8 text: as it is, or as UTF-16 to a Windows console.
bool printLine(std::FILE* stream, std::string_view utf8)
{
    const std::string line = std::string(utf8) + "\n";
#ifdef _WIN32
    const HANDLE console = GetStdHandle(stream == stdout ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (console != INVALID_HANDLE_VALUE && GetConsoleMode(console, &mode)) {
        const int size = MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(size), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), wide.data(), size);
        DWORD written = 0;
        return WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != 0;
    }
#endif
    const bool written = std::fwrite(line.data(), 1, line.size(), stream) == line.size();
    return std::fflush(stream) == 0 && written;
}

} // namespace

void printMessage(std::string_view utf8)
{
    printLine(stderr, utf8);
}

bool printResult(std::string_view utf8)
{
    return printLine(stdout, utf8);
}

} // namespace dravelin::cli
