#pragma once

#include <string_view>

namespace dravelin::cli {

// Makes the standard output carry the result's bytes unchanged: on Windows the C library
// would otherwise turn each LF into CR LF, and the lines already end with CR LF.
void useBinaryOutput();

// Writes the bytes on the standard output; false when a write failed (full disk, closed pipe).
bool writeOutput(std::string_view bytes);
// Flushes and closes the standard output; false when either failed, which is the last
// chance to learn that buffered bytes never reached the file.
bool finishOutput();

// Writes one line of UTF-8 text on the standard error: as it is, or as UTF-16 to a
// Windows console, which would show UTF-8 bytes as other characters.
void printMessage(std::string_view utf8);
// The same on the standard output; false when the line could not be written.
bool printResult(std::string_view utf8);

} // namespace dravelin::cli
