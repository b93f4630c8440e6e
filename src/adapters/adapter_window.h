// The "Adapter" window: every IPv4 address of every network adapter, with
// the adapter's description and type and whether the address answers a
// ping. A click on a row puts its address into the main window's IP field.
#pragma once

// Opens the window as window 100, fills it and runs its event loop until a
// row is clicked (the window is then already closed) or a close box is
// used. Ends the program after an error box when the adapters cannot be
// queried.
void RunAdapterWindow();
