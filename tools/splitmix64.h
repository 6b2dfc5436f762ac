#pragma once

#include <cstdint>

namespace dravelin {

// splitmix64: tiny, fast, and the same sequence on every system and compiler, so that a
// generated directory or a seeded test run can be made again exactly.
class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

private:
    std::uint64_t state_;
};

} // namespace dravelin
