// Watching wendelkamm.exe and its bare twin (startup_bare.exe) from outside
// under Wine, for the benchmarks.
#pragma once

#include "driver.h"

#include <cstdio>

// Milliseconds of system time, fine-grained: the clock the wineserver stamps
// a process's creation and exit with. (GetTickCount lags by up to ~16 ms.)
inline double MillisecondsOf(const FILETIME& time)
{
    const LONGLONG value = static_cast<LONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
    return static_cast<double>(value) / 10000.0;
}
inline double Now()
{
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    return MillisecondsOf(now);
}

// The main window's labels that the program fills from the system: only
// their text up to the '=' is the layout's.
inline const std::vector<int> mainDataIds{7, 8, 9, 13, 14, 15, 16};

// One line of a window's layout: class, id, place and size, styles and text;
// a combo box adds its entry count, a list view its columns and extended
// style. A `dataText` is the system's: only the text up to its '=' counts.
inline std::string Describe(HWND parent, HWND window, bool dataText)
{
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    // The text Windows keeps for another process's window, read without a
    // message: what the program set, not what a control makes of it.
    char kept[256] = {};
    GetWindowTextA(window, kept, sizeof kept);
    std::string text = kept;
    if (dataText)
        text = text.substr(0, text.find('=') + 1);
    char line[400];
    std::snprintf(line, sizeof line, "%s id %d at %s style %08lx ex %08lx \"%s\"", className, GetDlgCtrlID(window),
                  PlaceText(parent, window).c_str(), static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
                  static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)), text.c_str());
    std::string described = line;
    if (std::string(className) == "ComboBox")
        described += " entries " + std::to_string(SendMessageA(window, CB_GETCOUNT, 0, 0));
    if (std::string(className) == WC_LISTVIEWA) {
        described += " columns " + ListTable(window)[0];
        described += " list style " + std::to_string(SendMessageA(window, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    }
    return described;
}

// A window as its user meets it: a line for the window with its client size,
// then one per child. The children in `dataIds` show what the system told.
inline std::vector<std::string> Layout(HWND window, const std::vector<int>& dataIds = {})
{
    std::vector<std::string> lines{Describe(nullptr, window, false) + " client " + PlaceText(window, window)};
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const bool data = std::find(dataIds.begin(), dataIds.end(), GetDlgCtrlID(child)) != dataIds.end();
        lines.push_back(Describe(window, child, data));
    }
    return lines;
}
