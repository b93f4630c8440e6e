// The main window: built once after start-up, then its loop runs until the
// program ends.
#pragma once

[[noreturn]] void RunMainWindow();
