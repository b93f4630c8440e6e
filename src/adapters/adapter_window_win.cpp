#include "adapters/adapter_window.h"

#include "adapters/adapter_enumeration.h"
#include "adapters/adapter_rows.h"
#include "adapters/echo_probe.h"
#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "app/program_end.h"
#include "sysinfo/capture_reading.h"
#include "toolkit/gadget.h"
#include "toolkit/gadget_rules.h"
#include "toolkit/launch.h"
#include "toolkit/window.h"

#include <commctrl.h>

#include <string>

namespace {

// Caption, system menu, sizing border and minimise box; shown at once, at
// the given place rather than centred.
constexpr uint32_t adapterWindowFlags = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
// Full-row selection, grid lines, selection kept visible without focus;
// single selection.
constexpr uint32_t adapterListFlags =
    ListFullRowSelectFlag | ListGridLinesFlag | LVS_SHOWSELALWAYS;
constexpr int listClickKind = 0;  // a left click on the list

void BuildAdapterList()
{
    GadgetParentSet(WindowCurrent());
    ListCreate(GadgetSecondaryList, 20, 10, 480, 160, "IP", 90, adapterListFlags);
    ListColumnAdd(GadgetSecondaryList, 1, "Adapter", 240);
    ListColumnAdd(GadgetSecondaryList, 2, "Type", 90);
    ListColumnAdd(GadgetSecondaryList, 3, "Alive", 55);
}

// Each row is added only after its own probe, in the order of the table.
// The window takes no input until the last probe has finished, so nothing
// is painted before that anyway; holding the list's redraw meanwhile spares
// it laying out and drawing its scroll bars anew for every row, which with
// themed drawing costs more than all the rest of the fill.
void FillAdapterList()
{
    GadgetClearItems(GadgetSecondaryList);
    HWND list = GadgetHandle(GadgetSecondaryList);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (const AdapterEntry& entry : adapterTable) {
        const std::string mark = ProbeRange(entry.address, entry.address);
        GadgetAddItem(GadgetSecondaryList, -1, AdapterRowText(entry, mark));
        appState.IpFieldText = entry.address;
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    // Scroll bars that came while it did not draw are frame, not client area.
    RedrawWindow(list, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
}

// Hands the clicked row's address to the main window and closes this one.
void TakeClickedAddress()
{
    const int row = GadgetGetState(GadgetSecondaryList);
    const std::string address = row == -1 ? std::string() : GadgetItemText(GadgetSecondaryList, row, 0);
    ShowAddressInIpField(address);
    WindowClose(SecondaryWindowNumber);
    GadgetParentSet(WindowHandle(MainWindowNumber));
    GadgetFocus(GadgetCommandMenu);
}

} // namespace

void RunAdapterWindow()
{
    AdapterTableReset();
    if (!WindowOpen(SecondaryWindowNumber, 216, 0, 520, 190, adapterWindowFlags, "Adapter"))
        return;
    BuildAdapterList();

    EnumerateAdapters();
    if (adapterCount == -1) {
        // The window stays up, with its empty list, behind the box.
        ShowMessage("Error", "An error occured accessing adapter info", MB_OK);
        EndProgram();
    }
    FillAdapterList();

    // This loop gets the events of every window; all but a click on the list
    // and a close box are dropped, so the main window's gadgets do nothing
    // while this window is open.
    for (;;) {
        const int event = EventWait();
        if (event == EventGadget && EventSource() == GadgetSecondaryList &&
            EventKind() == listClickKind) {
            TakeClickedAddress();
            return;
        }
        if (event == EventCloseWindow)
            return;
    }
}
