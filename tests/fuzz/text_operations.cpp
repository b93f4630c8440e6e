// The text operations every parser is built from, on arbitrary texts and
// positions, each checked against what its rule says the result must be.
#include "fuzz_input.h"
#include "toolkit/text.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool MatchesAt(std::string_view text, std::string_view key, size_t index)
{
    return text.compare(index, key.size(), key) == 0;
}

void CheckFindText(std::string_view text, std::string_view key, int start)
{
    const int found = FindText(text, key, start);
    if (key.empty())
        return;  // left open by the rules
    const size_t from = static_cast<size_t>(std::max(start, 1)) - 1;
    size_t first = from;
    while (first + key.size() <= text.size() && !MatchesAt(text, key, first))
        ++first;
    const bool exists = from < text.size() && first + key.size() <= text.size();
    FUZZ_CHECK(found == (exists ? static_cast<int>(first) + 1 : 0));
}

void CheckMidText(std::string_view text, int start, int count)
{
    const std::string middle = MidText(text, start, count);
    const size_t from = static_cast<size_t>(std::max(start, 1)) - 1;
    if (count <= 0 || from >= text.size()) {
        FUZZ_CHECK(middle.empty());
        return;
    }
    FUZZ_CHECK(middle.size() == std::min(static_cast<size_t>(count), text.size() - from));
    FUZZ_CHECK(MatchesAt(text, middle, from));
}

void CheckFieldOf(std::string_view text, int index, std::string_view separator)
{
    const std::string field = FieldOf(text, index, separator);
    if (separator.empty()) {
        FUZZ_CHECK(field == text);
        return;
    }
    const char mark = separator.front();
    FUZZ_CHECK(field.find(mark) == std::string::npos);
    const size_t marks = static_cast<size_t>(std::count(text.begin(), text.end(), mark));
    if (marks > 64)
        return;
    // The fields, joined again at the separator, give back the text.
    std::string joined;
    for (size_t number = 1; number <= marks + 1; ++number)
        joined += (number > 1 ? std::string(1, mark) : "") + FieldOf(text, static_cast<int>(number), separator);
    FUZZ_CHECK(joined == text);
    FUZZ_CHECK(text.empty() || FieldOf(text, static_cast<int>(marks) + 2, separator).empty());
}

void CheckRemoveAll(std::string_view text, std::string_view piece)
{
    const std::string removed = RemoveAll(text, piece);
    if (piece.empty()) {
        FUZZ_CHECK(removed == text);
        return;
    }
    FUZZ_CHECK((text.size() - removed.size()) % piece.size() == 0);
    size_t kept = 0;  // what is left is the text's own bytes in their order
    for (size_t index = 0; index < text.size() && kept < removed.size(); ++index)
        kept += text[index] == removed[kept];
    FUZZ_CHECK(kept == removed.size());
    if (piece.size() == 1) {
        std::string filtered(text);
        std::erase(filtered, piece.front());
        FUZZ_CHECK(removed == filtered);
    }
}

void CheckParseInteger(std::string_view text)
{
    const int32_t value = ParseInteger(text);
    // Compared with the C library where both read the same: blanks, a sign,
    // then at most nine digits.
    const size_t numberStart = std::min(text.find_first_not_of(' '), text.size());
    size_t digitsStart = numberStart;
    if (digitsStart < text.size() && (text[digitsStart] == '-' || text[digitsStart] == '+'))
        ++digitsStart;
    const size_t digitsEnd = std::min(text.find_first_not_of("0123456789", digitsStart), text.size());
    if (digitsEnd == digitsStart) {
        FUZZ_CHECK(value == 0);
    } else if (digitsEnd - digitsStart <= 9) {
        const std::string number(text.substr(numberStart, digitsEnd - numberStart));
        FUZZ_CHECK(value == std::strtol(number.c_str(), nullptr, 10));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const int start = static_cast<int8_t>(input.Byte());
    const int count = static_cast<int8_t>(input.Byte());
    const int32_t number = input.Number();
    const std::string_view text = input.Text();
    const std::string_view key = input.Text();

    CheckFindText(text, key, start);
    CheckMidText(text, start, count);
    CheckFieldOf(text, start, key);
    CheckRemoveAll(text, key);
    CheckParseInteger(text);

    const std::string trimmed = TrimBlanks(text);
    FUZZ_CHECK(trimmed.empty() || (trimmed.front() != ' ' && trimmed.back() != ' '));
    FUZZ_CHECK(trimmed.empty() ? text.find_first_not_of(' ') == std::string_view::npos
                               : MatchesAt(text, trimmed, text.find_first_not_of(' ')));
    FUZZ_CHECK(ParseInteger(DecimalText(number)) == number);
    FUZZ_CHECK(ParseInteger(UnsignedText(static_cast<uint32_t>(number), NumberWidth::Byte)) == (number & 0xFF));
    FUZZ_CHECK(ParseInteger(UnsignedText(static_cast<uint32_t>(number), NumberWidth::Word)) == (number & 0xFFFF));
    FUZZ_CHECK(CharCode(CharText(number)) == (number & 0xFF));
    return 0;
}
