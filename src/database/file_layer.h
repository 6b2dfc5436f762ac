#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

namespace dravelin {

// A file open for writing, with the system calls that make a write durable.
class WriteHandle {
public:
    virtual ~WriteHandle() = default;

    // Writes every byte, or reports failure (some bytes may have been written).
    virtual bool write(std::string_view bytes) = 0;
    // Returns once the bytes written are on the disk.
    virtual bool flushToDisk() = 0;
    // Cuts the file back to `size` bytes, to take back a failed append.
    virtual bool truncate(std::uint64_t size) = 0;
    virtual bool close() = 0;
};

// The few operations on files that the standard library cannot make durable or atomic.
// The directory code goes through this interface so that tests can make each step fail.
class FileLayer {
public:
    virtual ~FileLayer() = default;

    // Creates the file, or empties it when it exists. Null on failure.
    virtual std::unique_ptr<WriteHandle> create(const std::filesystem::path& file) = 0;
    // Opens an existing file for writing at its end; never creates one. Null on failure.
    virtual std::unique_ptr<WriteHandle> openForAppend(const std::filesystem::path& file) = 0;
    // Puts `from` in the place of `to` in one atomic step, and makes that step durable.
    virtual bool replace(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    virtual bool remove(const std::filesystem::path& file) = 0;
};

// The operating system's own calls. It holds no state.
FileLayer& systemFileLayer();

} // namespace dravelin
