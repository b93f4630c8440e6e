// Starting other programs, message boxes and pauses.
#pragma once

#include <string>
#include <string_view>

// Flag word of LaunchProgram.
using RunMode = int;
constexpr RunMode RunWait = 1;    // return only when the program has ended
constexpr RunMode RunHidden = 2;  // start it without showing a window

// Folder of the program's own exe, ending in a backslash; every launch and
// every text file opening makes it the current directory first. Programs
// are never looked for there.
void ProgramFolderSet(std::string_view folder);
const std::string& ProgramFolder();

// Starts `program` by the full path ProgramPath finds, in `folder` or else
// in the system folder, through the shell; true when something was started,
// false also when the program was found nowhere. With RunWait it blocks,
// without a time limit, until the program has ended.
bool LaunchProgram(std::string_view program, std::string_view parameters,
                   std::string_view folder, RunMode mode);

// Full path of a program named as the menu names it ("cmd", "hh.exe"), in
// the system's own folders or where the system registers it; "" if none.
std::string ProgramPath(std::string_view program);

// A message box owned by the program's foreground window, if it has one.
// Returns the id of the button that closed it.
int ShowMessage(std::string_view title, std::string_view message, unsigned flags);

void Pause(int milliseconds);
