// The "Adapter" window: every IPv4 address of every network adapter, with
// the adapter's description and type and whether the address answers a
// ping. A click on a row picks its address.
#pragma once

#include <optional>
#include <string>

// The window's number and its list's gadget number.
constexpr int AdapterWindowNumber = 100;
constexpr int AdapterListGadget = 200;

enum class AdapterChoice {
    Picked,       // a row was clicked; the window is still open
    Closed,       // a close box was used, or the window did not open
    QueryFailed,  // the adapters could not be queried; the error box was shown
};

struct AdapterOutcome {
    AdapterChoice choice = AdapterChoice::Closed;
    std::string pickedAddress;  // Picked: the clicked row's address, "" without a row
    // The address of the last row listed, when any row was.
    std::optional<std::string> lastListedAddress;
};

// Opens the window, fills it and runs its event loop until a row is clicked
// or a close box is used. When the adapters cannot be queried it returns
// right after the error box, the window still up behind it.
AdapterOutcome RunAdapterWindow();
