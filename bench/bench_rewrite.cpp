// The editing window's work on a directory file, without the window: the modifying save and
// the revision bump (a whole rewrite through Temporaire.txt, flushed to disk and renamed),
// the append of one entry and the expert lookup.
// Usage: bench_rewrite DIRECTORY_FILE [--benchmark_* flags]
// The file is copied into a folder of its own first; the original is never written.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "database/append.h"
#include "database/directory_file.h"
#include "database/entry_operations.h"
#include "database/expert_lookup.h"
#include "database/line_reader.h"
#include "database/record.h"

namespace {

std::filesystem::path gFolder;
std::string gLastLine; // the last record line of the file
std::string gKey;      // its callsign field

void addFileSize(benchmark::State& state)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::filesystem::file_size(dravelin::directoryFilePath(gFolder))));
}

void modifyingSave(benchmark::State& state)
{
    for (auto _ : state) {
        const auto result = dravelin::replaceEntry(gFolder, gKey, gLastLine);
        if (result.problem != dravelin::WriteProblem::None || result.changedLines == 0) {
            state.SkipWithError("rewrite failed");
            return;
        }
    }
    addFileSize(state);
}

void revisionBump(benchmark::State& state)
{
    for (auto _ : state) {
        if (dravelin::replaceRevisionLine(gFolder, "Base Rev 256  du 07/12/2026").problem !=
            dravelin::WriteProblem::None) {
            state.SkipWithError("rewrite failed");
            return;
        }
    }
    addFileSize(state);
}

void appendEntry(benchmark::State& state)
{
    for (auto _ : state) {
        if (dravelin::appendRecordLine(gFolder, "F0BENCH;BENCH;Marc;1 rue A;PARIS;75001") !=
            dravelin::WriteProblem::None) {
            state.SkipWithError("append failed");
            return;
        }
    }
}

void expertLookup(benchmark::State& state)
{
    for (auto _ : state) {
        const auto found = dravelin::lookUpEntry(dravelin::directoryFilePath(gFolder), gKey);
        if (found.problem != dravelin::FileProblem::None || !found.entry) {
            state.SkipWithError("entry not found");
            return;
        }
        benchmark::DoNotOptimize(found);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: bench_rewrite DIRECTORY_FILE [benchmark flags]\n");
        return 2;
    }
    gFolder = std::filesystem::temp_directory_path() / "dravelin-bench-rewrite";
    std::filesystem::create_directories(gFolder);
    std::filesystem::copy_file(argv[1], dravelin::directoryFilePath(gFolder),
                               std::filesystem::copy_options::overwrite_existing);
    {
        std::ifstream input(dravelin::directoryFilePath(gFolder), std::ios::binary);
        dravelin::LineReader reader(input);
        std::string_view line;
        while (reader.next(line))
            if (dravelin::splitRecordLine(line) && dravelin::firstField(line))
                gLastLine.assign(line);
    }
    gKey = std::string(*dravelin::firstField(gLastLine));

    benchmark::RegisterBenchmark("expert lookup (last entry)", expertLookup)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("modifying save (rewrite)", modifyingSave)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("revision bump (rewrite)", revisionBump)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("append one entry", appendEntry)->Unit(benchmark::kMillisecond);
    argv[1] = argv[0];
    --argc;
    ++argv;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(gFolder);
    return 0;
}
