#include "toolkit/text.h"

#include <algorithm>

int FindText(std::string_view text, std::string_view key, int start)
{
    if (start < 1)
        start = 1;
    if (static_cast<size_t>(start) > text.size())
        return 0;
    size_t found = text.find(key, static_cast<size_t>(start - 1));
    return found == std::string_view::npos ? 0 : static_cast<int>(found + 1);
}

std::string MidText(std::string_view text, int start, int count)
{
    if (start < 1)
        start = 1;
    if (count <= 0 || static_cast<size_t>(start) > text.size())
        return {};
    return std::string(text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(count)));
}

std::string FieldOf(std::string_view text, int index, std::string_view separator)
{
    if (separator.empty())
        return std::string(text);
    if (index < 1)
        index = 1;
    const char mark = separator.front();
    size_t fieldStart = 0;
    for (int field = 1; field < index; ++field) {
        size_t next = text.find(mark, fieldStart);
        if (next == std::string_view::npos)
            return {};
        fieldStart = next + 1;
    }
    size_t fieldEnd = text.find(mark, fieldStart);
    if (fieldEnd == std::string_view::npos)
        fieldEnd = text.size();
    return std::string(text.substr(fieldStart, fieldEnd - fieldStart));
}

std::string RemoveAll(std::string_view text, std::string_view piece)
{
    if (piece.empty())
        return std::string(text);
    std::string result;
    result.reserve(text.size());
    size_t position = 0;
    while (position < text.size()) {
        if (text.compare(position, piece.size(), piece) == 0) {
            position += piece.size();
        } else {
            result += text[position];
            ++position;
        }
    }
    return result;
}

int32_t ParseInteger(std::string_view text)
{
    size_t position = 0;
    while (position < text.size() && text[position] == ' ')
        ++position;
    bool negative = false;
    if (position < text.size() && (text[position] == '-' || text[position] == '+')) {
        negative = text[position] == '-';
        ++position;
    }
    // 32-bit arithmetic that wraps: unsigned, so overflow is defined.
    uint32_t value = 0;
    while (position < text.size() && text[position] >= '0' && text[position] <= '9') {
        value = value * 10u + static_cast<uint32_t>(text[position] - '0');
        ++position;
    }
    if (negative)
        value = 0u - value;
    return static_cast<int32_t>(value);
}

int CharCode(std::string_view text)
{
    return text.empty() ? 0 : static_cast<unsigned char>(text.front());
}

std::string CharText(int code)
{
    return std::string(1, static_cast<char>(static_cast<unsigned char>(code & 0xFF)));
}

std::string Blanks(int count)
{
    return std::string(static_cast<size_t>(std::max(count, 0)), ' ');
}

int TextLength(std::string_view text)
{
    return static_cast<int>(text.size());
}

int TextEquals(std::string_view a, std::string_view b)
{
    return a == b ? 1 : 0;
}

std::string DecimalText(int32_t number)
{
    return std::to_string(number);
}

std::string UnsignedText(uint32_t number, NumberWidth width)
{
    switch (width) {
    case NumberWidth::Byte: return std::to_string(number & 0xFFu);
    case NumberWidth::Word: return std::to_string(number & 0xFFFFu);
    default: return std::to_string(number);
    }
}

std::string TrimBlanks(std::string_view text)
{
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}
