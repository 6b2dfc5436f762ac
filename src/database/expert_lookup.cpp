#include "database/expert_lookup.h"

#include <memory>

#include "database/line_reader.h"
#include "database/record.h"

namespace dravelin {

bool ExpertEntry::operator==(const ExpertEntry& other) const
{
    return callsign == other.callsign && surname == other.surname && firstName == other.firstName &&
           address == other.address && city == other.city && postcode == other.postcode;
}

namespace {

std::optional<ExpertEntry> findEntryOf(LineReader& reader, std::string_view key,
                                       const std::function<void()>& afterRevisionLine, bool& failed)
{
    std::string_view line;
    failed = false;
    if (!reader.next(line)) {
        failed = reader.failed();
        return std::nullopt;
    }
    if (afterRevisionLine)
        afterRevisionLine();
    while (reader.next(line)) {
        // The callsign is the start of the line: most lines are passed over without cutting.
        // A line longer than the longest comes empty, never held.
        if (line.empty() || line.compare(0, key.size(), key) != 0)
            continue;
        const auto record = splitRecordLine(line);
        if (!record || record->callsign != key)
            continue;
        return ExpertEntry{std::string(record->callsign), std::string(record->surname), std::string(record->firstName),
                           std::string(record->address),  std::string(record->city),    std::string(record->postcode)};
    }
    failed = reader.failed();
    return std::nullopt;
}

} // namespace

std::optional<ExpertEntry> findEntry(std::istream& input, std::string_view key,
                                     const std::function<void()>& afterRevisionLine, bool& failed)
{
    LineReader reader(input);
    return findEntryOf(reader, key, afterRevisionLine, failed);
}

ExpertLookup lookUpEntry(const std::filesystem::path& directoryFile, std::string_view key,
                         const std::function<void()>& afterRevisionLine, FileLayer& files)
{
    ExpertLookup result;
    std::unique_ptr<ReadHandle> input;
    result.problem = openForReading(directoryFile, files, input);
    if (result.problem != FileProblem::None)
        return result;
    bool failed = false;
    LineReader reader(*input);
    result.entry = findEntryOf(reader, key, afterRevisionLine, failed);
    // An entry found before a read error is the entry all the same; a miss is no answer then.
    if (failed)
        result.problem = FileProblem::NotReadable;
    return result;
}

} // namespace dravelin
