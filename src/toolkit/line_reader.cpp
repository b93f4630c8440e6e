#include "toolkit/line_reader.h"

#include <algorithm>
#include <utility>

namespace {

// Large enough that a capture of hundreds of megabytes costs few reads.
constexpr size_t chunkSize = 65536;

bool EndsLine(char byte)
{
    return byte == '\n' || byte == '\r' || byte == '\0';
}

} // namespace

LineReader::LineReader(ReadBytes read, size_t lineLimit)
    : read_(std::move(read)), lineLimit_(lineLimit), buffer_(chunkSize)
{
}

bool LineReader::Refill()
{
    if (position_ < filled_)
        return true;
    if (exhausted_ || !read_)
        return false;
    filled_ = read_(buffer_.data(), buffer_.size());
    position_ = 0;
    if (filled_ == 0 || filled_ > buffer_.size()) {
        filled_ = 0;
        exhausted_ = true;
        return false;
    }
    return true;
}

bool LineReader::TakeLineBytes(std::string& line)
{
    while (Refill()) {
        const char* begin = buffer_.data() + position_;
        const char* end = buffer_.data() + filled_;
        const char* stop = std::find_if(begin, end, EndsLine);
        const size_t room = lineLimit_ - std::min(lineLimit_, line.size());
        line.append(begin, std::min(static_cast<size_t>(stop - begin), room));
        position_ = static_cast<size_t>(stop - buffer_.data());
        if (stop != end)
            return true;
    }
    return false;
}

void LineReader::ConsumeLineEnding()
{
    const char ending = buffer_[position_++];
    // CR LF is one line ending; a lone CR ends the line by itself and leaves
    // the next byte for the next line.
    if (ending == '\r' && Refill() && buffer_[position_] == '\n')
        ++position_;
}

std::string LineReader::ReadLine()
{
    std::string line;
    if (TakeLineBytes(line))
        ConsumeLineEnding();
    return line;
}

bool LineReader::AtEnd()
{
    return !Refill();
}
