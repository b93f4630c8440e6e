// Gadget and window numbers. One gadget table serves all windows.
#pragma once

constexpr int MainWindowNumber = 0;
constexpr int SecondaryWindowNumber = 100;  // the adapter or the LAN window

constexpr int GadgetEnde = 1;
constexpr int GadgetCommandMenu = 2;
constexpr int GadgetIpField = 3;
constexpr int GadgetInfoLink = 6;
constexpr int GadgetAdapterButton = 30;
constexpr int GadgetLanButton = 31;
constexpr int GadgetRefreshButton = 111;
constexpr int GadgetSecondaryList = 200;  // AdapterList or LanList
