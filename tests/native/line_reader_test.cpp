#include "toolkit/line_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Serves `data` in pieces of at most `piece` bytes, like a file read.
LineReader ReaderOver(const std::string& data, size_t piece = 4096)
{
    auto position = std::make_shared<size_t>(0);
    return LineReader([data, position, piece](char* buffer, size_t size) {
        size_t count = std::min({size, piece, data.size() - *position});
        std::memcpy(buffer, data.data() + *position, count);
        *position += count;
        return count;
    });
}

std::vector<std::string> AllLines(LineReader reader)
{
    std::vector<std::string> lines;
    do
        lines.push_back(reader.ReadLine());
    while (!reader.AtEnd());
    return lines;
}

using Lines = std::vector<std::string>;

} // namespace

TEST(LineReader, SplitsAtEveryLineEnding)
{
    struct Case { std::string data; Lines expected; };
    const Case cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\n\nb", {"a", "", "b"}},
        {"last line without ending", {"last line without ending"}},
        {"", {""}},
        {std::string("a\0b", 3), {"a", "b"}},
        // A lone CR ends its line and keeps the next byte.
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\r\rb", {"a", "", "b"}},
        {"a\r", {"a"}},
        {"\xFC\x84\n", {"\xFC\x84"}},
    };
    // Byte by byte, a CR LF is also split across two reads.
    for (const Case& c : cases) {
        EXPECT_EQ(AllLines(ReaderOver(c.data)), c.expected);
        EXPECT_EQ(AllLines(ReaderOver(c.data, 1)), c.expected) << "read byte by byte";
    }
}

TEST(LineReader, AtEndAfterLastLineAndEmptyAfterwards)
{
    LineReader reader = ReaderOver("a\r\nb\r\n");
    EXPECT_FALSE(reader.AtEnd());
    EXPECT_EQ(reader.ReadLine(), "a");
    EXPECT_EQ(reader.ReadLine(), "b");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.ReadLine(), "");
}

TEST(LineReader, ReadsLinesLongerThanTheWorkAreaWhole)
{
    const std::string longLine(200000, 'x');
    EXPECT_EQ(AllLines(ReaderOver(longLine + "\nshort")), (Lines{longLine, "short"}));
}

TEST(LineReader, FailedReadEndsReading)
{
    LineReader reader([](char*, size_t) -> size_t { return 0; });
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.ReadLine(), "");
}
