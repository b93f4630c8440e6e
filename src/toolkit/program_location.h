// Where a program the menu or start-up names ("cmd", "winver", "hh.exe")
// is looked for: only in the system's own folders and the path the system
// registers for it, never in the program's folder or the current directory.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct ProgramSearch {
    std::vector<std::string> candidates;  // full paths, the first that exists wins
    std::string registeredName;           // App Paths key ("msinfo32.exe") tried after them, or ""
};

// `program` as LaunchProgram gets it, the system and Windows folders
// without trailing backslash. A name with a folder part is taken as it is.
ProgramSearch ProgramSearchFor(std::string_view program, std::string_view systemFolder,
                               std::string_view windowsFolder);

// The default value of an App Paths key as a plain path: surrounding blanks
// and double quotes removed.
std::string RegisteredPath(std::string_view value);

// "C:\..." or "\\server\...": a path that no current directory completes.
bool IsFullPath(std::string_view path);

// The first candidate for which `exists` holds, else the registered path
// (read by `registered`) when it is a full path and `exists` holds for it,
// else "".
template <typename Exists, typename Registered>
std::string FindProgram(const ProgramSearch& search, Exists exists, Registered registered)
{
    for (const std::string& candidate : search.candidates)
        if (exists(candidate))
            return candidate;
    if (search.registeredName.empty())
        return {};
    const std::string path = RegisteredPath(registered(search.registeredName));
    return IsFullPath(path) && exists(path) ? path : std::string();
}
