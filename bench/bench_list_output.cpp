// Building the saved forms of a long result list: the whole directory (department 00)
// turned into the bytes of the text file and of the CSV file.
// Usage: bench_list_output DIRECTORY_FILE [--benchmark_* flags]
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "database/list_output.h"
#include "database/search.h"

namespace {

dravelin::ResultRows gRows;

void buildOutput(benchmark::State& state, dravelin::LineConverter convert)
{
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string out = dravelin::listOutput(gRows, convert);
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["lines"] = static_cast<double>(gRows.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: bench_list_output DIRECTORY_FILE [benchmark flags]\n");
        return 2;
    }
    if (dravelin::searchDirectoryFile(argv[1], dravelin::Criterion::Department, "00", gRows) !=
        dravelin::FileProblem::None) {
        std::fprintf(stderr, "directory file not readable: %s\n", argv[1]);
        return 1;
    }
    benchmark::RegisterBenchmark("text form", buildOutput, dravelin::appendTextLine)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("CSV form", buildOutput, dravelin::appendCsvLine)->Unit(benchmark::kMillisecond);
    argv[1] = argv[0];
    --argc;
    ++argv;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
