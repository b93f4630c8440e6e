// Arbitrary bytes in arbitrary piece sizes: the lines must add up to the input.
#include "toolkit/line_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t piece = data[0] % 7 + 1;
    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    size_t position = 0;
    LineReader reader([&](char* buffer, size_t capacity) {
        size_t count = std::min({capacity, piece, input.size() - position});
        std::memcpy(buffer, input.data() + position, count);
        position += count;
        return count;
    });
    size_t lineBytes = 0;
    int guard = 0;
    do {
        std::string line = reader.ReadLine();
        if (line.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
            __builtin_trap();
        lineBytes += line.size();
        if (++guard > static_cast<int>(input.size()) + 2)
            __builtin_trap();  // every call must make progress
    } while (!reader.AtEnd());
    if (lineBytes > input.size())
        __builtin_trap();
    return 0;
}
