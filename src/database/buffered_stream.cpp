#include "database/buffered_stream.h"

#include <cstring>

namespace dravelin {

namespace {

// A standard stream seen as a read handle: the tests' strings and the benchmark's files.
class StreamSource : public ReadHandle {
public:
    explicit StreamSource(std::istream& input) : input_(input) {}

    std::ptrdiff_t read(char* into, std::size_t size) override
    {
        input_.read(into, static_cast<std::streamsize>(size));
        const auto got = static_cast<std::ptrdiff_t>(input_.gcount());
        return got == 0 && input_.bad() ? -1 : got;
    }
    bool seek(std::uint64_t offset) override
    {
        input_.clear();
        return static_cast<bool>(input_.seekg(static_cast<std::streamoff>(offset)));
    }
    std::optional<std::uint64_t> size() override { return std::nullopt; }

private:
    std::istream& input_;
};

} // namespace

BufferedStream::BufferedStream(ReadHandle& input, std::size_t pieceSize, std::size_t longestLine)
    : buffer_(pieceSize == 0 ? 1 : pieceSize), longestLine_(longestLine), source_(input)
{
}

BufferedStream::BufferedStream(std::istream& input, std::size_t pieceSize, std::size_t longestLine)
    : buffer_(pieceSize == 0 ? 1 : pieceSize), longestLine_(longestLine),
      ownSource_(std::make_unique<StreamSource>(input)), source_(*ownSource_)
{
}

void BufferedStream::readMore()
{
    const std::size_t kept = end_ - begin_;
    if (begin_ > 0 && kept > 0)
        std::memmove(buffer_.data(), buffer_.data() + begin_, kept);
    begin_ = 0;
    end_ = kept;
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);

    while (end_ < buffer_.size()) {
        const std::ptrdiff_t got = source_.read(buffer_.data() + end_, buffer_.size() - end_);
        if (got <= 0) {
            atEnd_ = true;
            failed_ = got < 0;
            return;
        }
        end_ += static_cast<std::size_t>(got);
    }
}

} // namespace dravelin
