#include "database/entry_key.h"

#include "database/record.h"
#include "database/result_line.h"
#include "database/text_bytes.h"

namespace dravelin {

std::string_view entryKey(std::string_view selectedLine)
{
    return trimSpaces(leftChars(selectedLine, kCallsignColumnWidth));
}

bool lineMatchesKey(std::string_view line, std::string_view key)
{
    const auto field = firstField(line);
    return field && *field == key;
}

} // namespace dravelin
