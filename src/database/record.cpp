#include "database/record.h"

namespace dravelin {

std::optional<DirectoryRecord> splitRecordLine(std::string_view line)
{
    std::array<std::size_t, 5> separators{};
    std::size_t from = 0;
    for (std::size_t& at : separators) {
        at = line.find(';', from);
        if (at == std::string_view::npos)
            return std::nullopt;
        from = at + 1;
    }
    return recordAtSeparators(line, separators);
}

DirectoryRecord recordAtSeparators(std::string_view line, const std::array<std::size_t, 5>& separators)
{
    const auto between = [&](std::size_t open, std::size_t close) { return line.substr(open + 1, close - open - 1); };

    DirectoryRecord record;
    record.callsign = line.substr(0, separators[0]);
    record.surname = between(separators[0], separators[1]);
    record.firstName = between(separators[1], separators[2]);
    record.address = between(separators[2], separators[3]);
    record.city = between(separators[3], separators[4]);
    record.postcode = line.substr(separators[4] + 1);

    const std::size_t marker = record.callsign.find(kOrangeListMarker);
    if (marker != std::string_view::npos) {
        record.callsign = record.callsign.substr(0, marker);
        record.surname = kOrangeListSurname;
        record.orangeListMarked = true;
    }
    return record;
}

std::optional<std::string_view> firstField(std::string_view line)
{
    const std::size_t separator = line.find(';');
    if (separator == std::string_view::npos)
        return std::nullopt;
    return line.substr(0, separator);
}

} // namespace dravelin
