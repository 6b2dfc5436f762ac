#pragma once

#include <cstddef>
#include <functional>
#include <istream>
#include <string_view>

#include "database/byte_scan.h"
#include "database/criterion.h"
#include "database/file_layer.h"
#include "database/result_rows.h"

namespace dravelin {

struct ScanTuning {
    std::size_t blockSize = std::size_t{1} << 20;
    ScanLoops loops = vectorLoopsBuiltIn() ? ScanLoops::Vector : ScanLoops::Bytewise;
    // The size of the whole input when known (0 when not): lets a search that finds much
    // reserve its result block once instead of growing it by doubling.
    std::size_t expectedBytes = 0;
};

// The search of searchStream, finding exactly the same lines, without cutting every line into
// fields. A callsign, surname or city can only equal (or, for a prefix query, begin with) the
// trimmed field of a line that holds that text, in small or capital letters; a department
// stands just after a ";" (or, for a postcode that lost its zero, five characters before the
// line end; a department prefix may also follow one space; 2A and 2B look for ";20" as well,
// an overseas department for its three digits): only the lines that hold that text
// are cut and tested. Department "00" and the queries that a line may match without holding
// their text (empty, a lone "*", "EN LISTE ORANGE" or its start for a marked entry's surname,
// the prefix "0" of a department) get one walk over every separator instead.
bool scanStream(std::istream& input, Criterion criterion, std::string_view query, ResultRows& found,
                const std::function<void()>& afterRevisionLine = {}, const ScanTuning& tuning = {});

// The same scan over a file open through the file layer.
bool scanFile(ReadHandle& input, Criterion criterion, std::string_view query, ResultRows& found,
              const std::function<void()>& afterRevisionLine = {}, const ScanTuning& tuning = {});

// The same scan without keeping the rows: how many lines it finds. The benchmark times
// it to tell the scan from the keeping and sorting of a million rows.
bool countStream(std::istream& input, Criterion criterion, std::string_view query, std::size_t& count,
                 const ScanTuning& tuning = {});

} // namespace dravelin
