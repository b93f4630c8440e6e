// Splits a byte stream into lines the way the capture files need it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Every text the program builds fits its 64000-byte work area; no line read
// from a file is longer.
inline constexpr size_t longestLine = 64000;

class LineReader {
public:
    // Fills the buffer with up to `size` bytes; 0 means end of data or a
    // failed read, which both end reading.
    using ReadBytes = std::function<size_t(char* buffer, size_t size)>;

    explicit LineReader(ReadBytes read, size_t lineLimit = longestLine);

    // The next line without its ending. LF, CR LF, a lone CR and NUL each end
    // a line; the end of the data ends the last one. Bytes come back as
    // stored. A line longer than the limit is cut there and the rest of it,
    // up to and including its ending, is skipped: a file without line breaks
    // costs no more memory than one line of the limit's length.
    std::string ReadLine();

    // True when no byte is left to read.
    bool AtEnd();

private:
    bool Refill();
    // Moves past the bytes of the current line up to its ending, keeping
    // those within the limit; true when an ending was found (it is not yet
    // consumed).
    bool TakeLineBytes(std::string& line);
    void ConsumeLineEnding();

    ReadBytes read_;
    size_t lineLimit_;
    std::vector<char> buffer_;
    size_t position_ = 0;
    size_t filled_ = 0;
    bool exhausted_ = false;
};
