// Start and end of the toolkit as a whole.
#pragma once

#include <windows.h>

// Window table and classes, gadget and font tables, text files, the text
// work area.
void ToolkitInit(HINSTANCE instance);
// End of program: releases the tables, shuts the socket library down once
// if it was started, and closes every window.
void ToolkitEnd();
