// Line reading: arbitrary bytes in arbitrary read sizes, with the real line
// limit or a small one, must give the lines of a plain byte-by-byte reading
// of the rules (LF, NUL, CR LF, lone CR end a line; longer lines are cut).
#include "fuzz_input.h"
#include "toolkit/line_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

std::vector<std::string> ExpectedLines(std::string_view data, size_t limit)
{
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (size_t index = 0; index < data.size(); ++index) {
        const char byte = data[index];
        if (byte == '\n' || byte == '\0' || byte == '\r') {
            if (byte == '\r' && index + 1 < data.size() && data[index + 1] == '\n')
                ++index;
            lines.push_back(line);
            line.clear();
            open = false;
        } else {
            if (line.size() < limit)
                line += byte;
            open = true;
        }
    }
    if (open || lines.empty())
        lines.push_back(line);
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const size_t piece = input.Byte() % 7 + 1;
    const uint8_t limitChoice = input.Byte();
    const size_t limit = limitChoice == 0 ? longestLine : limitChoice % 16;
    const std::string_view bytes = input.Rest();

    size_t position = 0;
    LineReader reader(
        [&](char* buffer, size_t capacity) {
            const size_t count = std::min({capacity, piece, bytes.size() - position});
            std::memcpy(buffer, bytes.data() + position, count);
            position += count;
            return count;
        },
        limit);
    FUZZ_CHECK(reader.AtEnd() == bytes.empty());
    std::vector<std::string> lines;
    do {
        lines.push_back(reader.ReadLine());
        FUZZ_CHECK(lines.size() <= bytes.size() + 1);  // every call makes progress
    } while (!reader.AtEnd());
    FUZZ_CHECK(lines == ExpectedLines(bytes, limit));
    FUZZ_CHECK(reader.ReadLine().empty() && reader.AtEnd());
    return 0;
}
