// The command menu: its entries and what choosing one does.
#pragma once

#include "toolkit/launch.h"

#include <string>
#include <string_view>
#include <vector>

enum class CommandAction {
    Launch,             // start program with parameters
    LaunchWithAddress,  // the same, with the IP field's address appended
    OwnAddress,         // put the own address back into the IP field
    PublicAddress,      // fetch the public address into the IP field
    SessionList,        // capture "net session" and page it in a console
};

struct CommandEntry {
    const char* label;
    bool xpOnly;  // listed only on Windows XP, after all the others
    CommandAction action;
    const char* program;
    const char* parameters;  // a leading blank belongs to the text
};

// All entries in menu order; the index in this list is the combo box index.
const std::vector<CommandEntry>& CommandEntries();

// Labels to list: the XP entries only on Windows XP.
std::vector<std::string> MenuLabels(bool windowsXp);

// "Net Session (Besucher)": the capture command, and the visible console
// that pages the capture and deletes it once the pager has finished, so the
// list can neither be lost to an early delete nor left behind.
std::string SessionCaptureParameters(std::string_view capturePath);
std::string SessionViewerParameters(std::string_view capturePath);

// Runs the entry at `index`; an index without an entry does nothing.
void RunMenuCommand(int index);
