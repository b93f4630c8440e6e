// The one program-wide record: what start-up learns and what the windows
// share. All zero and empty at process start; nothing is ever reset.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

struct AppState {
    std::string ProgramFolder;           // exe folder, ending in a backslash
    std::string StartFolder;             // current directory at start-up
    // In StartFolder, or in the temporary folder when StartFolder cannot
    // be used (see CaptureFolderFor).
    std::string WorkstationCapturePath;  // folder + "\2345.txt"
    std::string SessionCapturePath;      // folder + "\bes.txt"
    std::string PingCapturePath;         // folder + "\123.txt"
    std::string StartComputerName;
    std::string MemoryMegabytes;
    std::string ServicePackText;
    std::string InfoLinkCaption;
    std::string WindowsName;
    std::string WorkgroupName;
    std::string OwnAddressText;
    std::string PublicAddressText;
    // The address last put into the IP field, leftmost number first.
    std::array<int32_t, 4> AddressNumbers{};
    std::string IpFieldText;
    HWND InfoLinkHandle = nullptr;
    int InfoLinkHover = 0;
    HBRUSH InfoLinkBrush = nullptr;
    HFONT LabelFont = nullptr;
    int32_t MenuChoice = 0;
};

extern AppState appState;
