// program_folder_probe: prints the program folder that the desktop platform finds, as the
// bytes of its name, then a line end. The platform test runs copies of it from folders with
// names Qt cannot decode.
#include <QCoreApplication>
#include <cstdio>
#include <string>

#include "platform/qt_platform.h"

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const std::string folder = dravelin::QtPlatform().programFolder().u8string() + "\n";
    return std::fwrite(folder.data(), 1, folder.size(), stdout) == folder.size() ? 0 : 1;
}
