#include "platform/executable_folder.h"

#include <cstdlib>
#include <string>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#elif defined(__linux__)
#include <unistd.h>
#endif

namespace dravelin {

std::filesystem::path executableFolder()
{
#ifdef _WIN32
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return {};
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
#elif defined(__linux__)
    std::string name(4096, '\0');
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", name.data(), name.size());
        if (length <= 0)
            return {};
        if (static_cast<std::size_t>(length) < name.size()) {
            name.resize(static_cast<std::size_t>(length));
            return std::filesystem::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
#else
    return {};
#endif
}

UserEnvironment userEnvironment()
{
    UserEnvironment environment;
#ifdef _WIN32
    environment.windows = true;
    if (const wchar_t* appData = _wgetenv(L"APPDATA"))
        environment.appData = appData;
#else
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"))
        environment.xdgDataHome = dataHome;
    if (const char* home = std::getenv("HOME"))
        environment.home = home;
#endif
    return environment;
}

} // namespace dravelin
