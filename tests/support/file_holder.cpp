// file_holder FILE: opens FILE for reading as another copy of the program does during a
// search, writes "open" on its standard output, and keeps it open until a line or the end
// arrives on its standard input; then closes it and writes "closed".

#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: file_holder FILE\n";
        return 2;
    }
    std::ifstream held(argv[1], std::ios::binary);
    if (!held.is_open()) {
        std::cerr << "file_holder: the file cannot be opened\n";
        return 1;
    }
    std::cout << "open" << std::endl;
    std::string line;
    std::getline(std::cin, line);
    held.close();
    std::cout << "closed" << std::endl;
    return 0;
}
