// Text operations shared by every part of the program.
// Texts are 8-bit ANSI strings; positions are 1-based and 0 means "not found".
// Every operation returns a new text and leaves its arguments alone.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

int FindText(std::string_view text, std::string_view key, int start);
std::string MidText(std::string_view text, int start, int count);
std::string FieldOf(std::string_view text, int index, std::string_view separator);
std::string RemoveAll(std::string_view text, std::string_view piece);
int32_t ParseInteger(std::string_view text);
int CharCode(std::string_view text);
std::string CharText(int code);
std::string Blanks(int count);
int TextLength(std::string_view text);
int TextEquals(std::string_view a, std::string_view b);
std::string DecimalText(int32_t number);

enum class NumberWidth { Byte = 0, Word = 1, Long = 2 };
std::string UnsignedText(uint32_t number, NumberWidth width);

// An IPv4 address as the IP field takes it: a in the lowest byte. Numbers
// above 255 carry into the next byte; the sum wraps modulo 2^32.
uint32_t PackAddress(int32_t a, int32_t b, int32_t c, int32_t d);
uint32_t PackAddress(const std::array<int32_t, 4>& numbers);

// The text of a fixed-size character field: up to its first NUL, and never
// past its end when a field is full.
template <size_t N>
std::string FieldText(const char (&field)[N])
{
    return std::string(field, std::find(field, field + N, '\0'));
}

// Blanks removed from both ends.
std::string TrimBlanks(std::string_view text);

// The four numbers of a dotted address, leftmost first: fields 1 to 4 at "."
// read with ParseInteger, so missing or bad parts read 0.
std::array<int32_t, 4> AddressNumbersFromText(std::string_view dotted);
