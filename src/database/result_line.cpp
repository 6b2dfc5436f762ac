#include "database/result_line.h"

#include <algorithm>

#include "database/text_bytes.h"

namespace dravelin {

namespace {

void appendPadded(std::string& out, std::string_view text, std::size_t width)
{
    out.append(text);
    if (text.size() < width)
        out.append(width - text.size(), ' ');
}

void appendRestoredPostcode(std::string& out, std::string_view storedPostcode)
{
    if (storedPostcode.size() == kPostcodeLosingZeroLength)
        out += '0';
    out.append(storedPostcode);
}

bool showsOrangeList(const DirectoryRecord& record, Criterion criterion)
{
    return record.surname == orangeListSurnameFor(criterion);
}

} // namespace

std::string_view departmentOf(std::string_view storedPostcode, std::array<char, 2>& storage)
{
    if (storedPostcode.size() == kPostcodeLosingZeroLength) {
        storage = {'0', storedPostcode[0]};
        return std::string_view(storage.data(), storage.size());
    }
    return storedPostcode.substr(0, 2);
}

std::string_view orangeListSurnameFor(Criterion criterion)
{
    // Under the surname criterion the orange-list surname carries a "<": a search for
    // LISTE ORANGE by name shows such entries in full.
    return criterion == Criterion::Surname ? std::string_view("<LISTE ORANGE") : kListeOrange;
}

bool fitsResultLine(const DirectoryRecord& record)
{
    return record.callsign.size() <= kCallsignColumnWidth;
}

void appendResultLine(std::string& out, const DirectoryRecord& record, Criterion criterion)
{
    appendPadded(out, record.callsign, kCallsignColumnWidth);
    if (showsOrangeList(record, criterion)) {
        out.append(kOrangeListSurname);
        return;
    }

    const std::size_t nameStart = out.size();
    out.append(record.surname);
    out += ' ';
    out.append(record.firstName);
    const std::size_t nameLength = out.size() - nameStart;
    if (nameLength > kNameColumnWidth)
        out.resize(nameStart + kNameColumnWidth);
    else
        out.append(kNameColumnWidth - nameLength, ' ');

    out.append(record.address);
    out.append("  ");
    appendRestoredPostcode(out, record.postcode);
    out += ' ';
    out.append(record.city);
}

std::size_t resultLineLength(const DirectoryRecord& record, Criterion criterion)
{
    const std::size_t call = std::max(record.callsign.size(), kCallsignColumnWidth);
    if (showsOrangeList(record, criterion))
        return call + kOrangeListSurname.size();
    const std::size_t postcode = record.postcode.size() + (record.postcode.size() == kPostcodeLosingZeroLength ? 1 : 0);
    return call + kNameColumnWidth + record.address.size() + 2 + postcode + 1 + record.city.size();
}

ListedEntry listedEntryOf(const DirectoryRecord& record, Criterion criterion)
{
    ListedEntry entry;
    entry.callsign = trimSpaces(record.callsign);
    if (showsOrangeList(record, criterion)) {
        entry.surname = kOrangeListSurname;
        entry.orangeList = true;
        return entry;
    }
    entry.surname = trimSpaces(record.surname);
    entry.firstName = trimSpaces(record.firstName);
    entry.address = trimSpaces(record.address);
    entry.city = trimSpaces(record.city);
    std::string postcode;
    appendRestoredPostcode(postcode, record.postcode);
    entry.postcode = trimSpaces(postcode);
    entry.orangeList = record.orangeListMarked;
    return entry;
}

} // namespace dravelin
