#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace dravelin::fuzz {

// Takes the fuzzer's bytes from the front: a few choices first, then the text they apply to.
// Past the end every choice reads as 0 and every text as empty, so any input is valid.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : bytes_(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t takeByte()
    {
        if (bytes_.empty())
            return 0;
        const auto byte = static_cast<std::uint8_t>(bytes_.front());
        bytes_.remove_prefix(1);
        return byte;
    }

    // Up to `count` bytes.
    std::string_view takeBytes(std::size_t count)
    {
        const std::string_view taken = bytes_.substr(0, count);
        bytes_.remove_prefix(taken.size());
        return taken;
    }

    std::string_view rest() const { return bytes_; }

private:
    std::string_view bytes_;
};

} // namespace dravelin::fuzz
