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
    if (path.back() != '\\')
        path += '\\';
    return path + std::string(file);
}

// Full paths of `files` in each folder; a folder that could not be read
// gives none, as a bare name would be looked for in the current directory.
std::vector<std::string> In(std::initializer_list<std::string_view> folders,
                            std::initializer_list<std::string_view> files)
{
    std::vector<std::string> paths;
    for (std::string_view folder : folders)
        for (std::string_view file : files)
            if (!folder.empty())
                paths.push_back(Joined(folder, file));
    return paths;
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
        return {In({systemFolder, windowsFolder}, {"command.com", "command.exe"}), {}};
    if (name == "hh")
        return {In({windowsFolder, systemFolder}, {"hh.exe"}), {}};
    // Windows XP keeps these two outside the system folder and registers
    // where.
    if (name == "msinfo32" || name == "msconfig")
        return {In({systemFolder}, {name + ".exe"}), name + ".exe"};
    const std::string file = HasExtension(program) ? std::string(program) : std::string(program) + ".exe";
    return {In({systemFolder}, {file}), {}};
}

bool IsFullPath(std::string_view path)
{
    const bool drive = path.size() >= 3 && ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z') &&
                       path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    return drive || path.starts_with("\\\\");
}

std::string RegisteredPath(std::string_view value)
{
    const size_t first = value.find_first_not_of(" \t\"");
    if (first == std::string_view::npos)
        return {};
    const size_t last = value.find_last_not_of(" \t\"");
    return std::string(value.substr(first, last - first + 1));
}
