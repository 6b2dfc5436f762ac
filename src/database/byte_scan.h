#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

// 16 bytes at a time wherever the processor is sure to have SSE2 (every x86-64, and the 32-bit
// builds that ask for it); elsewhere the plain loops below do the same work a byte at a time.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define DRAVELIN_VECTOR_SCAN 1
#include <emmintrin.h>
#if defined(_MSC_VER)
#include <intrin.h>
#endif
#endif

namespace dravelin {

// Which loops a scan uses: the vector ones where built in, or the byte-at-a-time ones that
// every build has (tests run both so the two cannot drift apart).
enum class ScanLoops { Vector, Bytewise };

bool vectorLoopsBuiltIn();

inline bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// The position of the first CR or LF in [from, to), or `to`.
const char* findLineEnd(const char* from, const char* to, ScanLoops loops);

// The start of the line that holds `at`: just after the last CR or LF in [blockStart, at), or
// blockStart. A department stands at the end of its line, so the way back is a whole line long.
const char* lineStartBefore(const char* blockStart, const char* at, ScanLoops loops);

// The first line end in [from + 5, to], or `to` itself, whose line ends with ";", `first` and
// three more characters: the look of a four-character postcode that starts with `first`.
// Null when there is none. The end of `to` counts as a line end.
const char* findShortTailEnd(const char* from, const char* to, char first, ScanLoops loops);

// Finds a text in a run of bytes, small and capital letters alike (capital_fold.h): the first
// and last bytes of the text, in either case, are looked for 16 positions at a time, and only
// where both sit at the right distance are the bytes between compared. Tells nothing about
// lines: the caller decides what a hit means.
class SubstringFinder {
public:
    SubstringFinder(std::string_view needle, ScanLoops loops);

    // The first occurrence that starts in [from, to) and ends before `to`, or `to`.
    const char* find(const char* from, const char* to) const;

private:
    bool sameFrom(const char* at, std::size_t first, std::size_t end) const;
#if DRAVELIN_VECTOR_SCAN
    template <bool kBothCases, typename SameMiddle>
    static const char* vectorRounds(const char*& from, const char* lastStart, std::size_t length,
                                    const SubstringFinder& finder, SameMiddle&& sameMiddle);
#endif

    std::string needle_; // folded to capitals
    // The first and last bytes of the needle and their small letters (the same byte again
    // where there is none).
    char first_ = 0;
    char firstSmall_ = 0;
    char last_ = 0;
    char lastSmall_ = 0;
    ScanLoops loops_;
};

// The small letter whose capital is `capital`, or `capital` itself when it has none.
char smallLetterOf(char capital);

#if DRAVELIN_VECTOR_SCAN
inline unsigned lowestSetBit(unsigned mask)
{
#if defined(_MSC_VER)
    unsigned long index;
    _BitScanForward(&index, mask);
    return static_cast<unsigned>(index);
#else
    return static_cast<unsigned>(__builtin_ctz(mask));
#endif
}

inline unsigned highestSetBit(unsigned mask)
{
#if defined(_MSC_VER)
    unsigned long index;
    _BitScanReverse(&index, mask);
    return static_cast<unsigned>(index);
#else
    return 31u - static_cast<unsigned>(__builtin_clz(mask));
#endif
}
#endif

// The positions of the first five ";" of one line, relative to its start, and how many of
// them it has (at most 5 are kept: a sixth ";" belongs to the postcode).
struct LineSeparators {
    std::array<std::size_t, 5> at{};
    std::size_t count = 0;
};

// Calls onLine(line, separators) for every non-empty line of `block`, in order. Line ends are
// CR and LF alike: the LF of a CR LF pair only ends an empty line, which is passed over. The
// walk stops at each ";", CR and LF and nowhere else, so its cost follows the number of fields
// rather than the number of bytes.
template <typename OnLine>
void forEachLine(std::string_view block, ScanLoops loops, OnLine&& onLine)
{
    const char* const base = block.data();
    const std::size_t size = block.size();
    std::size_t lineStart = 0;
    std::size_t absolute[5] = {};
    std::size_t count = 0;

    const auto stopAt = [&](std::size_t at) {
        if (base[at] == ';') {
            if (count < 5)
                absolute[count++] = at;
            return;
        }
        if (at > lineStart) {
            LineSeparators separators;
            separators.count = count;
            for (std::size_t k = 0; k < count; ++k)
                separators.at[k] = absolute[k] - lineStart;
            onLine(std::string_view(base + lineStart, at - lineStart), separators);
        }
        lineStart = at + 1;
        count = 0;
    };

    std::size_t i = 0;
#if DRAVELIN_VECTOR_SCAN
    if (loops == ScanLoops::Vector) {
        const __m128i semicolon = _mm_set1_epi8(';');
        const __m128i cr = _mm_set1_epi8('\r');
        const __m128i lf = _mm_set1_epi8('\n');
        for (; i + 16 <= size; i += 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + i));
            const __m128i stops = _mm_or_si128(_mm_cmpeq_epi8(chunk, semicolon),
                                               _mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf)));
            unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(stops));
            while (mask != 0) {
                stopAt(i + lowestSetBit(mask));
                mask &= mask - 1;
            }
        }
    }
#else
    (void)loops;
#endif
    for (; i < size; ++i) {
        const char c = base[i];
        if (c == ';' || isLineEnd(c))
            stopAt(i);
    }
    if (size > lineStart) {
        LineSeparators separators;
        separators.count = count;
        for (std::size_t k = 0; k < count; ++k)
            separators.at[k] = absolute[k] - lineStart;
        onLine(std::string_view(base + lineStart, size - lineStart), separators);
    }
}

} // namespace dravelin
