// Building command lines for the command interpreter.
#pragma once

#include <string>
#include <string_view>

// The text in double quotes, so that blanks and the interpreter's special
// characters (& | < > ^) inside it stay literal. A double quote cannot be
// escaped inside quotes and is never part of a file or computer name, so any
// is dropped.
std::string Quoted(std::string_view text);
