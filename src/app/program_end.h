// Ending the program: the same path for "Ende", the close box and a failed
// adapter query.
#pragma once

// Releases the toolkit (tables, socket library, every window), destroys the
// private heap and ends the process with exit code 0.
[[noreturn]] void EndProgram();
