#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dravelin {

// A length in as few bytes as it needs: seven bits a byte, lowest first, the high bit saying
// that another byte follows. One byte up to 127.
inline void appendLengthBytes(std::string& out, std::size_t length)
{
    do {
        const auto low = static_cast<unsigned char>(length & 0x7F);
        length >>= 7;
        out += static_cast<char>(length != 0 ? low | 0x80 : low);
    } while (length != 0);
}

// Reads a length of appendLengthBytes from the front of `from`; false when the bytes run out first.
inline bool takeLengthBytes(std::string_view& from, std::size_t& length)
{
    length = 0;
    for (unsigned shift = 0; !from.empty() && shift < 64; shift += 7) {
        const auto byte = static_cast<unsigned char>(from.front());
        from.remove_prefix(1);
        length |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0)
            return true;
    }
    return false;
}

} // namespace dravelin
