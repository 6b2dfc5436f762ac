#pragma once

// The synthetic directory that generate_directory writes, for the program that writes it and
// for tests that want the same entries without a file.

#include <cstdint>
#include <memory>
#include <string>

namespace dravelin::tools {

inline constexpr std::uint64_t kDefaultSeed = 20090811;

// Invented entries, one line each with its CR LF; the same seed gives the same bytes everywhere.
class DirectoryGenerator {
public:
    explicit DirectoryGenerator(std::uint64_t seed);
    ~DirectoryGenerator();
    DirectoryGenerator(const DirectoryGenerator&) = delete;
    DirectoryGenerator& operator=(const DirectoryGenerator&) = delete;

    void appendEntry(std::string& out);
    // How many callsigns were given a second time so far.
    std::uint64_t duplicates() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// "Base Rev 255  du 11/08/2009" and its CR LF.
void appendRevisionLine(std::string& out);

// A whole directory file: the revision line, then `entries` entries.
std::string makeDirectory(std::uint64_t entries, std::uint64_t seed = kDefaultSeed);

} // namespace dravelin::tools
