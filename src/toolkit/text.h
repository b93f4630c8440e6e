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

// The text of a fixed-size character field: up to its first NUL, and never
// past its end when a field is full.
template <size_t N>
std::string FieldText(const char (&field)[N])
{
    return std::string(field, std::find(field, field + N, '\0'));
}

// Blanks removed from both ends.
std::string TrimBlanks(std::string_view text);
