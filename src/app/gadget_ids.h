// Gadget and window numbers. One gadget table serves all windows.
#pragma once

constexpr int MainWindowNumber = 0;
constexpr int SecondaryWindowNumber = 100;  // the adapter or the LAN window

constexpr int GadgetEnde = 1;
constexpr int GadgetCommandMenu = 2;
constexpr int GadgetIpField = 3;
constexpr int GadgetCommandMenuCaption = 4;  // "Befehlsauswahl"
constexpr int GadgetIpFieldCaption = 5;      // "IP Adresse"
constexpr int GadgetInfoLink = 6;
constexpr int GadgetUserName = 7;
constexpr int GadgetComputerName = 8;
constexpr int GadgetWorkgroup = 9;
constexpr int GadgetUserNameCaption = 10;      // "Benutzername"
constexpr int GadgetComputerNameCaption = 11;  // "Computername"
constexpr int GadgetWorkgroupCaption = 12;     // "Arbeitsgruppe"
constexpr int GadgetProcessorLine = 13;        // "CPU-Name = ..."
constexpr int GadgetMemoryLine = 14;           // "Memory      =  ... MB RAM"
constexpr int GadgetWindowsLine = 15;          // "OS Version = ..."
constexpr int GadgetServicePackLine = 16;      // "Other   = ..."
constexpr int GadgetAdapterButton = 30;
constexpr int GadgetLanButton = 31;
constexpr int GadgetRefreshButton = 111;
constexpr int GadgetSecondaryList = 200;  // AdapterList or LanList
