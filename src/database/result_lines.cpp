#include "database/result_lines.h"

#include <algorithm>
#include <array>

namespace dravelin {

namespace {

constexpr std::array<unsigned char, 256> makeCapitalFold()
{
    std::array<unsigned char, 256> fold{};
    for (int c = 0; c < 256; ++c)
        fold[c] = static_cast<unsigned char>(c);
    for (int c = 'a'; c <= 'z'; ++c)
        fold[c] = static_cast<unsigned char>(c - 32);
    // à to þ map to À to Þ, except the division sign 0xF7.
    for (int c = 0xE0; c <= 0xFE; ++c)
        if (c != 0xF7)
            fold[c] = static_cast<unsigned char>(c - 32);
    fold[0x9A] = 0x8A; // š Š
    fold[0x9C] = 0x8C; // œ Œ
    fold[0x9E] = 0x8E; // ž Ž
    fold[0xFF] = 0x9F; // ÿ Ÿ
    return fold;
}

constexpr std::array<unsigned char, 256> kCapitalFold = makeCapitalFold();

} // namespace

std::string_view ResultLines::operator[](std::size_t index) const
{
    const Span& span = spans_[index];
    return std::string_view(bytes_.data() + span.offset, span.length);
}

void ResultLines::clear()
{
    bytes_.clear();
    spans_.clear();
}

void ResultLines::add(std::string_view line)
{
    addWith([line](std::string& bytes) { bytes.append(line); });
}

void ResultLines::sortForDisplay()
{
    const char* base = bytes_.data();
    std::sort(spans_.begin(), spans_.end(), [base](const Span& a, const Span& b) {
        return lessIgnoringCase(std::string_view(base + a.offset, a.length),
                                std::string_view(base + b.offset, b.length));
    });
}

bool lessIgnoringCase(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char fa = kCapitalFold[static_cast<unsigned char>(a[i])];
        const unsigned char fb = kCapitalFold[static_cast<unsigned char>(b[i])];
        if (fa != fb)
            return fa < fb;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) {
                                            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
                                        });
}

} // namespace dravelin
