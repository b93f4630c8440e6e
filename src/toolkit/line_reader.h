// Splits a byte stream into lines the way the capture files need it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class LineReader {
public:
    // Fills the buffer with up to `size` bytes; 0 means end of data or a
    // failed read, which both end reading.
    using ReadBytes = std::function<size_t(char* buffer, size_t size)>;

    explicit LineReader(ReadBytes read);

    // The next line without its ending. LF, CR LF, a lone CR and NUL each end
    // a line; the end of the data ends the last one. Bytes come back as
    // stored. A line is returned whole however long it is.
    std::string ReadLine();

    // True when no byte is left to read.
    bool AtEnd();

private:
    bool Refill();

    ReadBytes read_;
    std::vector<char> buffer_;
    size_t position_ = 0;
    size_t filled_ = 0;
    bool exhausted_ = false;
};
