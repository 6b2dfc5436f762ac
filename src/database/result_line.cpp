#include "database/result_line.h"

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
    if (record.surname == orangeListSurnameFor(criterion)) {
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

} // namespace dravelin
