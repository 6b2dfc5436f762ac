#include "database/expert_lookup.h"

#include <fstream>

#include "database/line_reader.h"
#include "database/record.h"

namespace dravelin {

bool ExpertEntry::operator==(const ExpertEntry& other) const
{
    return callsign == other.callsign && surname == other.surname && firstName == other.firstName &&
           address == other.address && city == other.city && postcode == other.postcode;
}

std::optional<ExpertEntry> findEntry(std::istream& input, std::string_view key,
                                     const std::function<void()>& afterRevisionLine, bool& failed)
{
    LineReader reader(input);
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
        if (line.empty() || line.compare(0, key.size(), key) != 0)
            continue;
        const auto record = splitRecordLine(line);
        if (!record || record->callsign != key)
            continue;
        return ExpertEntry{std::string(record->callsign), std::string(record->surname),
                           std::string(record->firstName), std::string(record->address),
                           std::string(record->city), std::string(record->postcode)};
    }
    failed = reader.failed();
    return std::nullopt;
}

ExpertLookup lookUpEntry(const std::filesystem::path& directoryFile, std::string_view key,
                         const std::function<void()>& afterRevisionLine)
{
    ExpertLookup result;
    std::ifstream stream;
    result.problem = openForReading(directoryFile, stream);
    if (result.problem != FileProblem::None)
        return result;
    bool failed = false;
    result.entry = findEntry(stream, key, afterRevisionLine, failed);
    if (failed)
        result.problem = FileProblem::NotReadable;
    return result;
}

} // namespace dravelin
