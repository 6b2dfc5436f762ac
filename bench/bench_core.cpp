// The core search once, as Enter runs it without the window, for timing from outside (the
// benchmark script runs it beside grep, awk and wc over the same file).
// Usage: bench_core FILE indicatif|nom|ville|departement QUERY [--reference|--scan-only] [--check]
//   --reference  the plain line-by-line search instead of the one the program uses
//   --scan-only  the program's scan alone: counts the lines without making or sorting them
//   --check      also prints a checksum of the found lines, in display order
// Prints the number of lines found.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "database/fast_search.h"
#include "database/search.h"

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_core FILE indicatif|nom|ville|departement QUERY [--reference] [--check]\n");
        return 2;
    }
    const std::map<std::string, dravelin::Criterion> criteria = {
        {"indicatif", dravelin::Criterion::Callsign},
        {"nom", dravelin::Criterion::Surname},
        {"ville", dravelin::Criterion::City},
        {"departement", dravelin::Criterion::Department},
    };
    const auto criterion = criteria.find(argv[2]);
    if (criterion == criteria.end()) {
        std::fprintf(stderr, "bench_core: unknown criterion %s\n", argv[2]);
        return 2;
    }
    bool reference = false;
    bool scanOnly = false;
    bool check = false;
    for (int i = 4; i < argc; ++i) {
        reference = reference || std::strcmp(argv[i], "--reference") == 0;
        scanOnly = scanOnly || std::strcmp(argv[i], "--scan-only") == 0;
        check = check || std::strcmp(argv[i], "--check") == 0;
    }

    const std::filesystem::path file = argv[1];
    const std::string query = argv[3];
    if (scanOnly) {
        std::ifstream stream(file, std::ios::binary);
        std::size_t count = 0;
        if (!stream || !dravelin::countStream(stream, criterion->second, query, count)) {
            std::fprintf(stderr, "bench_core: cannot read %s\n", argv[1]);
            return 1;
        }
        std::printf("%zu\n", count);
        return 0;
    }
    dravelin::ResultRows found;
    if (reference) {
        std::ifstream stream(file, std::ios::binary);
        if (!stream || !dravelin::searchStream(stream, criterion->second, query, found)) {
            std::fprintf(stderr, "bench_core: cannot read %s\n", argv[1]);
            return 1;
        }
        found.sortForDisplay();
    } else if (dravelin::searchDirectoryFile(file, criterion->second, query, found) != dravelin::FileProblem::None) {
        std::fprintf(stderr, "bench_core: cannot read %s\n", argv[1]);
        return 1;
    }

    std::printf("%zu\n", found.size());
    if (check) {
        // FNV-1a over every line and its end, in order.
        std::uint64_t hash = 14695981039346656037ULL;
        for (std::size_t i = 0; i < found.size(); ++i) {
            for (const char c : found.displayLine(i))
                hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
            hash = (hash ^ '\n') * 1099511628211ULL;
        }
        std::printf("%016llx\n", static_cast<unsigned long long>(hash));
    }
    return 0;
}
