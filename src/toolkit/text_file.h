// Reading the small text files that hidden commands write, by file number.
#pragma once

#include <string>
#include <string_view>

// Opens `path` for reading (relative paths from the program's folder) under
// `number`, which becomes the current file even when opening fails.
bool OpenTextFile(int number, std::string_view path);
// The next line of the current file; see LineReader for the line endings.
std::string ReadTextLine();
bool AtEndOfFile(int number);
void CloseTextFile(int number);
// Deletes the file; a missing or undeletable file is no error.
void RemoveFile(std::string_view path);
// Closes every open file (end of program).
void TextFilesRelease();
