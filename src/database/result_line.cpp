#include "database/result_line.h"

#include "database/length_bytes.h"
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

std::string_view columnFrom(std::string_view line, std::size_t start, std::size_t count = std::string_view::npos)
{
    return start < line.size() ? line.substr(start, count) : std::string_view();
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

void appendFieldLengths(std::string& out, const DirectoryRecord& record, Criterion criterion)
{
    if (showsOrangeList(record, criterion))
        return;
    const std::size_t nameLength = record.surname.size() + 1 + record.firstName.size();
    const std::size_t cut = nameLength > kNameColumnWidth ? nameLength - kNameColumnWidth : 0;
    appendLengthBytes(out, record.surname.size());
    appendLengthBytes(out, record.address.size());
    appendLengthBytes(out, record.postcode.size() + (record.postcode.size() == kPostcodeLosingZeroLength ? 1 : 0));
    appendLengthBytes(out, cut);
    // The cut-off end of "surname first name", from the first name backwards into the surname.
    if (cut > record.firstName.size()) {
        const std::size_t fromSurname = cut - record.firstName.size() - 1;
        out.append(record.surname.substr(record.surname.size() - fromSurname));
        out += ' ';
        out.append(record.firstName);
    } else if (cut > 0) {
        out.append(record.firstName.substr(record.firstName.size() - cut));
    }
}

std::array<std::string, 6> shownFields(std::string_view line, std::string_view fieldLengths)
{
    std::array<std::string, 6> fields;
    fields[0] = trimSpaces(columnFrom(line, 0, kCallsignColumnWidth));
    const std::string_view rest = columnFrom(line, kRestColumnStart);

    std::size_t surnameLength = 0;
    std::size_t addressLength = 0;
    std::size_t postcodeLength = 0;
    std::size_t cut = 0;
    std::string_view tail = fieldLengths;
    const bool lengthsKnown = takeLengthBytes(tail, surnameLength) && takeLengthBytes(tail, addressLength) &&
                              takeLengthBytes(tail, postcodeLength) && takeLengthBytes(tail, cut) && tail.size() == cut;
    if (!lengthsKnown) {
        fields[1] = trimSpaces(columnFrom(line, kCallsignColumnWidth, kNameColumnWidth));
        fields[3] = trimSpaces(rest);
        return fields;
    }

    std::string name(columnFrom(line, kCallsignColumnWidth, kNameColumnWidth));
    name.append(tail);
    fields[1] = trimSpaces(std::string_view(name).substr(0, std::min(surnameLength, name.size())));
    fields[2] = trimSpaces(columnFrom(name, surnameLength + 1));
    // address, two spaces, postcode, one space, city
    fields[3] = trimSpaces(rest.substr(0, std::min(addressLength, rest.size())));
    fields[4] = trimSpaces(columnFrom(rest, addressLength + 2, postcodeLength));
    fields[5] = trimSpaces(columnFrom(rest, addressLength + 2 + postcodeLength + 1));
    return fields;
}

} // namespace dravelin
