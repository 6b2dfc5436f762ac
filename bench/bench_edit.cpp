// One rewrite of the directory file as the editing window makes it, for timing from outside
// (the benchmark script runs it beside cp of the same file).
// Usage: bench_edit FOLDER delete KEY | bench_edit FOLDER bump
//   delete  drops the lines of the callsign KEY, through Temporaire.txt
//   bump    raises the revision line, through Temporaire.txt
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "database/entry_operations.h"
#include "database/revision_line.h"

int main(int argc, char** argv)
{
    if (argc < 3 || (std::strcmp(argv[2], "delete") == 0 && argc < 4)) {
        std::fprintf(stderr, "usage: bench_edit FOLDER delete KEY | bench_edit FOLDER bump\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    dravelin::RewriteResult result;
    if (std::strcmp(argv[2], "delete") == 0) {
        result = dravelin::deleteEntry(folder, argv[3]);
    } else {
        const dravelin::FirstLine first = dravelin::readRevisionLine(dravelin::directoryFilePath(folder));
        const auto raised = dravelin::raisedRevisionLine(first.text, "07/12/2026");
        if (first.problem != dravelin::FileProblem::None || !raised) {
            std::fprintf(stderr, "bench_edit: no revision to raise in %s\n", argv[1]);
            return 1;
        }
        result = dravelin::replaceRevisionLine(folder, *raised);
    }
    if (result.problem != dravelin::WriteProblem::None) {
        std::fprintf(stderr, "bench_edit: the rewrite failed (%d)\n", static_cast<int>(result.problem));
        return 1;
    }
    std::printf("%zu\n", result.changedLines);
    return 0;
}
