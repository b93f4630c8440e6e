// Building command lines for the command interpreter.
#pragma once

#include <string>
#include <string_view>

// The text in double quotes, so that blanks and the interpreter's special
// characters (& | < > ^) inside it stay literal. A double quote cannot be
// escaped inside quotes and is never part of a file or computer name, so any
// is dropped.
std::string Quoted(std::string_view text);

// Working folder for a launched program: the given folder when not empty,
// else the program's own folder (with a trailing backslash) when its path
// has a backslash after the first character, else empty (inherit).
std::string WorkingFolderFor(std::string_view program, std::string_view folder);
