#include "toolkit/command_line.h"

std::string Quoted(std::string_view text)
{
    std::string result = "\"";
    for (char character : text)
        if (character != '"')
            result += character;
    result += '"';
    return result;
}
