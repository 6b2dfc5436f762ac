#include "database/byte_scan.h"

#include <algorithm>

namespace dravelin {

bool vectorLoopsBuiltIn()
{
#if DRAVELIN_VECTOR_SCAN
    return true;
#else
    return false;
#endif
}

const char* findLineEnd(const char* from, const char* to, ScanLoops loops)
{
#if DRAVELIN_VECTOR_SCAN
    if (loops == ScanLoops::Vector) {
        const __m128i cr = _mm_set1_epi8('\r');
        const __m128i lf = _mm_set1_epi8('\n');
        for (; to - from >= 16; from += 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
            const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf)));
            if (mask != 0)
                return from + lowestSetBit(static_cast<unsigned>(mask));
        }
    }
#else
    (void)loops;
#endif
    for (; from < to; ++from)
        if (isLineEnd(*from))
            return from;
    return to;
}

namespace {

bool hasShortTail(const char* end, char first)
{
    return end[-5] == ';' && end[-4] == first && !isLineEnd(end[-3]) && !isLineEnd(end[-2]) && !isLineEnd(end[-1]);
}

} // namespace

const char* findShortTailEnd(const char* from, const char* to, char first, ScanLoops loops)
{
    constexpr std::ptrdiff_t kTail = 5;
    if (to - from < kTail)
        return nullptr;
    const char* at = from + kTail;
#if DRAVELIN_VECTOR_SCAN
    if (loops == ScanLoops::Vector) {
        const __m128i cr = _mm_set1_epi8('\r');
        const __m128i lf = _mm_set1_epi8('\n');
        const __m128i semicolon = _mm_set1_epi8(';');
        const __m128i digit = _mm_set1_epi8(first);
        for (; to - at >= 16; at += 16) {
            const __m128i ends = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
            const __m128i separators = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at - kTail));
            const __m128i firsts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at - kTail + 1));
            const __m128i lineEnds = _mm_or_si128(_mm_cmpeq_epi8(ends, cr), _mm_cmpeq_epi8(ends, lf));
            const __m128i look = _mm_and_si128(lineEnds, _mm_and_si128(_mm_cmpeq_epi8(separators, semicolon),
                                                                         _mm_cmpeq_epi8(firsts, digit)));
            unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(look));
            while (mask != 0) {
                const char* end = at + lowestSetBit(mask);
                if (hasShortTail(end, first))
                    return end;
                mask &= mask - 1;
            }
        }
    }
#else
    (void)loops;
#endif
    for (; at < to; ++at)
        if (isLineEnd(*at) && hasShortTail(at, first))
            return at;
    return hasShortTail(to, first) ? to : nullptr;
}

SubstringFinder::SubstringFinder(std::string_view needle, ScanLoops loops) : needle_(needle), loops_(loops)
{
}

const char* SubstringFinder::find(const char* from, const char* to) const
{
    const std::size_t length = needle_.size();
    if (length == 0)
        return from;
    if (static_cast<std::size_t>(to - from) < length)
        return to;
    const char* const lastStart = to - length; // the last position a whole occurrence can start at
    const char* const needle = needle_.data();

#if DRAVELIN_VECTOR_SCAN
    if (loops_ == ScanLoops::Vector && length > 1) {
        const __m128i first = _mm_set1_epi8(needle[0]);
        const __m128i last = _mm_set1_epi8(needle[length - 1]);
        // Each round tests the 16 start positions from..from+15; both loads stay inside [from, to).
        for (; lastStart - from >= 15; from += 16) {
            const __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
            const __m128i ends = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + length - 1));
            unsigned mask = static_cast<unsigned>(
                _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(starts, first), _mm_cmpeq_epi8(ends, last))));
            while (mask != 0) {
                const unsigned bit = lowestSetBit(mask);
                if (std::memcmp(from + bit + 1, needle + 1, length - 2) == 0)
                    return from + bit;
                mask &= mask - 1;
            }
        }
    }
#endif
    // The remaining start positions, and every position where vectors are not used.
    while (from <= lastStart) {
        const void* hit = std::memchr(from, needle[0], static_cast<std::size_t>(lastStart - from) + 1);
        if (hit == nullptr)
            return to;
        const char* candidate = static_cast<const char*>(hit);
        if (std::memcmp(candidate + 1, needle + 1, length - 1) == 0)
            return candidate;
        from = candidate + 1;
    }
    return to;
}

} // namespace dravelin
