#include "database/byte_scan.h"

#include <algorithm>

#include "database/capital_fold.h"

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

const char* lineStartBefore(const char* blockStart, const char* at, ScanLoops loops)
{
#if DRAVELIN_VECTOR_SCAN
    if (loops == ScanLoops::Vector) {
        const __m128i cr = _mm_set1_epi8('\r');
        const __m128i lf = _mm_set1_epi8('\n');
        for (; at - blockStart >= 16; at -= 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at - 16));
            const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf)));
            if (mask != 0)
                return at - 16 + highestSetBit(static_cast<unsigned>(mask)) + 1;
        }
    }
#else
    (void)loops;
#endif
    while (at > blockStart && !isLineEnd(at[-1]))
        --at;
    return at;
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
            const __m128i look = _mm_and_si128(
                lineEnds, _mm_and_si128(_mm_cmpeq_epi8(separators, semicolon), _mm_cmpeq_epi8(firsts, digit)));
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

char smallLetterOf(char capital)
{
    static const std::array<unsigned char, 256> smalls = [] {
        std::array<unsigned char, 256> table{};
        for (int c = 0; c < 256; ++c)
            table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c);
        for (int c = 0; c < 256; ++c)
            if (kCapitalFold[static_cast<std::size_t>(c)] != c)
                table[kCapitalFold[static_cast<std::size_t>(c)]] = static_cast<unsigned char>(c);
        return table;
    }();
    return static_cast<char>(smalls[static_cast<unsigned char>(capital)]);
}

SubstringFinder::SubstringFinder(std::string_view needle, ScanLoops loops) : needle_(capitals(needle)), loops_(loops)
{
    if (!needle_.empty()) {
        first_ = needle_.front();
        firstSmall_ = smallLetterOf(first_);
        last_ = needle_.back();
        lastSmall_ = smallLetterOf(last_);
    }
}

// Whether the bytes of the needle from `first` to `end` (excluded) stand at `at` + `first`, in
// either case.
bool SubstringFinder::sameFrom(const char* at, std::size_t first, std::size_t end) const
{
    for (std::size_t k = first; k < end; ++k)
        if (capitalOf(at[k]) != needle_[k])
            return false;
    return true;
}

#if DRAVELIN_VECTOR_SCAN
// The rounds of find that test 32, then 16 start positions at a time, every load inside
// [from, lastStart + length); `from` is left where the bytewise loop goes on. Null when
// no occurrence starts before it.
template <bool kBothCases, typename SameMiddle>
const char* SubstringFinder::vectorRounds(const char*& from, const char* lastStart, std::size_t length,
                                          const SubstringFinder& finder, SameMiddle&& sameMiddle)
{
    const __m128i first = _mm_set1_epi8(finder.first_);
    const __m128i firstSmall = _mm_set1_epi8(finder.firstSmall_);
    const __m128i last = _mm_set1_epi8(finder.last_);
    const __m128i lastSmall = _mm_set1_epi8(finder.lastSmall_);
    // Where an occurrence may start among the 16 positions from `at`: one bit each.
    const auto possibleStarts = [&](const char* at) {
        const __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i ends = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + length - 1));
        __m128i startHits = _mm_cmpeq_epi8(starts, first);
        __m128i endHits = _mm_cmpeq_epi8(ends, last);
        if constexpr (kBothCases) {
            startHits = _mm_or_si128(startHits, _mm_cmpeq_epi8(starts, firstSmall));
            endHits = _mm_or_si128(endHits, _mm_cmpeq_epi8(ends, lastSmall));
        }
        return static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(startHits, endHits)));
    };
    const auto firstOccurrence = [&](unsigned mask) -> const char* {
        for (; mask != 0; mask &= mask - 1) {
            const unsigned bit = lowestSetBit(mask);
            if (sameMiddle(from + bit))
                return from + bit;
        }
        return nullptr;
    };
    // 32 positions a round while they last: one test and one branch for both halves.
    for (; lastStart - from >= 31; from += 32) {
        const unsigned mask = possibleStarts(from) | (possibleStarts(from + 16) << 16);
        if (mask != 0)
            if (const char* const hit = firstOccurrence(mask))
                return hit;
    }
    for (; lastStart - from >= 15; from += 16)
        if (const char* const hit = firstOccurrence(possibleStarts(from)))
            return hit;
    return nullptr;
}
#endif

const char* SubstringFinder::find(const char* from, const char* to) const
{
    const std::size_t length = needle_.size();
    if (length == 0)
        return from;
    if (static_cast<std::size_t>(to - from) < length)
        return to;
    const char* const lastStart = to - length; // the last position a whole occurrence can start at

#if DRAVELIN_VECTOR_SCAN
    if (loops_ == ScanLoops::Vector) {
        const auto sameMiddle = [&](const char* at) { return length < 3 || sameFrom(at, 1, length - 1); };
        // Digits and ";" have no small letter: a department's needle needs half the compares.
        const char* const hit = firstSmall_ != first_ || lastSmall_ != last_
                                    ? vectorRounds<true>(from, lastStart, length, *this, sameMiddle)
                                    : vectorRounds<false>(from, lastStart, length, *this, sameMiddle);
        if (hit != nullptr)
            return hit;
    }
#endif
    // The remaining start positions, and every position where vectors are not used.
    for (; from <= lastStart; ++from)
        if ((*from == first_ || *from == firstSmall_) && sameFrom(from, 1, length))
            return from;
    return to;
}

} // namespace dravelin
