// rewrite_once FOLDER: raises the revision line of the directory file in FOLDER through the
// program's own rewrite and system file layer, once. Exits 0 when the rewrite succeeded.

#include <iostream>

#include "database/entry_operations.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: rewrite_once FOLDER\n";
        return 2;
    }
    const dravelin::RewriteResult result = dravelin::replaceRevisionLine(argv[1], "Base Rev 256  du 07/12/2026");
    return result.problem == dravelin::WriteProblem::None ? 0 : 1;
}
