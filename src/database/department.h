#pragma once

#include <optional>
#include <string_view>

namespace dravelin {

// Departments whose name is not the first two characters of their postcodes: Corse-du-Sud "2A"
// and Haute-Corse "2B", whose postcodes all begin with 20, and the overseas departments, named
// by three digits beginning 97 or 98 (postcodes 97100 to 97699 and those of 98).

// Whether the text names an overseas department: three digits beginning 97 or 98.
bool isOverseasDepartment(std::string_view text);

// The first three characters of the postcodes of such a department, from `lowest` to
// `highest`: 200 to 201 for 2A, 202 to 206 for 2B, the three digits themselves overseas.
struct PostcodeStarts {
    std::string_view lowest;
    std::string_view highest;

    // What every one of these postcodes begins with: 20 for Corsica, the three digits overseas.
    std::string_view sharedStart() const;
};

// The postcode starts a department query names besides its own characters; nothing for every
// department that is simply the first two characters of its postcodes. `department` is folded
// to capitals already ("2a" is "2A").
std::optional<PostcodeStarts> namedPostcodeStarts(std::string_view department);

// Whether a stored postcode, its lost zero restored, begins within the starts.
bool beginsWithin(std::string_view storedPostcode, const PostcodeStarts& starts);

} // namespace dravelin
