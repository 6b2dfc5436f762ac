// The search over a directory file, as Enter runs it without the window: reading, cutting,
// matching, keeping the found rows and sorting them.
// Usage: bench_search DIRECTORY_FILE [--benchmark_* flags]
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "database/search.h"

namespace {

std::filesystem::path gDirectoryFile;

void searchFile(benchmark::State& state, dravelin::Criterion criterion, const std::string& query)
{
    std::size_t found = 0;
    for (auto _ : state) {
        dravelin::ResultRows lines;
        if (dravelin::searchDirectoryFile(gDirectoryFile, criterion, query, lines) != dravelin::FileProblem::None) {
            state.SkipWithError("directory file not readable");
            return;
        }
        found = lines.size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["found"] = static_cast<double>(found);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::filesystem::file_size(gDirectoryFile)));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: bench_search DIRECTORY_FILE [benchmark flags]\n");
        return 2;
    }
    gDirectoryFile = argv[1];
    benchmark::RegisterBenchmark("city PARIS", searchFile, dravelin::Criterion::City, std::string("PARIS"))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("department 00", searchFile, dravelin::Criterion::Department, std::string("00"))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("department 75", searchFile, dravelin::Criterion::Department, std::string("75"))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("surname MARTIN", searchFile, dravelin::Criterion::Surname, std::string("MARTIN"))
        ->Unit(benchmark::kMillisecond);
    argv[1] = argv[0];
    --argc;
    ++argv;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
