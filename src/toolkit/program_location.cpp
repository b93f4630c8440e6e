#include "toolkit/program_location.h"

namespace {

std::string AsciiLower(std::string_view text)
{
    std::string lower(text);
    for (char& character : lower)
        if (character >= 'A' && character <= 'Z')
            character = static_cast<char>(character - 'A' + 'a');
    return lower;
}

std::string Joined(std::string_view folder, std::string_view file)
{
    std::string path(folder);
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path + std::string(file);
}

bool HasFolderPart(std::string_view program)
{
    return program.find_first_of("\\/:") != std::string_view::npos;
}

bool HasExtension(std::string_view program)
{
    return program.find('.') != std::string_view::npos;
}

} // namespace

ProgramSearch ProgramSearchFor(std::string_view program, std::string_view systemFolder,
                               std::string_view windowsFolder)
{
    if (program.empty())
        return {};
    if (HasFolderPart(program))
        return {{std::string(program)}, {}};
    std::string name = AsciiLower(program);
    if (name.size() > 4 && name.ends_with(".exe"))
        name.resize(name.size() - 4);
    if (name == "command")
        // The MS-DOS interpreter is command.com; where a Windows keeps a
        // command.exe instead it lies in one of the same two folders.
        return {{Joined(systemFolder, "command.com"), Joined(systemFolder, "command.exe"),
                 Joined(windowsFolder, "command.com"), Joined(windowsFolder, "command.exe")},
                {}};
    if (name == "hh")
        return {{Joined(windowsFolder, "hh.exe"), Joined(systemFolder, "hh.exe")}, {}};
    // Windows XP keeps these two outside the system folder and registers
    // where.
    if (name == "msinfo32" || name == "msconfig")
        return {{Joined(systemFolder, name + ".exe")}, name + ".exe"};
    return {{Joined(systemFolder, HasExtension(program) ? std::string(program) :
                                                          std::string(program) + ".exe")},
            {}};
}

std::string RegisteredPath(std::string_view value)
{
    const size_t first = value.find_first_not_of(" \t\"");
    if (first == std::string_view::npos)
        return {};
    const size_t last = value.find_last_not_of(" \t\"");
    return std::string(value.substr(first, last - first + 1));
}
