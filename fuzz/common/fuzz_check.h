#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace dravelin::fuzz {

// Prints what broke and aborts, which both libFuzzer and the corpus replay report as a finding.
[[noreturn]] inline void fail(const char* file, int line, const char* condition, std::string_view detail)
{
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, condition);
    if (!detail.empty()) {
        std::fprintf(stderr, "  detail (%zu bytes): ", detail.size());
        for (const char c : detail.substr(0, 200)) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x20 && byte < 0x7F)
                std::fputc(byte, stderr);
            else
                std::fprintf(stderr, "\\x%02X", byte);
        }
        std::fputc('\n', stderr);
    }
    std::abort();
}

} // namespace dravelin::fuzz

// Stays on in every build: the invariants are what the fuzzers are for.
#define FUZZ_CHECK(condition) FUZZ_CHECK_DETAIL(condition, std::string_view{})
#define FUZZ_CHECK_DETAIL(condition, detail)                                                                           \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            ::dravelin::fuzz::fail(__FILE__, __LINE__, #condition, (detail));                                          \
    } while (false)
