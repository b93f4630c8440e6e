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

std::string WorkingFolderFor(std::string_view program, std::string_view folder)
{
    if (!folder.empty())
        return std::string(folder);
    size_t lastBackslash = program.rfind('\\');
    if (lastBackslash == std::string_view::npos || lastBackslash == 0)
        return {};
    // The folder text has room for 511 characters including the backslash.
    std::string result(program.substr(0, lastBackslash));
    if (result.size() > 510)
        result.resize(510);
    return result + '\\';
}
