#include "toolkit/line_reader.h"

#include <utility>

namespace {
constexpr size_t chunkSize = 4096;
}

LineReader::LineReader(ReadBytes read) : read_(std::move(read)), buffer_(chunkSize) {}

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

std::string LineReader::ReadLine()
{
    std::string line;
    while (Refill()) {
        char byte = buffer_[position_++];
        if (byte == '\n' || byte == '\0')
            return line;
        if (byte == '\r') {
            // CR LF is one line ending; a lone CR ends the line by itself and
            // leaves the next byte for the next line.
            if (Refill() && buffer_[position_] == '\n')
                ++position_;
            return line;
        }
        line += byte;
    }
    return line;
}

bool LineReader::AtEnd()
{
    return !Refill();
}
