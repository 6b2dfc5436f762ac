// directory_writer FOLDER CHANGE: makes one change of the directory in FOLDER as the editing
// window would (append, delete, modify, bump: the same changes as the write lock tests), and
// writes the number of the WriteProblem it met on its standard output. Run as another user.

#include <cstring>
#include <iostream>

#include "database/append.h"
#include "database/entry_operations.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: directory_writer FOLDER append|delete|modify|bump\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const char* change = argv[2];
    dravelin::WriteProblem problem;
    if (std::strcmp(change, "append") == 0)
        problem = dravelin::appendRecordLine(folder, "F1NEW;NOUVEAU;Jean;1 rue B;LYON;69001");
    else if (std::strcmp(change, "delete") == 0)
        problem = dravelin::deleteEntry(folder, "F1ABC").problem;
    else if (std::strcmp(change, "modify") == 0)
        problem = dravelin::replaceEntry(folder, "F1ABC", "F1ABC;DUPONT;Jean;1 rue B;LYON;69001").problem;
    else if (std::strcmp(change, "bump") == 0)
        problem = dravelin::replaceRevisionLine(folder, "Base Rev 256  du 07/12/2026").problem;
    else
        return 2;
    std::cout << static_cast<int>(problem) << std::endl;
    return 0;
}
