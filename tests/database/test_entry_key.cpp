#include <gtest/gtest.h>

#include <string>

#include "database/entry_key.h"

namespace dravelin {
namespace {

std::string pad(const std::string& text, std::size_t width)
{
    return text + std::string(width - text.size(), ' ');
}

TEST(EntryKey, IsTheTrimmedCallsignColumnOfTheSelectedLine)
{
    const std::pair<std::string, std::string> cases[] = {
        {pad("F1ABC", 12) + pad("DUPONT Jean", 40) + "12 rue Haute  75002 PARIS", "F1ABC"},
        {pad("F2AA", 12) + "EN LISTE ORANGE", "F2AA"},
        {"F1ABCDEFGHIJDUPONT Jean", "F1ABCDEFGHIJ"}, // a 12-character callsign touches the name
        {"  F4SP      ESPACE Anne", "F4SP"},         // spaces at both ends go
        {"F1 AB       X", "F1 AB"},                  // inner spaces stay
        {"F6Z", "F6Z"},                              // shorter than the column: all of it
        {"", ""},                                    // nothing selected since start
        {std::string(12, ' ') + "NOM", ""},
        {"f1abc       x", "f1abc"}, // no change of case
    };
    for (const auto& [line, key] : cases) {
        SCOPED_TRACE(line);
        EXPECT_EQ(entryKey(line), key);
    }
}

TEST(EntryKey, MatchesTheWholeFirstFieldExactly)
{
    struct Case {
        const char* line;
        const char* key;
        bool matches;
    };
    const Case cases[] = {
        {"F1ABC;DUPONT;Jean;1 rue A;PARIS;75001", "F1ABC", true},
        {"F1ABC;;;;;", "F1ABC", true},
        {"F1ABC;no more fields", "F1ABC", true}, // the key needs only the first ";"
        {"f1abc;DUPONT;Jean;1 rue A;PARIS;75001", "F1ABC", false},
        {"F1ABC ;DUPONT;Jean;1 rue A;PARIS;75001", "F1ABC", false}, // nothing trimmed on the file side
        {" F1ABC;DUPONT;Jean;1 rue A;PARIS;75001", "F1ABC", false},
        {"F1ABCD;DUPONT;Jean;1 rue A;PARIS;75001", "F1ABC", false},
        {"F1ABC CET INDICATIF EST ATTRIBUE MAIS;X;;;;", "F1ABC", false}, // the marker is not cut off here
        {"F1ABC", "F1ABC", false},                                       // no ";": no first field
        {"", "", false},                                                 // an empty line is no entry
        {";DUPONT;Jean;1 rue A;PARIS;75001", "", true},                  // the empty key finds empty callsigns only
        {"F1ABC;DUPONT;Jean;1 rue A;PARIS;75001", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.line) + " / " + c.key);
        EXPECT_EQ(lineMatchesKey(c.line, c.key), c.matches);
    }
}

} // namespace
} // namespace dravelin
