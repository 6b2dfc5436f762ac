#include "common/reference_directory.h"

namespace dravelin::fuzz {

std::vector<std::string_view> referenceLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (bytes[i] == '\r') {
            lines.push_back(bytes.substr(start, i - start));
            i += (i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else if (bytes[i] == '\n') {
            lines.push_back(bytes.substr(start, i - start));
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < bytes.size())
        lines.push_back(bytes.substr(start));
    return lines;
}

std::optional<ReferenceRecord> referenceRecord(std::string_view line)
{
    std::vector<std::string> fields(1);
    for (const char c : line) {
        if (c == ';' && fields.size() < 6)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    if (fields.size() < 6)
        return std::nullopt;

    ReferenceRecord record{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], false};
    const std::string marker = "CET INDICATIF EST ATTRIBUE MAIS";
    for (std::size_t at = 0; at + marker.size() <= record.callsign.size(); ++at) {
        if (record.callsign.compare(at, marker.size(), marker) == 0) {
            record.callsign.resize(at);
            record.surname = "EN LISTE ORANGE";
            record.marked = true;
            break;
        }
    }
    return record;
}

std::string referenceTrim(std::string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && text[first] == ' ')
        ++first;
    while (last > first && text[last - 1] == ' ')
        --last;
    return std::string(text.substr(first, last - first));
}

namespace {

std::string restoredPostcode(const ReferenceRecord& record)
{
    return record.postcode.size() == 4 ? "0" + record.postcode : record.postcode;
}

} // namespace

std::string referenceDepartment(const ReferenceRecord& record)
{
    return restoredPostcode(record).substr(0, 2);
}

std::string referenceValue(const ReferenceRecord& record, Criterion criterion)
{
    switch (criterion) {
    case Criterion::Callsign:
        return referenceTrim(record.callsign);
    case Criterion::Surname:
        return referenceTrim(record.surname);
    case Criterion::City:
        return referenceTrim(record.city);
    case Criterion::Department:
        return referenceTrim(referenceDepartment(record));
    }
    return {};
}

std::string referenceCapitals(std::string_view text)
{
    // The small letters of Windows-1252 that have a capital there, each listed with it.
    static const std::string_view smalls = "abcdefghijklmnopqrstuvwxyz"
                                           "\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
                                           "\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF8\xF9\xFA\xFB\xFC\xFD\xFE"
                                           "\x9A\x9C\x9E\xFF";
    static const std::string_view capitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                             "\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
                                             "\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD8\xD9\xDA\xDB\xDC\xDD\xDE"
                                             "\x8A\x8C\x8E\x9F";
    std::string out(text);
    for (char& c : out) {
        const std::size_t at = smalls.find(c);
        if (at != std::string_view::npos)
            c = capitals[at];
    }
    return out;
}

bool referenceMatches(const ReferenceRecord& record, Criterion criterion, std::string_view query)
{
    if (criterion == Criterion::Department && query == "00")
        return true;
    const std::string value = referenceCapitals(referenceValue(record, criterion));
    if (!query.empty() && query.back() == '*') {
        const std::string start = referenceCapitals(query.substr(0, query.size() - 1));
        return value.compare(0, start.size(), start) == 0;
    }
    if (value == referenceCapitals(query))
        return true;
    // Corsica's two departments and the overseas ones, named otherwise than by the postcode's start.
    if (criterion != Criterion::Department)
        return false;
    const std::string department = referenceCapitals(query);
    const std::string start = restoredPostcode(record).substr(0, 3);
    if (start.size() < 3)
        return false;
    if (department == "2A")
        return start == "200" || start == "201";
    if (department == "2B")
        return start == "202" || start == "203" || start == "204" || start == "205" || start == "206";
    const bool overseas = department.size() == 3 && department[0] == '9' &&
                          (department[1] == '7' || department[1] == '8') && department[2] >= '0' &&
                          department[2] <= '9';
    return overseas && start == department;
}

std::optional<ReferenceRecord> referenceListable(std::string_view line)
{
    if (line.empty())
        return std::nullopt;
    auto record = referenceRecord(line);
    if (!record || record->callsign.size() > 12)
        return std::nullopt;
    return record;
}

std::string referenceResultLine(const ReferenceRecord& record, Criterion criterion)
{
    std::string line = record.callsign;
    while (line.size() < 12)
        line += ' ';
    const std::string orangeSurname = criterion == Criterion::Surname ? "<LISTE ORANGE" : "LISTE ORANGE";
    if (record.surname == orangeSurname)
        return line + "EN LISTE ORANGE";

    std::string name = record.surname + " " + record.firstName;
    if (name.size() > 40)
        name.resize(40);
    while (name.size() < 40)
        name += ' ';
    return line + name + record.address + "  " + restoredPostcode(record) + " " + record.city;
}

} // namespace dravelin::fuzz
