#pragma once

#include <filesystem>
#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

#include "database/directory_file.h"

namespace dravelin {

// One entry as the editing window shows it: the six fields as stored, except that the
// orange-list marker is cut off the callsign and "EN LISTE ORANGE" stands for the surname
// then. The postcode is not given back its lost leading zero.
struct ExpertEntry {
    std::string callsign;
    std::string surname;
    std::string firstName;
    std::string address;
    std::string city;
    std::string postcode;

    bool operator==(const ExpertEntry& other) const;
};

struct ExpertLookup {
    FileProblem problem = FileProblem::None;
    std::optional<ExpertEntry> entry; // the first entry of the key in file order
};

// Reads past the revision line, calls `afterRevisionLine`, then looks for the first record
// whose callsign (marker cut off, nothing trimmed) equals the key. Lines that cannot be cut
// into six fields are passed over. `failed` tells a read error from a plain miss.
std::optional<ExpertEntry> findEntry(std::istream& input, std::string_view key,
                                     const std::function<void()>& afterRevisionLine, bool& failed);

ExpertLookup lookUpEntry(const std::filesystem::path& directoryFile, std::string_view key,
                         const std::function<void()>& afterRevisionLine = {}, FileLayer& files = systemFileLayer());

} // namespace dravelin
