// generate_directory: writes a synthetic radio amateur directory file in the
// same layout as the published list (Windows-1252, CR LF, ';' separated).
//
// Usage: generate_directory ENTRIES OUTPUT_FILE [SEED]

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "directory_generator.h"

namespace {

bool parseUnsigned(const char* text, std::uint64_t& value)
{
    if (text == nullptr || *text < '0' || *text > '9')
        return false;
    errno = 0;
    char* end = nullptr;
    unsigned long long v = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0')
        return false;
    value = v;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::uint64_t entries = 0;
    std::uint64_t seed = dravelin::tools::kDefaultSeed;
    if (argc < 3 || argc > 4 || !parseUnsigned(argv[1], entries) || (argc == 4 && !parseUnsigned(argv[3], seed))) {
        std::fprintf(stderr, "usage: %s ENTRIES OUTPUT_FILE [SEED]\n", argv[0]);
        return 2;
    }
    const char* path = argv[2];

    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "generate_directory: cannot open %s: %s\n", path, std::strerror(errno));
        return 1;
    }

    constexpr std::size_t kChunk = 1u << 22;
    std::string buffer;
    buffer.reserve(kChunk + 4096);
    bool ok = true;
    auto flush = [&]() {
        if (!buffer.empty() && std::fwrite(buffer.data(), 1, buffer.size(), file) != buffer.size())
            ok = false;
        buffer.clear();
    };

    dravelin::tools::appendRevisionLine(buffer);
    dravelin::tools::DirectoryGenerator gen(seed);
    for (std::uint64_t i = 0; i < entries && ok; ++i) {
        gen.appendEntry(buffer);
        if (buffer.size() >= kChunk)
            flush();
    }
    flush();
    if (std::fclose(file) != 0)
        ok = false;
    if (!ok) {
        std::fprintf(stderr, "generate_directory: write to %s failed\n", path);
        return 1;
    }
    return 0;
}
