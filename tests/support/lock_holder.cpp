// lock_holder FOLDER: takes the write lock of the directory in FOLDER as another copy of the
// program would, writes "locked" on its standard output, and holds the lock until its standard
// input closes or it is killed.

#include <iostream>
#include <limits>
#include <memory>

#include "database/directory_file.h"
#include "database/file_layer.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: lock_holder FOLDER\n";
        return 2;
    }
    dravelin::FileLayer& files = dravelin::systemFileLayer();
    std::unique_ptr<dravelin::FileLock> lock;
    for (;;) {
        const dravelin::LockAttempt attempt = files.tryLock(dravelin::lockFilePath(argv[1]), lock);
        if (attempt == dravelin::LockAttempt::Taken)
            break;
        if (attempt == dravelin::LockAttempt::Failed) {
            std::cerr << "lock_holder: the lock cannot be taken\n";
            return 1;
        }
        files.waitBeforeRetry();
    }
    std::cout << "locked" << std::endl;
    std::cin.ignore(std::numeric_limits<std::streamsize>::max());
    return 0;
}
